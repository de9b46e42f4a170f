#include "stand/ReadBackCheck.h"
#include "stand/StandFieldInfo.h"
#include "stand/StandSet.h"

#include <QMap>
#include <QTest>

using Attributes = QMap<int, QString>;
Q_DECLARE_METATYPE(StandSet)
Q_DECLARE_METATYPE(UnreadableValue)

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

// Every field as text, so that a failure shows the field that differs.
QStringList fields(const StandSet& s)
{
    return QStringList{s.standId, s.treeFileName, s.variantCodes, s.groupingCodes, s.addfiles} +
           QStringList(s.attributes.begin() + 2, s.attributes.end());
}

const Attributes S1Attributes = {
    {2, QStringLiteral("1999")}, {3, QStringLiteral("46.5")}, {9, QStringLiteral("30")}};

} // namespace

class TestStandSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void format_data()
    {
        QTest::addColumn<StandSet>("set");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("stand S1") << makeSet("S1", "trees.tre", "xa", S1Attributes, "All")
                                  << QStringList{"A S1 trees.tre @ xa",
                                                 "B S1 1999 46.5 @ @ @ @ @ 30" +
                                                     QString(" @").repeated(20),
                                                 "C S1 All"};
        QTest::newRow("bareground, no C or D line")
            << makeSet("S1", "", "xa") << QStringList{"A S1 @ @ xa", bLine("S1", {})};
        QTest::newRow("grouping lines and addfiles")
            << makeSet("S1", "t.tre", "xa", {}, "G1\r\nG2\r\nG3", "first.kcp second.kcp")
            << QStringList{"A S1 t.tre @ xa", bLine("S1", {}), "C S1 G1 G2 G3",
                           "D S1 first.kcp second.kcp"};
        // A record is one line: a lone line break would split it in the file.
        QTest::newRow("commas and lone line breaks become blanks, D line alone")
            << makeSet("S1", "t.tre", "xa,xb", {{6, "a\rb"}}, "", "a.kcp\nb.kcp")
            << QStringList{"A S1 t.tre @ xa xb", bLine("S1", {{6, "a b"}}), "D S1 a.kcp b.kcp"};
    }

    void format()
    {
        QFETCH(StandSet, set);
        QFETCH(QStringList, lines);
        QCOMPARE(FormatStandSet(set), lines);
    }

    void parse_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<StandSet>("set");

        QTest::newRow("stand S1") << QStringList{"A S1 trees.tre @ xa", bLine("S1", S1Attributes),
                                                 "C S1 All"}
                                  << makeSet("S1", "trees.tre", "xa ", S1Attributes, "All");
        QTest::newRow("bareground, third field skipped, @ codes dropped")
            << QStringList{"A S1 @ zz xa @ xb"} << makeSet("S1", "", "xa xb ");
        QTest::newRow("more than 29 tokens")
            << QStringList{"A S1 t @ xa", bLine("S1", {{29, "29"}}) + " 30 31"}
            << makeSet("S1", "t", "xa ", {{29, "29"}});
        QTest::newRow("C and D lines mixed, @ dropped")
            << QStringList{"A S1 t @ xa", "C S1 G1 @ G2", "D S1 first.kcp", "C S1 G3",
                           "D S1 @ second.kcp"}
            << makeSet("S1", "t", "xa ", {}, "G1\r\nG2\r\nG3", "first.kcp second.kcp");
        QTest::newRow("blank in the tree file name")
            << QStringList{"A S1 C:\\My Files\\t.tre @ xa"} << makeSet("S1", "C:\\My", "xa ");
        QTest::newRow("lower-case letters")
            << QStringList{"a S1 t @ xa", "b S1 1999", "c S1 G1", "d S1 f.kcp"}
            << makeSet("S1", "t", "xa ", {{2, "1999"}}, "G1", "f.kcp");
        // The type letter is not scanned: the first field may follow it at once.
        QTest::newRow("tabs, runs of separators, no blank after the letter")
            << QStringList{"AS1 \t t.tre\t@\t\txa ", "B\t\tS1\t1999  46.5\t"}
            << makeSet("S1", "t.tre", "xa ", {{2, "1999"}, {3, "46.5"}});
        QTest::newRow("other types inside the set, other stand IDs")
            << QStringList{"A S1 t @ xa", "X S1 junk", "B S9 1999", " C S1 G0", "C S7 G1"}
            << makeSet("S1", "t", "xa ", {{2, "1999"}}, "G1");
    }

    void parse()
    {
        QFETCH(QStringList, lines);
        QFETCH(StandSet, set);
        QCOMPARE(fields(ParseStandSet(lines)), fields(set));
    }

    void boundaries_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("walk"); // first, end, C count, D count

        const QStringList two = {"A S1", "B S1", "C S1 g", "D S1 f",
                                 "a S2", "B S2", "C S2 x", "C S2 y"};
        QTest::newRow("inside the first set") << two << 3 << 0 << QList<int>{0, 4, 1, 1};
        QTest::newRow("lower-case A starts a set") << two << 7 << 4 << QList<int>{4, 8, 2, 0};
        QTest::newRow("index past the end") << two << 100 << 4 << QList<int>{4, 8, 2, 0};
        QTest::newRow("negative index") << two << -1 << -1 << QList<int>{0, 0, 0, 0};
        QTest::newRow("empty list") << QStringList() << 0 << -1 << QList<int>{0, 0, 0, 0};
        QTest::newRow("no A line above: read from the top")
            << QStringList{"B S0", "C S0 g", "X", "A S1", "B S1"} << 2 << -1
            << QList<int>{0, 3, 1, 0};
        QTest::newRow("empty line ends the set, not the search")
            << QStringList{"A S1", "B S1", "", "C S1 g"} << 3 << 0 << QList<int>{0, 2, 0, 0};
    }

    void boundaries()
    {
        QFETCH(QStringList, list);
        QFETCH(int, index);
        QFETCH(int, start);
        QFETCH(QList<int>, walk);

        QCOMPARE(FindSetStart(list, index), start);
        StandSet::Bounds b;
        ParseStandSet(list, start, &b);
        QCOMPARE((QList<int>{b.first, b.end, b.cCount, b.dCount}), walk);
    }

    void unreadableValues_data()
    {
        using Why = UnreadableValue::Why;
        QTest::addColumn<StandSet>("set");
        QTest::addColumn<QString>("line");                 // when given, checked instead of the set
        QTest::addColumn<QList<UnreadableValue>>("found"); // none or one

        const auto none = QList<UnreadableValue>{};
        const auto one = [](int box, const QString& value, Why why) {
            return QList<UnreadableValue>{{box, value, why}};
        };
        const StandSet set;
        const QString typed;
        // clang-format off
    QTest::newRow("lists, a sign, an empty last grouping line")
        << makeSet("S1", "t.tre", "xa, xb ", {{11, "-5"}}, "G1\r\nG2\r\n", "a.kcp b.kcp") << typed << none;
    QTest::newRow("first in file order") << makeSet("S 1", "a b", "xa") << typed << one(StandBox::StandId, "S 1", Why::Separator);
    QTest::newRow("tab in a tree file name") << makeSet("S1", "a\tb", "xa") << typed << one(StandBox::TreeFile, "a\tb", Why::Separator);
    QTest::newRow("quote before a variant code") << makeSet("S1", "t", "xa,\"xb") << typed << one(StandBox::Variant, "\"xb", Why::LeadingQuote);
    QTest::newRow("variants of blanks only") << makeSet("S1", "t", "  ") << typed << one(StandBox::Variant, "  ", Why::BlanksOnly);
    QTest::newRow("blank in a habitat type") << makeSet("S1", "t", "xa", {{6, "a b"}}) << typed << one(6, "a b", Why::Separator);
    QTest::newRow("leading blank in a number") << makeSet("S1", "t", "xa", {{3, " 5"}}) << typed << one(3, " 5", Why::Separator);
    QTest::newRow("blank inside a grouping code") << makeSet("S1", "t", "xa", {}, "G1\r\nG 2") << typed << one(StandBox::Groups, "G 2", Why::Separator);
    QTest::newRow("addfiles of blanks only") << makeSet("S1", "t", "xa", {}, "", " ") << typed << one(StandBox::Addfile, " ", Why::BlanksOnly);
    QTest::newRow("lines read back") << set << "A S1 t @ xa @ xb" << none;
    QTest::newRow("line: a blank in the tree file name") << set << "A S1 C:\\My Files\\t.tre @ xa" << one(0, "Files\\t.tre", Why::Dropped);
    QTest::newRow("line: a blank in a B value") << set << bLine("S1", {{6, "CWH mm"}}) << one(0, "@", Why::Dropped);
    QTest::newRow("line: quote before a site species") << set << bLine("S1", {{25, "\"DF"}}) << one(25, "\"DF", Why::LeadingQuote);
    QTest::newRow("line: quote before an addfile") << set << "D S1 a.kcp \"b.kcp" << one(StandBox::Addfile, "\"b.kcp", Why::LeadingQuote);
        // clang-format on
    }

    void unreadableValues()
    {
        QFETCH(StandSet, set);
        QFETCH(QString, line);
        QFETCH(QList<UnreadableValue>, found);
        const std::optional<UnreadableValue> result =
            line.isEmpty() ? findUnreadableValue(set) : findUnreadableValue(line);
        QCOMPARE(result ? QList{*result} : QList<UnreadableValue>{}, found);
    }
};

QTEST_GUILESS_MAIN(TestStandSet)
#include "tst_standset.moc"
