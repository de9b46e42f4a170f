#include "LogicTest.h"
#include "Play.h"
#include "recordfile/RecordFileIO.h"
#include "stand/StandReadBack.h"
#include "stand/StandWindowLogic.h"

using Answer = UserInterface::Answer;
using Boxes = QMap<int, QString>;
namespace Box = StandBox;
using namespace StandBox;
Q_DECLARE_METATYPE(StandSet)
Q_DECLARE_METATYPE(ReadBack::Problem)

namespace {

// A B line from its fields after the stand ID: `at` sets some positions, the rest is "@".
QString B(const QString& id, const Boxes& at = {})
{
    QString line = QStringLiteral("B ") + id;
    for (int n = 2; n <= 29; ++n)
        line += u' ' + at.value(n, QStringLiteral("@"));
    return line;
}

StandSet makeSet(const QString& id, const QString& treeFile, const QString& variants,
                 const Boxes& attributes = {}, const QString& groups = {},
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

// Every field as text, so that a failure shows the field that differs.
QStringList fields(const StandSet& s)
{
    return QStringList{s.standId, s.treeFileName, s.variantCodes, s.groupingCodes, s.addfiles} +
           QStringList(s.attributes.begin() + 2, s.attributes.end());
}

} // namespace

// The stand data window's logic with a scripted user, the Stand List File and its check.
class TestStand : public QObject, LogicTest<StandWindowLogic>
{
    Q_OBJECT

    // An A line in the form the window writes it, so an unchanged update gives it back.
    static QString A(const QString& id) { return QStringLiteral("A %1 t.tre @ xa ").arg(id); }
    QStringList records() const { return m_logic->display().lines().first(m_logic->RecordCount()); }
    void load(const QStringList& lines)
    {
        const QString name = m_dir.filePath(QStringLiteral("stands.slf"));
        QVERIFY(RecordFileIO::writeLines(name, lines).ok);
        m_ui->fileExistsAnswers = {true};
        m_logic->setFileNameBox(name);
        m_logic->fileNameBoxLeft();
        QCOMPARE(records(), lines);
        m_ui->messages.clear(); // a line of another type is reported on loading
    }
private Q_SLOTS:
    void init()
    {
        renew();
        m_logic->openFromSharedState();
    }

