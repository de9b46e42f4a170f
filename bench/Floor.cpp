#include "Floor.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>

#include <fstream>
#include <string>

namespace Floor {

QStringList readLines(const QString& path)
{
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    QStringList lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.append(QString::fromLatin1(line.data(), qsizetype(line.size())));
    }
    return lines;
}

bool writeLines(const QString& path, const QStringList& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray buffer;
    for (const QString& line : lines) {
        buffer += line.toLatin1();
        buffer += "\r\n";
    }
    file.write(buffer);
    return file.commit();
}

std::unique_ptr<QWidget> form()
{
    auto window = std::make_unique<QWidget>();
    auto* grid = new QGridLayout(window.get());
    for (int row = 0; row < 19; ++row) {
        grid->addWidget(new QLabel(QStringLiteral("Field %1").arg(row + 1)), row, 0);
        grid->addWidget(new QLineEdit(), row, 1);
    }
    grid->addWidget(new QPushButton(QStringLiteral("&Add Record")), 19, 0);
    grid->addWidget(new QPushButton(QStringLiteral("&Save")), 19, 1);
    window->show();
    return window;
}

void deleteRow(QStringList& lines, QList<Deleted>& undo, int row)
{
    undo.append({row, lines.takeAt(row)});
}

} // namespace Floor
