#include "Play.h"
#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/DataWindow.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "base/ModGlobal.h"
#include "recordfile/RecordFileLogic.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>

namespace {

// The program's part, in a process of its own: with "write", the window opens on the file, the
// operations are made, what a Save would write goes beside the file, and it waits to be killed;
// with "recover", it starts as after the splash, answers Recover and saves.
int child(const QStringList& arguments)
{
    const QString mode = arguments.value(0), state = arguments.value(1);
    RecordJournal::setFolder(state);
    ScriptedUserInterface ui;
    UserInterfaceSwitch::installStandIn(&ui);
    if (mode == QStringLiteral("recover")) {
        WindowChain::showFirst();
        auto* window = static_cast<DataWindow*>(WindowChain::current());
        window->logic().save();
        std::printf("%s\n", qPrintable(ui.titles().join(u',')));
        return window->logic().HasUnsavedChanges();
    }
    const auto kind = WindowChain::Window(arguments.value(2).toInt());
    const QString file = arguments.value(3);
    modGlobal().TreeFileName = modGlobal().StandListFileName = modGlobal().LocationsFileName = file;
    auto* window = static_cast<DataWindow*>(WindowChain::show(kind));
    RecordFileLogic& logic = window->logic();
    play(logic, arguments.value(4));
    RecordFileIO::writeLines(file + QStringLiteral(".expected"),
                             logic.display().lines().mid(0, logic.RecordCount()));
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}

} // namespace

// Killed at a point the test chooses, started again, Recover and Save: the file is what a Save
// before the kill would have written.
class TestRecovery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedAndRecovered_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("script");
        using W = WindowChain::Window;
        // clang-format off
        QTest::newRow("tree") << int(W::Tree) << "k.tre"
            << QByteArray("   1  1     11DF  5.0\r\n\r\n   1  2     11WF  7.5\r\n")
            << "f1=2 f2=7 f5=df f6=5 p s0 d s1 f5=WF p u r c u f6=9 p";
        QTest::newRow("stand sets") << int(W::Stand) << "k.slf"
            << QByteArray("A S1 t.tre @ xa \r\nB S1 1999\r\nC S1 g1\r\nA S2 t.tre @ xa \r\nB S2 2001\r\n")
            << "f1=S4 f31=xa,xb f30=t.tre f2=1999 p s4 f32=g2 p s1 d u r";
        QTest::newRow("location") << int(W::Location) << "k.loc"
            << QByteArray("A \"Big Creek\" @ b.slf @ @\r\nB G1 a.kcp\r\n")
            << "kA f2=n.slf f0=Say p s0 kB f3=G2 f4=b.kcp p s1 d c u";
        // clang-format on
    }

    void killedAndRecovered()
    {
        QFETCH(int, window);
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, script);
        QTemporaryDir dir;
        const QString file = dir.filePath(name), state = dir.filePath("state");
        writeFile(file, content);
        QProcess writer;
        writer.start(QCoreApplication::applicationFilePath(),
                     {"--child", "write", state, QString::number(window), file, script});
        QVERIFY(writer.waitForReadyRead(60000));
        QCOMPARE(writer.readAllStandardOutput(), "ready\n");
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished(60000));
        QCOMPARE(readFile(file), content);

        QProcess recoverer;
        recoverer.start(QCoreApplication::applicationFilePath(), {"--child", "recover", state});
        QVERIFY(recoverer.waitForFinished(60000));
        QCOMPARE(recoverer.exitCode(), 0);
        QVERIFY(recoverer.readAllStandardOutput().startsWith("Recovery,"));
        QCOMPARE(readFile(file), readFile(file + ".expected"));
        QVERIFY(readFile(file) != content);
        QCOMPARE(QDir(state).entryList(QDir::Files), QStringList());
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "--child")
        return child(QApplication::arguments().mid(2));
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
