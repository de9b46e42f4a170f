// The program against the toolkit's floor (Floor.h, FloorList.h), each measure as a ratio
// program ÷ floor, both timed in the same run: 11 rounds, the program and the floor in turn (the
// one that goes first changes every round), the median of the rounds' ratios. A busy machine
// slows both; a regression shows as a ratio.
#include "BenchFiles.h"
#include "Floor.h"
#include "FloorList.h"
#include "SilentUser.h"
#include "app/DataWindow.h"
#include "app/FitCaption.h"
#include "app/FrmSplash.h"
#include "app/PanelCacheStyle.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "base/ModGlobal.h"
#include "location/LocationWindowLogic.h"
#include "recordfile/RecordFileBinding.h"
#include "recordfile/RecordFileLogic.h"
#include "recordfile/RecordListView.h"
#include "stand/StandWindowLogic.h"
#include "tree/TreeWindowLogic.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

constexpr int Rounds = 11;
constexpr int Batch = 10; // of the operations that take microseconds

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
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

// Every delayed layout and paint done.
void settle()
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
}

// One measure: the program's time and the floor's, round by round.
struct Pair
{
    std::vector<double> program;
    std::vector<double> floor;

    // Each side three times in turn, the one first that was second in the round before; the
    // quickest of each, since whatever else runs on the machine only ever adds time.
    template <typename P, typename F> void take(int round, P&& programRun, F&& floorRun)
    {
        double programBest = 1e300, floorBest = 1e300;
        for (int run = 0; run < 3; ++run) {
            if ((round + run) % 2) {
                floorBest = std::min(floorBest, double(floorRun()));
                programBest = std::min(programBest, double(programRun()));
            } else {
                programBest = std::min(programBest, double(programRun()));
                floorBest = std::min(floorBest, double(floorRun()));
            }
        }
        program.push_back(programBest);
        floor.push_back(floorBest);
    }
    double ratio() const
    {
        std::vector<double> ratios;
        for (size_t i = 0; i < std::min(program.size(), floor.size()); ++i)
            ratios.push_back(floor[i] > 0 ? program[i] / floor[i] : 0);
        return median(ratios);
    }
};

enum class Kind
{
    Tree,
    Stand,
    Location
};
constexpr Kind Kinds[] = {Kind::Tree, Kind::Stand, Kind::Location};

RecordFileConfig configOf(Kind kind)
{
    switch (kind) {
    case Kind::Tree:
        return TreeWindowLogic::fileConfig(modGlobal());
    case Kind::Stand:
        return StandWindowLogic::fileConfig();
    default:
        return LocationWindowLogic::fileConfig();
    }
}

WindowChain::Window windowOf(Kind kind)
{
    switch (kind) {
    case Kind::Tree:
        return WindowChain::Window::Tree;
    case Kind::Stand:
        return WindowChain::Window::Stand;
    default:
        return WindowChain::Window::Location;
    }
}

// A record in the middle of a full file (the first line of a stand, an A line of a location),
// and a line of the window's kind to add and replace with.
int middleOf(Kind kind)
{
    const int middle = BenchFiles::Records / 2;
    return kind == Kind::Stand ? middle / 4 * 4 : middle / 2 * 2;
}

QString lineOf(Kind kind)
{
    switch (kind) {
    case Kind::Tree:
        return QStringLiteral("   1999     11WF 12.0                          1 ");
    case Kind::Stand:
        return QStringLiteral("A S99999 t1.tre @ ie");
    default:
        return QStringLiteral("A \"Changed\" @ s1.slf @ @");
    }
}

QAbstractItemView* listOf(DataWindow* window)
{
    const auto views = window->findChildren<QAbstractItemView*>();
    for (QAbstractItemView* view : views) {
        if (view->model() == &window->logic().display())
            return view;
    }
    qFatal("no display list");
}

// Grows the window until its display list's viewport is width x height.
void sizeList(DataWindow* window, int width, int height)
{
    QAbstractItemView* list = listOf(window);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QSize viewport = list->viewport()->size();
        if (viewport == QSize(width, height))
            return;
        window->resize(window->size() + QSize(width, height) - viewport);
        settle();
    }
}

// The single operations, each with its repaint, timed on the program's record file logic and
// on the floor's list alike (the same names): a step down the list, an add at the slot, a
// replace and a delete in the middle, each `Batch` times and taken back untimed.
struct Operations
{
    Pair select, add, update, remove;
    Pair otherKind; // a select that moves to a record of the other kind
};

