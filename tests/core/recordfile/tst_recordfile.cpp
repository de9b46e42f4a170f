#include "Play.h"
#include "ScriptedUserInterface.h"
#include "TestFiles.h"
#include "base/Cp1252.h"
#include "base/ModGlobal.h"
#include "recordfile/JournalFormat.h"
#include "recordfile/RecordFileIO.h"
#include "recordfile/RecordFileLogic.h"
#include "recordfile/UndoHistory.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <sys/resource.h>

using Answer = UserInterface::Answer;

namespace {

// Shared values for configurations whose save check is not used.
const ModGlobal NoShared;

constexpr int Tree = 0, Stand = 1, Location = 2;

// The handling itself works on placeholder lines, so the tree window's content check before a
// save is left out unless asked for.
RecordFileConfig config(int window, bool checked = false)
{
    RecordFileConfig c = window == Tree    ? TreeWindowLogic::fileConfig(NoShared)
                         : window == Stand ? StandWindowLogic::fileConfig()
                                           : LocationWindowLogic::fileConfig();
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

std::unique_ptr<RecordFileLogic> windowLogic(int window, ModGlobal& shared, UserInterface& ui)
{
    if (window == Tree)
        return std::make_unique<TreeWindowLogic>(shared, ui);
    if (window == Stand)
        return std::make_unique<StandWindowLogic>(shared, ui);
    return std::make_unique<LocationWindowLogic>(shared, ui);
}

JournalFormat::Content journalOf(const RecordFileLogic& logic)
{
    return JournalFormat::parse(readFile(logic.journalPath()));
}

// Everything undo gives back: lines, counters, the unsaved flag, mode and buttons, the fields.
QStringList describe(const RecordFileLogic& logic)
{
    return QStringList(logic.display().lines())
           << QStringLiteral("%1, %2 %3, last %4, delete %5")
                  .arg(state(logic), logic.processCaption(), logic.processTag())
                  .arg(logic.lastEnabled())
                  .arg(logic.deleteEnabled())
           << logic.entryFields();
}

} // namespace

class TestRecordFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedUserInterface m_ui;
    ModGlobal m_shared;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase() { RecordJournal::setFolder(path("state")); }
    void init()
    {
        m_shared = ModGlobal();
        m_ui = ScriptedUserInterface();
    }

