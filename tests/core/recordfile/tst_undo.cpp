#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/ModGlobal.h"
#include "location/LocationWindowLogic.h"
#include "recordfile/UndoHistory.h"
#include "stand/StandWindowLogic.h"
#include "tree/TreeWindowLogic.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

enum Window
{
    Tree,
    Stand,
    Location
};

const QByteArray
    TreeFile("   1  1     11DF  5.0\r\n   1  2     11WF  7.5\r\n\r\n   2  1     11DF 12.0\r\n");
const QByteArray StandFile("A S1 t.tre @ xa \r\nB S1 1999\r\nC S1 g1\r\nA S2 t.tre @ xa \r\n"
                           "B S2 2001\r\nA S3 @ @ ie \r\nB S3 2004\r\nD S3 x.kcp\r\n");
const QByteArray
    LocationFile("A \"Big Creek\" @ b.slf @ @\r\nB G1 a.kcp\r\nA \"Elk\" @ e.slf @ @\r\n");
// A record typed into the fields of each window.
const QString TypeTree = QStringLiteral("f1=2 f2=7 f5=df f6=5 ");
const QString TypeStand = QStringLiteral("f1=S4 f31=xa,xb f30=t.tre f2=1999 ");
const QString TypeLocation = QStringLiteral("kA f2=n.slf f0=Say\"N\" ");

