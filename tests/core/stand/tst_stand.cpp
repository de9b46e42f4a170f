#include "recordfile/RecordFileIO.h"
#include "LogicTest.h"
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
    void fill(const Boxes& boxes)
    {
        for (auto it = boxes.begin(); it != boxes.end(); ++it)
            m_logic->setField(it.key(), it.value());
    }

private Q_SLOTS:
    void init()
    {
        renew();
        m_logic->openFromSharedState();
    }

    void addsSetsAndKeepsTheBoxes()
    {
        fill(
            {{Box::StandId, "S1"}, {Box::Variant, "xa,xb"}, {Box::TreeFile, "t.tre"}, {2, "1999"}});
        QVERIFY(m_logic->processEntry());
        // The first set goes to the top of an empty list, the slot follows and is selected.
        QCOMPARE(m_logic->display().lines(),
                 (QStringList{"A S1 t.tre @ xa xb", "B S1 1999" + QStringLiteral(" @").repeated(27),
                              QString()}));
        QCOMPARE(m_logic->CurrentIndex(), 2);
        QCOMPARE(m_logic->processCaption(), "&Add Record");
        QCOMPARE(m_logic->field(Box::Variant), "xa xb");
        QCOMPARE(m_logic->field(2), "1999");
        QCOMPARE(m_ui->tabsFrom.size(), 1);
        // Only the stand ID changed: a second set; the addfiles switch off still writes D.
        m_logic->toggleAddfiles();
        m_logic->setField(Box::Addfile, "f.kcp");
        m_logic->toggleAddfiles();
        QVERIFY(!m_logic->addfilesOn());
        fill({{Box::StandId, "S2"}, {2, ""}, {Box::TreeFile, ""}});
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_ui->titles(), QStringList{"Bareground"});
        QCOMPARE(records().mid(2), (QStringList{"A S2 @ @ xa xb", B("S2"), "D S2 f.kcp"}));
        QCOMPARE(m_logic->field(Box::TreeFile), "");
        QVERIFY(m_logic->HasUnsavedChanges());
    }

    // Sets S0, S1 with two B lines and S2 with two D lines.
    static QStringList refusalList()
    {
        return {A("S0"), B("S0"), A("S1"),  B("S1"), B("S1", {{int(InventoryYear), "1999"}}),
                A("S2"), B("S2"), "D S2 a", "D S2 b"};
    }

    void standRefusals_data()
    {
        QTest::addColumn<int>("selected"); // -1: the slot, add mode
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("focus"); // or the line named when there is no box to go to

        const auto with = [](const Boxes& changes) {
            Boxes b = {{Box::StandId, "S1"}, {Box::Variant, "xa,xb"}, {Box::TreeFile, "t"}};
            b.insert(changes);
            return b;
        };
        // clang-format off
        QTest::newRow("no stand ID") << -1 << with({{Box::StandId, ""}}) << QList<Answer>{} << QStringList{"Missing Data"} << "txtStandData_1";
        QTest::newRow("no variant") << -1 << with({{Box::Variant, ""}}) << QList<Answer>{} << QStringList{"Missing Data"} << "txtVariant";
        QTest::newRow("bareground cancelled") << -1 << with({{Box::TreeFile, ""}}) << QList{Answer::Cancel} << QStringList{"Bareground"} << "txtTreeFile";
        QTest::newRow("blank in a stand ID") << -1 << with({{Box::StandId, "S 1"}}) << QList{Answer::Cancel} << QStringList{"Alert"} << "txtStandData_1";
        QTest::newRow("a lone point in a latitude") << -1 << with({{Latitude, "."}, {Box::TreeFile, ""}}) << QList<Answer>{} << QStringList{"Invalid Data"} << "txtStandData_3";
        QTest::newRow("a lone minus in a basal area factor") << -1 << with({{BasalAreaFactor, "-"}}) << QList<Answer>{} << QStringList{"Invalid Data"} << "txtStandData_11";
        QTest::newRow("bareground, then blanks only in habitat") << -1 << with({{Box::TreeFile, ""}, {6, "  "}}) << QList{Answer::Ok, Answer::Cancel} << QStringList{"Bareground", "Alert"} << "txtStandData_6";
        QTest::newRow("update of a set with two B lines") << 2 << with({}) << QList<Answer>{} << QStringList{"Error"} << "Line 5: " + B("S1", {{int(InventoryYear), "1999"}});
        QTest::newRow("update of a set with two D lines") << 7 << with({}) << QList<Answer>{} << QStringList{"Error"} << "Line 9: D S2 b";
        // clang-format on
    }
    void standRefusals()
    {
        QFETCH(int, selected);
        QFETCH(Boxes, boxes);
        QFETCH(QList<Answer>, answers);
        QFETCH(QStringList, titles);
        QFETCH(QString, focus);
        load(refusalList());
        m_logic->select(selected < 0 ? m_logic->RecordCount() : selected);
        fill(boxes);
        m_ui->answers = answers;
        QVERIFY(!m_logic->processEntry());
        QCOMPARE(m_ui->titles(), titles);
        QCOMPARE(m_ui->focused.isEmpty() ? m_ui->messages.last().text.section("\r\n", 2, 2)
                                         : m_ui->focused.last(),
                 focus);
        // Nothing changed, the commas in the variant box included.
        QCOMPARE(records(), refusalList());
        QCOMPARE(m_logic->field(Box::Variant), boxes.value(Box::Variant));
        QVERIFY(!m_logic->HasUnsavedChanges());
    }

    void standUpdate_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("selected");
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<QStringList>("updated");

        const QString a1 = A("S1"), b1 = B("S1"), a2 = A("S2"), b2 = B("S2");
        const QString longId = QString(30, u'L');
        // clang-format off
        QTest::newRow("C and D, grouping emptied: D moves up") << QStringList{a1, b1, "C S1 g", "D S1 f", a2, b2} << 2 << Boxes{{Box::Groups, ""}} << QStringList{a1, b1, "D S1 f", a2, b2};
        QTest::newRow("only D, both filled: C before D") << QStringList{a1, b1, "D S1 f", a2, b2} << 0 << Boxes{{Box::Groups, "g1\r\ng2"}} << QStringList{a1, b1, "C S1 g1 g2", "D S1 f", a2, b2};
        QTest::newRow("only C, both emptied") << QStringList{a1, b1, "C S1 g", a2, b2} << 1 << Boxes{{Box::Groups, ""}} << QStringList{a1, b1, a2, b2};
        QTest::newRow("A without B, last in the list") << QStringList{a2, b2, a1} << 2 << Boxes{} << QStringList{a2, b2, a1, b1};
        QTest::newRow("A followed by A") << QStringList{a1, a2, b2} << 0 << Boxes{} << QStringList{a1, b1, a2, b2};
        QTest::newRow("unknown line inside the set is kept") << QStringList{a1, b1, "X S1 note", "C S1 g"} << 3 << Boxes{{Box::Groups, "h"}} << QStringList{a1, b1, "C S1 h", "X S1 note"};
        QTest::newRow("long loaded values are written back whole") << QStringList{A(longId), "B " + longId + " 19999" + QStringLiteral(" @").repeated(27)} << 1 << Boxes{} << QStringList{A(longId), "B " + longId + " 19999" + QStringLiteral(" @").repeated(27)};
        // clang-format on
    }
    void standUpdate()
    {
        QFETCH(QStringList, list);
        QFETCH(int, selected);
        QFETCH(Boxes, boxes);
        QFETCH(QStringList, updated);
        load(list);
        m_logic->select(selected);
        const int start = m_logic->setStart();
        QCOMPARE(m_logic->CurrentIndex(), start);
        fill(boxes);
        QVERIFY(m_logic->processEntry());
        QCOMPARE(records(), updated);
        QCOMPARE(m_logic->display().lines().last(), QString());
        // The window stays on the set; updating again changes nothing.
        QCOMPARE(m_logic->CurrentIndex(), start);
        QVERIFY(m_logic->isEditMode());
        QVERIFY(m_logic->processEntry());
        QCOMPARE(records(), updated);
        QVERIFY(m_ui->messages.isEmpty());
    }

    void standRemove_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("shown"); // stand ID in the boxes afterwards
        QTest::addColumn<QString>("caption");

        const QString a1 = A("S1"), b1 = B("S1"), a2 = A("S2"), b2 = B("S2");
        // clang-format off
        QTest::newRow("the only set") << QStringList{a1, b1, "C S1 g"} << 2 << QStringList{} << "S1" << "&Add Records";
        QTest::newRow("the first set") << QStringList{a1, b1, "D S1 f", a2, b2} << 1 << QStringList{a2, b2} << "S2" << "&Update Record";
        QTest::newRow("the last set") << QStringList{a1, b1, a2, b2} << 3 << QStringList{a1, b1} << "S1" << "&Update Record";
        QTest::newRow("an invalid set: only its line") << QStringList{"B S0 1999", a1, b1} << 0 << QStringList{a1, b1} << "S1" << "&Update Record";
        // clang-format on
    }
    void standRemove()
    {
        QFETCH(QStringList, list);
        QFETCH(int, selected);
        QFETCH(QStringList, left);
        QFETCH(QString, shown);
        QFETCH(QString, caption);
        load(list);
        m_logic->select(selected);
        const bool invalid = !m_logic->setIsValid();
        QCOMPARE(m_ui->messages.size(), int(invalid));
        if (invalid) {
            QCOMPARE(m_ui->messages.first().text, "Invalid set of Stand List File records.");
            // No set to replace.
            QVERIFY(!m_logic->processEntry());
            QCOMPARE(m_ui->titles(), (QStringList{"Error", "Error"}));
        }
        m_logic->deleteCurrent();
        QCOMPARE(records(), left);
        QCOMPARE(m_logic->field(Box::StandId), shown);
        QCOMPARE(m_logic->processCaption(), caption);
        QVERIFY(m_logic->HasUnsavedChanges());
    }

    void standStepsDownSetBySet()
    {
        // A lone B line shows on its own; a set of several lines is passed in one step.
        load({"B S0 1999", A("S1"), B("S1"), "C S1 g", "D S1 f", A("S2"), B("S2")});
        m_logic->select(0);
        QList<int> shown;
        for (int step = 0; step < 4; ++step) {
            m_logic->selectNext();
            shown << m_logic->CurrentIndex();
        }
        QCOMPARE(shown, (QList<int>{1, 5, 7, 7}));
    }

    void loadKeepsTheAddfileBox()
    {
        fill({{Box::StandId, "S9"}, {Box::Addfile, "keep.kcp"}, {Box::Groups, "g"}});
        load({A("S1"), B("S1")});
        QCOMPARE(m_logic->field(Box::StandId), "");
        QCOMPARE(m_logic->field(Box::Groups), "");
        QCOMPARE(m_logic->field(Box::Addfile), "keep.kcp");
    }

    void browsingAddfiles()
    {
        // Only while switched on; a path with a blank is asked about.
        m_logic->browseAddfile();
        m_logic->toggleAddfiles();
        m_ui->fileDialogAnswers = {"a.kcp", "my b.kcp", "c.kcp"};
        m_ui->answers = {Answer::Cancel};
        for (int i = 0; i < 3; ++i)
            m_logic->browseAddfile();
        QCOMPARE(m_logic->field(Box::Addfile), "a.kcp c.kcp");
        QCOMPARE(m_ui->fileDialogFilters.last(), "Addfiles (*.kcp)|*.kcp|All Files (*.*)|*.*");
    }

    void fullListRefusesMoreLines()
    {
        QStringList sets;
        for (int i = 0; i < 32766; ++i)
            sets.append(QStringLiteral("A S%1").arg(i));
        load(sets);
        fill({{Box::StandId, "S"}, {Box::Variant, "xa"}, {Box::TreeFile, "t"}});
        QVERIFY(!m_logic->processEntry());
        m_logic->select(0); // an A line alone: its update needs a B line more
        fill({{Box::Variant, "xa"}, {Box::TreeFile, "t"}});
        QVERIFY(!m_logic->processEntry());
        QCOMPARE(m_ui->titles(), (QStringList{"Error", "Error"}));
        QCOMPARE(m_logic->RecordCount(), 32766);
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
