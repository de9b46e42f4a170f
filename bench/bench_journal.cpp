// What the recovery journal costs: the time an add takes with it and without it on a full tree
// data file (the sync to the disk is the cost), and how much the journal grows per operation on
// a full file and on a small one: only the changed lines are written, whatever the file's size.
#include "SilentUser.h"
#include "recordfile/DisplayList.h"
#include "recordfile/RecordFileIO.h"
#include "recordfile/RecordFileLogic.h"
#include "tree/TreeWindowLogic.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

const QString Line = QStringLiteral("   1999     11WF 12.0                          1 ");

// Adds, updates and deletes in turn on a file of that many records; the add's times in us.
std::vector<double> edit(const QString& file, int operations, QString* journal)
{
    SilentUser user;
    ModGlobal logicShared;
    RecordFileLogic logic(TreeWindowLogic::fileConfig(logicShared), logicShared, user);
    logic.open(file);
    std::vector<double> adds;
    for (int i = 0; i < operations / 3; ++i) {
        logic.select(logic.RecordCount() - 1);
        logic.deleteCurrent();
        logic.moveToEnd();
        QElapsedTimer timer;
        timer.start();
        logic.process(Line);
        adds.push_back(timer.nsecsElapsed() / 1e3);
        logic.select(logic.RecordCount() / 2);
        logic.process(Line);
    }
    *journal = logic.journalPath();
    return adds;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // In the user's journal folder, on the file system the journals live on.
    const QString state = RecordJournal::defaultFolder();
    QDir().mkpath(state);
    QTemporaryDir dir(state + QStringLiteral("/bench-XXXXXX"));
    const QString full = dir.filePath(QStringLiteral("full.tre"));
    const QString small = dir.filePath(QStringLiteral("small.tre"));
    const int records = DisplayList::MaxLines - 1;
    RecordFileIO::writeLines(full, QStringList(records, Line));
    RecordFileIO::writeLines(small, QStringList(10, Line));
    const int operations = 600;

    QString journal;
    const double without = median(edit(full, operations, &journal));
    RecordJournal::setFolder(dir.filePath(QStringLiteral("journals")));
    const double with = median(edit(full, operations, &journal));
    const qint64 fullBytes = QFileInfo(journal).size();
    edit(small, operations, &journal);
    const qint64 smallBytes = QFileInfo(journal).size();

    std::printf("journals written below %s\n", qPrintable(state));
    std::printf("add on a file of %d records (median of %d)\n", records, operations / 3);
    std::printf("  without the journal                %10.1f us\n", without);
    std::printf("  with the journal (synced)          %10.1f us   ratio %.0f\n", with,
                with / without);
    std::printf("journal after %d operations (add, update, delete)\n", operations);
    std::printf("  on %5d records (%7.0f KB file)   %7.1f KB, %5.0f bytes per operation\n", records,
                QFileInfo(full).size() / 1024.0, fullBytes / 1024.0,
                double(fullBytes) / operations);
    std::printf("  on %5d records (%7.1f KB file)   %7.1f KB, %5.0f bytes per operation\n", 10,
                QFileInfo(small).size() / 1024.0, smallBytes / 1024.0,
                double(smallBytes) / operations);
    return 0;
}
