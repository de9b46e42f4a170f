#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/ModGlobal.h"
#include "location/LocationWindowLogic.h"
#include "recordfile/UndoHistory.h"
#include "stand/StandWindowLogic.h"
#include "tree/TreeWindowLogic.h"

#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

using Action = std::function<void(RecordFileLogic&)>;
using Field = LocRecord::Field;
Q_DECLARE_METATYPE(Action)

namespace {

enum Window
{
    Tree,
    Stand,
    Location
};

const QByteArray
    TreeFile("   1  1     11DF  5.0\r\n   1  2     11WF  7.5\r\n\r\n   2  1     11DF 12.0\r\n");
const QByteArray
    StandFile("A S1 t.tre @ xa \r\nB S1 1999\r\nC S1 g1\r\nA S2 t.tre @ xa \r\nB S2 2001\r\n"
              "A S3 @ @ ie \r\nB S3 2004\r\nD S3 x.kcp\r\n");
const QByteArray
    LocationFile("A \"Big Creek\" @ b.slf @ @\r\nB G1 a.kcp\r\nA \"Elk\" @ e.slf @ @\r\n");

std::unique_ptr<RecordFileLogic> makeLogic(Window window, UserInterface& ui)
{
    if (window == Tree)
        return std::make_unique<TreeWindowLogic>(ui);
    if (window == Stand)
        return std::make_unique<StandWindowLogic>(ui);
    return std::make_unique<LocationWindowLogic>(ui);
}

// Everything undo gives back: lines, counters, mode and buttons, the unsaved flag, the fields.
QStringList describe(const RecordFileLogic& logic)
{
    return QStringList(logic.display().lines())
           << QStringLiteral("records %1, current %2")
                  .arg(logic.RecordCount())
                  .arg(logic.CurrentIndex())
           << QStringLiteral("%1 %2, last %3, delete %4")
                  .arg(logic.processCaption(), logic.processTag())
                  .arg(logic.lastEnabled())
                  .arg(logic.deleteEnabled())
           << QStringLiteral("unsaved %1").arg(logic.HasUnsavedChanges()) << logic.entryFields();
}

Action both(const QList<Action>& actions)
{
    return [actions](RecordFileLogic& logic) {
        for (const Action& action : actions)
            action(logic);
    };
}
Action select(int index)
{
    return [index](RecordFileLogic& logic) { logic.select(index); };
}
Action treeField(int field, const QString& text)
{
    return
        [=](RecordFileLogic& logic) { static_cast<TreeWindowLogic&>(logic).setField(field, text); };
}
Action standBox(int box, const QString& text)
{
    return
        [=](RecordFileLogic& logic) { static_cast<StandWindowLogic&>(logic).setField(box, text); };
}
Action locField(Field field, const QString& text)
{
    return [=](RecordFileLogic& logic) {
        static_cast<LocationWindowLogic&>(logic).setField(field, text);
    };
}
Action locType(bool typeB)
{
    return
        [=](RecordFileLogic& logic) { static_cast<LocationWindowLogic&>(logic).chooseType(typeB); };
}
const Action process = [](RecordFileLogic& logic) {
    if (auto* tree = qobject_cast<TreeWindowLogic*>(&logic))
        tree->processEntry();
    else if (auto* stand = qobject_cast<StandWindowLogic*>(&logic))
        stand->processEntry();
    else
        qobject_cast<LocationWindowLogic*>(&logic)->processEntry();
};
const Action deleteRecord = [](RecordFileLogic& logic) { logic.deleteCurrent(); };
const Action clear = [](RecordFileLogic& logic) { logic.clearDisplay(); };

const Action typeTree =
    both({treeField(1, "2"), treeField(2, "7"), treeField(5, "df"), treeField(6, "5")});
const Action typeStand =
    both({standBox(StandBox::StandId, "S4"), standBox(StandBox::Variant, "xa,xb"),
          standBox(StandBox::TreeFile, "t.tre"), standBox(2, "1999")});
const Action typeLocation = both({locType(false), locField(Field::SlfFileName, "n.slf"),
                                  locField(Field::LocationName, "Say \"N\"")});

// Answers a question by first trying to undo behind it.
class UndoingUserInterface : public ScriptedUserInterface
{
public:
    RecordFileLogic* logic = nullptr;
    QList<bool> undone;
    Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon) override
    {
        undone.append(logic->undo());
        return ScriptedUserInterface::message(title, text, buttons, icon);
    }
};

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void operationUndoneAndRedone_data();
    void operationUndoneAndRedone();
    void mixedSequenceBackToTheFile_data();
    void mixedSequenceBackToTheFile();
    void unsavedFlagFollowsTheCleanPosition_data();
    void unsavedFlagFollowsTheCleanPosition();
    void nothingUndoneWhileAsking();
    void fieldsPackedExactly();

