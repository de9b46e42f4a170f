#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/ModGlobal.h"
#include "recordfile/RecordFileLogic.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Answer = UserInterface::Answer;

namespace {

// Asks the logic to load again while its exists question is open, as a focus change would.
class ReentrantUserInterface : public ScriptedUserInterface
{
public:
    RecordFileLogic* logic = nullptr;
    bool askFileExists(const QString& fileName) override
    {
        logic->setFileNameBox(fileName + QStringLiteral(".other"));
        logic->fileNameBoxLeft();
        return ScriptedUserInterface::askFileExists(fileName);
    }
};

// The handling itself works on placeholder lines: no content check before a save.
RecordFileConfig unchecked(RecordFileConfig config)
{
    config.saveCheck = nullptr;
    return config;
}

} // namespace

class TestRecordFileLogic : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void clearDisplayThenTheSameFileAsksAgain();
    void useDisplayedValuesKeepsAskOverwrite_data();
    void useDisplayedValuesKeepsAskOverwrite();
    void nameComparisonIsCaseSensitive();
    void saveWritesRecordCountLinesAndAsksOnce();
    void unsavedQuestionFollowsWindowRule_data();
    void unsavedQuestionFollowsWindowRule();
    void closeQuestion_data();
    void closeQuestion();
    void failedSaveKeepsEverything();
    void failedLoadKeepsDisplay();
    void recordLetterCheck();
    void displayLimit();
    void existsQuestionNeverOpensTwice();
    void browse();
    void messagesOfEachWindow_data();
    void messagesOfEachWindow();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
    ScriptedUserInterface m_ui;
};

void TestRecordFileLogic::init()
{
    modGlobal() = ModGlobal();
    m_ui = ScriptedUserInterface();
}

void TestRecordFileLogic::clearDisplayThenTheSameFileAsksAgain()
{
    writeFile(path(QStringLiteral("three.tre")), "a\r\nb\r\nc\r\n");
    RecordFileLogic logic(RecordFileConfig::tree(), m_ui);
    logic.open(path(QStringLiteral("three.tre")));
    QVERIFY(m_ui.fileExistsAsked.isEmpty());
    QCOMPARE(logic.RecordCount(), qint16(3));
    QCOMPARE(logic.CurrentIndex(), qint16(3));
    QCOMPARE(logic.display().size(), 4);
    QVERIFY(!logic.HasUnsavedChanges());
    QVERIFY(logic.AskOverwrite());

    m_ui.answers = {Answer::Cancel};
    logic.clearDisplay();
    QCOMPARE(logic.RecordCount(), qint16(3));
    // Clearing touches neither the flags nor the file; the slot is never deleted.
    logic.clearDisplay();
    QCOMPARE(logic.display().lines(), QStringList{QString()});
    QCOMPARE(logic.RecordCount(), qint16(0));
    QVERIFY(!logic.HasUnsavedChanges());
    QVERIFY(logic.AskOverwrite());
    QCOMPARE(readFile(path(QStringLiteral("three.tre"))), QByteArray("a\r\nb\r\nc\r\n"));
    logic.deleteCurrent();
    QCOMPARE(logic.display().size(), 1);

    // Only the slot on screen still asks.
    m_ui.fileExistsAnswers = {true};
    QCOMPARE(logic.LoadFile(path(QStringLiteral("three.tre"))),
             RecordFileLogic::LoadResult::Loaded);
    QCOMPARE(m_ui.fileExistsAsked.size(), 1);
}

void TestRecordFileLogic::useDisplayedValuesKeepsAskOverwrite_data()
{
    QTest::addColumn<bool>("loadedFirst");
    QTest::newRow("display from a load") << true;
    QTest::newRow("display typed in, no file yet") << false;
}

