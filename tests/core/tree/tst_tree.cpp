#include "ScriptedUserInterface.h"
#include "recordfile/RecordFileIO.h"
#include "tree/TabOrderChoice.h"
#include "tree/TreeTabOrder.h"
#include "tree/TreeWindowLogic.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace TreeFields;

namespace {

TreeFieldTexts fields(std::initializer_list<std::pair<int, QString>> values)
{
    TreeFieldTexts f;
    for (const auto& [number, text] : values)
        f[number] = text;
    return f;
}

// Fields 1 to 19 in order.
TreeFieldTexts inOrder(const QStringList& texts)
{
    TreeFieldTexts f;
    for (int i = 1; i <= TreeFieldCount; ++i)
        f[i] = texts.value(i - 1);
    return f;
}

// Every field at its full width.
TreeFieldTexts allFields(const QString& species)
{
    return inOrder({"1234", "567", "123456", "7", species, "12.3", "123", "456", "789", "1234", "9",
                    "11", "22", "33", "44", "55", "66", "3", "8"});
}

const QString Worked = "   1 12     11DF 10.5  3 85       5            1 ";
const TreeFieldTexts WorkedFields = inOrder(
    {"1", "12", "1", "1", "DF", "10.5", "3", "85", "", "", "5", "", "", "", "", "", "", "1"});

// Species and Dbh in their columns, blanks around them.
QString speciesAndDbh(const QString& columns15to21)
{
    return QString(14, u' ') + columns15to21 + QString(28, u' ');
}

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

} // namespace

class TestTree : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedUserInterface> m_ui;
    std::unique_ptr<TreeWindowLogic> m_logic;

    QString field(int f) const { return m_logic->field(f); }
    // Current index, mode and a field's text, to compare in one go.
    QString where(int f = 0) const
    {
        return QString::number(m_logic->CurrentIndex()) + u' ' + m_logic->processTag() + u' ' +
               field(f);
    }
    void openOn(const QStringList& lines)
    {
        const QString name = m_dir.filePath("trees.velk");
        QVERIFY(RecordFileIO::writeLines(name, lines).ok);
        m_logic->open(name);
    }
    bool processFilled()
    {
        m_logic->setField(Species, "df");
        m_logic->setField(Dbh, "10");
        return m_logic->processEntry();
    }

