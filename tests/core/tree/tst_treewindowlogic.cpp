#include "ScriptedUserInterface.h"
#include "recordfile/RecordFileIO.h"
#include "tree/TreeWindowLogic.h"

#include <QTemporaryDir>
#include <QTest>

using namespace TreeFields;

namespace {

// Types the keys one at a time at the end of the field, as a text box would hand them over.
void type(TreeWindowLogic& logic, int field, const QString& keys)
{
    for (const QChar key : keys) {
        const QString text = logic.field(field) + key;
        logic.fieldEdited(field, text, int(text.size()));
    }
}

QString record(const QString& plot, const QString& tree, const QString& species = "DF",
               const QString& dbh = "10")
{
    TreeFieldTexts f;
    f[PlotNumber] = plot;
    f[TreeNumber] = tree;
    f[Species] = species;
    f[Dbh] = dbh;
    return FormatTreeRecord(f);
}

} // namespace

class TestTreeWindowLogic : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedUserInterface* m_ui = nullptr;
    TreeWindowLogic* m_logic = nullptr;

    // Opens the window logic on a file holding these lines.
    void openOn(const QStringList& lines)
    {
        const QString name = m_dir.filePath(QStringLiteral("trees.velk"));
        QVERIFY(RecordFileIO::writeLines(name, lines).ok);
        m_logic->open(name);
        QCOMPARE(m_logic->RecordCount(), lines.size());
    }
    void fillRequired()
    {
        m_logic->setField(Species, QStringLiteral("df"));
        m_logic->setField(Dbh, QStringLiteral("10"));
    }

