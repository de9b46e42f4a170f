#include "Version.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString DataDir = QStringLiteral(SAPWRIGHT_TEST_DATA "/check/");

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run sapwright(const QStringList& arguments)
{
    QProcess process;
    // Any touch of the window system would fail here.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(SAPWRIGHT_EXECUTABLE), arguments);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

// `sapwright --check` run as the program it is, without a display.
class TestCheckCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exitStatusAndOutput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // a pattern the whole output matches
        QTest::addColumn<QString>("err");

        // Arguments split at blanks; {d} is the folder of the check data.
        const auto row = [](const char* name, const QString& arguments, int status,
                            const QString& out, const QString& err = {}) {
            QStringList split = arguments.split(u' ');
            for (QString& argument : split)
                argument.replace(QStringLiteral("{d}"), DataDir);
            QTest::newRow(name) << split << status << out << err;
        };
        const QString finding =
            QRegularExpression::escape(DataDir) +
            QStringLiteral("tree_unknown_species\\.velk:2: Species \"DX\": [^\n]+\n");
        row("clean files", "--check {d}tree_clean.velk {d}stand_clean.slf {d}loc_clean.loc", 0, {});
        row("a finding", "--check --variant ie {d}tree_clean.velk {d}tree_unknown_species.velk", 1,
            finding);
        row("--variant= after the file", "--check {d}tree_unknown_species.velk --variant=ie", 1,
            finding);
        row("unreadable beats findings",
            "--check --variant ie {d}nothere.velk {d}tree_unknown_species.velk", 2, finding,
            ".*nothere\\.velk: cannot be read: .*");
        row("a file of no kind", "--check {d}clean.kcp", 2, {},
            ".*clean\\.kcp: not a tree data file.*");
        row("no file", "--check", 2, {}, ".*--help.*");
        row("unknown variant", "--check --variant zz {d}tree_clean.velk", 2, {}, ".*'zz'.*");
        row("unknown option", "--check --fix {d}tree_clean.velk", 2, {}, ".*'--fix'.*");
        row("--help", "--help", 0, "Usage: sapwright.*--check.*--variant.*");
        // As in CI: every file of the check data, each finding as FILE:LINE: message.
        for (const QString& file :
             QDir(DataDir).entryList({"*.velk", "*.slf", "*.loc"}, QDir::Files)) {
            const bool clean = file.contains("clean");
            row(qPrintable(file), "--check --variant ie {d}" + file, clean ? 0 : 1,
                clean ? QString()
                      : QString("(%1:[1-9][0-9]*: \\S[^\n]*\n)+")
                            .arg(QRegularExpression::escape(DataDir + file)));
        }
        row("--version", "--version", 0,
            QStringLiteral("sapwright %1\\.%2\\.%3\n")
                .arg(Version::Major)
                .arg(Version::Minor)
                .arg(Version::Revision));
    }

    void exitStatusAndOutput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);

        const Run run = sapwright(arguments);
        QCOMPARE(run.status, status);
        const auto whole = [](const QString& pattern) {
            return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                      QRegularExpression::DotMatchesEverythingOption);
        };
        QVERIFY2(whole(out).match(run.out).hasMatch(), qPrintable(run.out));
        QVERIFY2(whole(err).match(run.err).hasMatch(), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "tst_checkcommand.moc"
