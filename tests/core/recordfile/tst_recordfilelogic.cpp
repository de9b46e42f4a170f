#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "app/ModGlobal.h"
#include "recordfile/Cp1252.h"
#include "recordfile/RecordFileIO.h"
#include "recordfile/RecordFileLogic.h"

#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

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

// 0 tree, 1 stand, 2 location. The handling itself works on placeholder lines, so the tree
// window's content check before a save is left out unless asked for.
RecordFileConfig config(int window, bool checked = false)
{
    RecordFileConfig c = window == 0   ? RecordFileConfig::tree()
                         : window == 1 ? RecordFileConfig::stand()
                                       : RecordFileConfig::location();
    if (!checked)
        c.saveCheck = nullptr;
    return c;
}

// Counters and flags in one text: "records/current unsaved ask".
QString state(const RecordFileLogic& logic)
{
    return QStringLiteral("%1/%2 %3 %4")
        .arg(logic.RecordCount())
        .arg(logic.CurrentIndex())
        .arg(logic.HasUnsavedChanges())
        .arg(logic.AskOverwrite());
}

} // namespace

class TestRecordFileLogic : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedUserInterface m_ui;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void init()
    {
        modGlobal() = ModGlobal();
        m_ui = ScriptedUserInterface();
    }

    // Reading and writing the bytes of a record file.
    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("skipEmpty");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("written");

        // Empty lines are records; a lone CR stays in its line; the last line needs no end.
        QTest::newRow("line ends") << QByteArray("a\r\nb\n\r\n\nc\rd\re\r") << false
                                   << QStringList{"a", "b", "", "", "c\rd\re\r"}
                                   << QByteArray("a\r\nb\r\n\r\n\r\nc\rd\re\r\r\n");
        QTest::newRow("empty lines skipped") << QByteArray("a\r\n\r\n\nb") << true
                                             << QStringList{"a", "b"} << QByteArray("a\r\nb\r\n");
        QByteArray everyByte;
        for (int b = 0; b < 256; ++b) {
            if (b != '\n' && b != '\r')
                everyByte.append(char(b));
        }
        QTest::newRow("every byte but the line ends")
            << everyByte + "\r\n" + everyByte << false
            << QStringList{Cp1252::decode(everyByte), Cp1252::decode(everyByte)}
            << everyByte + "\r\n" + everyByte + "\r\n";
        QTest::newRow("empty file") << QByteArray() << false << QStringList{} << QByteArray();
        QTest::newRow("single line end")
            << QByteArray("\r\n") << false << QStringList{""} << QByteArray("\r\n");
    }

    void read()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, skipEmpty);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, written);

        const QString file = path("read.tre");
        writeFile(file, bytes);
        QStringList read;
        RecordFileIO::ReadOptions options;
        options.skipEmptyLines = skipEmpty;
        QVERIFY(RecordFileIO::readLines(file, &read, options).ok);
        QCOMPARE(read, lines);

        const QString out = path("written.tre");
        QVERIFY(RecordFileIO::writeLines(out, read).ok);
        QCOMPARE(readFile(out), written);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("missing folder") << path("no/such/file.tre");
        QTest::newRow("a folder's name") << m_dir.path();
        QTest::newRow("below a file") << path("plain.tre/child");
    }

    void failures()
    {
        QFETCH(QString, file);
        writeFile(path("plain.tre"), "x\r\n");
        QStringList lines{"kept?"};
        const RecordFileIO::Result read = RecordFileIO::readLines(file, &lines);
        QVERIFY(!read.ok && !read.reason.isEmpty() && lines.isEmpty());
        const RecordFileIO::Result written = RecordFileIO::writeLines(file, {"a"});
        QVERIFY(!written.ok && !written.reason.isEmpty());
        QCOMPARE(readFile(path("plain.tre")), "x\r\n");
    }

    void failedSaveKeepsOldFile()
    {
        // A file-size limit makes the disk "full" part way through the save, even for root.
        const QString file = path("old.tre");
        writeFile(file, "old record\r\n");
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 4096;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        const RecordFileIO::Result result =
            RecordFileIO::writeLines(file, QStringList(10000, "new record"));
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY(!result.ok && !result.reason.isEmpty());
        QCOMPARE(readFile(file), "old record\r\n");
    }

    void loadSaveAndClear()
    {
        const QString file = path("s.tre");
        writeFile(file, "a\nb\n");
        RecordFileLogic logic(config(0), m_ui);
        logic.open(file); // no exists question when the window opens
        QCOMPARE(state(logic) + u' ' + QString::number(logic.display().size()), "2/2 0 1 3");
        // Clearing, after its question, touches neither the flags nor the file.
        m_ui.answers = {Answer::Cancel};
        logic.clearDisplay();
        QCOMPARE(logic.RecordCount(), 2);
        logic.clearDisplay();
        QCOMPARE(logic.display().lines(), QStringList{QString()});
        QCOMPARE(state(logic), "0/0 0 1");
        logic.deleteCurrent(); // the slot is never deleted
        QCOMPARE(logic.display().size(), 1);
        // Only the slot on screen still asks before the same file loads.
        m_ui.fileExistsAnswers = {true};
        QCOMPARE(logic.LoadFile(file), RecordFileLogic::LoadResult::Loaded);
        QCOMPARE(m_ui.fileExistsAsked, QStringList{file});

        // Cancel at the overwrite question changes nothing; OK writes CR LF lines, asked once.
        logic.process("c");
        m_ui.answers = {Answer::Cancel};
        logic.save();
        QCOMPARE(state(logic), "3/3 1 1");
        QCOMPARE(readFile(file), "a\nb\n");
        logic.save();
        logic.save();
        QCOMPARE(m_ui.titles().join(u'|'), "Clear Display|Clear Display|File Exists|File Exists");
        QCOMPARE(state(logic), "3/3 0 0");
        QCOMPARE(readFile(file), "a\r\nb\r\nc\r\n");
        logic.clearDisplay();
        logic.save();
        QCOMPARE(readFile(file), QByteArray()); // only the slot: an empty file
    }

    void useDisplayedValuesKeepsAskOverwrite_data()
    {
        QTest::addColumn<bool>("loadedFirst");
        QTest::newRow("display from a load") << true;
        QTest::newRow("display typed in, no file yet") << false;
    }
    void useDisplayedValuesKeepsAskOverwrite()
    {
        QFETCH(bool, loadedFirst);
        writeFile(path("a.tre"), "a1\r\n");
        writeFile(path("b.tre"), "b1\r\nb2\r\n");
        RecordFileLogic logic(config(0), m_ui);
        logic.open(path(loadedFirst ? "a.tre" : "missing.tre"));
        QVERIFY(logic.process("typed"));
        // The first record on an empty list comes with the slot.
        QCOMPARE(state(logic), loadedFirst ? "2/2 1 1" : "1/1 1 0");

        m_ui.answers = {Answer::No}; // do not save the changes to a.tre
        m_ui.fileExistsAnswers = {false};
        logic.setFileNameBox(path("b.tre"));
        logic.fileNameBoxLeft();
        QCOMPARE(logic.currentFileName(), path("b.tre"));
        QCOMPARE(logic.AskOverwrite(), loadedFirst);
        m_ui.messages.clear();
        QVERIFY(logic.SaveFile(logic.fileNameBox()));
        QCOMPARE(m_ui.titles(), loadedFirst ? QStringList{"File Exists"} : QStringList{});
        QCOMPARE(readFile(path("b.tre")), loadedFirst ? "a1\r\ntyped\r\n" : "typed\r\n");
    }

    void nameComparisonIsCaseSensitive()
    {
        writeFile(path("Plot.tre"), "a\r\n");
        RecordFileLogic logic(config(0), m_ui);
        logic.open(path("Plot.tre"));
        logic.fileNameBoxLeft(); // unchanged: nothing happens
        // Another letter case is another name; it loads again only where such a file exists.
        logic.setFileNameBox(path("plot.tre"));
        logic.fileNameBoxLeft();
        QCOMPARE(logic.currentFileName(), path("plot.tre"));
        QVERIFY(m_ui.fileExistsAsked.isEmpty());
        m_ui.fileExistsAnswers = {true};
        logic.setFileNameBox(path("Plot.tre"));
        logic.fileNameBoxLeft();
        QCOMPARE(m_ui.fileExistsAsked, QStringList{path("Plot.tre")});
    }

    void unsavedQuestionFollowsWindowRule_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("asks");
        QTest::newRow("tree, named") << 0 << "a.tre" << true;
        QTest::newRow("tree, no name") << 0 << "" << false;
        QTest::newRow("stand, named") << 1 << "a.slf" << true;
        QTest::newRow("location, vorlin.loc") << 2 << "vorlin.loc" << false;
        QTest::newRow("location, VORLIN.LOC") << 2 << "VORLIN.LOC" << false;
        QTest::newRow("location, other") << 2 << "other.loc" << true;
    }
    void unsavedQuestionFollowsWindowRule()
    {
        QFETCH(int, window);
        QFETCH(QString, current);
        QFETCH(bool, asks);
        RecordFileLogic logic(config(window), m_ui);
        logic.open(current.isEmpty() ? QString() : path(current));
        if (!current.isEmpty())
            logic.setCurrentFileName(current);
        logic.process("A x");
        m_ui.answers = {Answer::No};
        logic.setFileNameBox(path("next"));
        logic.fileNameBoxLeft();
        QCOMPARE(m_ui.titles().contains("Unsaved Changes"), asks);
    }

    void closeQuestion_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("titles");
        QTest::newRow("No drops") << "c.tre" << Answer::No << true << "Unsaved Changes";
        QTest::newRow("Cancel stays") << "c.tre" << Answer::Cancel << false << "Unsaved Changes";
        QTest::newRow("Yes saves") << "c.tre" << Answer::Yes << true << "Unsaved Changes";
        QTest::newRow("Yes without a name stays")
            << "" << Answer::Yes << false << "Unsaved Changes|Missing Filename";
        QTest::newRow("Yes with a failing save stays")
            << "no/such/folder/c.tre" << Answer::Yes << false << "Unsaved Changes|Error";
    }
    void closeQuestion()
    {
        QFETCH(QString, name);
        QFETCH(Answer, answer);
        QFETCH(bool, closes);
        QFETCH(QString, titles);
        RecordFileLogic logic(config(0), m_ui);
        const QString file = name.isEmpty() ? QString() : path(name);
        logic.open(file);
        logic.process("record");
        m_ui.answers = {answer};
        QCOMPARE(logic.requestClose(), closes);
        QCOMPARE(logic.UnloadCancelled(), !closes);
        QCOMPARE(m_ui.titles().join(u'|'), titles);
        const bool saved = answer == Answer::Yes && closes;
        QCOMPARE(logic.HasUnsavedChanges(), !saved);
        if (saved)
            QCOMPARE(readFile(file), "record\r\n");
    }

    // A failed load or save names the file, keeps the display and leaves the flags set.
    void failuresKeepEverything()
    {
        const QString folder = m_dir.path(); // a folder cannot be read or written as a file
        RecordFileLogic logic(config(0), m_ui);
        logic.open(QString());
        logic.process("typed");
        m_ui.fileExistsAnswers = {true};
        logic.setFileNameBox(folder);
        logic.fileNameBoxLeft();
        QCOMPARE(logic.display().lines(), (QStringList{"typed", QString()}));
        QCOMPARE(logic.currentFileName() + logic.fileNameBox(), QString());
        QCOMPARE(state(logic), "1/1 1 0");

        // AskOverwrite, set by a load, stays after a failed save, through the question too.
        writeFile(path("f.tre"), "a\r\n");
        m_ui.fileExistsAnswers = {true};
        QCOMPARE(logic.LoadFile(path("f.tre")), RecordFileLogic::LoadResult::Loaded);
        logic.process("b");
        QVERIFY(!logic.SaveFile(folder));
        QCOMPARE(state(logic), "2/2 1 1");
        QCOMPARE(m_ui.titles().join(u'|'), "Error|File Exists|Error");
        for (const ScriptedUserInterface::Message& m : m_ui.messages)
            QVERIFY(m.title != "Error" ||
                    (m.text.contains(folder) && m.icon == UserInterface::Icon::Critical));
        logic.setCurrentFileName(folder);
        m_ui.answers = {Answer::Yes};
        logic.AskSaveChanges();
        QVERIFY(logic.AskOverwrite());
    }

    void recordLetterCheck()
    {
        writeFile(path("s.slf"), "A S1 t.tre @ xa\r\n\r\nb S1 1999\r\nX bad\r\n Y\r\n");
        RecordFileLogic logic(config(1), m_ui);
        logic.open(path("s.slf"));
        QCOMPARE(logic.RecordCount(), 4); // the empty line dropped
        QCOMPARE(m_ui.messages.size(), 1);
        QCOMPARE(m_ui.messages[0].title + u'|' + m_ui.messages[0].text,
                 "Error|Invalid Stand List File format.\r\n");
        QCOMPARE(m_ui.messages[0].icon, UserInterface::Icon::Critical);
        QCOMPARE(modGlobal().StandListFileName, path("s.slf"));
    }

    void displayLimit()
    {
        const int records = DisplayList::MaxLines - 1;
        const QByteArray full = QByteArray("r\r\n").repeated(records);
        writeFile(path("full.tre"), full);
        writeFile(path("over.tre"), full + "r\r\n");

        RecordFileLogic logic(config(0), m_ui);
        logic.open(path("over.tre"));
        QCOMPARE(logic.display().size(), 0);
        QVERIFY(m_ui.messages.last().text.contains(path("over.tre")));
        QVERIFY(m_ui.messages.last().text.contains("32766"));

        logic.setFileNameBox(path("full.tre"));
        logic.fileNameBoxLeft();
        m_ui.messages.clear();
        QVERIFY(!logic.process("one too many"));
        QCOMPARE(m_ui.titles(), QStringList{"Error"});
        QCOMPARE(int(logic.RecordCount()), records);
        QCOMPARE(logic.display().size(), DisplayList::MaxLines);
        QVERIFY(!logic.HasUnsavedChanges());

        // Undo and redo bring the list back to the limit, not beyond it.
        logic.select(0);
        logic.deleteCurrent();
        QVERIFY(logic.process("last"));
        const QStringList atLimit = logic.display().lines();
        QVERIFY(logic.undo() && logic.undo() && logic.redo() && logic.redo());
        QCOMPARE(logic.display().lines(), atLimit);
    }

    void existsQuestionNeverOpensTwice()
    {
        writeFile(path("r.tre"), "a\r\n");
        writeFile(path("r.tre.other"), "b\r\n");
        ReentrantUserInterface ui;
        RecordFileLogic logic(config(0), ui);
        ui.logic = &logic;
        logic.open(QString());
        logic.process("typed");
        ui.fileExistsAnswers = {true};
        logic.setFileNameBox(path("r.tre"));
        logic.fileNameBoxLeft();
        QCOMPARE(ui.fileExistsAsked.size(), 1);
        QCOMPARE(logic.display().lines().first(), "a");
    }

    void browse()
    {
        writeFile(path("b.loc"), "A \"x\" @ x.slf @ @\r\n");
        RecordFileLogic logic(config(2), m_ui);
        logic.open(QString());
        QCOMPARE(logic.fileNameBox() + u' ' + modGlobal().LocationsFileName,
                 "vorlin.loc vorlin.loc");

        logic.browse(); // cancelled
        QCOMPARE(m_ui.fileDialogFilters,
                 QStringList{"Locations Files (*.loc)|*.loc|All Files (*.*)|*.*"});
        QCOMPARE(m_ui.focused, QStringList{"txtLocFile"});
        QCOMPARE(logic.fileNameBox(), "vorlin.loc");

        m_ui.fileDialogAnswers = {path("b.loc")};
        logic.browse();
        QCOMPARE(logic.fileNameBox(), path("b.loc"));
        QCOMPARE(modGlobal().LocationsFileName, path("b.loc"));
        QCOMPARE(logic.RecordCount(), 1);

        // With unsaved changes to a named file, Cancel at the question ends Browse at once.
        logic.process("B G1 a.kcp");
        m_ui.answers = {Answer::Cancel};
        logic.browse();
        QCOMPARE(m_ui.fileDialogFilters.size(), 2);
    }

    void messagesOfEachWindow_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("missing");
        QTest::newRow("tree") << 0 << "A tree data file name must be specified.";
        QTest::newRow("stand") << 1 << "A Stand List File name must be specified.";
        QTest::newRow("location") << 2 << "A Locations File name must be specified.";
    }
    void messagesOfEachWindow()
    {
        QFETCH(int, window);
        QFETCH(QString, missing);
        const QString file = path(QStringLiteral("m%1").arg(window));
        writeFile(file, "A x\r\n");
        RecordFileLogic logic(config(window), m_ui);
        logic.open(file);
        logic.process("B y");
        QVERIFY(!logic.SaveFile(QString())); // Missing Filename
        m_ui.answers = {Answer::Cancel, Answer::Cancel, Answer::Cancel};
        logic.save();                   // overwrite question
        QVERIFY(!logic.requestClose()); // unsaved changes
        logic.clearDisplay();           // clear question

        using B = UserInterface::Buttons;
        using I = UserInterface::Icon;
        const auto text = [](const ScriptedUserInterface::Message& m) {
            return QStringLiteral("%1|%2|%3|%4")
                .arg(m.title, m.text)
                .arg(int(m.buttons))
                .arg(int(m.icon));
        };
        const QList<ScriptedUserInterface::Message> expected = {
            {"Missing Filename", missing, B::Ok, I::Exclamation},
            {"File Exists", "Overwrite file " + file, B::OkCancel, I::None},
            {"Unsaved Changes", "Save changes to " + file + u'?', B::YesNoCancel, I::None},
            {"Clear Display", "Clear all records from the display?", B::OkCancel, I::None}};
        QCOMPARE(m_ui.messages.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QCOMPARE(text(m_ui.messages[i]), text(expected[i]));
        QCOMPARE(m_ui.focused, QStringList{config(window).fileNameBox});
    }
};

QTEST_GUILESS_MAIN(TestRecordFileLogic)
#include "tst_recordfilelogic.moc"
