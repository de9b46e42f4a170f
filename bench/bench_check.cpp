// The check of a full tree data file against loading it, side by side: the check runs before
// every save, so it must stay well under the time the file took to load.
#include "SilentUser.h"
#include "startup/FileCheck.h"
#include "base/UserInterface.h"
#include "recordfile/DisplayList.h"
#include "recordfile/RecordFileIO.h"
#include "recordfile/RecordFileLogic.h"
#include "tree/TreeWindowLogic.h"
#include "species/VariantList.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template <typename F> double medianMs(F&& f)
{
    std::vector<double> times;
    for (int run = 0; run < 9; ++run) {
        QElapsedTimer t;
        t.start();
        f();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.tre"));
    const int records = DisplayList::MaxLines - 1;
    {
        // Every record filled in, every tree ID different (three-digit tree numbers, so no two
        // plot and tree numbers read as one): the check has all of it to read.
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        for (int i = 0; i < records; ++i)
            f.write(QStringLiteral("%1%2   2.51DF %3  3 85  2  12525 3 4 2 1 111")
                        .arg(i / 900 + 1, 4)
                        .arg(i % 900 + 100, 3)
                        .arg(QString::number(5 + i % 30) + QStringLiteral(".0"), 4)
                        .toLatin1()
                        .append("\r\n"));
    }

    SilentUser user;
    const double load = medianMs([&] {
        ModGlobal logicShared;
        RecordFileLogic logic(TreeWindowLogic::fileConfig(logicShared), logicShared, user);
        logic.LoadFile(path);
    });
    QStringList lines;
    RecordFileIO::readLines(path, &lines);
    const int variant = VariantList::positionOf(u"ie");
    qsizetype findings = -1;
    const double check = medianMs([&] {
        findings = FileCheck::check(FileCheck::FileKind::Tree, lines, path, variant).size();
    });
    const double command = medianMs([&] {
        QStringList read;
        RecordFileIO::readLines(path, &read);
        FileCheck::check(FileCheck::FileKind::Tree, read, path, variant);
    });

    std::printf("records                          %d (findings: %lld)\n", records,
                static_cast<long long>(findings));
    std::printf("load into the tree window logic  %8.2f ms\n", load);
    std::printf("check before a save              %8.2f ms\n", check);
    std::printf("ratio                            %8.2f (target: at most 0.25)\n", check / load);
    std::printf("sapwright --check (read, check)  %8.2f ms\n", command);
    return findings == 0 ? 0 : 1;
}
