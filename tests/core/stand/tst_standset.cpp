#include "stand/StandListFile.h"
#include "TestFiles.h"
#include "stand/StandSet.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using Attributes = QMap<int, QString>;
Q_DECLARE_METATYPE(StandSet)

class TestStandSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void format_data();
    void format();
    void parse_data();
    void parse();
    void variantCodesKeepTheirTrailingBlank();
    void boundaries_data();
    void boundaries();
    void readingFile_data();
    void readingFile();
    void writingFileKeepsEveryLine();
};

namespace {

StandSet makeSet(const QString& id, const QString& treeFile, const QString& variants,
                 const Attributes& attributes = {}, const QString& groups = {},
                 const QString& addfiles = {})
{
    StandSet set;
    set.standId = id;
    set.treeFileName = treeFile;
    set.variantCodes = variants;
    for (auto it = attributes.begin(); it != attributes.end(); ++it)
        set.attributes[it.key()] = it.value();
    set.groupingCodes = groups;
    set.addfiles = addfiles;
    return set;
}

// A B line from its fields after the stand ID: `at` sets some positions, the rest is "@".
QString bLine(const QString& id, const Attributes& at)
{
    QString line = QStringLiteral("B ") + id;
    for (int n = 2; n <= 29; ++n)
        line += u' ' + at.value(n, QStringLiteral("@"));
    return line;
}

void compareSets(const StandSet& actual, const StandSet& expected)
{
    QCOMPARE(actual.standId, expected.standId);
    QCOMPARE(actual.treeFileName, expected.treeFileName);
    QCOMPARE(actual.variantCodes, expected.variantCodes);
    for (int n = 2; n <= 29; ++n) {
        if (actual.attributes[n] != expected.attributes[n])
            qWarning("position %d", n);
        QCOMPARE(actual.attributes[n], expected.attributes[n]);
    }
    QCOMPARE(actual.groupingCodes, expected.groupingCodes);
    QCOMPARE(actual.addfiles, expected.addfiles);
}

const Attributes S1Attributes = {
    {2, QStringLiteral("1999")}, {3, QStringLiteral("46.5")}, {9, QStringLiteral("30")}};

} // namespace

void TestStandSet::format_data()
{
    QTest::addColumn<StandSet>("set");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("stand S1") << makeSet("S1", "trees.tre", "xa", S1Attributes, "All")
                              << QStringList{"A S1 trees.tre @ xa",
                                             "B S1 1999 46.5 @ @ @ @ @ 30" +
                                                 QString(" @").repeated(20),
                                             "C S1 All"};
    QTest::newRow("bareground and no C or D line")
        << makeSet("S1", "", "xa") << QStringList{"A S1 @ @ xa", bLine("S1", {})};
    QTest::newRow("typed @ and last field of one character")
        << makeSet("S1", "t.tre", "xa", {{5, "@"}, {29, "5"}})
        << QStringList{"A S1 t.tre @ xa", bLine("S1", {{29, "5"}})};
    QTest::newRow("comma, and comma with blank, in variant codes")
        << makeSet("S1", "t.tre", "xa,xb, xc")
        << QStringList{"A S1 t.tre @ xa xb  xc", bLine("S1", {})};
    QTest::newRow("three grouping lines")
        << makeSet("S1", "t.tre", "xa", {}, "G1\r\nG2\r\nG3")
        << QStringList{"A S1 t.tre @ xa", bLine("S1", {}), "C S1 G1 G2 G3"};
    QTest::newRow("addfiles only")
        << makeSet("S1", "t.tre", "xa", {}, "", "first.kcp second.kcp")
        << QStringList{"A S1 t.tre @ xa", bLine("S1", {}), "D S1 first.kcp second.kcp"};
    QTest::newRow("grouping and addfiles")
        << makeSet("S1", "t.tre", "xa", {}, "G1", "a.kcp")
        << QStringList{"A S1 t.tre @ xa", bLine("S1", {}), "C S1 G1", "D S1 a.kcp"};
    QTest::newRow("blanks written unchanged")
        << makeSet("S 1", "C:\\My Files\\t.tre", "xa", {{6, "a b"}})
        << QStringList{"A S 1 C:\\My Files\\t.tre @ xa", bLine("S 1", {{6, "a b"}})};
    // A record is one line: a lone line break would split it in the file.
    QTest::newRow("lone line breaks become blanks")
        << makeSet("S1", "t.tre", "xa", {}, "G1\nG2\rG3", "a.kcp\r\nb.kcp")
        << QStringList{"A S1 t.tre @ xa", bLine("S1", {}), "C S1 G1 G2 G3", "D S1 a.kcp b.kcp"};
}