// What a user does: "s3" selects line 3, "f5=WF" puts WF into field 5 (the location window's
// fields in LocRecord::Field order), "kB" chooses B records, "p" the process button, "d"
// delete, "c" Clear Display.
void play(RecordFileLogic& logic, const QString& script)
{
    auto* tree = qobject_cast<TreeWindowLogic*>(&logic);
    auto* stand = qobject_cast<StandWindowLogic*>(&logic);
    auto* location = qobject_cast<LocationWindowLogic*>(&logic);
    for (const QString& step : script.split(u' ', Qt::SkipEmptyParts)) {
        const QString arg = step.mid(1);
        const int field = arg.section(u'=', 0, 0).toInt();
        const QString text = arg.section(u'=', 1);
        if (step[0] == u's')
            logic.select(arg.toInt());
        else if (step[0] == u'f')
            tree    ? tree->setField(field, text)
            : stand ? stand->setField(field, text)
                    : location->setField(LocRecord::Field(field), text);
        else if (step[0] == u'k')
            location->chooseType(arg == u'B');
        else if (step[0] == u'p')
            tree ? tree->processEntry() : stand ? stand->processEntry() : location->processEntry();
        else
            step[0] == u'd' ? logic.deleteCurrent() : logic.clearDisplay();
    }
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

    QTemporaryDir m_dir;
    ScriptedUserInterface m_ui;

private Q_SLOTS:
    void init()
    {
        modGlobal() = ModGlobal();
        m_ui = ScriptedUserInterface();
    }

    void operationsUndoneAndRedone_data()
    {
        // What the user did before | the operations undone and redone.
        QTest::addColumn<int>("window");
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<QString>("script");

        QTest::newRow("tree add: the typed fields come back")
            << int(Tree) << TreeFile << TypeTree + "|p";
        QTest::newRow("tree update") << int(Tree) << TreeFile << "s0 f5=WF|p";
        QTest::newRow("tree update of the last record") << int(Tree) << TreeFile << "s3 f6=9|p";
        QTest::newRow("tree delete") << int(Tree) << TreeFile << "s1|d";
        // An empty record shows nothing: the fields of the record before stay and come back.
        QTest::newRow("tree delete of an empty line") << int(Tree) << TreeFile << "s0 s2|d";
        QTest::newRow("tree clear after a delete")
            << int(Tree) << TreeFile << "s0 d " + TypeTree + "|c";
        QTest::newRow("tree mixed")
            << int(Tree) << TreeFile << TypeTree + "|p s0 f5=WF p s1 d d c " + TypeTree + "p";
        QTest::newRow("stand set add") << int(Stand) << StandFile << TypeStand + "|p";
        QTest::newRow("stand set update from its B line")
            << int(Stand) << StandFile << "s4 f32=g2|p";
        QTest::newRow("stand set delete") << int(Stand) << StandFile << "s1|d";
        QTest::newRow("stand delete of the only set")
            << int(Stand) << StandFile.left(StandFile.indexOf('C')) << "s0|d";
        QTest::newRow("stand clear") << int(Stand) << StandFile << TypeStand + "|c";
        QTest::newRow("stand mixed")
            << int(Stand) << StandFile << TypeStand + "|p s4 f32=g2 p s1 d c " + TypeStand + "p";
        QTest::newRow("location add") << int(Location) << LocationFile << TypeLocation + "|p";
        QTest::newRow("location A replaced by B")
            << int(Location) << LocationFile << "s0 kB f3=G2 f4=b.kcp|p";
        QTest::newRow("location delete") << int(Location) << LocationFile << "s2|d";
        QTest::newRow("location first add in a new window")
            << int(Location) << QByteArray() << TypeLocation + "|p";
        QTest::newRow("location mixed")
            << int(Location) << LocationFile
            << TypeLocation + "|p s0 kB f3=G2 f4=b.kcp p s1 d c " + TypeLocation + "p";
    }

    void operationsUndoneAndRedone()
    {
        QFETCH(int, window);
        QFETCH(QByteArray, content);
        QFETCH(QString, script);
        const QString operations = script.section(u'|', 1);
        const std::unique_ptr<RecordFileLogic> logic(
            window == Tree    ? static_cast<RecordFileLogic*>(new TreeWindowLogic(m_ui))
            : window == Stand ? static_cast<RecordFileLogic*>(new StandWindowLogic(m_ui))
                              : new LocationWindowLogic(m_ui));
        const QString file = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
        if (!content.isEmpty())
            writeFile(file, content);
        logic->open(file);
        const QStringList loaded = logic->display().lines();
        play(*logic, script.section(u'|', 0, 0));
        const QStringList before = describe(*logic);
        const int earlier = logic->history().stepCount();
        play(*logic, operations);
        const QStringList after = describe(*logic);
        const int steps = logic->history().stepCount() - earlier;
        // One step for each add, update, delete or clear, whatever the lines it changed.
        QCOMPARE(steps, int(operations.split(u' ').filter(QRegularExpression("^[pdc]$")).size()));
        const int tabs = m_ui.tabs;
        const qsizetype messages = m_ui.messages.size();

        for (int k = 0; k < steps; ++k)
            QVERIFY(logic->undo());
        QCOMPARE(describe(*logic), before);
        for (int k = 0; k < steps; ++k)
            QVERIFY(logic->redo());
        QCOMPARE(describe(*logic), after);
        // Undo moves nothing on and asks nothing; with nothing to redo, a beep.
        QCOMPARE(m_ui.tabs, tabs);
        QCOMPARE(m_ui.messages.size(), messages);
        QCOMPARE(m_ui.beeps, 0);
        QVERIFY(!logic->redo());
        QCOMPARE(m_ui.beeps, 1);

        // Everything undone: the loaded file, byte for byte, nothing unsaved.
        while (logic->canUndo())
            logic->undo();
        QCOMPARE(logic->display().lines(), loaded);
        QVERIFY(!logic->HasUnsavedChanges());
        QVERIFY(logic->SaveFile(file));
        QCOMPARE(readFile(file), content);

        // A new operation drops the steps that could be redone; a load starts a new history.
        QVERIFY(logic->redo());
        logic->clearDisplay();
        QVERIFY(!logic->canRedo());
        QCOMPARE(logic->history().stepCount(), 2);
        m_ui.fileExistsAnswers = {true};
        QCOMPARE(logic->LoadFile(file), RecordFileLogic::LoadResult::Loaded);
        QVERIFY(!logic->canUndo() && !logic->canRedo() && !logic->HasUnsavedChanges());
    }

    void unsavedFlagFollowsTheCleanPosition_data()
    {
        // Before the slash, x an operation that changes records, c Clear Display, s a save, u undo,
        // r redo; after it, the flag after each of them.
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("maxSteps");
        QTest::newRow("back to the load") << "xxuur/11101" << 10;
        QTest::newRow("a save is clean") << "xsur/1010" << 10;
        QTest::newRow("a clear alone") << "curcu/00000" << 10;
        QTest::newRow("a clear after a change") << "xcuur/11101" << 10;
        QTest::newRow("a saved clear undone") << "csur/0010" << 10;
        QTest::newRow("clean position dropped") << "xsucu/10111" << 10;
        QTest::newRow("oldest changes dropped") << "xxxuu/11111" << 2;
        QTest::newRow("oldest clears dropped") << "cccuu/00000" << 2;
    }

    void unsavedFlagFollowsTheCleanPosition()
    {
        QFETCH(QString, script);
        QFETCH(int, maxSteps);
        UndoHistory history(maxSteps);
        QString seen;
        for (const QChar c : script.section(u'/', 0, 0)) {
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
        QCOMPARE(seen, script.section(u'/', 1));
        QVERIFY(history.stepCount() <= maxSteps);
    }

    void nothingUndoneWhileAsking()
    {
        UndoingUserInterface ui;
        const QString file = m_dir.filePath("asking.tre");
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

    void fieldsPackedExactly()
    {
        const QStringList fields{QString(), QString::fromUtf16(u"a\0b", 3), QString(0x1FFFF, u'x'),
                                 QString(QChar(0xFFFF))};
        QCOMPARE(UndoHistory::unpack(UndoHistory::pack(fields)), fields);
    }
};

QTEST_GUILESS_MAIN(TestUndo)
#include "tst_undo.moc"