    // Sets added, refused, updated, removed and passed through; the script's text before "|"
    // is played before the file loads.
    void standScripts_data()
    {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");
        using L = QStringList;
        const QString a1 = A("S1"), b1 = B("S1"), a2 = A("S2"), b2 = B("S2");
        const auto lines = [](const L& records) { return "lines=" + (records + L{""}).join('\n'); };
        const QString typed = "f1=S1 f31=xa,xb f30=t.tre f2=1999 p ";
        const QString second = typed + "t f33=f.kcp t f1=S2 f2= f30= p";
        // Sets S0, S1 with two B lines and S2 with two D lines; a refusal changes nothing, the
        // commas in the variant box included.
        const L list = {
            A("S0"), B("S0"), A("S1"),  B("S1"), B("S1", {{int(InventoryYear), "1999"}}),
            A("S2"), B("S2"), "D S2 a", "D S2 b"};
        const QString more =
            "text=This set holds more than one %1 line:\r\n\r\n%2\r\n\r\nAn update writes one %1 "
            "line, so it would not keep this set as it is. Nothing was changed.";
        const auto refused =
            [&](const char* name, int line, const QString& changes, const QString& titles,
                const QString& why) {
                const QString variant = changes.contains("f31=") ? "" : "xa,xb";
                QTest::newRow(name)
                    << list
                    << QStringLiteral("| s%1 f1=S1 f31=xa,xb f30=t %2 p").arg(line).arg(changes)
                    << L{"titles=" + titles, why, lines(list), "f31=" + variant, "unsaved=0"};
            };
        QStringList full;
        for (int i = 0; i < 32766; ++i)
            full.append(QStringLiteral("A S%1").arg(i));
        const QString longId = QString(30, u'L');
        const QString longB = "B " + longId + " 19999" + QStringLiteral(" @").repeated(27);
        // clang-format off
        // The first set goes to the top of an empty list, the slot follows and is selected.
        QTest::newRow("a set added") << L{} << typed << L{lines({"A S1 t.tre @ xa xb", "B S1 1999" + QStringLiteral(" @").repeated(27)}), "at=2 add", "caption=&Add Record", "f31=xa xb", "f2=1999", "tabs=cmdProcess"};
        // Only the stand ID changed: a second set; the addfiles switch off still writes D.
        QTest::newRow("a second set, bareground") << L{} << second << L{"titles=Bareground", "f30=", "unsaved=1", lines({"A S1 t.tre @ xa xb", "B S1 1999" + QStringLiteral(" @").repeated(27), "A S2 @ @ xa xb", B("S2"), "D S2 f.kcp"})};
        refused("no stand ID", 9, "f1=", "Missing Data", "focus=txtStandData_1");
        refused("no variant", 9, "f31=", "Missing Data", "focus=txtVariant");
        refused("bareground cancelled", 9, "f30= !C", "Bareground", "focus=txtTreeFile");
        refused("blank in a stand ID", 9, "f1=S~1 !C", "Alert", "focus=txtStandData_1");
        refused("a lone point in a latitude", 9, "f3=. f30=", "Invalid Data", "focus=txtStandData_3");
        refused("a lone minus in a basal area factor", 9, "f11=-", "Invalid Data", "focus=txtStandData_11");
        refused("bareground, then blanks only in habitat", 9, "f30= f6=~~ !O !C", "Bareground,Alert", "focus=txtStandData_6");
        refused("update of a set with two B lines", 2, "", "Error", more.arg("B", "Line 5: " + list[4]));
        refused("update of a set with two D lines", 7, "", "Error", more.arg("D", "Line 9: D S2 b"));
        // The window stays on the set; updating again changes nothing.
        QTest::newRow("C and D, grouping emptied: D moves up") << L{a1, b1, "C S1 g", "D S1 f", a2, b2} << "| s2 f32= p p" << L{lines({a1, b1, "D S1 f", a2, b2}), "at=0 edit", "titles="};
        QTest::newRow("only D, both filled: C before D") << L{a1, b1, "D S1 f", a2, b2} << "| s0 f32=g1\r\ng2 p p" << L{lines({a1, b1, "C S1 g1 g2", "D S1 f", a2, b2}), "at=0 edit", "titles="};
        QTest::newRow("only C, both emptied") << L{a1, b1, "C S1 g", a2, b2} << "| s1 f32= p p" << L{lines({a1, b1, a2, b2}), "at=0 edit", "titles="};
        QTest::newRow("A without B, last in the list") << L{a2, b2, a1} << "| s2 p p" << L{lines({a2, b2, a1, b1}), "at=2 edit", "titles="};
        QTest::newRow("A followed by A") << L{a1, a2, b2} << "| s0 p p" << L{lines({a1, b1, a2, b2}), "at=0 edit", "titles="};
        QTest::newRow("unknown line inside the set is kept") << L{a1, b1, "X S1 note", "C S1 g"} << "| s3 f32=h p p" << L{lines({a1, b1, "C S1 h", "X S1 note"}), "at=0 edit", "titles="};
        QTest::newRow("long loaded values are written back whole") << L{A(longId), longB} << "| s1 p p" << L{lines({A(longId), longB}), "at=0 edit", "titles="};
        QTest::newRow("the only set removed") << L{a1, b1, "C S1 g"} << "| s2 d" << L{"lines=", "f1=S1", "caption=&Add Records", "unsaved=1"};
        QTest::newRow("the first set removed") << L{a1, b1, "D S1 f", a2, b2} << "| s1 d" << L{lines({a2, b2}), "f1=S2", "caption=&Update Record", "unsaved=1"};
        QTest::newRow("the last set removed") << L{a1, b1, a2, b2} << "| s3 d" << L{lines({a1, b1}), "f1=S1", "caption=&Update Record", "unsaved=1"};
        // No set to replace; only its line goes.
        QTest::newRow("an invalid set") << L{"B S0 1999", a1, b1} << "| s0" << L{"titles=Error", "text=Invalid set of Stand List File records."};
        QTest::newRow("an invalid set removed") << L{"B S0 1999", a1, b1} << "| s0 p d" << L{"titles=Error,Error", lines({a1, b1}), "f1=S1", "caption=&Update Record", "unsaved=1"};
        // A lone B line shows on its own; a set of several lines is passed in one step.
        const L steps = {"B S0 1999", A("S1"), B("S1"), "C S1 g", "D S1 f", A("S2"), B("S2")};
        QTest::newRow("next from a lone line") << steps << "| s0 n" << L{"at=1 edit"};
        QTest::newRow("next from a set") << steps << "| s0 n n" << L{"at=5 edit"};
        QTest::newRow("next from the last set") << steps << "| s0 n n n n" << L{"at=7 add"};
        QTest::newRow("a load keeps the addfile box") << L{a1, b1} << "f1=S9 f33=keep.kcp f32=g |" << L{"f1=", "f32=", "f33=keep.kcp"};
        // Only while switched on; a path with a blank is asked about.
        QTest::newRow("browsing addfiles") << L{} << "b t >a.kcp >my~b.kcp >c.kcp !C b b b" << L{"f33=a.kcp c.kcp"};
        // A character without a byte in the file: a chosen path is refused, a value named at Add.
        QTest::newRow("no byte for a character") << L{} << "f1=S1 f31=xa f30=\u03a9.velk p >\u03a9.velk bT t >\u03a9.kcp b" << L{"titles=Alert,Error,Error", "lines=", "f30=\u03a9.velk", "f33="};
        // An A line alone: its update needs a B line more.
        QTest::newRow("a full list") << full << "| f1=S f31=xa f30=t p s0 f31=xa f30=t p" << L{"titles=Error,Error", "line32766="};
        // clang-format on
    }
    void standScripts()
    {
        QFETCH(QStringList, file);
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        play(*m_logic, script.section(u'|', 0, 0), m_ui.get());
        if (!file.isEmpty())
            load(file);
        play(*m_logic, script.section(u'|', 1), m_ui.get());
        expectShown(*m_logic, *m_ui, expected);
    }