void TestStandSet::format()
{
    QFETCH(StandSet, set);
    QFETCH(QStringList, lines);
    QCOMPARE(FormatStandSet(set), lines);
}

void TestStandSet::parse_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<StandSet>("set");

    QTest::newRow("stand S1") << QStringList{"A S1 trees.tre @ xa", bLine("S1", S1Attributes),
                                             "C S1 All"}
                              << makeSet("S1", "trees.tre", "xa ", S1Attributes, "All");
    QTest::newRow("bareground") << QStringList{"A S1 @ @ xa"} << makeSet("S1", "", "xa ");
    QTest::newRow("third field skipped whatever it holds, @ codes dropped")
        << QStringList{"A S1 t.tre zz @ xa @ xb"} << makeSet("S1", "t.tre", "xa xb ");
    QTest::newRow("@ reads as empty, last field of one character")
        << QStringList{"A S1 t @ xa", bLine("S1", {{2, "@"}, {29, "5"}})}
        << makeSet("S1", "t", "xa ", {{29, "5"}});
    QTest::newRow("more than 29 tokens")
        << QStringList{"A S1 t @ xa", bLine("S1", {{29, "29"}}) + " 30 31"}
        << makeSet("S1", "t", "xa ", {{29, "29"}});
    QTest::newRow("fewer tokens") << QStringList{"A S1 t @ xa", "B S1 1999 46.5"}
                                  << makeSet("S1", "t", "xa ", {{2, "1999"}, {3, "46.5"}});
    QTest::newRow("grouping lines, @ dropped")
        << QStringList{"A S1 t @ xa", "C S1 G1 @ G2", "C S1 G3"}
        << makeSet("S1", "t", "xa ", {}, "G1\r\nG2\r\nG3");
    QTest::newRow("addfiles over two D lines")
        << QStringList{"A S1 t @ xa", "D S1 first.kcp", "D S1 @ second.kcp"}
        << makeSet("S1", "t", "xa ", {}, "", "first.kcp second.kcp");
    QTest::newRow("blank in the tree file name")
        << QStringList{"A S1 C:\\My Files\\t.tre @ xa"} << makeSet("S1", "C:\\My", "xa ");
    QTest::newRow("lower-case letters")
        << QStringList{"a S1 t @ xa", "b S1 1999", "c S1 G1", "d S1 f.kcp"}
        << makeSet("S1", "t", "xa ", {{2, "1999"}}, "G1", "f.kcp");
    QTest::newRow("tabs and runs of separators")
        << QStringList{"A\tS1 \t t.tre\t@\t\txa ", "B\t\tS1\t1999  46.5\t"}
        << makeSet("S1", "t.tre", "xa ", {{2, "1999"}, {3, "46.5"}});
    QTest::newRow("scanning starts at the second character")
        << QStringList{"AS1 t @ xa", "BS1 1999"} << makeSet("S1", "t", "xa ", {{2, "1999"}});
    QTest::newRow("other types inside the set, other stand IDs")
        << QStringList{"A S1 t @ xa", "X S1 junk", "B S9 1999", " C S1 G0", "C S7 G1"}
        << makeSet("S1", "t", "xa ", {{2, "1999"}}, "G1");
    QTest::newRow("set ends at an empty line")
        << QStringList{"A S1 t @ xa", "", "B S1 1999"} << makeSet("S1", "t", "xa ");
    QTest::newRow("A line alone") << QStringList{"A"} << StandSet();
}

void TestStandSet::parse()
{
    QFETCH(QStringList, lines);
    QFETCH(StandSet, set);
    compareSets(ParseStandSet(lines), set);
}

void TestStandSet::variantCodesKeepTheirTrailingBlank()
{
    const StandSet read = ParseStandSet({QStringLiteral("A S1 trees.tre @ xa xb")});
    QCOMPARE(read.variantCodes, QStringLiteral("xa xb "));
    const QStringList written = FormatStandSet(read);
    QCOMPARE(written.front(), QStringLiteral("A S1 trees.tre @ xa xb "));
    QCOMPARE(ParseStandSet(written).variantCodes, QStringLiteral("xa xb "));
}

