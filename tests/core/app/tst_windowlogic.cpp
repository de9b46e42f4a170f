#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/ModGlobal.h"
#include "location/LocValueProblem.h"
#include "location/LocationWindowLogic.h"
#include "recordfile/RecordFileIO.h"
#include "stand/ReadBackCheck.h"
#include "stand/StandWindowLogic.h"
#include "tree/TabOrderChoice.h"
#include "tree/TreeTabOrder.h"
#include "tree/TreeWindowLogic.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using Answer = UserInterface::Answer;
using namespace TreeFields;
using Field = LocRecord::Field;
using Boxes = QMap<int, QString>;
namespace Box = StandBox;
Q_DECLARE_METATYPE(StandSet)
Q_DECLARE_METATYPE(UnreadableValue)

namespace {

// Tree fields 1 to 19 as texts joined by "|", and back.
TreeFieldTexts treeFields(const QString& piped)
{
    TreeFieldTexts f;
    for (int i = 1; i <= TreeFieldCount; ++i)
        f[i] = piped.section(u'|', i - 1, i - 1);
    return f;
}
QString piped(const TreeFieldTexts& f)
{
    return QStringList(f.begin() + 1, f.end()).join(u'|');
}

// Every field at its full width, %1 the species.
const QString AllFields = "1234|567|123456|7|%1|12.3|123|456|789|1234|9|11|22|33|44|55|66|3|8";

QString record(const QString& plot, const QString& tree, const QString& species = "DF")
{
    return FormatTreeRecord({{QString(), plot, tree, QString(), QString(), species, "10"}});
}

using Rounds = QList<QList<int>>;

// The order after each round of clicks is confirmed with OK; 0 stands for the Clear button.
QList<int> afterRounds(TreeTabOrder& order, const Rounds& rounds)
{
    for (const QList<int>& clicks : rounds) {
        TabOrderChoice choice;
        for (const int field : clicks)
            field ? void(choice.choose(field)) : choice.clear();
        order.apply(choice.orderNumbers());
    }
    return order.fields();
}

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

constexpr int Year = 2, Latitude = 3, BasalAreaFactor = 11, GrowthCode = 18, SiteSpecies = 25;

// A record as "kind|location|access|Stand List File|grouping code|addfiles", kind A, B or -.
LocRecord record(const QString& text)
{
    const QStringList t = text.split(u'|');
    LocRecord r;
    r.kind = t[0] == u'A' ? LocRecord::Kind::A : t[0] == u'B' ? LocRecord::Kind::B : r.kind;
    for (int i = 0; i < 5; ++i)
        r.field(Field(i)) = t.value(i + 1);
    return r;
}
QString text(const LocRecord& r)
{
    QStringList t{r.kind == LocRecord::Kind::A ? "A" : r.kind == LocRecord::Kind::B ? "B" : "-"};
    for (int i = 0; i < 5; ++i)
        t << r.field(Field(i));
    return t.join(u'|');
}

} // namespace

// The logic of the three data windows, with a scripted user, and their record formats.
class TestWindowLogic : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedUserInterface> m_ui;
    std::unique_ptr<TreeWindowLogic> m_tree;
    std::unique_ptr<StandWindowLogic> m_stand;
    std::unique_ptr<LocationWindowLogic> m_location;

    QString field(int f) const { return m_tree->field(f); }
    // An A line in the form the window writes it, so an unchanged update gives it back.
    static QString A(const QString& id) { return QStringLiteral("A %1 t.tre @ xa ").arg(id); }
    // Current index, mode and a field's text, to compare in one go.
    QString treeWhere(int f = 0) const
    {
        return QString::number(m_tree->CurrentIndex()) + u' ' + m_tree->processTag() + u' ' +
               field(f);
    }
    void treeOn(const QStringList& lines)
    {
        const QString name = m_dir.filePath("trees.velk");
        QVERIFY(RecordFileIO::writeLines(name, lines).ok);
        m_tree->open(name);
    }
    bool processFilled()
    {
        m_tree->setField(Species, "df");
        m_tree->setField(Dbh, "10");
        return m_tree->processEntry();
    }

    QStringList records() const { return m_stand->display().lines().first(m_stand->RecordCount()); }
    void load(const QStringList& lines)
    {
        const QString name = m_dir.filePath(QStringLiteral("stands.slf"));
        QVERIFY(RecordFileIO::writeLines(name, lines).ok);
        m_ui->fileExistsAnswers = {true};
        m_stand->setFileNameBox(name);
        m_stand->fileNameBoxLeft();
        QCOMPARE(records(), lines);
        m_ui->messages.clear(); // a line of another type is reported on loading
    }
    void fill(const Boxes& boxes)
    {
        for (auto it = boxes.begin(); it != boxes.end(); ++it)
            m_stand->setField(it.key(), it.value());
    }

    // The window's fields as "location|access|Stand List File|grouping code|addfiles".
    QString shownFields() const
    {
        QStringList t;
        for (int i = 0; i < 5; ++i)
            t << m_location->field(Field(i));
        return t.join(u'|');
    }
    void fill(const QString& texts)
    {
        const LocRecord r = record("-|" + texts);
        for (int i = 0; i < 5; ++i)
            m_location->setField(Field(i), r.field(Field(i)));
    }
    // Opens on a Locations File of that content; on none when it is empty.
    void locationOn(const QByteArray& content)
    {
        const QString name = m_dir.filePath("loc.loc");
        QFile::remove(name);
        if (!content.isEmpty())
            writeFile(name, content);
        modGlobal().LocationsFileName = name;
        m_location->openFromSharedState();
    }
    QString locationWhere() const
    {
        return QString::number(m_location->CurrentIndex()) + u' ' + m_location->processTag() +
               (m_location->isTypeB() ? " B" : " A");
    }

