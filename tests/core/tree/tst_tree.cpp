#include "CheckData.h"
#include "LogicTest.h"
#include "species/SpeciesLists.h"
#include "tree/TabOrderChoice.h"
#include "tree/TreeTabOrder.h"
#include "tree/TreeWindowLogic.h"

#include <QRandomGenerator>
#include <QSet>

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

    QString field(int f) const { return m_logic->field(f); }
    // Current index, mode and a field's text, to compare in one go.
    QString treeWhere(int f = 0) const
    {
        return QString::number(m_logic->CurrentIndex()) + u' ' + m_logic->processTag() + u' ' +
               field(f);
    }
    void treeOn(const QStringList& lines)
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
    void init() { renew(); }

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
        QTest::newRow("Species: any text with a byte in the file") << Species << "" << "\u20ac-." << "\u20ac-.|" << 0;
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

    void treeNumbering()
    {
        // Species and Dbh are required, in that order; then a number box must hold more than
        // the sign or point a number may begin with.
        QVERIFY(!m_logic->processEntry());
        m_logic->setField(Species, "df");
        QVERIFY(!m_logic->processEntry());
        m_logic->setField(Dbh, ".");
        QVERIFY(!m_logic->processEntry());
        QCOMPARE(m_ui->titles(), QStringList({"Missing Data", "Missing Data", "Invalid Data"}));
        QCOMPARE(m_ui->messages.last().text, "Dbh \".\" is not a number.");
        QCOMPARE(m_ui->focused, QStringList({"txtTreeData_5", "txtTreeData_6", "txtTreeData_6"}));
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
        treeOn({record("1", "1"), record("1", "2"), record("1", "3")});
        m_logic->select(1);
        m_logic->setField(Species, "wf");
        m_ui->tabsFrom.clear();
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->display().line(1), record("1", "2", "WF"));
        QCOMPARE(treeWhere(TreeNumber), "2 edit 3");
        // From the display list the Tab lands in the first field, never in the file name box.
        QCOMPARE(m_ui->tabsFrom, QStringList{"lstDisplay"});
        // The last record: on to the slot, add mode.
        QVERIFY(m_logic->processEntry());
        QCOMPARE(treeWhere(Species), "3 add ");
        m_logic->select(0);
        m_logic->deleteCurrent();
        QCOMPARE(treeWhere(TreeNumber), "0 edit 2");
        m_logic->deleteCurrent();
        m_logic->deleteCurrent();
        QCOMPARE(treeWhere(), "0 add ");
    }

    void loadedAndEmptyRecords()
    {
        m_logic->toggleSwitch(PlotNumber);
        m_logic->setField(PlotNumber, "7");
        m_logic->setField(Species, "DF");
        const QString x1 = "  x1" + record("", " ").mid(4);
        treeOn({record("1", "4"), QString(), x1});
        QCOMPARE(field(PlotNumber), "1");
        QCOMPARE(field(Species), "");
        m_logic->toggleSwitch(TreeNumber);
        m_logic->setField(Species, "XX");
        // Selecting an empty record moves the index only.
        m_logic->select(1);
        QCOMPARE(treeWhere(Species), "1 add XX");
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

    void findingsOfEachFile_data()
    {
        checkRows({{"tree_clean.velk", "ie", ""},
                   {"../tree_two_trees.velk", "", ""},
                   {"tree_empty_line.velk", "ie", "2 EmptyLine"},
                   {"tree_comment.velk", "ie", "2 CommentLine"},
                   {"tree_end_of_data.velk", "ie", "2 EndOfData"},
                   {"tree_point_in_plot.velk", "ie", "2 ReadError"},
                   {"tree_minus_in_tree.velk", "ie", "2 ReadError"},
                   {"tree_negative_dbh.velk", "ie", "2 DroppedRecord"},
                   {"tree_dbh_100.velk", "ie", "2 DbhMisread"},
                   {"tree_dbh_1000.velk", "ie", "2 DbhMisread"},
                   {"tree_same_tree.velk", "ie", "2 DuplicateTree"},
                   {"tree_merged_id.velk", "ie", "2 MergedTreeId"},
                   {"tree_unknown_species.velk", "ie", "2 UnknownSpecies"},
                   {"tree_unknown_species.velk", "", "", "no variant chosen: no species check"},
                   {"tree_species_zeros.velk", "", "2 SpeciesLeadingZeros"},
                   // The letter's second byte moves Dbh one column on, so it reads "©12." as well.
                   {"tree_utf8.velk", "", "2 ByteOutsideText, 2 ReadError"},
                   {"tree_control_byte.velk", "", "2 ByteOutsideText"}});
    }
    void findingsOfEachFile() { checkFileOfRow(); }

    // Records typed within the field rules, none of the cases the check is there for: no finding.
    void typedRecordsHaveNoFinding()
    {
        QRandomGenerator random(20261206);
        // `most` digits at most, now and then empty; with a point or a leading minus sign,
        // which the simulator reads in these fields, cut to `width`.
        const auto digits = [&](int most, bool point = false, bool sign = false, int width = 0) {
            QString text;
            for (int n = int(random.bounded(1, most + 1)); n > 0; --n)
                text += QChar(u'0' + int(random.bounded(10)));
            if (point && random.bounded(2))
                text.insert(int(random.bounded(text.size() + 1)), u'.');
            if (sign && !random.bounded(6))
                text.prepend(u'-');
            return width ? text.left(width) : text;
        };
        const auto maybe = [&](const QString& t) { return random.bounded(4) ? t : QString(); };
        for (int round = 0; round < 200; ++round) {
            const int variant = int(random.bounded(VariantList::count() + 1));
            QStringList codes{"073"};
            for (const QString& entry : SpeciesLists::forPosition(variant))
                codes.append(SpeciesLists::speciesCodeOf(entry).trimmed());
            if (!variant)
                codes = QStringList{"df", "L"};
            QStringList lines;
            QSet<qint64> ids;
            for (int n = int(random.bounded(1, 60)); n > 0; --n) {
                TreeFieldTexts f;
                f[1] = maybe(digits(4));
                f[2] = maybe(digits(3));
                f[3] = maybe(digits(6, true, false, 6));
                f[4] = maybe(digits(1));
                f[5] = codes[random.bounded(codes.size())];
                f[6] = digits(2) + (random.bounded(2) ? u'.' + digits(1) : QString());
                for (int i = 7; i <= 10; ++i)
                    f[i] = maybe(digits(treeField(i).width, true, true, treeField(i).width));
                f[11] = maybe(digits(1));
                for (int i = 12; i <= 17; ++i)
                    f[i] = maybe(digits(2, false, true, 2));
                f[18] = maybe(QString::number(random.bounded(1, 4)));
                f[19] = maybe(digits(1));
                const QString line = FormatTreeRecord(f);
                // Plot and tree number are read as one number: keep that number unique.
                const qint64 id = QString(line.left(7)).remove(u' ').toLongLong();
                if (!ids.contains(id))
                    lines.append(line);
                ids.insert(id);
            }
            const QList<CheckFinding> findings =
                FileCheck::check(FileKind::Tree, lines, {}, variant);
            QVERIFY2(findings.isEmpty(), qPrintable(lines.join(u'\n') + u'\n' + summary(findings) +
                                                    u' ' + findings.value(0).describe()));
        }
    }
};

QTEST_GUILESS_MAIN(TestTree)
#include "tst_tree.moc"