void TestStandSet::boundaries_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("cCount");
    QTest::addColumn<int>("dCount");

    const QStringList two = {"A S1", "B S1", "C S1 g", "D S1 f",
                             "a S2", "B S2", "C S2 x", "C S2 y"};
    QTest::newRow("inside the first set") << two << 3 << 0 << 0 << 4 << 1 << 1;
    QTest::newRow("lower-case A starts a set") << two << 7 << 4 << 4 << 8 << 2 << 0;
    QTest::newRow("index past the end") << two << 100 << 4 << 4 << 8 << 2 << 0;
    QTest::newRow("negative index") << two << -1 << -1 << 0 << 0 << 0 << 0;
    QTest::newRow("empty list") << QStringList() << 0 << -1 << 0 << 0 << 0 << 0;

    const QStringList headless = {"B S0", "C S0 g", "X", "A S1", "B S1"};
    QTest::newRow("no A line above: read from the top") << headless << 2 << -1 << 0 << 3 << 1 << 0;
    QTest::newRow("set without B line, unknown letter inside")
        << QStringList{"A S1", "C S1 g", "?", "D S1 f", "A S2"} << 1 << 0 << 0 << 4 << 1 << 1;
    QTest::newRow("empty line ends the set")
        << QStringList{"A S1", "B S1", "", "C S1 g"} << 1 << 0 << 0 << 2 << 0 << 0;
    QTest::newRow("past an empty line the A line above is still found")
        << QStringList{"A S1", "B S1", "", "C S1 g"} << 3 << 0 << 0 << 2 << 0 << 0;
    QTest::newRow("slot below the last set")
        << QStringList{"A S1", "B S1", ""} << 2 << 0 << 0 << 2 << 0 << 0;
}

void TestStandSet::boundaries()
{
    QFETCH(QStringList, list);
    QFETCH(int, index);
    QFETCH(int, start);
    QFETCH(int, first);
    QFETCH(int, end);
    QFETCH(int, cCount);
    QFETCH(int, dCount);

    QCOMPARE(FindSetStart(list, index), start);
    StandSet::Bounds bounds;
    ParseStandSet(list, start, &bounds);
    QCOMPARE(bounds.first, first);
    QCOMPARE(bounds.end, end);
    QCOMPARE(bounds.cCount, cCount);
    QCOMPARE(bounds.dCount, dCount);
}

void TestStandSet::readingFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("invalid");

    QTest::newRow("empty lines skipped") << QByteArray("A S1 t @ xa\r\n\r\nB S1 1999\r\n\r\n")
                                         << QStringList{"A S1 t @ xa", "B S1 1999"} << false;
    QTest::newRow("other letters kept and flagged")
        << QByteArray("B S0\r\nE junk\r\nA S1 t @ xa\r\n")
        << QStringList{"B S0", "E junk", "A S1 t @ xa"} << true;
    QTest::newRow("line beginning with a blank")
        << QByteArray(" A S1 t @ xa\r\n") << QStringList{" A S1 t @ xa"} << true;
    QTest::newRow("line ends of LF alone, bytes above 127")
        << QByteArray("A S\xe9 t @ xa\nB S\xe9\n") << QStringList{"A S\u00e9 t @ xa", "B S\u00e9"}
        << false;
}

void TestStandSet::readingFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(bool, invalid);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stands.slf"));
    QVERIFY(writeFile(path, bytes));
    const RecordFileIO::Records content = RecordFileIO::readRecords(path, StandListFile::format());
    QVERIFY(content.result.ok);
    QCOMPARE(content.lines, lines);
    QCOMPARE(content.invalidLineSeen, invalid);
}

void TestStandSet::writingFileKeepsEveryLine()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stands.slf"));
    const QStringList lines = {"B S0", "x junk", "A S1 t @ xa xb ", "B S\u00e9 @"};
    QVERIFY(RecordFileIO::writeLines(path, lines).ok);
    QCOMPARE(readFile(path), QByteArray("B S0\r\nx junk\r\nA S1 t @ xa xb \r\nB S\xe9 @\r\n"));
    QCOMPARE(RecordFileIO::readRecords(path, StandListFile::format()).lines, lines);
}

QTEST_GUILESS_MAIN(TestStandSet)
#include "tst_standset.moc"