void TestRecordFileLogic::useDisplayedValuesKeepsAskOverwrite()
{
    QFETCH(bool, loadedFirst);
    writeFile(path(QStringLiteral("a.tre")), "a1\r\n");
    writeFile(path(QStringLiteral("b.tre")), "b1\r\nb2\r\n");
    RecordFileLogic logic(unchecked(RecordFileConfig::tree()), m_ui);
    logic.open(path(loadedFirst ? QStringLiteral("a.tre") : QStringLiteral("missing.tre")));
    QVERIFY(logic.process(QStringLiteral("typed")));
    // The first record on an empty list comes with the slot.
    QCOMPARE(logic.display().size(), loadedFirst ? 3 : 2);
    QCOMPARE(logic.CurrentIndex(), logic.RecordCount());
    QVERIFY(logic.HasUnsavedChanges());

    m_ui.answers = {Answer::No}; // do not save the changes to a.tre
    m_ui.fileExistsAnswers = {false};
    logic.setFileNameBox(path(QStringLiteral("b.tre")));
    logic.fileNameBoxLeft();
    QCOMPARE(logic.currentFileName(), path(QStringLiteral("b.tre")));
    QCOMPARE(logic.AskOverwrite(), loadedFirst);
    QCOMPARE(logic.display().lines().first(),
             loadedFirst ? QStringLiteral("a1") : QStringLiteral("typed"));

    m_ui.messages.clear();
    QVERIFY(logic.SaveFile(logic.fileNameBox()));
    QCOMPARE(m_ui.titles(),
             loadedFirst ? QStringList{QStringLiteral("File Exists")} : QStringList{});
    QCOMPARE(readFile(path(QStringLiteral("b.tre"))),
             loadedFirst ? QByteArray("a1\r\ntyped\r\n") : QByteArray("typed\r\n"));
}

void TestRecordFileLogic::nameComparisonIsCaseSensitive()
{
    writeFile(path(QStringLiteral("Plot.tre")), "a\r\n");
    RecordFileLogic logic(RecordFileConfig::tree(), m_ui);
    logic.open(path(QStringLiteral("Plot.tre")));
    logic.fileNameBoxLeft(); // unchanged: nothing happens
    QVERIFY(m_ui.fileExistsAsked.isEmpty());

    // Another letter case is another name; it loads again only where such a file exists.
    logic.setFileNameBox(path(QStringLiteral("plot.tre")));
    logic.fileNameBoxLeft();
    QCOMPARE(logic.currentFileName(), path(QStringLiteral("plot.tre")));
    QVERIFY(m_ui.fileExistsAsked.isEmpty());
    m_ui.fileExistsAnswers = {true};
    logic.setFileNameBox(path(QStringLiteral("Plot.tre")));
    logic.fileNameBoxLeft();
    QCOMPARE(m_ui.fileExistsAsked, QStringList{path(QStringLiteral("Plot.tre"))});
}

void TestRecordFileLogic::saveWritesRecordCountLinesAndAsksOnce()
{
    writeFile(path(QStringLiteral("s.tre")), "a\nb\n");
    RecordFileLogic logic(unchecked(RecordFileConfig::tree()), m_ui);
    logic.open(path(QStringLiteral("s.tre")));
    logic.process(QStringLiteral("c"));
    // Cancel at the overwrite question changes nothing.
    m_ui.answers = {Answer::Cancel};
    logic.save();
    QVERIFY(logic.HasUnsavedChanges());
    QVERIFY(logic.AskOverwrite());
    QCOMPARE(readFile(path(QStringLiteral("s.tre"))), QByteArray("a\nb\n"));
    logic.save();
    QCOMPARE(m_ui.titles(),
             (QStringList{QStringLiteral("File Exists"), QStringLiteral("File Exists")}));
    QCOMPARE(readFile(path(QStringLiteral("s.tre"))), QByteArray("a\r\nb\r\nc\r\n"));
    QVERIFY(!logic.HasUnsavedChanges());
    logic.save();
    QCOMPARE(m_ui.messages.size(), 2);

    // Only the slot left: an empty file.
    logic.clearDisplay();
    logic.save();
    QCOMPARE(readFile(path(QStringLiteral("s.tre"))), QByteArray());
}

void TestRecordFileLogic::unsavedQuestionFollowsWindowRule_data()
{
    QTest::addColumn<int>("window"); // 0 tree, 1 stand, 2 location
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("asks");
    QTest::newRow("tree, named") << 0 << QStringLiteral("a.tre") << true;
    QTest::newRow("tree, no name") << 0 << QString() << false;
    QTest::newRow("stand, named") << 1 << QStringLiteral("a.slf") << true;
    QTest::newRow("location, vorlin.loc") << 2 << QStringLiteral("vorlin.loc") << false;
    QTest::newRow("location, VORLIN.LOC") << 2 << QStringLiteral("VORLIN.LOC") << false;
    QTest::newRow("location, other") << 2 << QStringLiteral("other.loc") << true;
}

