// Load-and-show cost of a full tree data file against the bare cost of reading its lines
// and painting one screenful, the cost of single-record operations on a full list, undo and
// redo of a delete in its middle, and the memory 1,000 undo steps hold.
#include "SilentUser.h"
#include "app/DataWindow.h"
#include "base/ModGlobal.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "recordfile/DisplayList.h"
#include "recordfile/RecordFileBinding.h"
#include "recordfile/RecordFileIO.h"
#include "recordfile/RecordFileLogic.h"
#include "tree/TreeWindowLogic.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QStringListModel>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename F> double timeMs(F&& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    SilentUser user;
    UserInterfaceSwitch::installStandIn(&user);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.tre"));
    const int records = DisplayList::MaxLines - 1;
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        for (int i = 0; i < records; ++i)
            f.write(QStringLiteral("%1%2     11DF %3  3 85       5            1 \r\n")
                        .arg(i / 999 + 1, 4)
                        .arg(i % 999 + 1, 3)
                        .arg(QString::number(5 + i % 30) + QStringLiteral(".0"), 4)
                        .toLatin1());
    }

    const int runs = 7;
    std::vector<double> baseline, loadShow;
    for (int run = 0; run < runs; ++run) {
        // Bare cost: the lines into memory, and one screenful painted.
        QListView plain;
        RecordFileBinding::setDisplayFont(&plain, 9.75);
        plain.resize(457, 164);
        QStringListModel model;
        plain.setModel(&model);
        baseline.push_back(timeMs([&] {
            QStringList lines;
            RecordFileIO::readLines(path, &lines);
            model.setStringList(lines.mid(0, 12));
            plain.grab();
        }));

        modGlobal() = ModGlobal();
        WindowChain::resetForTests();
        auto* window = static_cast<DataWindow*>(WindowChain::show(WindowChain::Window::Tree));
        auto* list = window->findChild<QAbstractItemView*>(QStringLiteral("lstDisplay"));
        loadShow.push_back(timeMs([&] {
            window->logic().LoadFile(path);
            list->grab();
        }));
    }

    struct Costs
    {
        std::vector<double> add, update, remove, select, middle, undo, redo;
    };
    // One record below the limit so an add fits; then each operation in turn, n times.
    auto measure = [&](RecordFileLogic& logic) {
        Costs c;
        logic.select(0);
        logic.deleteCurrent();
        const QString line = QStringLiteral("   1999     11WF 12.0                          1 ");
        for (int i = 0; i < 200; ++i) {
            logic.moveToEnd();
            c.add.push_back(timeMs([&] { logic.process(line); }) * 1000);
            c.select.push_back(timeMs([&] { logic.select(records / 2 + i); }) * 1000);
            c.update.push_back(timeMs([&] { logic.process(line); }) * 1000);
            logic.select(logic.RecordCount() - 1);
            c.remove.push_back(timeMs([&] { logic.deleteCurrent(); }) * 1000);
            logic.select(records / 2 - i);
            c.middle.push_back(timeMs([&] { logic.deleteCurrent(); }) * 1000);
            c.undo.push_back(timeMs([&] { logic.undo(); }) * 1000);
            c.redo.push_back(timeMs([&] { logic.redo(); }) * 1000);
            logic.undo();
        }
        return c;
    };

    auto* window = static_cast<DataWindow*>(WindowChain::current());
    if (window->logic().RecordCount() != records) {
        std::fprintf(stderr, "load failed: %d records\n", int(window->logic().RecordCount()));
        return 1;
    }
    const Costs withView = measure(window->logic());
    ModGlobal headlessShared;
    RecordFileLogic headless(TreeWindowLogic::fileConfig(headlessShared), headlessShared, user);
    headless.LoadFile(path);
    const Costs logicOnly = measure(headless);

    // A full day's worth of deletes in the middle of a full list.
    ModGlobal deletingShared;
    RecordFileLogic deleting(TreeWindowLogic::fileConfig(deletingShared), deletingShared, user);
    deleting.LoadFile(path);
    for (int i = 0; i < UndoHistory::DefaultMaxSteps; ++i) {
        deleting.select(records / 2);
        deleting.deleteCurrent();
    }

    const double base = median(baseline);
    const double load = median(loadShow);
    std::printf("records                         %d\n", records);
    std::printf("read lines + paint one screen   %8.2f ms\n", base);
    std::printf("load + show (first paint)       %8.2f ms\n", load);
    std::printf("ratio                           %8.2f (target: about 2 or less)\n", load / base);
    std::printf("median per operation            logic only   with the list view\n");
    using Series = std::vector<double> Costs::*;
    const std::pair<const char*, Series> operations[] = {
        {"add", &Costs::add},
        {"update", &Costs::update},
        {"delete", &Costs::remove},
        {"select", &Costs::select},
        {"delete in the middle", &Costs::middle},
        {"  its undo", &Costs::undo},
        {"  its redo", &Costs::redo},
    };
    for (const auto& [name, series] : operations)
        std::printf("%-30s  %8.1f us   %8.1f us\n", name, median(logicOnly.*series),
                    median(withView.*series));
    std::printf("undo history of %d deletes   %8.1f KB (lines and fields kept, headers counted)\n",
                deleting.history().stepCount(), deleting.history().bytesHeld() / 1024.0);
    WindowChain::resetForTests();
    return 0;
}