private Q_SLOTS:
    void init()
    {
        modGlobal() = ModGlobal();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        QFile::remove("vorlin.loc");
        m_tree.reset();
        m_stand.reset();
        m_location.reset();
        m_ui = std::make_unique<ScriptedUserInterface>();
        m_tree = std::make_unique<TreeWindowLogic>(*m_ui);
        m_stand = std::make_unique<StandWindowLogic>(*m_ui);
        m_stand->start();
        modGlobal().StandListFileName = "s.slf";
        m_location = std::make_unique<LocationWindowLogic>(*m_ui);
    }

    void treeEdits_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("edited"); // the caret after its last character, or at a |
        QTest::addColumn<QString>("shown");  // with the caret at the |
        QTest::addColumn<int>("beeps");
        // clang-format off
        QTest::newRow("point in Plot number") << PlotNumber << "1" << "1." << "1|" << 1;
        QTest::newRow("point in Dbh") << Dbh << "1" << "1." << "1.|" << 0;
        QTest::newRow("point first in Tree count") << TreeCount << "" << "." << ".|" << 0;
        QTest::newRow("minus first in Tree count") << TreeCount << "" << "-" << "|" << 1;
        QTest::newRow("point between digits reads as a number") << PlotNumber << "15" << "1.|5" << "1.|5" << 0;
        QTest::newRow("blank last in Damage 1") << Damage1 << "1" << "1 " << "1|" << 1;
        QTest::newRow("4 in Value class") << ValueClass << "" << "4" << "|" << 1;
        QTest::newRow("Species: any text with a byte in the file") << Species << "" << "\u20ac-.\u0101" << "\u20ac-.|" << 1;
        QTest::newRow("a paste loses every bad character") << Dbh << "12" << "1ab|2" << "1|2" << 1;
        QTest::newRow("both halves of an emoji") << Species << "df" << "d\U0001F332|f" << "d|f" << 1;
        QTest::newRow("longer than the box: may shorten only") << TreeNumber << "1000" << "10009" << "1000|" << 1;
        // clang-format on
    }
    void treeEdits()
    {
        QFETCH(int, number);
        QFETCH(QString, before);
        QFETCH(QString, edited);
        QFETCH(QString, shown);
        QFETCH(int, beeps);
        m_tree->setField(number, before);
        const int caret = edited.contains(u'|') ? int(edited.indexOf(u'|')) : int(edited.size());
        const TypingResult r = m_tree->fieldEdited(number, edited.remove(u'|'), caret);
        QCOMPARE(QString(r.text).insert(r.caret, u'|'), shown);
        QCOMPARE(field(number), r.text);
        QCOMPARE(m_ui->beeps, beeps);
    }

    void switchesAndLocks()
    {
        for (int f = 1; f <= TreeFieldCount; ++f)
            m_tree->setField(f, f == ValueClass ? "2" : "1");
        // Status has a switch to turn; Species, Dbh and the severity fields have none.
        for (const int f : {Status, Species, Dbh, 13, 15, 17})
            m_tree->labelClicked(f);
        QVERIFY(!m_tree->isFieldEnabled(Status));
        for (const int f : {Species, Dbh, 13, 15, 17})
            QVERIFY(m_tree->isSwitchedOn(f) && m_tree->isFieldEnabled(f));
        // Damage 2 off greys both fields of the pair but empties only itself.
        m_tree->toggleSwitch(14);
        QVERIFY(!m_tree->isFieldEnabled(14) && !m_tree->isFieldEnabled(15));
        QCOMPARE(field(14) + '|' + field(15), "|1");
        // Switched on again, both texts stay.
        m_tree->toggleSwitch(14);
        QVERIFY(m_tree->isFieldEnabled(15));
        QCOMPARE(field(14) + '|' + field(15), "|1");
        // Kept: Plot number and Tree count by default, a locked field, an off Status's constant.
        m_tree->toggleLock(Dbh);
        QVERIFY(m_tree->processEntry());
        for (int f = 1; f <= TreeFieldCount; ++f)
            QCOMPARE(field(f),
                     f == PlotNumber || f == TreeCount || f == Status || f == Dbh ? "1" : "");
    }

    void treeNumbering()
    {
        // Species and Dbh are required, in that order.
        QVERIFY(!m_tree->processEntry());
        m_tree->setField(Species, "df");
        QVERIFY(!m_tree->processEntry());
        QCOMPARE(m_ui->titles(), QStringList(2, "Missing Data"));
        QCOMPARE(m_ui->focused, QStringList({"txtTreeData_5", "txtTreeData_6"}));
        QCOMPARE(m_tree->RecordCount(), 0);
        const auto numbers = [this] { return field(PlotNumber) + u'/' + field(TreeNumber); };
        m_tree->incrementPlot();
        QCOMPARE(numbers(), "1/");
        m_tree->setField(PlotNumber, "41");
        m_tree->incrementPlot();
        m_tree->toggleSwitch(TreeNumber);
        QCOMPARE(numbers(), "42/1");
        QVERIFY(processFilled());
        QCOMPARE(numbers(), "42/2");
        // Switched off while holding a value: the current record keeps it.
        m_tree->toggleSwitch(TreeNumber);
        m_tree->setField(TreeNumber, "7");
        m_tree->toggleSwitch(TreeNumber);
        QVERIFY(processFilled());
        QCOMPARE(numbers(), "42/8");
        // Past 999 and 9999 the numbers go on; the record keeps their leftmost characters.
        m_tree->setField(TreeNumber, "999");
        QVERIFY(processFilled());
        m_tree->setField(PlotNumber, "9999");
        m_tree->incrementPlot();
        QCOMPARE(numbers(), "10000/1000");
        QVERIFY(processFilled());
        QCOMPARE(m_tree->display().line(3).left(7), "1000100");
        QCOMPARE(numbers(), "10000/101");
    }

    void updateAndDelete()
    {
        treeOn({record("1", "1"), record("1", "2"), record("1", "3")});
        m_tree->select(1);
        m_tree->setField(Species, "wf");
        m_ui->tabsFrom.clear();
        QVERIFY(m_tree->processEntry());
        QCOMPARE(m_tree->display().line(1), record("1", "2", "WF"));
        QCOMPARE(treeWhere(TreeNumber), "2 edit 3");
        // From the display list the Tab lands in the first field, never in the file name box.
        QCOMPARE(m_ui->tabsFrom, QStringList{"lstDisplay"});
        // The last record: on to the slot, add mode.
        QVERIFY(m_tree->processEntry());
        QCOMPARE(treeWhere(Species), "3 add ");
        m_tree->select(0);
        m_tree->deleteCurrent();
        QCOMPARE(treeWhere(TreeNumber), "0 edit 2");
        m_tree->deleteCurrent();
        m_tree->deleteCurrent();
        QCOMPARE(treeWhere(), "0 add ");
    }

    void loadedAndEmptyRecords()
    {
        m_tree->toggleSwitch(PlotNumber);
        m_tree->setField(PlotNumber, "7");
        m_tree->setField(Species, "DF");
        const QString x1 = "  x1" + record("", " ").mid(4);
        treeOn({record("1", "4"), QString(), x1});
        QCOMPARE(field(PlotNumber), "1");
        QCOMPARE(field(Species), "");
        m_tree->toggleSwitch(TreeNumber);
        m_tree->setField(Species, "XX");
        // Selecting an empty record moves the index only.
        m_tree->select(1);
        QCOMPARE(treeWhere(Species), "1 add XX");
        m_tree->ResetEntryFields();
        QCOMPARE(field(TreeNumber), "5");
        // Still in add mode, the new record goes into the slot.
        m_ui->tabsFrom.clear();
        QVERIFY(processFilled());
        QCOMPARE(m_ui->tabsFrom, QStringList{"lstDisplay"});
        QCOMPARE(m_tree->display().lines(),
                 QStringList({record("1", "4"), QString(), x1, record("1", "5"), QString()}));
        // A loaded value the typing rule rejects is neither cut nor beeped at.
        m_tree->select(2);
        QCOMPARE(field(PlotNumber), "x1");
        QCOMPARE(m_ui->beeps, 0);
        // Nothing to count on after an empty line or a blank tree number: numbering restarts.
        for (const int index : {2, 3}) {
            m_tree->select(index);
            m_tree->ResetEntryFields();
            QCOMPARE(field(TreeNumber), "1");
        }
        m_tree->select(1);
        QCOMPARE(treeWhere(), "1 edit ");
    }

    void clickedFieldsComeFirst_data()
    {
        QTest::addColumn<Rounds>("rounds");
        QTest::addColumn<QList<int>>("first");
        // clang-format off
        QTest::newRow("OK without clicks") << Rounds{{}} << QList<int>();
        QTest::newRow("Dbh, Species, Tree number") << Rounds{{6, 5, 2}} << QList<int>{6, 5, 2};
        QTest::newRow("a chosen field twice") << Rounds{{6, 5, 6, 2}} << QList<int>{6, 5, 2};
        QTest::newRow("Clear") << Rounds{{1, 2, 0, 6, 5, 2}} << QList<int>{6, 5, 2};
        QTest::newRow("a later round") << Rounds{{6, 5, 2}, {19}} << QList<int>{19, 6, 5, 2};
        // clang-format on
    }
    void clickedFieldsComeFirst()
    {
        QFETCH(Rounds, rounds);
        QFETCH(QList<int>, first);
        // Behind the fields listed first, the rest follow in field order.
        QList<int> expected = first;
        for (int field = 1; field <= TreeFieldCount; ++field) {
            if (!first.contains(field))
                expected.append(field);
        }
        TreeTabOrder order;
        QCOMPARE(afterRounds(order, rounds), expected);
    }

    void focusSkipsASwitchedOffFirstField()
    {
        ScriptedUserInterface ui;
        TreeWindowLogic logic(ui);
        afterRounds(logic.tabOrder(), {{2, 12, 13, 6}});
        QCOMPARE(logic.firstFocusField(), 2);
        logic.toggleSwitch(2);
        logic.toggleSwitch(12);
        QCOMPARE(logic.firstFocusField(), 6);
    }

    void treeFormat_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("record");
        // clang-format off
        // Species and Dbh in their columns, blanks around them.
        const auto speciesAndDbh = [](const char* columns15to21) { return QString(14, u' ') + columns15to21 + QString(28, u' '); };
        QTest::newRow("three-digit species code") << "||||122|8" << speciesAndDbh("122 8.0");
        QTest::newRow("tree number 1000 keeps leftmost") << "|1000|||DF|1" << "    100" + speciesAndDbh("DF  1.0").mid(7);
        QTest::newRow("plot number of five digits") << "10000||||DF|1" << "1000" + speciesAndDbh("DF  1.0").mid(4);
        QTest::newRow("dbh 100 cut to 100.") << "||||DF|100" << speciesAndDbh("DF 100.");
        QTest::newRow("all nineteen fields full") << AllFields.arg("abc") << "12345671234567ABC12.31234567891234911223344556638";
        QTest::newRow("sharp s is not widened by upper case") << "||||\u00df\u00e9|1" << speciesAndDbh("\u00df\u00c9  1.0");
        // clang-format on
    }
    void treeFormat()
    {
        QFETCH(QString, input);
        QFETCH(QString, record);
        QCOMPARE(FormatTreeRecord(treeFields(input)), record);
    }

    void formatDbh_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("formatted");
        // Halves away from zero; a lone point is 0; what is no number stays as it is.
        for (const QString& row :
             QStringLiteral("12=12.0|0.5=.5|9.96=10.0|1234=1234.0|.=.0|0.05=.1|"
                            "2.25=2.3|2.35=2.4|0.04=.0|-1.25=-1.3|-0.04=.0|"
                            " 5=5.0|99.95=100.0|abc=abc|"
                            "999999999999999999999.99=1000000000000000000000.0")
                 .split(u'|'))
            QTest::newRow(qPrintable(row)) << row.section(u'=', 0, 0) << row.section(u'=', 1);
    }
    void formatDbh()
    {
        QFETCH(QString, text);
        QFETCH(QString, formatted);
        QCOMPARE(::formatDbh(text), formatted);
    }

    void treeParse_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("worked example") << "   1 12     11DF 10.5  3 85       5            1 " << "1|12|1|1|DF|10.5|3|85|||5|||||||1";
        QTest::newRow("short line leaves the rest empty") << "   1  7" << "1|7";
        QTest::newRow("line ending inside a field") << "   1  7     1" << "1|7|1";
        QTest::newRow("species keeps inner and leading blanks") << QString(14, u' ') + " A " << "|||| A";
        QTest::newRow("blanks inside a value stay") << " 1 2" << "1 2";
        QTest::newRow("beyond column 49 ignored") << "12345671234567ABC12.31234567891234911223344556638EXTRA" << AllFields.arg("ABC");
        // clang-format on
    }
    void treeParse()
    {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QCOMPARE(piped(ParseTreeRecord(line)), piped(treeFields(expected)));
    }

    void replaceKeepsWhatStandsPastColumn49()
    {
        const TreeFieldTexts input = treeFields(AllFields.arg("WF"));
        const QString built = FormatTreeRecord(input);
        // Plot data of another tool, with a byte that has no character of its own.
        const QString tail = " 25 180 HT3  \u0081";
        const QString old = FormatTreeRecord(treeFields("||||DF|5"));
        QCOMPARE(ReplaceTreeRecord(old + tail, input), built + tail);
        QCOMPARE(ReplaceTreeRecord(old, input), built);
        QCOMPARE(ReplaceTreeRecord("   1", input), built);
    }

    void addsSetsAndKeepsTheBoxes()
    {
        fill(
            {{Box::StandId, "S1"}, {Box::Variant, "xa,xb"}, {Box::TreeFile, "t.tre"}, {2, "1999"}});
        QVERIFY(m_stand->processEntry());
        // The first set goes to the top of an empty list, the slot follows and is selected.
        QCOMPARE(m_stand->display().lines(),
                 (QStringList{"A S1 t.tre @ xa xb", "B S1 1999" + QStringLiteral(" @").repeated(27),
                              QString()}));
        QCOMPARE(m_stand->CurrentIndex(), 2);
        QCOMPARE(m_stand->processCaption(), "&Add Record");
        QCOMPARE(m_stand->field(Box::Variant), "xa xb");
        QCOMPARE(m_stand->field(2), "1999");
        QCOMPARE(m_ui->tabsFrom.size(), 1);
        // Only the stand ID changed: a second set; the addfiles switch off still writes D.
        m_stand->toggleAddfiles();
        m_stand->setField(Box::Addfile, "f.kcp");
        m_stand->toggleAddfiles();
        QVERIFY(!m_stand->addfilesOn());
        fill({{Box::StandId, "S2"}, {2, ""}, {Box::TreeFile, ""}});
        QVERIFY(m_stand->processEntry());
        QCOMPARE(m_ui->titles(), QStringList{"Bareground"});
        QCOMPARE(records().mid(2), (QStringList{"A S2 @ @ xa xb", B("S2"), "D S2 f.kcp"}));
        QCOMPARE(m_stand->field(Box::TreeFile), "");
        QVERIFY(m_stand->HasUnsavedChanges());
    }

    void standRefusals_data()
    {
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("focus");

        const auto with = [](const Boxes& changes) {
            Boxes b = {{Box::StandId, "S1"}, {Box::Variant, "xa,xb"}, {Box::TreeFile, "t"}};
            b.insert(changes);
            return b;
        };
        // clang-format off
        QTest::newRow("no stand ID") << with({{Box::StandId, ""}}) << QList<Answer>{} << QStringList{"Missing Data"} << "txtStandData_1";
        QTest::newRow("no variant") << with({{Box::Variant, ""}}) << QList<Answer>{} << QStringList{"Missing Data"} << "txtVariant";
        QTest::newRow("bareground cancelled") << with({{Box::TreeFile, ""}}) << QList{Answer::Cancel} << QStringList{"Bareground"} << "txtTreeFile";
        QTest::newRow("blank in a stand ID") << with({{Box::StandId, "S 1"}}) << QList{Answer::Cancel} << QStringList{"Alert"} << "txtStandData_1";
        QTest::newRow("bareground, then blanks only in habitat") << with({{Box::TreeFile, ""}, {6, "  "}}) << QList{Answer::Ok, Answer::Cancel} << QStringList{"Bareground", "Alert"} << "txtStandData_6";
        // clang-format on
    }
    void standRefusals()
    {
        QFETCH(Boxes, boxes);
        QFETCH(QList<Answer>, answers);
        QFETCH(QStringList, titles);
        QFETCH(QString, focus);
        load({A("S0"), B("S0")});
        fill(boxes);
        m_ui->answers = answers;
        QVERIFY(!m_stand->processEntry());
        QCOMPARE(m_ui->titles(), titles);
        QCOMPARE(m_ui->focused.last(), focus);
        // Nothing changed, the commas in the variant box included.
        QCOMPARE(records(), (QStringList{A("S0"), B("S0")}));
        QCOMPARE(m_stand->field(Box::Variant), boxes.value(Box::Variant));
        QVERIFY(!m_stand->HasUnsavedChanges());
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
        m_stand->select(selected);
        const int start = m_stand->setStart();
        QCOMPARE(m_stand->CurrentIndex(), start);
        fill(boxes);
        QVERIFY(m_stand->processEntry());
        QCOMPARE(records(), updated);
        QCOMPARE(m_stand->display().lines().last(), QString());
        // The window stays on the set; updating again changes nothing.
        QCOMPARE(m_stand->CurrentIndex(), start);
        QVERIFY(m_stand->isEditMode());
        QVERIFY(m_stand->processEntry());
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
        m_stand->select(selected);
        const bool invalid = !m_stand->setIsValid();
        QCOMPARE(m_ui->messages.size(), int(invalid));
        if (invalid) {
            QCOMPARE(m_ui->messages.first().text, "Invalid set of Stand List File records.");
            // No set to replace.
            QVERIFY(!m_stand->processEntry());
            QCOMPARE(m_ui->titles(), (QStringList{"Error", "Error"}));
        }
        m_stand->deleteCurrent();
        QCOMPARE(records(), left);
        QCOMPARE(m_stand->field(Box::StandId), shown);
        QCOMPARE(m_stand->processCaption(), caption);
        QVERIFY(m_stand->HasUnsavedChanges());
    }

    void standStepsDownSetBySet()
    {
        // A lone B line shows on its own; a set of several lines is passed in one step.
        load({"B S0 1999", A("S1"), B("S1"), "C S1 g", "D S1 f", A("S2"), B("S2")});
        m_stand->select(0);
        QList<int> shown;
        for (int step = 0; step < 4; ++step) {
            m_stand->selectNext();
            shown << m_stand->CurrentIndex();
        }
        QCOMPARE(shown, (QList<int>{1, 5, 7, 7}));
    }

    void loadKeepsTheAddfileBox()
    {
        fill({{Box::StandId, "S9"}, {Box::Addfile, "keep.kcp"}, {Box::Groups, "g"}});
        load({A("S1"), B("S1")});
        QCOMPARE(m_stand->field(Box::StandId), "");
        QCOMPARE(m_stand->field(Box::Groups), "");
        QCOMPARE(m_stand->field(Box::Addfile), "keep.kcp");
    }

    void browsingAndTyping()
    {
        modGlobal().TreeFileName = "handed.tre";
        // A tree file other than the handed-over one: Cancel puts that one back.
        m_ui->fileDialogAnswers = {"other.tre", QStringLiteral("\u0101.tre")};
        m_ui->answers = {Answer::Cancel};
        m_stand->browseTree();
        QCOMPARE(m_stand->field(Box::TreeFile), "handed.tre");
        m_stand->browseTree(); // a path the file cannot hold
        QCOMPARE(m_stand->field(Box::TreeFile), "handed.tre");
        QCOMPARE(m_ui->titles(), (QStringList{"Alert", "Error"}));
        // Addfiles: only while switched on; a path with a blank is asked about.
        m_stand->browseAddfile();
        m_stand->toggleAddfiles();
        m_ui->fileDialogAnswers = {"a.kcp", "my b.kcp", "c.kcp"};
        m_ui->answers = {Answer::Cancel};
        for (int i = 0; i < 3; ++i)
            m_stand->browseAddfile();
        QCOMPARE(m_stand->field(Box::Addfile), "a.kcp c.kcp");
        QCOMPARE(m_ui->fileDialogFilters.last(), "Addfiles (*.kcp)|*.kcp|All Files (*.*)|*.*");
        // Typing: a character without a byte in the file is refused in any box.
        const TypingResult typed = m_stand->fieldEdited(Box::Variant, QStringLiteral("x\u0101"), 2);
        QCOMPARE(std::pair(typed.text, typed.beep), std::pair(QStringLiteral("x"), true));
    }

    void fullListRefusesMoreLines()
    {
        QStringList sets;
        for (int i = 0; i < 32766; ++i)
            sets.append(QStringLiteral("A S%1").arg(i));
        load(sets);
        fill({{Box::StandId, "S"}, {Box::Variant, "xa"}, {Box::TreeFile, "t"}});
        QVERIFY(!m_stand->processEntry());
        m_stand->select(0); // an A line alone: its update needs a B line more
        fill({{Box::Variant, "xa"}, {Box::TreeFile, "t"}});
        QVERIFY(!m_stand->processEntry());
        QCOMPARE(m_ui->titles(), (QStringList{"Error", "Error"}));
        QCOMPARE(m_stand->RecordCount(), 32766);
    }

    void standTyping_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");

        // The class and the length limit of every box, seen through one set of keys.
        const QStringList onePointFive =
            QStringLiteral("1.5 15 1.5 1.5 15 1.5 15 1.5 1.5 1.5 1.5 1.5 "
                           "1.5 15 15 1.5 1.5 1 1.5 1 1.5 1.5 1.5 1.5 1. 1.5 1 1.5 1.5")
                .split(u' ');
        for (int box = 1; box <= 29; ++box)
            QTest::addRow("1.5 in box %d", box)
                << box << "1.5" << onePointFive[box - 1] << 3 - int(onePointFive[box - 1].size());
        const QString anything = QStringLiteral("Stand -7.@ at the creek, 12"); // 27 characters
        // clang-format off
    QTest::newRow("point first in a latitude") << Latitude << ".5" << ".5" << 0;
    QTest::newRow("minus first in a latitude") << Latitude << "-5" << "5" << 1;
    QTest::newRow("minus first in a basal area factor") << BasalAreaFactor << "-10" << "-10" << 0;
    QTest::newRow("minus after 10 in a basal area factor") << BasalAreaFactor << "10-" << "10" << 1;
    QTest::newRow("@ then a digit") << Year << "@5" << "@" << 1;
    QTest::newRow("@ in a growth code") << GrowthCode << "@" << "@" << 0;
    QTest::newRow("4 in a growth code") << GrowthCode << "4" << "" << 1;
    QTest::newRow("blank into an empty growth code") << GrowthCode << " " << "" << 1;
    // Blanks read as part of a number, so each number class must refuse a trailing one.
    QTest::newRow("3 in a growth code") << GrowthCode << "3" << "3" << 0;
    QTest::newRow("blank at the end, whole") << Year << "19 " << "19" << 1;
    QTest::newRow("blank at the end, signed") << BasalAreaFactor << "-1 " << "-1" << 1;
    // A sign after the digits, or a blank inside, would reach the file as another field.
    QTest::newRow("trailing minus in a whole number") << Year << "5-" << "5" << 1;
    QTest::newRow("year takes four characters") << Year << "19995" << "1999" << 1;
    QTest::newRow("stand ID takes 26 of anything") << Box::StandId << anything << anything.left(26) << 1;
    QTest::newRow("site species takes two of anything") << SiteSpecies << "d f" << "d " << 1;
        // clang-format on
    }

    void standTyping()
    {
        QFETCH(int, index);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, beeps);
        // One key at a time at the end, as a text box hands them over.
        for (const QChar key : keys) {
            const QString typed = m_stand->field(index) + key;
            m_stand->fieldEdited(index, typed, int(typed.size()));
        }
        QCOMPARE(m_stand->field(index), text);
        QCOMPARE(m_ui->beeps, beeps);
    }

    void standParse_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<StandSet>("set");

        // clang-format off
        QTest::newRow("bareground, third field skipped, @ codes dropped") << QStringList{"A S1 @ zz xa @ xb"} << makeSet("S1", "", "xa xb ");
        QTest::newRow("more than 29 tokens") << QStringList{"A S1 t @ xa", B("S1", {{29, "29"}}) + " 30 31"} << makeSet("S1", "t", "xa ", {{29, "29"}});
        QTest::newRow("C and D lines mixed, @ dropped") << QStringList{"A S1 t @ xa", "C S1 G1 @ G2", "D S1 first.kcp", "C S1 G3", "D S1 @ second.kcp"} << makeSet("S1", "t", "xa ", {}, "G1\r\nG2\r\nG3", "first.kcp second.kcp");
        QTest::newRow("blank in the tree file name") << QStringList{"A S1 C:\\My Files\\t.tre @ xa"} << makeSet("S1", "C:\\My", "xa ");
        QTest::newRow("lower-case letters") << QStringList{"a S1 t @ xa", "b S1 1999", "c S1 G1", "d S1 f.kcp"} << makeSet("S1", "t", "xa ", {{2, "1999"}}, "G1", "f.kcp");
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
        QTest::newRow("index past the end") << two << 100 << 4 << QList<int>{4, 8, 2, 0};
        QTest::newRow("negative index") << two << -1 << -1 << QList<int>{0, 0, 0, 0};
        QTest::newRow("empty list") << QStringList() << 0 << -1 << QList<int>{0, 0, 0, 0};
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
    QTest::newRow("line: a blank in a B value") << set << B("S1", {{6, "CWH mm"}}) << one(0, "@", Why::Dropped);
    QTest::newRow("line: quote before a site species") << set << B("S1", {{25, "\"DF"}}) << one(25, "\"DF", Why::LeadingQuote);
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

    void locationParse_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("written"); // the record formatted again
        const QString example = "A \"Big Creek project\" @ bigcreek.slf @ @";
        // clang-format off
        QTest::newRow("A example") << example << "A|Big Creek project|@|bigcreek.slf||" << example;
        QTest::newRow("lower-case a") << "a" + example.mid(1) << "A|Big Creek project|@|bigcreek.slf||" << example;
        // An empty access field would let the file name slide into its place on reading.
        QTest::newRow("empty quoted access field") << "A \"L\" \"\" b.slf" << "A|L||b.slf||" << "A \"L\" @ b.slf @ @";
        QTest::newRow("empty location name") << "A \"\" @ b.slf @ @" << "A||@|b.slf||" << "A \"\" @ b.slf @ @";
        QTest::newRow("ends after the access field") << "A \"L\" @" << "A|L|@|||" << "A \"L\" @  @ @";
        QTest::newRow("ends after the quoted name") << "A \"Big Creek\"" << "A|Big Creek|@|||" << "A \"Big Creek\" @  @ @";
        QTest::newRow("tabs and runs of separators, tab inside quotes") << "A\t \"a\tb\"  \tx\t\tb.slf" << "A|a\tb|x|b.slf||" << "A \"a\tb\" x b.slf @ @";
        QTest::newRow("quote that never closes takes the rest of the line") << "A \"Big Creek @ b.slf " << "A|Big Creek @ b.slf |@|||" << "A \"Big Creek @ b.slf \" @  @ @";
        QTest::newRow("token right after a quoted one, quote inside a token") << "A \"L\"a\"b b.slf" << "A|L|a\"b|b.slf||" << "A \"L\" a\"b b.slf @ @";
        QTest::newRow("@ dropped, tab between names") << "B G1 @ a.kcp\tb.kcp" << "B||@||G1|a.kcp b.kcp" << "B G1 a.kcp b.kcp";
        QTest::newRow("one-character last token") << "B G1 x" << "B||@||G1|x" << "B G1 x";
        QTest::newRow("trailing blank") << "B G1 a.kcp " << "B||@||G1|a.kcp" << "B G1 a.kcp";
        QTest::newRow("lower-case b") << "b G1 a.kcp" << "B||@||G1|a.kcp" << "B G1 a.kcp";
        QTest::newRow("C line") << "C G1 a.kcp" << "-||@|||" << "";
        QTest::newRow("blank first") << " A \"L\" @ b.slf @ @" << "-||@|||" << "";
        // clang-format on
    }
    void locationParse()
    {
        QFETCH(QString, line);
        QFETCH(QString, record);
        QFETCH(QString, written);
        const LocRecord parsed = ParseLocRecord(line);
        QCOMPARE(text(parsed), record);
        QCOMPARE(FormatLocRecord(parsed), written);
    }

    void valuesThatWouldNotReadBack_data()
    {
        QTest::addColumn<QString>("record"); // or, without a | in it, a line of the file
        QTest::addColumn<QStringList>("problems");
        const QString extra =
            "addfiles: has blanks at its start or end, or more than one between names";
        // clang-format off
        QTest::newRow("A, blanks in the name, empty access") << "A| Big\tCreek ||C:\\b.slf||" << QStringList();
        QTest::newRow("A, access holds a tab, file name a blank") << "A|L|a\tb|C:\\My Files\\b.slf||"
            << QStringList{"access: holds a blank or tab", "slf: holds a blank or tab"};
        QTest::newRow("A, file name blanks only") << "A|L|@|  ||" << QStringList{"slf: is made of blanks only"};
        QTest::newRow("A, no byte, file name in a quote") << "A|\u0101|@|\"b.slf||"
            << QStringList{"location: holds a character that the file cannot hold", "slf: begins with a double quote"};
        QTest::newRow("B, quotes inside names") << "B||@||G\"1|a\"b c.kcp" << QStringList();
        QTest::newRow("B, empty grouping code, two blanks") << "B||@|||a  b" << QStringList{"group: is empty", extra};
        QTest::newRow("B, trailing blank") << "B||@||G1|a " << QStringList{extra};
        QTest::newRow("B, tab") << "B||@||G1|a\tb" << QStringList{"addfiles: holds a tab"};
        QTest::newRow("B, @ among the names") << "B||@||G1|a @" << QStringList{"addfiles: has a name \"@\", which stands for no value"};
        QTest::newRow("B, name in a quote") << "B||@||G1|a \"b" << QStringList{"addfiles: has a name beginning with a double quote"};
        QTest::newRow("line, quoted addfile with a blank") << "B G1 @ \"My Files\\a.kcp\"" << QStringList{"addfiles: holds a blank or tab"};
        QTest::newRow("line, A with a blank in the file name") << "A \"L\" @ C:\\My Files\\b.slf @ @"
            << QStringList{"slf: has no field on its line, so the reader skips it (a name with a blank in it before it is the usual cause)"};
        // clang-format on
    }
    void valuesThatWouldNotReadBack()
    {
        QFETCH(QString, record);
        QFETCH(QStringList, problems);
        const bool isLine = !record.contains(u'|');
        LocRecord typed = ::record(record);
        const char* names[] = {"location", "access", "slf", "group", "addfiles"};
        QStringList found;
        for (const LocValueProblem& p :
             isLine ? ::valuesThatWouldNotReadBack(record) : ::valuesThatWouldNotReadBack(typed))
            found << QString::fromLatin1(names[int(p.field)]) + ": " + p.reasonText();
        QCOMPARE(found, problems);
        // Values without a problem read back as they are ("@" stands for an empty access field).
        if (problems.isEmpty() && !isLine) {
            if (typed.access.isEmpty())
                typed.access = "@";
            QCOMPARE(text(ParseLocRecord(FormatLocRecord(typed))), text(typed));
        }
    }

    void locationOpening_data()
    {
        QTest::addColumn<QString>("handed");
        QTest::addColumn<QString>("onDisk");
        // clang-format off
        QTest::newRow("no file") << "" << "";
        QTest::newRow("vorlin.loc") << "" << "vorlin.loc";
        QTest::newRow("another name") << "other.loc" << "other.loc";
        // clang-format on
    }
    void locationOpening()
    {
        QFETCH(QString, handed);
        QFETCH(QString, onDisk);
        if (!onDisk.isEmpty())
            writeFile(onDisk, "A \"L\" @ b.slf @ @\r\n");
        m_location->chooseType(true);
        modGlobal().LocationsFileName = handed;
        m_location->openFromSharedState();
        const QString name = handed.isEmpty() ? "vorlin.loc" : handed;
        QCOMPARE(m_location->fileNameBox() + u' ' + modGlobal().LocationsFileName,
                 name + u' ' + name);
        // The handed-over Stand List File only when nothing was loaded.
        QCOMPARE(m_location->display().size(), onDisk.isEmpty() ? 0 : 2);
        QCOMPARE(shownFields(), onDisk.isEmpty() ? "|@|s.slf||" : "|@|||");
        QCOMPARE(locationWhere(), onDisk.isEmpty() ? "0 add A" : "1 add A");
        QVERIFY(m_ui->messages.isEmpty());
    }

    void checksAndRecords()
    {
        locationOn({});
        // Only an empty text is missing: blanks pass.
        const std::pair<bool, const char*> steps[] = {
            {false, "L|@||G|a"},    {false, "|@|b.slf|G|a"}, {false, " Big \"C\" |@|b.slf||"},
            {true, "L|@|b.slf||a"}, {true, "|@||G1|"},       {true, "|@||G1|a b"}};
        for (const auto& [typeB, texts] : steps) {
            fill(QString::fromUtf8(texts));
            m_location->chooseType(typeB);
            m_location->processEntry();
        }
        QStringList shown;
        for (const ScriptedUserInterface::Message& m : m_ui->messages)
            shown << m.title + u' ' + m.text;
        QCOMPARE(shown, QStringList({"Missing Data Stand List Filename is required",
                                     "Missing Data Location Name is required",
                                     "Missing Data A Grouping Code is required",
                                     "Missing Data Addfile name is missing"}));
        QCOMPARE(m_ui->messages[0].icon, UserInterface::Icon::Exclamation);
        QCOMPARE(m_ui->focused,
                 QStringList({"txtSlfFile", "txtLocation", "txtAddfileGroup", "txtAddfile"}));
        // The box shows the apostrophes written; a B record ignores the A fields.
        QCOMPARE(m_location->display().lines(),
                 QStringList({"A \" Big 'C' \" @ b.slf @ @", "B G1 a b", ""}));
        QCOMPARE(shownFields(), "|@||G1|a b");
        m_location->chooseType(false);
        QVERIFY(m_location->isFieldEnabled(Field::SlfFileName));
        QVERIFY(!m_location->isFieldEnabled(Field::Addfiles));
    }

    void selectingAndUpdating()
    {
        locationOn(
            "A \"L\" x b.slf @ @\r\nb G1 \"a.kcp\"\tc.kcp\r\nC x\r\nA \"M\" @ m.slf @ @\r\n");
        QCOMPARE(m_ui->titles(), QStringList{"Error"});
        // A loaded access field goes through an update; the next line comes up.
        m_location->select(0);
        QCOMPARE(shownFields(), "L|x|b.slf||");
        m_location->setField(Field::LocationName, "L2");
        QVERIFY(m_location->processEntry());
        QCOMPARE(m_location->display().line(0), "A \"L2\" x b.slf @ @");
        QCOMPARE(locationWhere() + u' ' + shownFields(), "1 edit B |@||G1|a.kcp c.kcp");
        // b and B are the same letter: no question.
        QVERIFY(m_location->processEntry());
        QCOMPARE(m_location->display().line(1), "B G1 a.kcp c.kcp");
        QCOMPARE(m_ui->titles(), QStringList(2, "Error"));

        // A line of another letter: empty fields, the kind kept, Update and Delete still work.
        QCOMPARE(m_ui->messages.last().text, "Invalid Locations File format.\r\n");
        QCOMPARE(m_ui->messages.last().icon, UserInterface::Icon::Critical);
        QCOMPARE(locationWhere() + u' ' + shownFields(), "2 edit B |@|||");
        m_location->select(4);
        QCOMPARE(locationWhere() + u' ' + shownFields(), "4 add B |@|||");
        m_location->select(2);
        m_location->deleteCurrent();
        QCOMPARE(locationWhere(), "1 edit B");

        // A record of the other kind asks before it replaces a line.
        m_location->select(2);
        m_location->chooseType(true);
        fill("|@||G2|d.kcp");
        m_ui->answers = {Answer::Cancel};
        QVERIFY(!m_location->processEntry());
        QCOMPARE(m_location->display().line(2), "A \"M\" @ m.slf @ @");
        QCOMPARE(m_ui->messages.last().title + u' ' + m_ui->messages.last().text,
                 "Different Record Type Replace highlighted line?");
        QVERIFY(m_location->processEntry());
        QCOMPARE(m_location->display().line(2), "B G2 d.kcp");
        QCOMPARE(locationWhere(), "3 add B");

        // V goes to the slot: the access field returns to "@".
        m_location->select(0);
        m_location->moveToEnd();
        QCOMPARE(shownFields(), "L2|@|b.slf||");
    }

    void readBackWarning()
    {
        // Typed, and loaded from quoted tokens that would be written back bare.
        const std::pair<QByteArray, const char*> cases[] = {
            {{}, "txtSlfFile"},
            {"A \"L\" \"a b\" b.slf @ @", ""},
            {"B G1 \"My Files\\a.kcp\"", "txtAddfile"}};
        for (const auto& [file, focus] : cases) {
            m_ui->messages.clear();
            m_ui->focused.clear();
            m_ui->fileExistsAnswers = {true};
            locationOn(file);
            file.isEmpty() ? fill("a\"b|@|C:\\My Files\\b.slf||") : m_location->select(0);
            const QString before = shownFields();
            m_ui->answers = {Answer::Cancel};
            QVERIFY(!m_location->processEntry());
            QCOMPARE(m_ui->titles(), QStringList{"Alert"});
            QCOMPARE(m_ui->focused.join(""), focus);
            QCOMPARE(shownFields(), before);
            QVERIFY(!m_location->HasUnsavedChanges());
            // OK writes the value as it stands.
            QVERIFY(m_location->processEntry());
            QVERIFY(m_location->HasUnsavedChanges());
        }
        QCOMPARE(m_location->display().line(0), "B G1 My Files\\a.kcp");
        m_ui->messages.clear();
        locationOn({});
        fill("L|@|C:\\My Files\\b.slf||");
        m_ui->answers = {Answer::Cancel};
        m_location->processEntry();
        QCOMPARE(m_ui->messages[0].text,
                 "The Stand List File name \"C:\\My Files\\b.slf\" holds a blank or tab: the "
                 "Locations File would give it back as \"C:\\My\".\r\nWrite it as it is?");
    }

    void typingAndBrowsing()
    {
        locationOn({});
        const TypingResult typed =
            m_location->fieldEdited(Field::LocationName, "B\u0101ig \u20ac", 3);
        QCOMPARE(std::pair(typed.text, typed.caret), std::pair(QString("Big \u20ac"), 2));
        QCOMPARE(m_ui->beeps, 1);

        // Cancel, a path the file cannot hold, a path; the addfile Browse only for B records.
        m_ui->fileDialogAnswers = {std::nullopt, "C:/\u0101.slf", "C:/b.slf", "a.kcp", "b.kcp"};
        for (int i = 0; i < 3; ++i)
            m_location->browseSlf();
        m_location->browseAddfile();
        m_location->chooseType(true);
        m_location->browseAddfile();
        m_location->browseAddfile();
        QCOMPARE(shownFields(), "Big \u20ac|@|C:/b.slf||a.kcp b.kcp");
        QCOMPARE(m_ui->titles(), QStringList{"Alert"});
        QCOMPARE(m_ui->focused, QStringList({"txtSlfFile", "txtSlfFile", "txtSlfFile", "txtAddfile",
                                             "txtAddfile"}));
        QCOMPARE(m_ui->fileDialogFilters.size(), 5);

        // A handed-over name the file cannot hold is refused when the record is built.
        m_location->chooseType(false);
        m_location->setField(Field::SlfFileName, "\u0101.slf");
        QVERIFY(!m_location->processEntry());
        QCOMPARE(m_ui->messages.last().text, "The Stand List File name \"\u0101.slf\" holds a "
                                             "character that the Locations File cannot hold.");
        QVERIFY(m_location->display().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWindowLogic)
#include "tst_windowlogic.moc"