void TestRecordFileLogic::unsavedQuestionFollowsWindowRule()
{
    QFETCH(int, window);
    QFETCH(QString, current);
    QFETCH(bool, asks);
    const RecordFileConfig config = window == 0   ? RecordFileConfig::tree()
                                    : window == 1 ? RecordFileConfig::stand()
                                                  : RecordFileConfig::location();
    RecordFileLogic logic(config, m_ui);
    logic.open(current.isEmpty() ? QString() : path(current));
    if (!current.isEmpty())
        logic.setCurrentFileName(current);
    logic.process(QStringLiteral("A x"));

    m_ui.answers = {Answer::No};
    logic.setFileNameBox(path(QStringLiteral("next")));
    logic.fileNameBoxLeft();
    QCOMPARE(m_ui.titles().contains(QStringLiteral("Unsaved Changes")), asks);
}

void TestRecordFileLogic::closeQuestion_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("No drops") << QStringLiteral("c.tre") << Answer::No << true
                              << QStringList{QStringLiteral("Unsaved Changes")};
    QTest::newRow("Cancel stays") << QStringLiteral("c.tre") << Answer::Cancel << false
                                  << QStringList{QStringLiteral("Unsaved Changes")};
    QTest::newRow("Yes saves") << QStringLiteral("c.tre") << Answer::Yes << true
                               << QStringList{QStringLiteral("Unsaved Changes")};
    QTest::newRow("Yes without a name stays")
        << QString() << Answer::Yes << false
        << QStringList{QStringLiteral("Unsaved Changes"), QStringLiteral("Missing Filename")};
    QTest::newRow("Yes with a failing save stays")
        << QStringLiteral("no/such/folder/c.tre") << Answer::Yes << false
        << QStringList{QStringLiteral("Unsaved Changes"), QStringLiteral("Error")};
}

void TestRecordFileLogic::closeQuestion()
{
    QFETCH(QString, name);
    QFETCH(Answer, answer);
    QFETCH(bool, closes);
    QFETCH(QStringList, titles);
    RecordFileLogic logic(unchecked(RecordFileConfig::tree()), m_ui);
    const QString file = name.isEmpty() ? QString() : path(name);
    logic.open(file);
    logic.process(QStringLiteral("record"));
    m_ui.answers = {answer};
    QCOMPARE(logic.requestClose(), closes);
    QCOMPARE(logic.UnloadCancelled(), !closes);
    QCOMPARE(m_ui.titles(), titles);
    QCOMPARE(m_ui.messages[0].text,
             QStringLiteral("Save changes to ") + file + QStringLiteral("?"));
    if (answer == Answer::Yes && closes)
        QCOMPARE(readFile(file), QByteArray("record\r\n"));
    QCOMPARE(logic.HasUnsavedChanges(), !(answer == Answer::Yes && closes));
}

void TestRecordFileLogic::failedSaveKeepsEverything()
{
    writeFile(path(QStringLiteral("f.tre")), "a\r\n");
    RecordFileLogic logic(RecordFileConfig::tree(), m_ui);
    logic.open(path(QStringLiteral("f.tre")));
    logic.process(QStringLiteral("b"));
    const QString bad = m_dir.path(); // a folder cannot be written as a file
    m_ui.answers = {Answer::Ok};
    QVERIFY(!logic.SaveFile(bad));
    QCOMPARE(m_ui.messages.last().title, QStringLiteral("Error"));
    QVERIFY(m_ui.messages.last().text.contains(bad));
    QCOMPARE(m_ui.messages.last().icon, UserInterface::Icon::Critical);
    QVERIFY(logic.HasUnsavedChanges());
    QVERIFY(logic.AskOverwrite());

    // Through the unsaved-changes question too: AskOverwrite comes back.
    logic.setCurrentFileName(bad);
    m_ui.answers = {Answer::Yes};
    logic.AskSaveChanges();
    QVERIFY(logic.AskOverwrite());
}

