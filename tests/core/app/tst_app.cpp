#include "CheckData.h"
#include "TestFiles.h"
#include "Version.h"
#include "app/ModGlobal.h"
#include "app/NumberTest.h"
#include "app/StartFile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <limits>

Q_DECLARE_METATYPE(FileKind)

// The kind of a file, the file named at the start, the number test, twips, and the check command.
class TestApp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void kindOf_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<FileKind>("kind");

        const QStringList standLines = {"", "b\tS1 1999", "A S1 t.tre @ ie", "X stray"};
        const QStringList locLines = {"B G1 a.kcp", "a \"Big Creek\" @ b.slf @ @"};
        const QStringList treeLines = {"   1  1     11DF  5.0", ""};
        // clang-format off
        QTest::newRow("extension beats content") << "x.TRE" << standLines << FileKind::Tree;
        QTest::newRow(".Slf") << "x.Slf" << treeLines << FileKind::Stand;
        QTest::newRow(".loc") << "x.loc" << QStringList() << FileKind::Locations;
        QTest::newRow("a quoted A line") << "x.txt" << locLines << FileKind::Locations;
        QTest::newRow("first line A to D and a blank") << "x" << standLines << FileKind::Stand;
        QTest::newRow("plot number") << "x.dat" << treeLines + standLines << FileKind::Tree;
        QTest::newRow("plain text") << "x.txt" << QStringList{"Dear forester"} << FileKind::None;
        QTest::newRow("letter E") << "x" << QStringList{"E 1 2"} << FileKind::None;
        QTest::newRow("NUL") << "x" << QStringList{"A S1", QString(QChar(0))} << FileKind::None;
        QTest::newRow("no lines") << "x" << QStringList{""} << FileKind::None;
        // clang-format on
    }

    void kindOf()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, lines);
        QFETCH(FileKind, kind);
        QCOMPARE(fileKindOf(name, lines), kind);
    }

    // The file named on the command line: its path, its kind or why it cannot be opened.
    void fromArguments_data()
    {
        QTest::addColumn<QString>("argument");   // %1 is the working directory; empty: none given
        QTest::addColumn<QString>("file");       // the file it names, below the working directory
        QTest::addColumn<QByteArray>("content"); // null: the file is not written
        QTest::addColumn<FileKind>("kind");
        QTest::addColumn<QString>("problem"); // %1 is the file's full path
        const QString notOurs =
            QStringLiteral("The file %1 is not a tree data file (.velk, .tre), a "
                           "Stand List File (.slf) or a Locations File (.loc).");
        const QByteArray none;
        // clang-format off
        QTest::newRow("none") << "" << "" << none << FileKind::None << "";
        // A known extension wins over the content, letter case ignored.
        QTest::newRow("relative TRE") << "sub/../P.TRE" << "P.TRE" << QByteArray("A S1") << FileKind::Tree << "";
        QTest::newRow("Slf by file URL") << "file://%1/s.Slf" << "s.Slf" << QByteArray("") << FileKind::Stand << "";
        // The content decides any other name.
        QTest::newRow("binary") << "a.png" << "a.png" << QByteArray("A \"\0", 4) << FileKind::None << notOurs;
        QTest::newRow("missing") << "gone.slf" << "gone.slf" << none << FileKind::None << "The file %1 does not exist.";
        QTest::newRow("folder") << "sub" << "sub" << none << FileKind::None << "%1 is a folder, not a file.";
        // clang-format on
    }

    void fromArguments()
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

        // Only the first file counts.
        QStringList arguments{QStringLiteral("sapwright")};
        if (!argument.isEmpty())
            arguments << QString(argument).replace(QStringLiteral("%1"), dir.path())
                      << QStringLiteral("other.tre");
        const StartFile start = StartFile::fromArguments(arguments, dir.path());
        QCOMPARE(start.kind(), kind);
        QCOMPARE(start.path(), full);
        QCOMPARE(start.problem(), problem.isEmpty() ? QString() : problem.arg(full));
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

    void twips_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("stored");
        QTest::newRow("half to even down") << 2.5 << 2;
        QTest::newRow("half to even up") << 3.5 << 4;
        QTest::newRow("negative half") << -2.5 << -2;
        QTest::newRow("splash left 0.66") << 6750.0 * 0.66 << 4455;
        QTest::newRow("too far right") << 40000.0 << 32767;
        QTest::newRow("too far left") << -40000.0 << -32768;
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0;
    }

    void twips()
    {
        QFETCH(double, twips);
        QFETCH(int, stored);
        QCOMPARE(int(ModGlobal::toTwips16(twips)), stored);
    }

    // `sapwright --check` run as the program it is, without a display.
    void checkCommand_data()
    {
        QTest::addColumn<QStringList>("arguments"); // {d} is the folder of the check data
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // a pattern the whole output matches
        QTest::addColumn<QString>("err");
        const QString finding =
            "{d}tree_unknown_species\\.velk:2: warning: Species \"DX\": [^\n]+\n";
        const QString version = QStringLiteral("sapwright %1\\.%2\\.%3\n")
                                    .arg(Version::Major)
                                    .arg(Version::Minor)
                                    .arg(Version::Revision);
        using L = QStringList;
        // clang-format off
        QTest::newRow("clean files") << L{"--check", "{d}tree_clean.velk", "{d}stand_clean.slf", "{d}loc_clean.loc"} << 0 << "" << "";
        QTest::newRow("a finding") << L{"--check", "--variant", "ie", "{d}tree_clean.velk", "{d}tree_unknown_species.velk"} << 1 << finding << "";
        QTest::newRow("notes alone pass") << L{"--check", "{d}tree_note_comment.velk"} << 0 << "{d}tree_note_comment\\.velk:2: note: [^\n]+\n" << "";
        QTest::newRow("--variant= after the file") << L{"--check", "{d}tree_unknown_species.velk", "--variant=ie"} << 1 << finding << "";
        QTest::newRow("unreadable beats findings") << L{"--check", "--variant", "ie", "{d}nothere.velk", "{d}tree_unknown_species.velk"} << 2 << finding << ".*nothere\\.velk: cannot be read: .*";
        QTest::newRow("a file of no kind") << L{"--check", "{d}clean.kcp"} << 2 << "" << ".*clean\\.kcp: not a tree data file.*";
        QTest::newRow("no file") << L{"--check"} << 2 << "" << ".*--help.*";
        QTest::newRow("unknown variant") << L{"--check", "--variant", "zz", "{d}tree_clean.velk"} << 2 << "" << ".*'zz'.*";
        QTest::newRow("unknown option") << L{"--check", "--fix", "{d}tree_clean.velk"} << 2 << "" << ".*'--fix'.*";
        QTest::newRow("--help") << L{"--help"} << 0 << "Usage: sapwright.*--check.*--variant.*" << "";
        QTest::newRow("--version") << L{"--version"} << 0 << version << "";
        // clang-format on
    }
    void checkCommand()
    {
        QFETCH(QStringList, arguments);
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
        process.setProcessEnvironment(environment);
        process.start(SAPWRIGHT_EXECUTABLE, arguments);
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
};

QTEST_GUILESS_MAIN(TestApp)
#include "tst_app.moc"