private Q_SLOTS:
    void init()
    {
        m_ui = new ScriptedUserInterface;
        m_logic = new TreeWindowLogic(*m_ui);
    }
    void cleanup()
    {
        delete m_logic;
        delete m_ui;
    }

    void typing_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("beeps");
        // clang-format off
        QTest::newRow("1 . 5 in Plot number") << PlotNumber << "1.5" << "15" << 1;
        QTest::newRow("1 . 5 in Dbh") << Dbh << "1.5" << "1.5" << 0;
        QTest::newRow("point first in Dbh") << Dbh << ".5" << ".5" << 0;
        QTest::newRow("minus first in Status") << Status << "-" << "" << 1;
        QTest::newRow("minus first in Tree count") << TreeCount << "-2" << "2" << 1;
        QTest::newRow("blank last in Damage 1") << 12 << "1 " << "1" << 1;
        QTest::newRow("4 in Value class") << ValueClass << "4" << "" << 1;
        QTest::newRow("2 in Value class") << ValueClass << "2" << "2" << 0;
        QTest::newRow("fifth digit in Plot number") << PlotNumber << "12345" << "1234" << 1;
        QTest::newRow("second digit in Value class") << ValueClass << "12" << "1" << 1;
        QTest::newRow("any text in Species") << Species << "w-." << "w-." << 0;
        QTest::newRow("fourth letter in Species") << Species << "abcd" << "abc" << 1;
        QTest::newRow("euro sign has a byte") << Species << QStringLiteral("d€") << QStringLiteral("d€") << 0;
        QTest::newRow("letter without a byte") << Species << QStringLiteral("dā") << "d" << 1;
        QTest::newRow("Arabic digit") << PlotNumber << QStringLiteral("1٣") << "1" << 1;
        // clang-format on
    }
    void typing()
    {
        QFETCH(int, field);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        QFETCH(int, beeps);
        type(*m_logic, field, keys);
        QCOMPARE(m_logic->field(field), expected);
        QCOMPARE(m_ui->beeps, beeps);
    }

    void editsInsideTheText()
    {
        // A point between digits of an integer field stays: the text reads as a number.
        m_logic->setField(PlotNumber, QStringLiteral("15"));
        TypingResult r = m_logic->fieldEdited(PlotNumber, QStringLiteral("1.5"), 2);
        QVERIFY(r.accepted);
        QCOMPARE(m_logic->field(PlotNumber), QStringLiteral("1.5"));
        // A paste of several bad characters loses all of them; the caret goes back.
        m_logic->setField(Dbh, QStringLiteral("12"));
        r = m_logic->fieldEdited(Dbh, QStringLiteral("1ab2"), 3);
        QCOMPARE(r.text, QStringLiteral("12"));
        QCOMPARE(r.caret, 1);
        QCOMPARE(m_ui->beeps, 1);
        // A pasted emoji has no byte in the file: both halves go.
        r = m_logic->fieldEdited(Species, QStringLiteral("d\U0001F332f"), 3);
        QCOMPARE(r.text, QStringLiteral("df"));
        QCOMPARE(r.caret, 1);
    }

    void programTextsAreShownAsTheyAre()
    {
        // A loaded value the typing rule rejects is neither cut nor beeped at.
        openOn({QStringLiteral("  x1") + record("", "").mid(4)});
        m_logic->select(0);
        QCOMPARE(m_logic->field(PlotNumber), QStringLiteral("x1"));
        QCOMPARE(m_ui->beeps, 0);
        // Values longer than the box takes are shown whole; typing may shorten them only.
        m_logic->setField(TreeNumber, QStringLiteral("1000"));
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("1000"));
        m_logic->fieldEdited(TreeNumber, QStringLiteral("10009"), 5);
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("1000"));
        m_logic->fieldEdited(TreeNumber, QStringLiteral("100"), 3);
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("100"));
    }

    void defaultsKeepPlotAndTreeCount()
    {
        for (int f = 1; f <= TreeFieldCount; ++f) {
            QCOMPARE(m_logic->switchTag(f), QStringLiteral("on"));
            QCOMPARE(m_logic->lockTag(f), f == PlotNumber || f == TreeCount ? "keep" : "sweep");
            m_logic->setField(f, f == ValueClass ? QStringLiteral("2") : QStringLiteral("1"));
        }
        QVERIFY(m_logic->processEntry());
        for (int f = 1; f <= TreeFieldCount; ++f)
            QCOMPARE(m_logic->field(f), f == PlotNumber || f == TreeCount ? "1" : "");
        m_logic->toggleLock(Species);
        m_logic->setField(Species, QStringLiteral("wf"));
        m_logic->ResetEntryFields();
        QCOMPARE(m_logic->field(Species), QStringLiteral("wf"));
    }

    void autoNumbering()
    {
        m_logic->toggleSwitch(TreeNumber);
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("1"));
        QVERIFY(!m_logic->isFieldEnabled(TreeNumber));
        for (const char* next : {"2", "3"}) {
            fillRequired();
            QVERIFY(m_logic->processEntry());
            QCOMPARE(m_logic->field(TreeNumber), QString::fromLatin1(next));
        }
        // Switched off while holding a value: that value is kept for the current record.
        m_logic->toggleSwitch(TreeNumber);
        m_logic->setField(TreeNumber, QStringLiteral("7"));
        m_logic->toggleSwitch(TreeNumber);
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("7"));
        fillRequired();
        m_logic->processEntry();
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("8"));
        // Switched on again: enabled, the text untouched; then emptied like any other.
        m_logic->toggleSwitch(TreeNumber);
        QVERIFY(m_logic->isFieldEnabled(TreeNumber));
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("8"));
        m_logic->ResetEntryFields();
        QCOMPARE(m_logic->field(TreeNumber), QString());
    }

    void numbersOutgrowTheirColumns()
    {
        openOn({record("1", "999")});
        m_logic->toggleSwitch(TreeNumber);
        m_logic->ResetEntryFields();
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("1000"));
        m_logic->setField(PlotNumber, QStringLiteral("9999"));
        m_logic->incrementPlot();
        QCOMPARE(m_logic->field(PlotNumber), QStringLiteral("10000"));
        fillRequired();
        m_logic->processEntry();
        QCOMPARE(m_logic->display().line(1).left(7), QStringLiteral("1000100"));
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("101"));
    }

    void plotIncrementAndTreeReset()
    {
        m_logic->incrementPlot();
        QCOMPARE(m_logic->field(PlotNumber), QStringLiteral("1"));
        m_logic->setField(PlotNumber, QStringLiteral("41"));
        m_logic->toggleSwitch(PlotNumber);
        m_logic->incrementPlot();
        QCOMPARE(m_logic->field(PlotNumber), QStringLiteral("42"));
        m_logic->toggleSwitch(TreeNumber);
        m_logic->setField(TreeNumber, QStringLiteral("5"));
        m_logic->resetTreeNumber();
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("1"));
    }

    void switchedOffFields()
    {
        m_logic->setField(Status, QStringLiteral("6"));
        m_logic->setField(14, QStringLiteral("25"));
        m_logic->setField(15, QStringLiteral("3"));
        m_logic->toggleSwitch(Status);
        m_logic->toggleSwitch(14);
        QCOMPARE(m_logic->field(Status), QStringLiteral("6"));
        QCOMPARE(m_logic->field(14), QString());
        QCOMPARE(m_logic->field(15), QStringLiteral("3"));
        QVERIFY(!m_logic->isFieldEnabled(14));
        QVERIFY(!m_logic->isFieldEnabled(15));
        // Off fields 1 to 4 keep their constant; a severity field follows its lock.
        m_logic->ResetEntryFields();
        QCOMPARE(m_logic->field(Status), QStringLiteral("6"));
        QCOMPARE(m_logic->field(15), QString());
        m_logic->toggleSwitch(14);
        QVERIFY(m_logic->isFieldEnabled(15));
        QCOMPARE(m_logic->switchTag(14), QStringLiteral("on"));
    }

    void labelsAndFixedSwitches()
    {
        m_logic->labelClicked(Status);
        QCOMPARE(m_logic->switchTag(Status), QStringLiteral("off"));
        for (const int f : {int(Species), int(Dbh), 13, 15, 17}) {
            m_logic->labelClicked(f);
            m_logic->toggleSwitch(f);
            QCOMPARE(m_logic->switchTag(f), QStringLiteral("on"));
        }
    }

    void loadGivesOffFieldsTheirOne()
    {
        m_logic->toggleSwitch(PlotNumber);
        m_logic->setField(Species, QStringLiteral("DF"));
        m_logic->setField(PlotNumber, QStringLiteral("7"));
        openOn({record("1", "1"), record("1", "2"), record("1", "3")});
        QCOMPARE(m_logic->field(PlotNumber), QStringLiteral("1"));
        QCOMPARE(m_logic->field(Species), QString());
        QCOMPARE(m_logic->CurrentIndex(), 3);
        QCOMPARE(m_logic->processTag(), QStringLiteral("add"));
        QVERIFY(!m_logic->HasUnsavedChanges());
        QCOMPARE(m_ui->tabs, 1);
        // The Tab starts from the display list, so it lands in the first field.
        QCOMPARE(m_ui->tabsFrom, QStringList{QStringLiteral("lstDisplay")});
    }

    void updateAndDelete()
    {
        openOn({record("1", "1"), record("1", "2"), record("1", "3")});
        // A middle record: the next one is shown in edit mode.
        m_logic->select(1);
        m_logic->setField(Species, QStringLiteral("wf"));
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->display().line(1), record("1", "2", "WF"));
        QCOMPARE(m_logic->CurrentIndex(), 2);
        QCOMPARE(m_logic->processTag(), QStringLiteral("edit"));
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("3"));
        // The last record: on to the slot, add mode.
        QVERIFY(m_logic->processEntry());
        QCOMPARE(m_logic->CurrentIndex(), 3);
        QCOMPARE(m_logic->processTag(), QStringLiteral("add"));
        QCOMPARE(m_logic->field(Species), QString());
        // Deleting the first record shows the new first one in edit mode.
        m_logic->select(0);
        m_logic->deleteCurrent();
        QCOMPARE(m_logic->CurrentIndex(), 0);
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("2"));
        QCOMPARE(m_logic->processTag(), QStringLiteral("edit"));
        m_logic->deleteCurrent();
        m_logic->deleteCurrent();
        QCOMPARE(m_logic->RecordCount(), 0);
        QCOMPARE(m_logic->processTag(), QStringLiteral("add"));
    }

    void emptyRecords()
    {
        openOn({record("1", "4"), QString(), record("1", " ")});
        m_logic->toggleSwitch(TreeNumber);
        m_logic->select(0);
        m_logic->setField(Species, QStringLiteral("XX"));
        // An empty record moves the index only.
        m_logic->select(1);
        QCOMPARE(m_logic->CurrentIndex(), 1);
        QCOMPARE(m_logic->field(Species), QStringLiteral("XX"));
        QCOMPARE(m_logic->processTag(), QStringLiteral("edit"));
        // Nothing to count on after a blank tree number or an empty line: numbering restarts.
        m_logic->moveToEnd();
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("1"));
        fillRequired();
        QVERIFY(m_logic->processEntry());
        m_logic->select(1);
        m_logic->ResetEntryFields();
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("5"));
        m_logic->select(2);
        m_logic->ResetEntryFields();
        QCOMPARE(m_logic->field(TreeNumber), QStringLiteral("1"));
    }

    void addWhileAnEmptyRecordIsSelected()
    {
        openOn({QString(), record("1", "1")});
        m_logic->select(0);
        QCOMPARE(m_logic->processTag(), QStringLiteral("add"));
        fillRequired();
        QVERIFY(m_logic->processEntry());
        QCOMPARE(
            m_logic->display().lines(),
            QStringList({QString(), record("1", "1"), record("", "", "DF", "10.0"), QString()}));
        QCOMPARE(m_logic->CurrentIndex(), 3);
    }

    void requiredFields()
    {
        QVERIFY(!m_logic->processEntry());
        m_logic->setField(Species, QStringLiteral("df"));
        QVERIFY(!m_logic->processEntry());
        QCOMPARE(m_ui->messages.size(), 2);
        QCOMPARE(m_ui->messages[0].text, QStringLiteral("A Species Code is required."));
        QCOMPARE(m_ui->messages[1].text, QStringLiteral("DBH information is required."));
        QCOMPARE(m_ui->messages[1].title, QStringLiteral("Missing Data"));
        QCOMPARE(m_ui->messages[1].icon, UserInterface::Icon::Exclamation);
        QCOMPARE(m_ui->focused, QStringList({"txtTreeData_5", "txtTreeData_6"}));
        QCOMPARE(m_logic->RecordCount(), 0);
        QVERIFY(!m_logic->HasUnsavedChanges());
    }
};

QTEST_GUILESS_MAIN(TestTreeWindowLogic)
#include "tst_treewindowlogic.moc"