void TestRecordFileLogic::failedLoadKeepsDisplay()
{
    RecordFileLogic logic(RecordFileConfig::tree(), m_ui);
    logic.open(QString());
    logic.process(QStringLiteral("typed"));
    m_ui.fileExistsAnswers = {true};
    logic.setFileNameBox(m_dir.path()); // exists, but is a folder
    logic.fileNameBoxLeft();
    QCOMPARE(m_ui.messages.last().title, QStringLiteral("Error"));
    QVERIFY(m_ui.messages.last().text.contains(m_dir.path()));
    QCOMPARE(logic.display().lines(), (QStringList{QStringLiteral("typed"), QString()}));
    QCOMPARE(logic.currentFileName(), QString());
    QCOMPARE(logic.fileNameBox(), QString());
    QVERIFY(logic.HasUnsavedChanges());
}

void TestRecordFileLogic::recordLetterCheck()
{
    writeFile(path(QStringLiteral("s.slf")), "A S1 t.tre @ xa\r\n\r\nb S1 1999\r\nX bad\r\n Y\r\n");
    RecordFileLogic logic(RecordFileConfig::stand(), m_ui);
    logic.open(path(QStringLiteral("s.slf")));
    QCOMPARE(logic.RecordCount(), qint16(4));
    QCOMPARE(m_ui.messages.size(), 1);
    QCOMPARE(m_ui.messages[0].title, QStringLiteral("Error"));
    QCOMPARE(m_ui.messages[0].text, QStringLiteral("Invalid Stand List File format.\r\n"));
    QCOMPARE(m_ui.messages[0].icon, UserInterface::Icon::Critical);
    QCOMPARE(modGlobal().StandListFileName, path(QStringLiteral("s.slf")));
}

void TestRecordFileLogic::displayLimit()
{
    const int records = DisplayList::MaxLines - 1;
    QByteArray full;
    for (int i = 0; i < records; ++i)
        full += "r\r\n";
    writeFile(path(QStringLiteral("full.tre")), full);
    writeFile(path(QStringLiteral("over.tre")), full + "r\r\n");

    RecordFileLogic logic(RecordFileConfig::tree(), m_ui);
    logic.open(path(QStringLiteral("over.tre")));
    QCOMPARE(logic.display().size(), 0);
    QVERIFY(m_ui.messages.last().text.contains(path(QStringLiteral("over.tre"))));
    QVERIFY(m_ui.messages.last().text.contains(QStringLiteral("32766")));

    logic.setFileNameBox(path(QStringLiteral("full.tre")));
    logic.fileNameBoxLeft();
    QCOMPARE(int(logic.RecordCount()), records);
    m_ui.messages.clear();
    QVERIFY(!logic.process(QStringLiteral("one too many")));
    QCOMPARE(m_ui.titles(), QStringList{QStringLiteral("Error")});
    QCOMPARE(int(logic.RecordCount()), records);
    QCOMPARE(logic.display().size(), DisplayList::MaxLines);
    QVERIFY(!logic.HasUnsavedChanges());

    // Undo and redo bring the list back to the limit, not beyond it.
    logic.select(0);
    logic.deleteCurrent();
    QVERIFY(logic.process(QStringLiteral("last")));
    const QStringList atLimit = logic.display().lines();
    QVERIFY(logic.undo() && logic.undo() && logic.redo() && logic.redo());
    QCOMPARE(logic.display().lines(), atLimit);
}

void TestRecordFileLogic::existsQuestionNeverOpensTwice()
{
    writeFile(path(QStringLiteral("r.tre")), "a\r\n");
    writeFile(path(QStringLiteral("r.tre.other")), "b\r\n");
    ReentrantUserInterface ui;
    RecordFileLogic logic(RecordFileConfig::tree(), ui);
    ui.logic = &logic;
    logic.open(QString());
    logic.process(QStringLiteral("typed"));
    ui.fileExistsAnswers = {true};
    logic.setFileNameBox(path(QStringLiteral("r.tre")));
    logic.fileNameBoxLeft();
    QCOMPARE(ui.fileExistsAsked.size(), 1);
    QCOMPARE(logic.display().lines().first(), QStringLiteral("a"));
}