private Q_SLOTS:
    void init()
    {
        m_logic.reset();
        m_ui = std::make_unique<ScriptedUserInterface>();
        m_logic = std::make_unique<TreeWindowLogic>(*m_ui);
    }

    void edits_data()
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
    void edits()
    {
        QFETCH(int, number);
        QFETCH(QString, before);
        QFETCH(QString, edited);
        QFETCH(QString, shown);
        QFETCH(int, beeps);
        m_logic->setField(number, before);
        const int caret = edited.contains(u'|') ? int(edited.indexOf(u'|')) : int(edited.size());
        const TypingResult r = m_logic->fieldEdited(number, edited.remove(u'|'), caret);
        QCOMPARE(QString(r.text).insert(r.caret, u'|'), shown);
        QCOMPARE(field(number), r.text);
        QCOMPARE(m_ui->beeps, beeps);
    }

    void switchesAndLocks()
    {
        for (int f = 1; f <= TreeFieldCount; ++f)
            m_logic->setField(f, f == ValueClass ? "2" : "1");
        // Status has a switch to turn; Species, Dbh and the severity fields have none.
        for (const int f : {Status, Species, Dbh, 13, 15, 17})
            m_logic->labelClicked(f);
        QVERIFY(!m_logic->isFieldEnabled(Status));
        for (const int f : {Species, Dbh, 13, 15, 17})
            QVERIFY(m_logic->isSwitchedOn(f) && m_logic->isFieldEnabled(f));
        // Damage 2 off greys both fields of the pair but empties only itself.
        m_logic->toggleSwitch(14);
        QVERIFY(!m_logic->isFieldEnabled(14) && !m_logic->isFieldEnabled(15));
        QCOMPARE(field(14) + '|' + field(15), "|1");
        // Switched on again, both texts stay.
        m_logic->toggleSwitch(14);
        QVERIFY(m_logic->isFieldEnabled(15));
        QCOMPARE(field(14) + '|' + field(15), "|1");
        // Kept: Plot number and Tree count by default, a locked field, an off Status's constant.
        m_logic->toggleLock(Dbh);
        QVERIFY(m_logic->processEntry());
        for (int f = 1; f <= TreeFieldCount; ++f)
            QCOMPARE(field(f),
                     f == PlotNumber || f == TreeCount || f == Status || f == Dbh ? "1" : "");
    }

    void numbering()
    {
        // Species and Dbh are required, in that order.
        QVERIFY(!m_logic->processEntry());
        m_logic->setField(Species, "df");
        QVERIFY(!m_logic->processEntry());
        QCOMPARE(m_ui->titles(), QStringList(2, "Missing Data"));
        QCOMPARE(m_ui->focused, QStringList({"txtTreeData_5", "txtTreeData_6"}));
        QCOMPARE(m_logic->RecordCount(), 0);
        const auto numbers = [this] { return field(PlotNumber) + u'/' + field(TreeNumber); };
        m_logic->incrementPlot();
        QCOMPARE(numbers(), "1/");
        m_logic->setField(PlotNumber, "41");
        m_logic->incrementPlot();
        m_logic->toggleSwitch(TreeNumber);
        QCOMPARE(numbers(), "42/1");
        QVERIFY(processFilled());
        QCOMPARE(numbers(), "42/2");
        // Switched off while holding a value: the current record keeps it.
        m_logic->toggleSwitch(TreeNumber);
        m_logic->setField(TreeNumber, "7");
        m_logic->toggleSwitch(TreeNumber);
        QVERIFY(processFilled());
        QCOMPARE(numbers(), "42/8");
        // Past 999 and 9999 the numbers go on; the record keeps their leftmost characters.
        m_logic->setField(TreeNumber, "999");
        QVERIFY(processFilled());
        m_logic->setField(PlotNumber, "9999");
        m_logic->incrementPlot();
        QCOMPARE(numbers(), "10000/1000");
        QVERIFY(processFilled());
        QCOMPARE(m_logic->display().line(3).left(7), "1000100");
        QCOMPARE(numbers(), "10000/101");
    }

    void updateAndDelete()
    {
        openOn({record("1", "1"), record("1", "2"), record("1", "3")});
        m_logic->select(1);
        m_logic->setField(Species, "wf");
        m_ui->tabsFrom.clear();
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->display().line(1), record("1", "2", "WF"));
        QCOMPARE(where(TreeNumber), "2 edit 3");
        // From the display list the Tab lands in the first field, never in the file name box.
        QCOMPARE(m_ui->tabsFrom, QStringList{"lstDisplay"});
        // The last record: on to the slot, add mode.
        QVERIFY(m_logic->processEntry());
        QCOMPARE(where(Species), "3 add ");
        m_logic->select(0);
        m_logic->deleteCurrent();
        QCOMPARE(where(TreeNumber), "0 edit 2");
        m_logic->deleteCurrent();
        m_logic->deleteCurrent();
        QCOMPARE(where(), "0 add ");
    }

    void loadedAndEmptyRecords()
    {
        m_logic->toggleSwitch(PlotNumber);
        m_logic->setField(PlotNumber, "7");
        m_logic->setField(Species, "DF");
        const QString x1 = "  x1" + record("", " ").mid(4);
        openOn({record("1", "4"), QString(), x1});
        QCOMPARE(field(PlotNumber), "1");
        QCOMPARE(field(Species), "");
        m_logic->toggleSwitch(TreeNumber);
        m_logic->setField(Species, "XX");
        // Selecting an empty record moves the index only.
        m_logic->select(1);
        QCOMPARE(where(Species), "1 add XX");
        m_logic->ResetEntryFields();
        QCOMPARE(field(TreeNumber), "5");
        // Still in add mode, the new record goes into the slot.
        m_ui->tabsFrom.clear();
        QVERIFY(processFilled());
        QCOMPARE(m_ui->tabsFrom, QStringList{"lstDisplay"});
        QCOMPARE(m_logic->display().lines(),
                 QStringList({record("1", "4"), QString(), x1, record("1", "5"), QString()}));
        // A loaded value the typing rule rejects is neither cut nor beeped at.
        m_logic->select(2);
        QCOMPARE(field(PlotNumber), "x1");
        QCOMPARE(m_ui->beeps, 0);
        // Nothing to count on after an empty line or a blank tree number: numbering restarts.
        for (const int index : {2, 3}) {
            m_logic->select(index);
            m_logic->ResetEntryFields();
            QCOMPARE(field(TreeNumber), "1");
        }
        m_logic->select(1);
        QCOMPARE(where(), "1 edit ");
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

    void format_data()
    {
        QTest::addColumn<TreeFieldTexts>("input");
        QTest::addColumn<QString>("record");
        // clang-format off
        QTest::newRow("three-digit species code") << fields({{5, "122"}, {6, "8"}}) << speciesAndDbh("122 8.0");
        QTest::newRow("tree number 1000 keeps leftmost") << fields({{2, "1000"}, {5, "DF"}, {6, "1"}}) << "    100" + speciesAndDbh("DF  1.0").mid(7);
        QTest::newRow("plot number of five digits") << fields({{1, "10000"}, {5, "DF"}, {6, "1"}}) << "1000" + speciesAndDbh("DF  1.0").mid(4);
        QTest::newRow("dbh 100 cut to 100.") << fields({{5, "DF"}, {6, "100"}}) << speciesAndDbh("DF 100.");
        QTest::newRow("all nineteen fields full") << allFields("abc") << "12345671234567ABC12.31234567891234911223344556638";
        QTest::newRow("sharp s is not widened by upper case") << fields({{5, "\u00df\u00e9"}, {6, "1"}}) << speciesAndDbh("\u00df\u00c9  1.0");
        // clang-format on
    }
    void format()
    {
        QFETCH(TreeFieldTexts, input);
        QFETCH(QString, record);
        QCOMPARE(FormatTreeRecord(input), record);
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

    void parse_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<TreeFieldTexts>("expected");
        // clang-format off
        QTest::newRow("worked example") << Worked << WorkedFields;
        QTest::newRow("short line leaves the rest empty") << "   1  7" << fields({{1, "1"}, {2, "7"}});
        QTest::newRow("line ending inside a field") << "   1  7     1" << fields({{1, "1"}, {2, "7"}, {3, "1"}});
        QTest::newRow("species keeps inner and leading blanks") << QString(14, u' ') + " A " << fields({{5, " A"}});
        QTest::newRow("blanks inside a value stay") << " 1 2" << fields({{1, "1 2"}});
        QTest::newRow("beyond column 49 ignored") << "12345671234567ABC12.31234567891234911223344556638EXTRA" << allFields("ABC");
        // clang-format on
    }
    void parse()
    {
        QFETCH(QString, line);
        QFETCH(TreeFieldTexts, expected);
        const TreeFieldTexts parsed = ParseTreeRecord(line);
        for (int i = 1; i <= TreeFieldCount; ++i)
            QCOMPARE(parsed[i], expected[i]);
    }

    void replaceKeepsWhatStandsPastColumn49()
    {
        const TreeFieldTexts input = allFields("WF");
        const QString built = FormatTreeRecord(input);
        // Plot data of another tool, with a byte that has no character of its own.
        const QString tail = " 25 180 HT3  \u0081";
        const QString old = FormatTreeRecord(fields({{5, "DF"}, {6, "5"}}));
        QCOMPARE(ReplaceTreeRecord(old + tail, input), built + tail);
        QCOMPARE(ReplaceTreeRecord(old, input), built);
        QCOMPARE(ReplaceTreeRecord("   1", input), built);
    }
};

QTEST_GUILESS_MAIN(TestTree)
#include "tst_tree.moc"