    void standParse_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<StandSet>("set");

        // clang-format off
        QTest::newRow("bareground, third field skipped, @ codes dropped") << QStringList{"A S1 @ zz xa @ xb"} << makeSet("S1", "", "xa xb ");
        QTest::newRow("C and D lines mixed, @ dropped") << QStringList{"A S1 t @ xa", "C S1 G1 @ G2", "D S1 first.kcp", "C S1 G3", "D S1 @ second.kcp"} << makeSet("S1", "t", "xa ", {}, "G1\r\nG2\r\nG3", "first.kcp second.kcp");
        QTest::newRow("blank in the tree file name") << QStringList{"A S1 C:\\My Files\\t.tre @ xa"} << makeSet("S1", "C:\\My", "xa ");
        // The type letter is not scanned: the first field may follow it at once.
        QTest::newRow("tabs, runs of separators, no blank after the letter") << QStringList{"AS1 \t t.tre\t@\t\txa ", "B\t\tS1\t1999  46.5\t"} << makeSet("S1", "t.tre", "xa ", {{2, "1999"}, {3, "46.5"}});
        QTest::newRow("other types inside the set, other stand IDs") << QStringList{"A S1 t @ xa", "X S1 junk", "B S9 1999", " C S1 G0", "C S7 G1"} << makeSet("S1", "t", "xa ", {{2, "1999"}}, "G1");
        // clang-format on
    }

