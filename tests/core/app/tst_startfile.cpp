#include "TestFiles.h"
#include "app/StartFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using Kind = StartFile::Kind;

class TestStartFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void kindOf_data();
    void kindOf();
    void fromArguments_data();
    void fromArguments();
};

void TestStartFile::kindOf_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<Kind>("kind");
    // A known extension wins over the content, letter case ignored.
    QTest::newRow("velk") << "plot.velk" << QByteArray("A S1") << Kind::Tree;
    QTest::newRow("TRE") << "PLOT.TRE" << QByteArray() << Kind::Tree;
    QTest::newRow("Slf") << "s.Slf" << QByteArray() << Kind::StandList;
    QTest::newRow("loc") << "vorlin.loc" << QByteArray() << Kind::Locations;
    QTest::newRow("location A line")
        << "list.txt" << QByteArray("A \"Big Creek\" @ b.slf @ @\r\n") << Kind::Locations;
    QTest::newRow("stand after empty lines")
        << "stands" << QByteArray("\r\n\nb\tS1 1999\r\n") << Kind::StandList;
    QTest::newRow("tree record") << "t.dat" << QByteArray("   1  1     1 DF  10.5") << Kind::Tree;
    QTest::newRow("plain text") << "a.txt" << QByteArray("Dear forester") << Kind::None;
    QTest::newRow("letter E") << "e.txt" << QByteArray("E 1 2") << Kind::None;
    QTest::newRow("binary") << "a.png" << QByteArray("A \"\0", 4) << Kind::None;
    QTest::newRow("empty") << "e.txt" << QByteArray("\r\n") << Kind::None;
}

void TestStartFile::kindOf()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, head);
    QFETCH(Kind, kind);
    QCOMPARE(StartFile::kindOf(name, head), kind);
}

void TestStartFile::fromArguments_data()
{
    QTest::addColumn<QStringList>("arguments"); // %1 is the working directory
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("path");    // relative to the working directory
    QTest::addColumn<QString>("problem"); // %1 is the full path
    QTest::newRow("none") << QStringList{"sapwright"} << Kind::None << ""
                          << "";
    QTest::newRow("relative, first only")
        << QStringList{"sapwright", "sub/../s.slf", "t.tre"} << Kind::StandList << "s.slf"
        << "";
    QTest::newRow("file URL") << QStringList{"sapwright", "file://%1/s.slf"} << Kind::StandList
                              << "s.slf"
                              << "";
    QTest::newRow("missing") << QStringList{"sapwright", "gone.slf"} << Kind::None << "gone.slf"
                             << "The file %1 does not exist.";
    QTest::newRow("folder") << QStringList{"sapwright", "sub"} << Kind::None << "sub"
                            << "%1 is a folder, not a file.";
    QTest::newRow("unknown") << QStringList{"sapwright", "a.txt"} << Kind::None << "a.txt"
                             << "The file %1 is not a tree data file (.velk, .tre), a Stand List "
                                "File (.slf) or a Locations File (.loc).";
}

void TestStartFile::fromArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(Kind, kind);
    QFETCH(QString, path);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("s.slf")), "A S1 @ @ xa\r\n"));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("a.txt")), "hello"));

    arguments.replaceInStrings(QStringLiteral("%1"), dir.path());
    const StartFile start = StartFile::fromArguments(arguments, dir.path());
    const QString full = path.isEmpty() ? QString() : dir.filePath(path);
    QCOMPARE(start.kind(), kind);
    QCOMPARE(start.path(), full);
    QCOMPARE(start.problem(), problem.isEmpty() ? QString() : problem.arg(full));
}

QTEST_APPLESS_MAIN(TestStartFile)
#include "tst_startfile.moc"
