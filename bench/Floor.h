#pragma once

#include <QList>
#include <QStringList>

#include <memory>

class QWidget;

// The toolkit's floor: the same jobs done the plain way with Qt and the standard library
// alone, as anyone would write them without this program's code. The benchmarks give the
// program's times as ratios to these, so a slower machine or a busy one moves both.
namespace Floor {

// std::getline, one CR before the LF dropped, each line a QString from Latin-1.
QStringList readLines(const QString& path);
// QSaveFile: each line as Latin-1 and CR LF, then commit.
bool writeLines(const QString& path, const QStringList& lines);

// A form of 40 widgets (labels and line edits in two columns, two buttons), built and shown.
std::unique_ptr<QWidget> form();

// A plain undo stack for deletes: the row and the line taken out of the list.
struct Deleted
{
    int row = 0;
    QString line;
};
void deleteRow(QStringList& lines, QList<Deleted>& undo, int row);

} // namespace Floor