    // A change typed, pasted or deleted in a field, checked by the field's class and length
    // from its window's table; what is refused goes from just before the caret, with a beep.
    void typingInAField_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("edited"); // the caret after its last character, or at a |
        QTest::addColumn<QString>("shown");  // with the caret at the |
        QTest::addColumn<int>("beeps");
        using namespace TreeFields;
        using namespace StandBox;
        const QString anything = QStringLiteral("Stand -7.@ at the creek, 12"); // 27 characters
        // clang-format off
        QTest::newRow("point in Plot number") << Tree << PlotNumber << "1" << "1." << "1|" << 1;
        QTest::newRow("point in Dbh") << Tree << Dbh << "1" << "1." << "1.|" << 0;
        QTest::newRow("minus first in Tree count") << Tree << TreeCount << "" << "-" << "|" << 1;
        QTest::newRow("point between digits reads as a number") << Tree << PlotNumber << "15" << "1.|5" << "1.|5" << 0;
        QTest::newRow("Species: any text with a byte in the file") << Tree << Species << "" << "\u20ac-." << "\u20ac-.|" << 0;
        QTest::newRow("a paste loses every bad character") << Tree << Dbh << "12" << "1ab|2" << "1|2" << 1;
        QTest::newRow("both halves of an emoji") << Tree << Species << "df" << "d\U0001F332|f" << "d|f" << 1;
        QTest::newRow("longer than the box: may shorten only") << Tree << TreeNumber << "1000" << "10009" << "1000|" << 1;
        QTest::newRow("minus first in a basal area factor") << Stand << int(BasalAreaFactor) << "" << "-10" << "-10|" << 0;
        QTest::newRow("minus after 10 in a basal area factor") << Stand << int(BasalAreaFactor) << "10" << "10-" << "10|" << 1;
        QTest::newRow("@ then a digit") << Stand << int(InventoryYear) << "@" << "@5" << "@|" << 1;
        QTest::newRow("@ in a growth code") << Stand << int(DiameterGrowthCode) << "" << "@" << "@|" << 0;
        QTest::newRow("4 in a growth code empties it") << Stand << int(DiameterGrowthCode) << "" << "4" << "|" << 1;
        QTest::newRow("stand ID takes 26 of anything") << Stand << int(StandId) << anything.left(26) << anything << anything.left(26) + "|" << 1;
        QTest::newRow("location: no class, no limit") << Location << int(LocRecord::Field::Addfiles) << "" << anything << anything + "|" << 0;
        // clang-format on
    }
    void typingInAField()
    {
        QFETCH(int, window);
        QFETCH(int, field);
        QFETCH(QString, before);
        QFETCH(QString, edited);
        QFETCH(QString, shown);
        QFETCH(int, beeps);
        RecordFileLogic logic(config(window), m_shared, m_ui);
        logic.setField(field, before);
        const int caret = edited.contains(u'|') ? int(edited.indexOf(u'|')) : int(edited.size());
        const TypingResult r = logic.fields().edited(field, edited.remove(u'|'), caret);
        QCOMPARE(QString(r.text).insert(r.caret, u'|'), shown);
        QCOMPARE(logic.field(field), r.text);
        QCOMPARE(m_ui.beeps, beeps);
    }

    // Reading and writing the bytes of a record file; the fuzz target drives the same reader
    // and writer over any bytes.
    void readAndWriteBytes()
    {
        QByteArray everyByte; // but the line ends, each one character
        for (int b = 0; b < 256; ++b) {
            if (b != '\n' && b != '\r')
                everyByte.append(char(b));
        }
        // Empty lines are records; a lone CR stays in its line; the last line needs no end.
        writeFile(path("read.tre"), "a\r\nb\n\r\n\nc\rd\r" + everyByte + '\r');
        QStringList lines;
        const RecordFileIO::Result read = RecordFileIO::readLines(path("read.tre"), &lines);
        QVERIFY(read.ok && !read.lastLineEnded);
        QCOMPARE(lines,
                 (QStringList{"a", "b", "", "", "c\rd\r" + Cp1252::decode(everyByte) + '\r'}));
        QVERIFY(RecordFileIO::writeLines(path("written.tre"), lines).ok);
        QCOMPARE(readFile(path("written.tre")), "a\r\nb\r\n\r\n\r\nc\rd\r" + everyByte + "\r\r\n");
        RecordFileIO::ReadOptions skip;
        skip.skipEmptyLines = true;
        QVERIFY(RecordFileIO::readLines(path("read.tre"), &lines, skip).ok);
        QCOMPARE(lines.size(), 3);
        // An empty file has no line; a lone line end is one empty line.
        for (const int count : {0, 1}) {
            writeFile(path("e.tre"), QByteArray("\r\n").repeated(count));
            const RecordFileIO::Result empty = RecordFileIO::readLines(path("e.tre"), &lines);
            QVERIFY(empty.ok && empty.lastLineEnded);
            QCOMPARE(lines, QStringList(count, QString()));
        }
    }

    // A file too long to be kept whole passes through the reader; lines and hash stay exact.
    void longFile()
    {
        QByteArray bytes;
        QStringList expected;
        for (int i = 0; i < 20; ++i) {
            const QByteArray line = QByteArray(1 << 20, char('a' + i)) + "\x80";
            bytes += line + "\r\n";
            expected.append(Cp1252::decode(line));
        }
        writeFile(path("long.tre"), bytes);
        const RecordFileIO::Records read = RecordFileIO::readRecords(path("long.tre"), {});
        QVERIFY(read.result.ok);
        QVERIFY(read.lines == expected);
        QCOMPARE(read.state.size, bytes.size());
        QCOMPARE(read.state.hash(), QCryptographicHash::hash(bytes, RecordFileIO::Hash));
        QStringList lines; // read a chunk at a time when no hash is wanted
        QVERIFY(RecordFileIO::readLines(path("long.tre"), &lines).ok && lines == expected);
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
        RecordFileLogic logic(config(Tree), m_shared, m_ui);
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
        RecordFileLogic logic(config(Tree), m_shared, m_ui);
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
        RecordFileLogic logic(config(Tree), m_shared, m_ui);
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
        QTest::newRow("tree, named") << Tree << "a.tre" << true;
        QTest::newRow("tree, no name") << Tree << "" << false;
        QTest::newRow("stand, named") << Stand << "a.slf" << true;
        QTest::newRow("location, vorlin.loc") << Location << "vorlin.loc" << false;
        QTest::newRow("location, VORLIN.LOC") << Location << "VORLIN.LOC" << false;
        QTest::newRow("location, other") << Location << "other.loc" << true;
    }
    void unsavedQuestionFollowsWindowRule()
    {
        QFETCH(int, window);
        QFETCH(QString, current);
        QFETCH(bool, asks);
        RecordFileLogic logic(config(window), m_shared, m_ui);
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
        // clang-format off
        QTest::newRow("No drops") << "c.tre" << Answer::No << true << "Unsaved Changes";
        QTest::newRow("Cancel stays") << "c.tre" << Answer::Cancel << false << "Unsaved Changes";
        QTest::newRow("Yes saves") << "c.tre" << Answer::Yes << true << "Unsaved Changes";
        QTest::newRow("Yes without a name stays") << "" << Answer::Yes << false << "Unsaved Changes|Missing Filename";
        QTest::newRow("Yes with a failing save stays") << "no/such/folder/c.tre" << Answer::Yes << false << "Unsaved Changes|Error";
        // clang-format on
    }
    void closeQuestion()
    {
        QFETCH(QString, name);
        QFETCH(Answer, answer);
        QFETCH(bool, closes);
        QFETCH(QString, titles);
        RecordFileLogic logic(config(Tree), m_shared, m_ui);
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
        RecordFileLogic logic(config(Tree), m_shared, m_ui);
        logic.open(path("typed.tre"));
        logic.process("typed");
        // A folder's name, typed or browsed, is named as such at once; the name stays.
        m_ui.answers = {Answer::Ok, Answer::No};
        m_ui.fileDialogAnswers = {folder};
        logic.setFileNameBox(folder);
        logic.fileNameBoxLeft();
        logic.browse();
        QCOMPARE(m_ui.titles().join(u'|'), "Error|Unsaved Changes|Error");
        QCOMPARE(m_ui.messages[0].text, folder + " is a folder, not a file.");
        QCOMPARE(logic.display().lines(), (QStringList{"typed", QString()}));
        QCOMPARE(logic.currentFileName() + u'|' + logic.fileNameBox(),
                 path("typed.tre") + u'|' + path("typed.tre"));
        QCOMPARE(state(logic), "1/1 1 0");
        m_ui.messages.clear();

        // AskOverwrite, set by a load, stays after a failed save, through the question too.
        writeFile(path("f.tre"), "a\r\n");
        m_ui.fileExistsAnswers = {true};
        QCOMPARE(logic.LoadFile(path("f.tre")), RecordFileLogic::LoadResult::Loaded);
        logic.process("b");
        QVERIFY(!logic.SaveFile(folder));
        QCOMPARE(state(logic), "2/2 1 1");
        QCOMPARE(m_ui.titles().join(u'|'), "File Exists|Error");
        for (const ScriptedUserInterface::Message& m : m_ui.messages)
            QVERIFY(m.title != "Error" ||
                    (m.text.contains(folder) && m.icon == UserInterface::Icon::Critical));
        logic.setCurrentFileName(folder);
        m_ui.answers = {Answer::Yes};
        logic.AskSaveChanges();
        QVERIFY(logic.AskOverwrite());
    }

    void displayLimit()
    {
        const int records = DisplayList::MaxLines - 1;
        const QByteArray full = QByteArray("r\r\n").repeated(records);
        writeFile(path("full.tre"), full);
        writeFile(path("over.tre"), full + "r\r\n");

        RecordFileLogic logic(config(Tree), m_shared, m_ui);
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

    // While a question is open, neither a second exists question nor an undo may run.
    void nothingRunsWhileAsking()
    {
        writeFile(path("r.tre"), "a\r\nb\r\n");
        writeFile(path("r.tre.other"), "c\r\n");
        TreeWindowLogic logic(m_shared, m_ui);
        logic.open(QString());
        logic.process("typed");
        QList<bool> undone;
        m_ui.whileFileExistsAsked = [&] {
            undone << logic.undo();
            logic.setFileNameBox(path("r.tre.other"));
            logic.fileNameBoxLeft();
        };
        m_ui.whileAsked = [&] { undone << logic.undo(); };
        m_ui.fileExistsAnswers = {true};
        logic.setFileNameBox(path("r.tre"));
        logic.fileNameBoxLeft();
        QCOMPARE(m_ui.fileExistsAsked, QStringList{path("r.tre")});
        QCOMPARE(logic.display().lines(), (QStringList{"a", "b", ""}));
        logic.select(0);
        logic.deleteCurrent();
        logic.clearDisplay();
        QCOMPARE(undone, (QList<bool>{false, false}));
        QCOMPARE(logic.RecordCount(), 0);
        QCOMPARE(logic.history().stepCount(), 2);
    }

    void browse()
    {
        writeFile(path("b.loc"), "A \"x\" @ x.slf @ @\r\n");
        RecordFileLogic logic(config(Location), m_shared, m_ui);
        logic.open(QString());
        QCOMPARE(logic.fileNameBox() + u' ' + m_shared.LocationsFileName, "vorlin.loc vorlin.loc");

        logic.browse(); // cancelled
        QCOMPARE(m_ui.focused, QStringList{"txtLocFile"});
        QCOMPARE(logic.fileNameBox(), "vorlin.loc");

        m_ui.fileDialogAnswers = {path("b.loc")};
        logic.browse();
        QCOMPARE(logic.fileNameBox(), path("b.loc"));
        QCOMPARE(m_shared.LocationsFileName, path("b.loc"));
        QCOMPARE(logic.RecordCount(), 1);

        // With unsaved changes to a named file, Cancel at the question ends Browse at once.
        logic.process("B G1 a.kcp");
        m_ui.answers = {Answer::Cancel};
        logic.browse();
        QCOMPARE(m_ui.fileDialogFilters.size(), 2);
    }

    void operationsUndoneAndRedone_data()
    {
        // What the user did before | the operations undone and redone.
        QTest::addColumn<int>("window");
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<QString>("script");

        // clang-format off
        QTest::newRow("tree update of the last record") << Tree << TreeFile << "s3 f6=9|p";
        // An empty record shows nothing: the fields of the record before stay and come back.
        QTest::newRow("tree delete of an empty line") << Tree << TreeFile << "s0 s2|d";
        QTest::newRow("tree mixed") << Tree << TreeFile << TypeTree + "|p s0 f5=WF p s1 d d c " + TypeTree + "p";
        QTest::newRow("stand set update from its B line") << Stand << StandFile << "s4 f32=g2|p";
        QTest::newRow("stand delete of the only set") << Stand << StandFile.left(StandFile.indexOf('C')) << "s0|d";
        QTest::newRow("stand mixed") << Stand << StandFile << TypeStand + "|p s4 f32=g2 p s1 d c " + TypeStand + "p";
        QTest::newRow("location A replaced by B") << Location << LocationFile << "s0 kB f3=G2 f4=b.kcp|p";
        QTest::newRow("location first add in a new window") << Location << QByteArray() << TypeLocation + "|p";
        QTest::newRow("location mixed") << Location << LocationFile << TypeLocation + "|p s0 kB f3=G2 f4=b.kcp p s1 d c " + TypeLocation + "p";
        // clang-format on
    }

    void operationsUndoneAndRedone()
    {
        QFETCH(int, window);
        QFETCH(QByteArray, content);
        QFETCH(QString, script);
        const QString operations = script.section(u'|', 1);
        std::unique_ptr<RecordFileLogic> logic = windowLogic(window, m_shared, m_ui);
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
        const qsizetype tabs = m_ui.tabsFrom.size();
        const qsizetype messages = m_ui.messages.size();

        // Lines, counters, flags and mode as they were; the fields as they were on the slot, and
        // on a record as selecting it shows them, edits not carried out dropped.
        const auto comparesTo = [&](QStringList expected) {
            QStringList shown = describe(*logic);
            if (logic->CurrentIndex() < logic->RecordCount()) {
                logic->select(logic->CurrentIndex());
                QCOMPARE(describe(*logic), shown);
                const qsizetype fields = logic->entryFields().size();
                shown.resize(shown.size() - fields);
                expected.resize(expected.size() - fields);
            }
            QCOMPARE(shown, expected);
        };
        for (int k = 0; k < steps; ++k)
            QVERIFY(logic->undo());
        comparesTo(before);
        for (int k = 0; k < steps; ++k)
            QVERIFY(logic->redo());
        comparesTo(after);
        // Undo moves nothing on and asks nothing.
        QCOMPARE(m_ui.tabsFrom.size(), tabs);
        QCOMPARE(m_ui.messages.size(), messages);
        QCOMPARE(m_ui.beeps, 0);

        // A new window given the journal shows the same, with the same undo history below.
        const JournalFormat::Content journal = journalOf(*logic);
        QCOMPARE(journal.operations(), logic->history().stepCount() + 2 * steps);
        logic = windowLogic(window, m_shared, m_ui);
        QCOMPARE(logic->recover(journal), journal.operations());
        comparesTo(after);
        // With nothing to redo, a beep.
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

    // Power failed while the last operation was appended: every cut inside it is found, and the
    // operations before it come back; the same after a changed byte.
    void journalCutShort()
    {
        RecordFileLogic logic(config(Tree), m_shared, m_ui);
        logic.open(path("cut.tre"));
        for (const char* line : {"a", "b", "c"})
            logic.process(line);
        QByteArray bytes = readFile(logic.journalPath());
        const qsizetype last =
            bytes.size() - JournalFormat::stepRecord(logic.history().undoStep(), 0).size();
        for (qsizetype cut = last; cut < bytes.size(); ++cut) {
            const JournalFormat::Content journal = JournalFormat::parse(bytes.left(cut));
            QCOMPARE(journal.operations(), 2);
            QCOMPARE(journal.cutShort, cut > last);
        }
        bytes[last + 10] = bytes[last + 10] ^ 1;
        QVERIFY(JournalFormat::parse(bytes).cutShort);
        RecordFileLogic recovered(config(Tree), m_shared, m_ui);
        QCOMPARE(recovered.recover(JournalFormat::parse(bytes)), 2);
        QCOMPARE(recovered.display().lines(), (QStringList{"a", "b", ""}));
    }

    void journalOfAChangedFile_data()
    {
        QTest::addColumn<QByteArray>("end");
        QTest::newRow("last line ended") << QByteArray("\r\n");
        QTest::newRow("last line without its end") << QByteArray();
    }

    // A file changed under its journal is not replayed; what the operations added or changed is
    // still known, in file order.
    void journalOfAChangedFile()
    {
        QFETCH(QByteArray, end);
        const QString file = path("changed.tre");
        writeFile(file, "a\r\nb\r\nc" + end);
        RecordFileLogic logic(config(Tree), m_shared, m_ui);
        logic.open(file);
        logic.process("d");
        logic.select(0);
        logic.process("A");
        logic.deleteCurrent(); // b
        logic.select(0);
        logic.process("a2");
        logic.undo();
        logic.clearDisplay();
        logic.undo();
        const JournalFormat::Content journal = journalOf(logic);
        QCOMPARE(JournalFormat::recordsAdded(journal), (QStringList{"A", "d"}));
        writeFile(file, "a\r\nB\r\nc" + end);
        RecordFileLogic recovered(config(Tree), m_shared, m_ui);
        QCOMPARE(recovered.recover(journal), -1);
        QVERIFY(recovered.display().isEmpty() && recovered.journalPath().isEmpty());
    }

    // A journal that cannot be written is said once; the work goes on without one.
    void journalFolderNotWritable()
    {
        writeFile(path("plain"), "x");
        RecordJournal::setFolder(path("plain/state"));
        RecordFileLogic logic(config(Location), m_shared, m_ui);
        logic.open(path("n.loc"));
        logic.process("A x");
        logic.process("A y");
        logic.undo();
        RecordJournal::setFolder(path("state"));
        QCOMPARE(m_ui.titles(), QStringList{"Recovery"});
        QVERIFY(m_ui.messages[0].text.contains(path("plain/state")));
        QCOMPARE(logic.display().lines(), (QStringList{"A x", ""}));
        QVERIFY(logic.journalPath().isEmpty());
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

    void fieldsPackedExactly()
    {
        const QStringList fields{QString(), QString::fromUtf16(u"a\0b", 3), QString(0x1FFFF, u'x'),
                                 QString(QChar(0xFFFF))};
        QCOMPARE(JournalFormat::unpackFields(JournalFormat::packFields(fields)), fields);
    }

    // Upper case never leaves the code page: µ stays, ÿ becomes Ÿ (0x9F).
    void upperCaseInTheCodePage()
    {
        QCOMPARE(Cp1252::toUpper(u"\u00b5\u00ff"), QStringLiteral("\u00b5\u0178"));
    }
};

QTEST_GUILESS_MAIN(TestRecordFile)
#include "tst_recordfile.moc"
