#include "CheckData.h"
#include "LogicTest.h"
#include "Play.h"
#include "species/SpeciesLists.h"
#include "tree/TabOrderChoice.h"
#include "tree/TreeTabOrder.h"
#include "tree/TreeWindowLogic.h"

#include <QRegularExpression>

using namespace TreeFields;

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

// A tree the simulator reads as it stands.
const QString Clean = QStringLiteral("   1  1     11DF 12.0  3 85       5            1 ");

// `line` with `text` written over it from `column` on, blanks added where it is too short.
QString at(int column, const QString& text, QString line = Clean)
{
    if (line.size() < column - 1 + text.size())
        line = line.leftJustified(column - 1 + text.size(), u' ');
    return line.replace(column - 1, text.size(), text);
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

// The tree data window's logic with a scripted user, the tree record and the tree file check.
class TestTree : public QObject, LogicTest<TreeWindowLogic>
{
    Q_OBJECT

private Q_SLOTS:
    void init() { renew(); }

    // Switches, locks and numbering, records updated, added and deleted; the text before "|"
    // is played before the file loads.
    void treeScripts_data()
    {
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");
        QString all;
        for (int f = 1; f <= TreeFieldCount; ++f)
            all += QStringLiteral("f%1=%2 ").arg(f).arg(f == ValueClass ? 2 : 1);
        // Status has a switch to turn; Species, Dbh and the severity fields have none.
        const QString labels = all + "h4 h5 h6 h13 h15 h17 ";
        const QString add = " f5=df f6=10 p ";
        const QStringList three = {record("1", "1"), record("1", "2"), record("1", "3")};
        const QString x1 = "  x1" + record("", " ").mid(4);
        const QStringList gap = {record("1", "4"), QString(), x1};
        const QString inGap = "t1 f1=7 f5=DF | t2 f5=XX s1 ";
        const QStringList none;
        using L = QStringList;
        // clang-format off
        QTest::newRow("label clicks") << none << labels << L{"off=4"};
        // Damage 2 off greys both fields of the pair but empties only itself; on again, both stay.
        QTest::newRow("a pair switched off") << none << labels + "t14" << L{"off=4,14,15", "f14=", "f15=1"};
        QTest::newRow("a pair switched on again") << none << labels + "t14 t14" << L{"off=4", "f14=", "f15=1"};
        // Kept: Plot number and Tree count by default, a locked field, an off Status's constant.
        QTest::newRow("kept after an add") << none << labels + "l6 p" << L{"fields=1||1|1||1|||||||||||||"};
        // Species and Dbh are required, in that order; a number box must hold more than a sign or point.
        QTest::newRow("required fields") << none << "p f5=df p f6=. p" << L{"titles=Missing Data,Missing Data,Invalid Data", "text=Dbh \".\" is not a number.", "focus=txtTreeData_5,txtTreeData_6,txtTreeData_6", "lines="};
        QTest::newRow("first plot") << none << "i" << L{"f1=1", "f2="};
        QTest::newRow("next plot, numbering on") << none << "f1=41 i t2" << L{"f1=42", "f2=1"};
        QTest::newRow("next tree") << none << "f1=41 i t2" + add << L{"f2=2"};
        // Switched off while holding a value: the current record keeps it.
        QTest::newRow("a number typed while off") << none << "f1=41 i t2" + add + "t2 f2=7 t2" + add << L{"f2=8"};
        // Past 999 and 9999 the numbers go on; the record keeps their leftmost characters.
        QTest::newRow("past 9999 and 999") << none << "t2 f2=999" + add + "f1=9999 i" << L{"f1=10000", "f2=1000"};
        QTest::newRow("past 9999 and 999, added") << none << "t2 f2=999" + add + "f1=9999 i" + add << L{"line1=" + record("10000", "1000"), "f2=101"};
        // From the display list the Tab lands in the first field, never in the file name box.
        QTest::newRow("update") << three << "| s1 f5=wf x p" << L{"line1=" + record("1", "2", "WF"), "at=2 edit", "f2=3", "tabs=lstDisplay"};
        QTest::newRow("update of the last record") << three << "| s1 f5=wf p p" << L{"at=3 add", "f5="};
        QTest::newRow("delete") << three << "| s0 d" << L{"at=0 edit", "f2=2"};
        QTest::newRow("delete all") << three << "| s0 d d d" << L{"at=0 add", "lines="};
        QTest::newRow("load") << gap << "t1 f1=7 f5=DF |" << L{"f1=1", "f5="};
        // Selecting an empty record moves the index only; in add mode, a record goes into the slot.
        QTest::newRow("an empty record") << gap << inGap << L{"at=1 add", "f5=XX"};
        QTest::newRow("an empty record, fresh fields") << gap << inGap + "e" << L{"f2=5"};
        QTest::newRow("an empty record, add") << gap << inGap + "e x" + add << L{"tabs=lstDisplay", "lines=" + (gap + L{record("1", "5"), ""}).join('\n')};
        QTest::newRow("an empty record after a record") << gap << "| s0 s1" << L{"at=1 edit", "f2=4"};
        // A loaded value the typing rule rejects is neither cut nor beeped at.
        QTest::newRow("a loaded value") << gap << inGap + "s2" << L{"f1=x1", "beeps=0"};
        // Nothing to count on after an empty line or a blank tree number: numbering restarts.
        QTest::newRow("after an empty line") << gap << inGap + "s2 e" << L{"f2=1"};
        QTest::newRow("after a blank tree number") << gap << inGap + "s3 e" << L{"f2=1"};
        // Notes alone save without the question; a warning asks it.
        QTest::newRow("a save with a note") << L{Clean, "* plot 2 follows"} << "| w" << L{"titles=File Exists"};
        QTest::newRow("a save with a warning") << L{Clean, Clean} << "| w" << L{"titles=File Exists,Check"};
        // clang-format on
    }
    void treeScripts()
    {
        QFETCH(QStringList, file);
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        play(*m_logic, script.section(u'|', 0, 0), m_ui.get());
        if (!file.isEmpty()) {
            const QString name = m_dir.filePath("trees.velk");
            QVERIFY(RecordFileIO::writeLines(name, file).ok);
            m_logic->open(name);
        }
        play(*m_logic, script.section(u'|', 1), m_ui.get());
        expectShown(*m_logic, *m_ui, expected);
    }

    void clickedFieldsComeFirst_data()
    {
        QTest::addColumn<Rounds>("rounds");
        QTest::addColumn<QList<int>>("first");
        // clang-format off
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
        ModGlobal shared;
        TreeWindowLogic logic(shared, ui);
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
        QTest::newRow("line ending inside a field") << "   1  7     1" << "1|7|1";
        QTest::newRow("species keeps inner and leading blanks") << QString(14, u' ') + " A " << "|||| A";
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

    // Each way the simulator reads a line otherwise than it shows, and the near misses that it
    // reads as they stand. Lines are joined by "\n"; without a final "\n" the last line has no
    // line end.
    void findingsOfLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("expected"); // "line severity Kind, ..."
        const QString tree2 = at(5, "  2");
        const QString noHeight = at(25, "   ", at(18, "  .0"));
        const struct
        {
            const char* name;
            QString text;
            const char* variant;
            const char* expected;
        } rows[] = {
            {"clean", Clean, "ie", ""},
            {"lone CR between two records", Clean + "\r" + tree2, "", ""},
            {"lone CR ending the file", Clean + "\r" + tree2 + "\r", "", ""},
            {"lone CR before the line end", Clean + "\r\n", "", "1 warning EmptyLine"},
            {"lone CR in Dbh", Clean.left(19) + "\r" + Clean.mid(19), "",
             "1 warning DbhMisread, 1 error ReadError"},
            {"lone CR between one tree twice", Clean + "\r" + Clean, "", "1 warning DuplicateTree"},
            {"-999 as Dbh", at(18, "-999"), "", "1 error EndOfData"},
            {"severity -9, damage 99", at(38, "-999"), "", "1 error EndOfData"},
            {"plot -99, tree 9..", at(1, " -999"), "", "1 error EndOfData"},
            {"-999 within 250 columns", at(247, "-999"), "", "1 error EndOfData"},
            {"-999 past 250 columns", at(248, "-999"), "", ""},
            {"nothing read after -999", at(8, "  -999") + "\n" + at(1, " 1.5"), "",
             "1 error EndOfData"},
            {"-99 9 is a number, no mark", at(8, "-99 9 "), "", "1 warning CountReadAsOne"},
            {"letter in status", at(14, "x"), "", "1 error ReadError"},
            {"control byte in Dbh", at(18, "1\t.0"), "", "1 error ReadError"},
            {"point in the slope", Clean + "2.", "", "1 error ReadError"},
            {"numeric plot data", Clean + "2518026031 80 and a note", "", ""},
            {"lone sign in a number", at(22, "  -"), "", ""},
            {"negative count", at(8, "    -2"), "", "1 warning CountReadAsOne"},
            {"count below 1", at(8, "    .4"), "", ""},
            {"lower-case species", at(15, "df "), "ie", ""},
            {"two-letter code of the variant", at(15, "GF "), "ie", ""},
            {"code of no variant", at(15, "D\u00C9 "), "", "1 warning UnknownSpecies"},
            {"three-digit code", at(15, "073"), "ie", ""},
            {"Dbh 998", at(18, "998."), "", ""},
            {"Dbh 99.94 as written",
             at(18, FormatTreeRecord(treeFields("||||DF|99.94")).mid(17, 4)), "", ""},
            {"Dbh 0 at 4.5 feet", at(25, "4.5", noHeight), "", "1 warning ZeroDbh"},
            {"Dbh 0 below 4.5 feet", at(25, "4.4", noHeight), "", ""},
            {"site tree, third damage", at(44, "28 4"), "", "1 note SiteTree"},
            {"plot 9999, tree 999", at(1, "9999999") + "\n" + at(1, " 999999"), "", ""},
            {"a dropped tree has no ID", at(18, "-5.0") + "\n" + Clean, "",
             "1 warning NegativeDbh"},
            {"blanks before plot data", QString(49, u' ') + "25", "", "1 warning EmptyLine"},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << row.text << row.variant << row.expected;
    }
    void findingsOfLines()
    {
        QFETCH(QString, text);
        QFETCH(QString, variant);
        QFETCH(QString, expected);
        QStringList lines = text.split(u'\n');
        const bool ended = text.endsWith(u'\n');
        if (ended)
            lines.removeLast();
        const QList<CheckFinding> findings =
            FileCheck::check(FileKind::Tree, lines, {}, VariantList::positionOf(variant), ended);
        QCOMPARE(summary(findings, true), expected);
        // Editors' quickfix lists take a digit next to a colon for a place in a file.
        for (const CheckFinding& f : findings)
            QVERIFY2(!f.describe().contains(QRegularExpression("\\d:|:\\d")),
                     qPrintable(f.describe()));
    }
};

QTEST_GUILESS_MAIN(TestTree)
#include "tst_tree.moc"