template <typename Side, typename Prepare, typename Operate>
double averageMs(Side& side, Prepare&& prepare, Operate&& operate, bool takeBack)
{
    double total = 0;
    for (int i = 0; i < Batch; ++i) {
        prepare(side, i);
        settle();
        total += timeMs([&] {
            operate(side, i);
            settle();
        });
        if (takeBack) {
            side.undo();
            settle();
        }
    }
    return total / Batch;
}

template <typename Program>
// `step`: the distance from one record to the next of its kind. The location window's file
// holds A and B records in turn; moving between them enables the other half of the window, a
// select of its own, timed apart.
void timeOperations(int round, Program& program, FloorList& floor, int middle, const QString& line,
                    Operations& pairs, int step = 1)
{
    const auto each = [&](Pair& pair, auto&& prepare, auto&& operate, bool takeBack) {
        pair.take(
            round, [&] { return averageMs(program, prepare, operate, takeBack); },
            [&] { return averageMs(floor, prepare, operate, takeBack); });
    };
    each(
        pairs.select, [&](auto& side, int i) { side.select(middle + 2 * step * i); },
        [&](auto& side, int i) { side.select(middle + 2 * step * i + step); }, false);
    if (step > 1) {
        each(
            pairs.otherKind, [&](auto& side, int i) { side.select(middle + 2 * i); },
            [&](auto& side, int i) { side.select(middle + 2 * i + 1); }, false);
    }
    each(
        pairs.add, [](auto& side, int) { side.moveToEnd(); },
        [&](auto& side, int) { side.process(line); }, true);
    each(
        pairs.update, [&](auto& side, int) { side.select(middle); },
        [&](auto& side, int) { side.process(line); }, true);
    each(
        pairs.remove, [&](auto& side, int) { side.select(middle); },
        [](auto& side, int) { side.deleteCurrent(); }, true);
}

// Wall time of a process run to its end, its output dropped.
double runProcess(const QStringList& arguments)
{
    std::vector<QByteArray> bytes;
    for (const QString& argument : arguments)
        bytes.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    int status = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0 ||
        waitpid(pid, &status, 0) != pid)
        qFatal("cannot run %s", argv[0]);
    const double ms = t.nsecsElapsed() / 1e6;
    posix_spawn_file_actions_destroy(&actions);
    return ms;
}

std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void sendKey(QWidget* to, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(to, &release);
}

// A child run for the peak memory: the tree window with a full file, or the floor's list and
// form with the same lines. Prints the peak resident size in KB.
int peakMemory(const QString& which, const QString& file, int argc, char* argv[])
{
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    SilentUser user;
    UserInterfaceSwitch::installStandIn(&user);
    std::unique_ptr<FloorList> list;
    std::unique_ptr<QWidget> form;
    if (which == QStringLiteral("program")) {
        auto* window = static_cast<DataWindow*>(WindowChain::show(WindowChain::Window::Tree));
        sizeList(window, 900, 700);
        window->logic().LoadFile(file);
    } else {
        form = Floor::form();
        list = std::make_unique<FloorList>(900, 700);
        list->setLines(Floor::readLines(file));
    }
    settle();
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    WindowChain::resetForTests();
    return 0;
}

// A child run for the start-up, ended as soon as its window is painted: what the program's
// main does up to the first paint of the splash, or of the tree window when a key passes the
// splash at once; or the floor's form in a plain program.
int startUp(const QString& which, int argc, char* argv[])
{
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    SilentUser user;
    UserInterfaceSwitch::installStandIn(&user);
    std::unique_ptr<QWidget> shown;
    if (which == QStringLiteral("form")) {
        shown = Floor::form();
    } else {
        applyDesignFont();
        PanelCacheStyle::install();
        auto* splash = new FrmSplash();
        splash->show();
        settle();
        // A key at once: the splash goes and the tree window comes.
        if (which == QStringLiteral("tree"))
            splash->CloseSplash();
    }
    settle();
    // Painted: what comes after is not start-up.
    std::_Exit(0);
}

double childPeak(const QString& which, const QString& file)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--peak-memory"), which, file});
    child.waitForFinished(-1);
    return child.readAllStandardOutput().trimmed().toDouble();
}

struct Row
{
    const char* name;
    std::vector<const Pair*> pairs;
    double goal; // the ratio may be at most this; 0: no goal, shown for what it tells
    const char* floor;
};

QString joined(const std::vector<const Pair*>& pairs, double (*value)(const Pair&),
               const char* format)
{
    QStringList parts;
    for (const Pair* pair : pairs)
        parts.append(QString::asprintf(format, value(*pair)));
    return parts.join(QStringLiteral(" / "));
}