void TestRecordFileLogic::browse()
{
    writeFile(path(QStringLiteral("b.loc")), "A \"x\" @ x.slf @ @\r\n");
    RecordFileLogic logic(RecordFileConfig::location(), m_ui);
    logic.open(QString());
    QCOMPARE(logic.fileNameBox(), QStringLiteral("vorlin.loc"));
    QCOMPARE(modGlobal().LocationsFileName, QStringLiteral("vorlin.loc"));

    logic.browse(); // cancelled
    QCOMPARE(m_ui.fileDialogFilters,
             QStringList{QStringLiteral("Locations Files (*.loc)|*.loc|All Files (*.*)|*.*")});
    QCOMPARE(m_ui.focused, QStringList{QStringLiteral("txtLocFile")});
    QCOMPARE(logic.fileNameBox(), QStringLiteral("vorlin.loc"));

    m_ui.fileDialogAnswers = {path(QStringLiteral("b.loc"))};
    logic.browse();
    QCOMPARE(logic.fileNameBox(), path(QStringLiteral("b.loc")));
    QCOMPARE(modGlobal().LocationsFileName, path(QStringLiteral("b.loc")));
    QCOMPARE(logic.RecordCount(), qint16(1));

    // With unsaved changes to a named file, Cancel at the question ends Browse at once.
    logic.process(QStringLiteral("B G1 a.kcp"));
    m_ui.answers = {Answer::Cancel};
    m_ui.fileDialogFilters.clear();
    logic.browse();
    QVERIFY(m_ui.fileDialogFilters.isEmpty());
}

void TestRecordFileLogic::messagesOfEachWindow_data()
{
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("missing");
    QTest::newRow("tree") << 0 << QStringLiteral("A tree data file name must be specified.");
    QTest::newRow("stand") << 1 << QStringLiteral("A Stand List File name must be specified.");
    QTest::newRow("location") << 2 << QStringLiteral("A Locations File name must be specified.");
}

void TestRecordFileLogic::messagesOfEachWindow()
{
    QFETCH(int, window);
    QFETCH(QString, missing);
    using B = UserInterface::Buttons;
    using I = UserInterface::Icon;
    const RecordFileConfig config = window == 0   ? RecordFileConfig::tree()
                                    : window == 1 ? RecordFileConfig::stand()
                                                  : RecordFileConfig::location();
    const QString file = path(QStringLiteral("m%1").arg(window));
    writeFile(file, "A x\r\n");
    RecordFileLogic logic(config, m_ui);
    logic.open(file);
    logic.process(QStringLiteral("B y"));
    QVERIFY(!logic.SaveFile(QString())); // Missing Filename
    m_ui.answers = {Answer::Cancel};
    logic.save(); // overwrite question
    m_ui.answers = {Answer::Cancel};
    QVERIFY(!logic.requestClose()); // unsaved changes
    m_ui.answers = {Answer::Cancel};
    logic.clearDisplay(); // clear question

    const QList<ScriptedUserInterface::Message> expected = {
        {QStringLiteral("Missing Filename"), missing, B::Ok, I::Exclamation},
        {QStringLiteral("File Exists"), QStringLiteral("Overwrite file ") + file, B::OkCancel,
         I::None},
        {QStringLiteral("Unsaved Changes"), QStringLiteral("Save changes to ") + file + u'?',
         B::YesNoCancel, I::None},
        {QStringLiteral("Clear Display"), QStringLiteral("Clear all records from the display?"),
         B::OkCancel, I::None},
    };
    QCOMPARE(m_ui.messages.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QCOMPARE(m_ui.messages[i].title, expected[i].title);
        QCOMPARE(m_ui.messages[i].text, expected[i].text);
        QCOMPARE(m_ui.messages[i].buttons, expected[i].buttons);
        QCOMPARE(m_ui.messages[i].icon, expected[i].icon);
    }
    QCOMPARE(m_ui.focused, QStringList{config.fileNameBox});
}

QTEST_GUILESS_MAIN(TestRecordFileLogic)
#include "tst_recordfilelogic.moc"