private:
    std::unique_ptr<RecordFileLogic> open(Window window, const QByteArray& content);
    QTemporaryDir m_dir;
    ScriptedUserInterface m_ui;
};

void TestUndo::init()
{
    modGlobal() = ModGlobal();
    m_ui = ScriptedUserInterface();
}

std::unique_ptr<RecordFileLogic> TestUndo::open(Window window, const QByteArray& content)
{
    std::unique_ptr<RecordFileLogic> logic = makeLogic(window, m_ui);
    const QString file = m_dir.filePath(QStringLiteral("file%1").arg(window));
    QFile::remove(file);
    if (!content.isEmpty())
        writeFile(file, content);
    logic->open(file);
    return logic;
}

void TestUndo::operationUndoneAndRedone_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Action>("prepare");
    QTest::addColumn<Action>("operation");

    QTest::newRow("tree add: the typed fields come back")
        << int(Tree) << TreeFile << typeTree << process;
    QTest::newRow("tree update") << int(Tree) << TreeFile << both({select(0), treeField(5, "WF")})
                                 << process;
    QTest::newRow("tree update of the last record")
        << int(Tree) << TreeFile << both({select(3), treeField(6, "9")}) << process;
    QTest::newRow("tree delete") << int(Tree) << TreeFile << select(1) << deleteRecord;
    // An empty record leaves the fields of the record before: they come back as they were.
    QTest::newRow("tree delete of an empty line")
        << int(Tree) << TreeFile << both({select(0), select(2)}) << deleteRecord;
    QTest::newRow("tree clear after a delete")
        << int(Tree) << TreeFile << both({select(0), deleteRecord, typeTree}) << clear;
    QTest::newRow("stand set add") << int(Stand) << StandFile << typeStand << process;
    QTest::newRow("stand set update from its B line")
        << int(Stand) << StandFile << both({select(4), standBox(StandBox::Groups, "g2")})
        << process;
    QTest::newRow("stand set delete") << int(Stand) << StandFile << select(1) << deleteRecord;
    QTest::newRow("stand delete of the only set")
        << int(Stand) << StandFile.left(StandFile.indexOf('C')) << select(0) << deleteRecord;
    QTest::newRow("stand clear") << int(Stand) << StandFile << typeStand << clear;
    QTest::newRow("location add") << int(Location) << LocationFile << typeLocation << process;
    QTest::newRow("location A replaced by B")
        << int(Location) << LocationFile
        << both({select(0), locType(true), locField(Field::GroupingCode, "G2"),
                 locField(Field::Addfiles, "b.kcp")})
        << process;
    QTest::newRow("location delete") << int(Location) << LocationFile << select(2) << deleteRecord;
    QTest::newRow("location first add in a new window")
        << int(Location) << QByteArray() << typeLocation << process;
}

void TestUndo::operationUndoneAndRedone()
{
    QFETCH(int, window);
    QFETCH(QByteArray, content);
    QFETCH(Action, prepare);
    QFETCH(Action, operation);
    std::unique_ptr<RecordFileLogic> logic = open(Window(window), content);
    prepare(*logic);
    const QStringList before = describe(*logic);
    operation(*logic);
    const QStringList after = describe(*logic);
    QVERIFY(before != after);
    const int tabs = m_ui.tabs;
    const qsizetype messages = m_ui.messages.size();

    for (int round = 0; round < 2; ++round) {
        QVERIFY(logic->undo());
        QCOMPARE(describe(*logic), before);
        QVERIFY(logic->redo());
        QCOMPARE(describe(*logic), after);
    }
    // Undo moves nothing on and asks nothing.
    QCOMPARE(m_ui.tabs, tabs);
    QCOMPARE(m_ui.messages.size(), messages);
    QCOMPARE(m_ui.beeps, 0);
    QVERIFY(!logic->redo());
    QCOMPARE(m_ui.beeps, 1);
}

void TestUndo::mixedSequenceBackToTheFile_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Action>("operations");
    QTest::addColumn<int>("steps");

    QTest::newRow("tree") << int(Tree) << TreeFile
                          << both({typeTree, process, select(0), treeField(5, "WF"), process,
                                   select(1), deleteRecord, deleteRecord, clear, typeTree, process})
                          << 6;
    QTest::newRow("stand") << int(Stand) << StandFile
                           << both({typeStand, process, select(4), standBox(StandBox::Groups, "g2"),
                                    process, select(1), deleteRecord, clear, typeStand, process})
                           << 5;
    QTest::newRow("location") << int(Location) << LocationFile
                              << both({typeLocation, process, select(0), locType(true),
                                       locField(Field::GroupingCode, "G2"),
                                       locField(Field::Addfiles, "b.kcp"), process, select(1),
                                       deleteRecord, clear, typeLocation, process})
                              << 5;
}

