#include "Version.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

// `sapwright --check` run as the program it is, without a display.
class TestCheckCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exitStatusAndOutput_data()
    {
        QTest::addColumn<QStringList>("arguments"); // {d} is the folder of the check data
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // a pattern the whole output matches
        QTest::addColumn<QString>("err");
        const QString finding = "{d}tree_unknown_species\\.velk:2: Species \"DX\": [^\n]+\n";
        const QString version = QStringLiteral("sapwright %1\\.%2\\.%3\n")
                                    .arg(Version::Major)
                                    .arg(Version::Minor)
                                    .arg(Version::Revision);
        using L = QStringList;
        // clang-format off
        QTest::newRow("clean files") << L{"--check", "{d}tree_clean.velk", "{d}stand_clean.slf", "{d}loc_clean.loc"} << 0 << "" << "";
        QTest::newRow("a finding") << L{"--check", "--variant", "ie", "{d}tree_clean.velk", "{d}tree_unknown_species.velk"} << 1 << finding << "";
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
    void exitStatusAndOutput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const QString data = SAPWRIGHT_TEST_DATA "/check/";
        arguments.replaceInStrings("{d}", data);
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
            pattern.replace("{d}", QRegularExpression::escape(data));
            const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern),
                                           QRegularExpression::DotMatchesEverythingOption);
            QVERIFY2(whole.match(QString::fromUtf8(output)).hasMatch(), output.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "tst_checkcommand.moc"