void print(const Row& row)
{
    bool pass = true;
    for (const Pair* pair : row.pairs)
        pass = pass && pair->ratio() <= row.goal;
    const QString ratios = joined(
        row.pairs, [](const Pair& p) { return p.ratio(); }, "%.2f");
    const QString floors = joined(
        row.pairs, [](const Pair& p) { return median(p.floor); }, "%.3g");
    const QString goal = row.goal > 0 ? QString::asprintf("<= %.2f", row.goal) : QString();
    std::printf("%-56s %-21s %-8s %-4s  %s: %s\n", row.name, qPrintable(ratios), qPrintable(goal),
                row.goal > 0 ? (pass ? "PASS" : "MISS") : "", row.floor, qPrintable(floors));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--start-up") == 0)
        return startUp(QString::fromLocal8Bit(argv[2]), 1, argv);
    if (argc == 4 && qstrcmp(argv[1], "--peak-memory") == 0)
        return peakMemory(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), 1,
                          argv);

    // A warm heap for both sides: memory freed in one round is not given back to the system and
    // faulted in again in the next, which would time the kernel's page faults, not the code.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    QApplication app(argc, argv);
    // The font and style the program sets up at its start.
    applyDesignFont();
    PanelCacheStyle::install();
    // The offscreen platform's remarks on what it cannot do would run through the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    SilentUser user;
    UserInterfaceSwitch::installStandIn(&user);
    QTemporaryDir dir;
    const BenchFiles::Set files = BenchFiles::write(dir.path());
    const QString fileOf[] = {files.tree, files.stand, files.location};
    const QString out = dir.filePath(QStringLiteral("out"));
    const QString floorOut = dir.filePath(QStringLiteral("floor-out"));

    // The windows, each with its list at 900 x 700; an empty tree window besides, for typing;
    // the floor's list of the same size.
    modGlobal() = ModGlobal();
    DataWindow* windows[3];
    for (Kind kind : Kinds) {
        windows[int(kind)] = static_cast<DataWindow*>(WindowChain::show(windowOf(kind)));
        sizeList(windows[int(kind)], 900, 700);
    }
    auto* emptyTree = static_cast<DataWindow*>(WindowChain::show(WindowChain::Window::Tree));
    FloorList floorList(900, 700);

    // The list alone, without a window's fields: the program's view on a record file logic.
    RecordFileLogic listLogic(configOf(Kind::Tree), modGlobal(), user);
    RecordListView listView;
    RecordFileBinding::setDisplayFont(&listView, 9.75);
    listView.setModel(&listLogic.display());
    listView.show();
    listView.resize(listView.size() + QSize(900, 700) - listView.viewport()->size());
    QObject::connect(&listLogic, &RecordFileLogic::selectionChanged, [&](int index) {
        const QModelIndex row = listLogic.display().index(index);
        listView.selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
        listView.scrollTo(row);
    });
    listLogic.LoadFile(files.tree);
    listLogic.select(listLogic.RecordCount() - 1);
    listLogic.deleteCurrent(); // so an add fits

    // Headless logic for saving and loading; the floor's lines of each file, and what it read
    // last, freed by its next read as a load frees the display it replaces.
    std::vector<std::unique_ptr<RecordFileLogic>> savers, loaders;
    QStringList floorLines[3], floorRead[3];
    for (Kind kind : Kinds) {
        savers.push_back(std::make_unique<RecordFileLogic>(configOf(kind), modGlobal(), user));
        savers.back()->LoadFile(fileOf[int(kind)]);
        savers.back()->SaveFile(out); // warm: the overwrite question is behind
        loaders.push_back(std::make_unique<RecordFileLogic>(configOf(kind), modGlobal(), user));
        floorLines[int(kind)] = Floor::readLines(fileOf[int(kind)]);
    }

    Pair save[3], check[3], checkLoad[3], load[3], paint[3], command[3], startUpProcess, splash,
        windowBuilt, deletes, keystroke, freeze;
    Operations operations[3], listAlone;
    double freezeTotal = 0;

    for (int round = 0; round < Rounds; ++round) {
        std::fprintf(stderr, "\rround %d of %d", round + 1, Rounds);
        for (Kind kind : Kinds) {
            const int k = int(kind);
            const QString& file = fileOf[k];
            RecordFileLogic& saver = *savers[k];
            save[k].take(
                round, [&] { return timeMs([&] { saver.SaveFile(out); }); },
                [&] { return timeMs([&] { Floor::writeLines(floorOut, floorLines[k]); }); });
            const QStringList records = saver.display().lines().mid(0, saver.RecordCount());
            check[k].program.push_back(
                timeMs([&] { saver.config().saveCheck(records, dir.path()); }));
            check[k].floor.push_back(save[k].floor.back());

            load[k].take(
                round, [&] { return timeMs([&] { loaders[k]->LoadFile(file); }); },
                [&] { return timeMs([&] { floorRead[k] = Floor::readLines(file); }); });

            // From the window as a load leaves it: at the new-record slot.
            RecordFileLogic& logic = windows[k]->logic();
            logic.moveToEnd();
            floorList.moveToEnd();
            settle();
            paint[k].take(
                round,
                [&] {
                    return timeMs([&] {
                        logic.LoadFile(file);
                        settle();
                    });
                },
                [&] {
                    return timeMs([&] {
                        floorList.setLines(Floor::readLines(file));
                        settle();
                    });
                });

            // The check against the program's own load of the file, as the window shows it.
            checkLoad[k].take(
                round,
                [&] { return timeMs([&] { saver.config().saveCheck(records, dir.path()); }); },
                [&] {
                    return timeMs([&] {
                        logic.LoadFile(file);
                        settle();
                    });
                });

            logic.select(logic.RecordCount() - 1);
            logic.deleteCurrent(); // so an add fits
            timeOperations(round, logic, floorList, middleOf(kind), lineOf(kind), operations[k],
                           kind == Kind::Location ? 2 : 1);

            command[k].take(
                round,
                [&] {
                    return runProcess(
                        {QStringLiteral(SAPWRIGHT_PROGRAM), QStringLiteral("--check"), file});
                },
                [&] { return timeMs([&] { floorRead[k] = Floor::readLines(file); }); });
        }
        floorList.setLines(floorLines[int(Kind::Tree)]);
        timeOperations(round, listLogic, floorList, middleOf(Kind::Tree), lineOf(Kind::Tree),
                       listAlone);

        // Start-up: a process to the tree window painted, and to the splash, against one to a
        // form; and the tree window alone, built in this running program.
        const auto started = [](const char* which) {
            return runProcess({QCoreApplication::applicationFilePath(),
                               QStringLiteral("--start-up"), QString::fromLatin1(which)});
        };
        startUpProcess.take(
            round, [&] { return started("tree"); }, [&] { return started("form"); });
        splash.take(
            round, [&] { return started("splash"); }, [&] { return started("form"); });
        windowBuilt.take(
            round,
            [&] {
                QWidget* window = nullptr;
                const double ms = timeMs([&] {
                    window = WindowChain::show(WindowChain::Window::Tree);
                    settle();
                });
                delete window;
                return ms;
            },
            [] {
                std::unique_ptr<QWidget> shown;
                return timeMs([&] {
                    shown = Floor::form();
                    settle();
                });
            });

        // 1,000 deletes in a row in the middle of a full tree data file, per step.
        const int steps = UndoHistory::DefaultMaxSteps;
        deletes.take(
            round,
            [&] {
                RecordFileLogic& logic = *loaders[int(Kind::Tree)];
                logic.LoadFile(files.tree);
                return timeMs([&] {
                           for (int i = 0; i < steps; ++i) {
                               logic.select(middleOf(Kind::Tree));
                               logic.deleteCurrent();
                           }
                       }) *
                       1000 / steps;
            },
            [&] {
                QStringList lines = floorLines[int(Kind::Tree)];
                lines.detach();
                QList<Floor::Deleted> undo;
                return timeMs([&] {
                           for (int i = 0; i < steps; ++i)
                               Floor::deleteRow(lines, undo, middleOf(Kind::Tree));
                       }) *
                       1000 / steps;
            });

        // A keystroke in a number field with the full list, against the empty window.
        const auto typing = [&](DataWindow* window) {
            window->logic().moveToEnd();
            settle();
            auto* field = window->findChild<QLineEdit*>(QStringLiteral("txtTreeData_1"));
            // Both windows alike: active, the field empty and with the focus, as while typing.
            window->activateWindow();
            field->setFocus(Qt::OtherFocusReason);
            field->clear();
            settle();
            return timeMs([&] {
                       for (int i = 0; i < Batch; ++i) {
                           sendKey(field, Qt::Key_7, QStringLiteral("7"));
                           settle();
                           sendKey(field, Qt::Key_Backspace, QString());
                           settle();
                       }
                   }) /
                   (2 * Batch);
        };
        keystroke.take(
            round, [&] { return typing(windows[int(Kind::Tree)]); },
            [&] { return typing(emptyTree); });

        // Selecting the stand with a grouping code of 150,000 characters, against the 100 ms a
        // user does not notice; while it takes seconds, fewer rounds.
        if (freezeTotal < 5000) {
            RecordFileLogic& stand = windows[int(Kind::Stand)]->logic();
            stand.LoadFile(files.groups);
            stand.select(0);
            settle();
            const double ms = timeMs([&] {
                stand.select(files.groupsSet);
                settle();
            });
            freeze.program.push_back(ms);
            freeze.floor.push_back(100);
            freezeTotal += ms;
        }
    }
    std::fprintf(stderr, "\n");

    // The heap 1,000 deletes keep for their undo, per step, against a plain undo stack.
    Pair heap;
    {
        RecordFileLogic& logic = *loaders[int(Kind::Tree)];
        logic.LoadFile(files.tree);
        const std::size_t before = heapInUse();
        for (int i = 0; i < UndoHistory::DefaultMaxSteps; ++i) {
            logic.select(middleOf(Kind::Tree));
            logic.deleteCurrent();
        }
        heap.program.push_back(double(heapInUse() - before) / UndoHistory::DefaultMaxSteps);
        QStringList lines = floorLines[int(Kind::Tree)];
        lines.detach();
        QList<Floor::Deleted> undo;
        const std::size_t floorBefore = heapInUse();
        for (int i = 0; i < UndoHistory::DefaultMaxSteps; ++i)
            Floor::deleteRow(lines, undo, middleOf(Kind::Tree));
        heap.floor.push_back(double(heapInUse() - floorBefore) / UndoHistory::DefaultMaxSteps);
    }
    Pair peak;
    for (int run = 0; run < 3; ++run) {
        peak.program.push_back(childPeak(QStringLiteral("program"), files.tree));
        peak.floor.push_back(childPeak(QStringLiteral("floor"), files.tree));
    }

    const auto all = [](const Pair(&pairs)[3]) {
        return std::vector<const Pair*>{&pairs[0], &pairs[1], &pairs[2]};
    };
    const auto each = [&](Pair Operations::*pair) {
        return std::vector<const Pair*>{&(operations[0].*pair), &(operations[1].*pair),
                                        &(operations[2].*pair)};
    };
    std::printf("Sapwright against the toolkit's floor: program / floor, median of %d "
                "interleaved rounds;\nfull files of %d records; three figures: tree / stand / "
                "location window\n\n",
                Rounds, BenchFiles::Records);
    std::printf("%-56s %-21s %-8s %-4s  %s\n", "measure", "ratio", "goal", "", "floor");
    const Row rows[] = {
        {"Save (warm)", all(save), 1.25, "QSaveFile write, ms"},
        {"  the check before saving alone", all(check), 0, "the same write, ms"},
        {"LoadFile alone", all(load), 1.0, "getline read, ms"},
        {"the check of a full file vs its load", all(checkLoad), 0.25, "load + first paint, ms"},
        {"load + first paint, list at 900 x 700", all(paint), 0.6, "getline + QListView, ms"},
        {"select with repaint, list at 900 x 700", each(&Operations::select), 0.6, "QListView, ms"},
        {"  the same, location A record to B record",
         {&operations[2].otherKind},
         0,
         "QListView, ms"},
        {"add with repaint", each(&Operations::add), 0.6, "QListView, ms"},
        {"update with repaint", each(&Operations::update), 0.6, "QListView, ms"},
        {"delete with repaint", each(&Operations::remove), 0.6, "QListView, ms"},
        {"the list alone (tree): select / add / update / delete",
         {&listAlone.select, &listAlone.add, &listAlone.update, &listAlone.remove},
         0.6,
         "QListView, ms"},
        {"sapwright --check (process) vs the file's load", all(command), 0.5, "getline read, ms"},
        {"start-up: a process to the tree window painted",
         {&startUpProcess},
         1.0,
         "a process to a 40-widget form, ms"},
        {"  the same, to the splash painted", {&splash}, 0, "a process to a 40-widget form, ms"},
        {"  the tree window alone, built in a running program",
         {&windowBuilt},
         0,
         "40-widget form, ms"},
        {"undo: heap per step of 1,000 deletes", {&heap}, 2.0, "plain undo stack, bytes"},
        {"undo: 1,000 deletes in a row, per step", {&deletes}, 1.0, "list and stack, us"},
        {"selecting a stand of a 150,000-character grouping code", {&freeze}, 1.0, "a moment, ms"},
        {"peak RSS with the full list (tree)", {&peak}, 1.05, "list and form, KB"},
        {"keystroke in a field, full list vs empty (tree)", {&keystroke}, 1.1, "empty list, ms"},
    };
    for (const Row& row : rows)
        print(row);

    for (DataWindow* window : windows)
        delete window;
    delete emptyTree;
    WindowChain::resetForTests();
    return 0;
}
