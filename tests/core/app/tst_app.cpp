#include "CheckData.h"
#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "Version.h"
#include "base/ModGlobal.h"
#include "base/NumberTest.h"
#include "location/LocationWindowLogic.h"
#include "stand/StandWindowLogic.h"
#include "startup/StartFile.h"
#include "startup/StartupRecovery.h"
#include "tree/TreeWindowLogic.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <limits>

Q_DECLARE_METATYPE(FileKind)

using Answer = UserInterface::Answer;
// Shared values for configurations whose save check is not used.
const ModGlobal NoShared;

// The kind of a file, the file named at the start, the number test, twips, and the command line.
class TestApp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The file named on the command line: its path, its kind (by its extension, else by its
    // content) or why it cannot be opened.
    void startFile_data()
    {
        QTest::addColumn<QString>("argument");   // %1 is the working directory; empty: none given
        QTest::addColumn<QString>("file");       // the file it names, below the working directory
        QTest::addColumn<QByteArray>("content"); // null: the file is not written
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<QString>("problem"); // %1 is the file's full path
        QTest::addColumn<QString>("shared");  // the name its window shows, as given
        const QString notOurs =
            QStringLiteral("The file %1 is not a tree data file (.velk, .tre), a "
                           "Stand List File (.slf) or a Locations File (.loc).");
        const QByteArray none;
        // clang-format off
        QTest::newRow("none") << "" << "" << none << FileKind::None << "" << "";
        // A known extension wins over the content, letter case ignored.
        QTest::newRow("relative TRE") << "sub/../P.TRE" << "P.TRE" << QByteArray("A S1") << FileKind::Tree << "" << "sub/../P.TRE";
        QTest::newRow("Slf by file URL") << "file://%1/s.Slf" << "s.Slf" << QByteArray("") << FileKind::Stand << "" << "%1/s.Slf";
        // The content decides any other name.
        QTest::newRow("binary") << "a.png" << "a.png" << QByteArray("A \"\0", 4) << FileKind::None << notOurs << "";
        QTest::newRow("plain text") << "x.txt" << "x.txt" << QByteArray("Dear forester\n") << FileKind::None << notOurs << "";
        QTest::newRow("a quoted A line") << "x.txt" << "x.txt" << QByteArray("B G1 a.kcp\na \"Big Creek\" @ b.slf @ @\n") << FileKind::Locations << "" << "x.txt";
        QTest::newRow("first line A to D and a blank") << "x" << "x" << QByteArray("\nb\tS1 1999\nA S1 t.tre @ ie\nX stray\n") << FileKind::Stand << "" << "x";
        QTest::newRow("a plot number first") << "x.dat" << "x.dat" << QByteArray("   1  1     11DF  5.0\n\nA S1 t.tre @ ie\n") << FileKind::Tree << "" << "x.dat";
        QTest::newRow("missing") << "gone.slf" << "gone.slf" << none << FileKind::None << "The file %1 does not exist." << "";
        QTest::newRow("folder") << "sub" << "sub" << none << FileKind::None << "%1 is a folder, not a file." << "";
        // clang-format on
    }

    void startFile()
    {
        QFETCH(QString, argument);
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(FileKind, kind);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const QString full = file.isEmpty() ? QString() : dir.filePath(file);
        QVERIFY(content.isNull() || writeFile(full, content));

        const StartFile start = StartFile::named(
            QString(argument).replace(QStringLiteral("%1"), dir.path()), dir.path());
        QCOMPARE(start.kind(), kind);
        QCOMPARE(start.path(), full);
        QCOMPARE(start.problem(), problem.isEmpty() ? QString() : problem.arg(full));
        QFETCH(QString, shared);
        QCOMPARE(start.kind() == FileKind::None ? QString() : start.name(),
                 shared.replace(QStringLiteral("%1"), dir.path()));
    }

    void numberTest_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        // Leading blanks, a sign, digits with one point: nothing else, nothing after.
        const QList<std::pair<const char*, bool>> cases = {
            {"12", true},   {"1.5", true},    {".5", true},  {"5.", true},   {"-5", true},
            {"+5", true},   {"  5", true},    {"-.5", true}, {"5 ", false},  {"5-", false},
            {"- 5", false}, {"", false},      {".", false},  {"-", false},   {"1.2.3", false},
            {"1e5", false}, {"1,000", false}, {"$5", false}, {"5 5", false}, {"--5", false},
            {"5+", false},
        };
        for (const auto& [text, number] : cases)
            QTest::newRow(text) << QString::fromLatin1(text) << number;
    }

    void numberTest()
    {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QCOMPARE(readsAsNumber(text), number);
    }

    // Half to even, held within 16 bits, nothing for what is no number.
    void twips()
    {
        // clang-format off
        const std::pair<double, int> cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {6750.0 * 0.66, 4455}, {40000.0, 32767}, {-40000.0, -32768}, {std::numeric_limits<double>::quiet_NaN(), 0}};
        // clang-format on
        for (const auto& [twips, stored] : cases)
            QCOMPARE(int(ModGlobal::toTwips16(twips)), stored);
    }

    void findingsOfEachFile_data() { checkRows(); }
    void findingsOfEachFile() { checkFileOfRow(); }

    // No file of the check data goes untested.
    void everyCheckFileHasItsFindings()
    {
        const QString listed = QString::fromLatin1(readFile(CheckDataDir + "findings.txt"));
        for (const QString& file : QDir(CheckDataDir).entryList({"*.velk", "*.slf", "*.loc"}))
            QVERIFY2(listed.contains(u'\n' + file + u'|'), qPrintable(file));
    }

    // The command line run as the program it is, without a display.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments"); // {d} is the folder of the check data
        QTest::addColumn<QString>("redirect"); // <FILE standard input, >FILE output, or NAME=VALUE
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // a pattern the whole output matches
        QTest::addColumn<QString>("err");
        const QString finding =
            "{d}tree_unknown_species\\.velk:2: warning: Species \"DX\": [^\n]+\n";
        const QString version = QStringLiteral("sapwright %1\\.%2\\.%3\nCopyright \\(C\\) %1 The "
                                               "Sapwright developers\nLicense MIT: .*")
                                    .arg(Version::Major)
                                    .arg(Version::Minor)
                                    .arg(Version::Revision);
        const QString usage = "sapwright: %1\nUsage: sapwright \\[FILE\\]\n.*--help.*\n";
        const QString full =
            "sapwright: cannot write to standard output: No space left on device\n";
        using L = QStringList;
        // clang-format off
        QTest::newRow("clean files") << L{"--check", "{d}tree_clean.velk", "{d}stand_clean.slf", "{d}loc_clean.loc"} << "" << 0 << "" << "";
        QTest::newRow("a finding") << L{"--check", "--variant", "ie", "{d}tree_clean.velk", "{d}tree_unknown_species.velk"} << "" << 1 << finding << "";
        QTest::newRow("notes alone pass") << L{"--check", "{d}tree_note_comment.velk"} << "" << 0 << "{d}tree_note_comment\\.velk:2: note: [^\n]+\n" << "";
        QTest::newRow("options after the file") << L{"{d}tree_unknown_species.velk", "--variant=ie", "--check"} << "" << 1 << finding << "";
        QTest::newRow("unreadable beats findings") << L{"--check", "--variant", "ie", "{d}nothere.velk", "{d}tree_unknown_species.velk"} << "" << 2 << finding << ".*nothere\\.velk: cannot be read: .*";
        QTest::newRow("a file of no kind") << L{"--check", "{d}clean.kcp"} << "" << 2 << "" << ".*clean\\.kcp: not a tree data file.*";
        QTest::newRow("-- ends the options") << L{"--check", "--", "--variant"} << "" << 2 << "" << "sapwright: --variant: cannot be read: .*";
        QTest::newRow("standard input") << L{"--check", "--variant", "ie", "-"} << "<{d}tree_unknown_species.velk" << 1 << QString(finding).replace("{d}tree_unknown_species\\.velk", "-") << "";
        QTest::newRow("/dev/stdin, --kind") << L{"--check", "--kind", "stand", "/dev/stdin"} << "<{d}tree_clean.velk" << 1 << "/dev/stdin:1: error: a line of unknown type.*" << "";
        QTest::newRow("no file") << L{"--check"} << "" << 2 << "" << usage.arg("--check needs at least one FILE");
        QTest::newRow("unknown variant") << L{"--check", "--variant", "zz", "{d}tree_clean.velk"} << "" << 2 << "" << ".*'zz'.*";
        QTest::newRow("unknown option") << L{"{d}tree_clean.velk", "--bogus"} << "" << 2 << "" << usage.arg("unknown option '--bogus'");
        QTest::newRow("-v") << L{"-v"} << "" << 2 << "" << usage.arg("unknown option '-v'");
        QTest::newRow("a value to --check") << L{"--check={d}tree_clean.velk"} << "" << 2 << "" << usage.arg("unexpected value after '--check'");
        QTest::newRow("--variant without --check") << L{"{d}tree_clean.velk", "--variant", "ie"} << "" << 2 << "" << usage.arg("--variant goes with --check");
        QTest::newRow("windows without a display") << L{"{d}tree_clean.velk"} << "" << 1 << "" << "sapwright: no display [^\n]+\n";
        QTest::newRow("a display that is gone") << L{} << "DISPLAY=:5999" << 1 << "" << "sapwright: cannot open the display ':5999'\n";
        QTest::newRow("--help") << L{"--help"} << "" << 0 << "Usage: sapwright \\[FILE\\]\n.*--check \\[--variant CODE\\] \\[--kind KIND\\] FILE\\.\\.\\.\n.*-h, --help.*\n  --  .*Report bugs to: maintainers@sapwright\\.org\n" << "";
        QTest::newRow("--version") << L{"--version"} << "" << 0 << version << "";
        QTest::newRow("--help to a full disk") << L{"-h"} << ">/dev/full" << 2 << "" << full;
        QTest::newRow("--version to a full disk") << L{"--version"} << ">/dev/full" << 2 << "" << full;
        QTest::newRow("findings to a full disk") << L{"--check", "--variant", "ie", "{d}tree_unknown_species.velk"} << ">/dev/full" << 2 << "" << full;
        // clang-format on
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, redirect);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        arguments.replaceInStrings("{d}", CheckDataDir);
        QProcess process;
        // Any touch of the window system would fail here.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.insert("QT_QPA_PLATFORM", "xcb");
        if (redirect.contains('='))
            environment.insert(redirect.section('=', 0, 0), redirect.section('=', 1));
        process.setProcessEnvironment(environment);
        redirect.replace("{d}", CheckDataDir);
        if (redirect.startsWith('>'))
            process.setStandardOutputFile(redirect.mid(1));
        process.start(SAPWRIGHT_EXECUTABLE, arguments);
        // Standard input is a pipe, which knows its end only once it has been read.
        if (redirect.startsWith('<'))
            process.write(readFile(redirect.mid(1)));
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), status);
        for (auto [pattern, output] : {std::pair(out, process.readAllStandardOutput()),
                                       std::pair(err, process.readAllStandardError())}) {
            pattern.replace("{d}", QRegularExpression::escape(CheckDataDir));
            const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern),
                                           QRegularExpression::DotMatchesEverythingOption);
            QVERIFY2(whole.match(QString::fromUtf8(output)).hasMatch(), output.constData());
        }
    }

    // What programs that ended left in their journals, newest first: Discard drops one, Later
    // keeps one for the next start, Recover of a file changed since writes its records beside
    // it. `--recover-list` shows what is left.
    void recoveryAtStart()
    {
        QTemporaryDir dir;
        const QString state = dir.filePath("sapwright");
        RecordJournal::setFolder(state);
        ScriptedUserInterface ui;
        const QString tree = dir.filePath("t.tre"), stand = dir.filePath("s.slf");
        writeFile(tree, "1\r\n");
        writeFile(stand, "A x\r\n");
        // Each logic ends without its close handling, as a killed program does.
        for (const auto& [config, file, lines] :
             {std::tuple(TreeWindowLogic::fileConfig(NoShared), tree, QStringList{"2", "3"}),
              std::tuple(StandWindowLogic::fileConfig(), stand, QStringList{"A y"}),
              std::tuple(LocationWindowLogic::fileConfig(), dir.filePath("l.loc"),
                         QStringList{"A z"})}) {
            ModGlobal shared;
            RecordFileLogic logic(config, shared, ui);
            logic.open(file);
            for (const QString& line : lines)
                logic.process(line);
            QTest::qSleep(5);
        }
        writeFile(stand, "A w\r\n");
        // Power failed while the tree window's last operation was written.
        const QString treeJournal = state + u'/' + QDir(state).entryList({"tree-*"}).value(0);
        QVERIFY(QFile::resize(treeJournal, QFileInfo(treeJournal).size() - 3));
        writeFile(state + "/tree-1-0.journal", "damaged");
        ModGlobal shared;
        RecordFileLogic running(TreeWindowLogic::fileConfig(NoShared), shared,
                                ui); // never offered while it runs
        running.open(QString());
        running.process("4");

        ui.answers = {Answer::Discard, Answer::Recover, Answer::Ok, Answer::Later};
        QVERIFY(!StartupRecovery::ask(ui));
        QCOMPARE(ui.titles(), QStringList(5, "Recovery"));
        QVERIFY(ui.messages[0].text.contains("Location Data window") &&
                ui.messages[0].text.contains("other recovery journals"));
        QVERIFY(ui.messages[1].text.contains("to " + stand + ".recovered;"));
        QCOMPARE(readFile(stand + ".recovered"), "A y\r\n");
        QVERIFY(ui.messages[3].text.contains("File: " + tree + "\r\n") &&
                ui.messages[3].text.contains("Operations: 1 (one more was cut short"));
        QVERIFY(ui.messages[4].text.contains("tree-1-0.journal cannot be read"));

        QProcess list;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_STATE_HOME", dir.path());
        environment.remove("DISPLAY");
        list.setProcessEnvironment(environment);
        list.start(SAPWRIGHT_EXECUTABLE, {"--recover-list"});
        QVERIFY(list.waitForFinished(60000) && list.exitCode() == 0);
        const QRegularExpression listed("Tree Data\t" + QRegularExpression::escape(tree) +
                                        "\t\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\t1 operation "
                                        "\\(one more [^\n]+\n.*tree-1-0.journal: "
                                        "cannot be read: .*\n");
        QVERIFY2(listed.match(list.readAllStandardOutput()).hasMatch(), "--recover-list");
    }
};

QTEST_GUILESS_MAIN(TestApp)
#include "tst_app.moc"