void TestUndo::mixedSequenceBackToTheFile()
{
    QFETCH(int, window);
    QFETCH(QByteArray, content);
    QFETCH(Action, operations);
    QFETCH(int, steps);
    std::unique_ptr<RecordFileLogic> logic = open(Window(window), content);
    const QStringList loaded = logic->display().lines();
    operations(*logic);
    const QStringList done = describe(*logic);
    QCOMPARE(logic->history().stepCount(), steps);

    for (int k = 0; k < steps; ++k)
        QVERIFY(logic->undo());
    QVERIFY(!logic->canUndo());
    QCOMPARE(logic->display().lines(), loaded);
    QVERIFY(!logic->HasUnsavedChanges());
    for (int k = 0; k < steps; ++k)
        QVERIFY(logic->redo());
    QCOMPARE(describe(*logic), done);
    while (logic->canUndo())
        logic->undo();
    QVERIFY(logic->SaveFile(logic->fileNameBox()));
    QCOMPARE(readFile(logic->fileNameBox()), content);

    // A new operation drops the steps that could be redone; a load starts a new history.
    QVERIFY(logic->redo());
    logic->select(0);
    logic->deleteCurrent();
    QVERIFY(!logic->canRedo());
    QCOMPARE(logic->history().stepCount(), 2);
    m_ui.fileExistsAnswers = {true};
    QCOMPARE(logic->LoadFile(logic->fileNameBox()), RecordFileLogic::LoadResult::Loaded);
    QVERIFY(!logic->canUndo() && !logic->canRedo() && !logic->HasUnsavedChanges());
}

void TestUndo::unsavedFlagFollowsTheCleanPosition_data()
{
    // x an operation that changes the records, c Clear Display, s a save, u undo, r redo.
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<int>("maxSteps");
    QTest::newRow("back to the load, and forward again") << "xxuur"
                                                         << "11101" << 10;
    QTest::newRow("a save moves the clean position") << "xsur"
                                                     << "1010" << 10;
    QTest::newRow("a clear alone leaves the flag clear") << "curcu"
                                                         << "00000" << 10;
    QTest::newRow("a clear keeps the flag of the change before") << "xcuur"
                                                                 << "11101" << 10;
    QTest::newRow("undoing a saved clear brings back unsaved lines") << "csur"
                                                                     << "0010" << 10;
    QTest::newRow("a new operation drops a clean position ahead") << "xsucu"
                                                                  << "10111" << 10;
    QTest::newRow("oldest steps dropped: changes stay unsaved") << "xxxuu"
                                                                << "11111" << 2;
    QTest::newRow("oldest steps dropped: clears stay clean") << "cccuu"
                                                             << "00000" << 2;
}

void TestUndo::unsavedFlagFollowsTheCleanPosition()
{
    QFETCH(QString, script);
    QFETCH(QString, flags);
    QFETCH(int, maxSteps);
    UndoHistory history(maxSteps);
    QString seen;
    for (const QChar c : script) {
        if (c == u'x' || c == u'c') {
            UndoHistory::Step step;
            step.clear = c == u'c';
            history.push(step);
        } else if (c == u's') {
            history.markClean();
        } else if (c == u'u') {
            QVERIFY(history.canUndo());
            history.stepBack();
        } else {
            QVERIFY(history.canRedo());
            history.stepForward();
        }
        seen += history.unsaved() ? u'1' : u'0';
    }
    QCOMPARE(seen, flags);
    QVERIFY(history.stepCount() <= maxSteps);
}

void TestUndo::nothingUndoneWhileAsking()
{
    UndoingUserInterface ui;
    const QString file = m_dir.filePath(QStringLiteral("asking.tre"));
    writeFile(file, TreeFile);
    TreeWindowLogic logic(ui);
    ui.logic = &logic;
    logic.open(file);
    logic.select(0);
    logic.deleteCurrent();
    bool undoneWhileExists = true;
    ui.whileFileExistsAsked = [&] { undoneWhileExists = logic.undo(); };
    logic.LoadFile(file); // "Use Displayed Values"
    logic.clearDisplay();
    QVERIFY(!undoneWhileExists);
    QCOMPARE(ui.undone, QList<bool>{false});
    QCOMPARE(logic.RecordCount(), qint16(0));
    QCOMPARE(logic.history().stepCount(), 2);
}

void TestUndo::fieldsPackedExactly()
{
    const QStringList fields{QString(), QString::fromUtf16(u"a\0b", 3), QString(0x1FFFF, u'x'),
                             QString(QChar(0xFFFF))};
    QCOMPARE(UndoHistory::unpack(UndoHistory::pack(fields)), fields);
}

QTEST_GUILESS_MAIN(TestUndo)
#include "tst_undo.moc"