    void standParse()
    {
        QFETCH(QStringList, lines);
        QFETCH(StandSet, set);
        QCOMPARE(fields(ParseStandSet(lines)), fields(set));
    }

    void standBoundaries_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("walk"); // first, end, C count, D count

        const QStringList two = {"A S1", "B S1", "C S1 g", "D S1 f",
                                 "a S2", "B S2", "C S2 x", "C S2 y"};
        // clang-format off
        QTest::newRow("inside the first set") << two << 3 << 0 << QList<int>{0, 4, 1, 1};
        QTest::newRow("lower-case A starts a set") << two << 7 << 4 << QList<int>{4, 8, 2, 0};
        QTest::newRow("negative index") << two << -1 << -1 << QList<int>{0, 0, 0, 0};
        QTest::newRow("no A line above: read from the top") << QStringList{"B S0", "C S0 g", "X", "A S1", "B S1"} << 2 << -1 << QList<int>{0, 3, 1, 0};
        QTest::newRow("empty line ends the set, not the search") << QStringList{"A S1", "B S1", "", "C S1 g"} << 3 << 0 << QList<int>{0, 2, 0, 0};
        // clang-format on
    }

    void standBoundaries()
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
        using Why = ReadBack::Why;
        QTest::addColumn<StandSet>("set");
        QTest::addColumn<QString>("line"); // when given, checked instead of the set
        QTest::addColumn<QList<ReadBack::Problem>>("found"); // for a line, the first only

        const auto none = QList<ReadBack::Problem>{};
        const auto one = [](int box, const QString& value, Why why) {
            return QList<ReadBack::Problem>{{box, value, why}};
        };
        const StandSet set;
        const QString typed;
        // clang-format off
    QTest::newRow("lists, a sign, an empty last grouping line")
        << makeSet("S1", "t.tre", "xa, xb ", {{11, "-5"}}, "G1\r\nG2\r\n", "a.kcp b.kcp") << typed << none;
    QTest::newRow("every one, in file order") << makeSet("S 1", "my trees.tre", "xa", {{6, "1 2"}, {SiteSpecies, " "}}) << typed
        << QList<ReadBack::Problem>{{StandBox::StandId, "S 1", Why::Separator}, {StandBox::TreeFile, "my trees.tre", Why::Separator}, {6, "1 2", Why::Separator}, {SiteSpecies, " ", Why::BlanksOnly}};
    QTest::newRow("quote before a variant code") << makeSet("S1", "t", "xa,\"xb") << typed << one(StandBox::Variant, "\"xb", Why::LeadingQuote);
    QTest::newRow("blank inside a grouping code") << makeSet("S1", "t", "xa", {}, "G1\r\nG 2") << typed << one(StandBox::Groups, "G 2", Why::Separator);
    QTest::newRow("lines read back") << set << "A S1 t @ xa @ xb" << none;
    QTest::newRow("line: a blank in the tree file name") << set << "A S1 C:\\My Files\\t.tre @ xa" << one(0, "Files\\t.tre", Why::Dropped);
    QTest::newRow("line: a blank in a B value") << set << B("S1", {{6, "CWH mm"}}) << one(0, "@", Why::Dropped);
    QTest::newRow("line: quote before a site species") << set << B("S1", {{25, "\"DF"}}) << one(25, "\"DF", Why::LeadingQuote);
        // clang-format on
    }

    void unreadableValues()
    {
        QFETCH(StandSet, set);
        QFETCH(QString, line);
        QFETCH(QList<ReadBack::Problem>, found);
        if (line.isEmpty()) {
            QCOMPARE(findUnreadableValues(set), found);
        } else {
            const std::optional<ReadBack::Problem> first = findUnreadableValue(line);
            QCOMPARE(first ? QList{*first} : QList<ReadBack::Problem>{}, found);
        }
    }
};

QTEST_GUILESS_MAIN(TestStand)
#include "tst_stand.moc"
