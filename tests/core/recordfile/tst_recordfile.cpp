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
                  .arg(shown(logic, ScriptedUserInterface(), "state"), logic.processCaption(),
                       logic.processTag())
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

    // What the user does with a record file, played on a window opened on `start`, in a folder
    // of its own holding `files` ("name=bytes"; "name/" a folder). "disk:name=bytes" expects a
    // file's bytes.
    void fileScripts_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");
        using L = QStringList;
        const L s{"s.tre=a\nb\n"}, ab{"a.tre=a1\r\n", "b.tre=b1\r\nb2\r\n"}, plot{"Plot.tre=a\r\n"};
        const L loc{"b.loc=A \"x\" @ x.slf @ @\r\n"}, folder{"folder/", "f.tre=a\r\n"};
        const QString unsaved = "titles=Unsaved Changes", displayed = "+typed !N ?0 Fb.tre x w";
        // clang-format off
        QTest::newRow("opened: no exists question") << Tree << s << "s.tre" << "" << L{"state=2/2 0 1", "lines=a\nb\n", "asked="};
        QTest::newRow("clear cancelled") << Tree << s << "s.tre" << "!C c" << L{"state=2/2 0 1", "titles=Clear Display"};
        QTest::newRow("clear: the slot, never deleted; flags and file kept") << Tree << s << "s.tre" << "c d" << L{"lines=", "state=0/0 0 1", "disk:s.tre=a\nb\n"};
        QTest::newRow("the slot alone still asks before the same file loads") << Tree << s << "s.tre" << "c >s.tre ?1 o" << L{"asked=s.tre", "lines=a\nb\n"};
        QTest::newRow("Cancel at the overwrite question writes nothing") << Tree << s << "s.tre" << "+c !C w" << L{"state=3/3 1 1", "titles=File Exists", "disk:s.tre=a\nb\n"};
        QTest::newRow("OK writes CR LF lines, asked once") << Tree << s << "s.tre" << "+c w w" << L{"state=3/3 0 0", "titles=File Exists", "disk:s.tre=a\r\nb\r\nc\r\n"};
        QTest::newRow("a cleared display saves an empty file") << Tree << s << "s.tre" << "c w" << L{"disk:s.tre="};
        QTest::newRow("use displayed values keeps the question of a load") << Tree << ab << "a.tre" << displayed << L{"names=b.tre|b.tre", "titles=File Exists", "disk:b.tre=a1\r\ntyped\r\n"};
        QTest::newRow("use displayed values, nothing loaded: no question") << Tree << ab << "n.tre" << displayed << L{"names=b.tre|b.tre", "titles=", "disk:b.tre=typed\r\n"};
        QTest::newRow("the same name left: nothing") << Tree << plot << "Plot.tre" << "FPlot.tre" << L{"asked=", "lines=a\n"};
        QTest::newRow("another letter case is another name") << Tree << plot << "Plot.tre" << "Fplot.tre" << L{"names=plot.tre|plot.tre", "asked="};
        QTest::newRow("and back again: it loads") << Tree << plot << "Plot.tre" << "Fplot.tre ?1 FPlot.tre" << L{"asked=Plot.tre"};
        QTest::newRow("unsaved: tree, named") << Tree << L{} << "a.tre" << "+A~x !N Fnext" << L{unsaved};
        QTest::newRow("unsaved: tree, no name") << Tree << L{} << "" << "+A~x !N Fnext" << L{"titles="};
        QTest::newRow("unsaved: stand, named") << Stand << L{} << "a.slf" << "+A~x !N Fnext" << L{unsaved};
        QTest::newRow("unsaved: location, vorlin.loc") << Location << L{} << "" << "+A~x !N Fnext" << L{"titles="};
        QTest::newRow("unsaved: location, VORLIN.LOC") << Location << L{} << "VORLIN.LOC" << "+A~x !N Fnext" << L{"titles="};
        QTest::newRow("unsaved: location, other") << Location << L{} << "other.loc" << "+A~x !N Fnext" << L{unsaved};
        QTest::newRow("close, No drops") << Tree << L{} << "c.tre" << "+r !N q" << L{"cancelled=0", unsaved, "unsaved=1"};
        QTest::newRow("close, Cancel stays") << Tree << L{} << "c.tre" << "+r !C q" << L{"cancelled=1", unsaved, "unsaved=1"};
        QTest::newRow("close, Yes saves") << Tree << L{} << "c.tre" << "+r !Y q" << L{"cancelled=0", unsaved, "unsaved=0", "disk:c.tre=r\r\n"};
        QTest::newRow("close, Yes without a name stays") << Tree << L{} << "" << "+r !Y q" << L{"cancelled=1", "titles=Unsaved Changes,Missing Filename", "unsaved=1"};
        QTest::newRow("close, Yes with a failing save stays") << Tree << L{} << "no/such/c.tre" << "+r !Y q" << L{"cancelled=1", "titles=Unsaved Changes,Error", "unsaved=1"};
        // A folder's name, typed or browsed, is named as such at once; display, names and flags stay.
        QTest::newRow("a folder typed or browsed") << Tree << folder << "t.tre" << "+typed !O !N >folder Ffolder o" << L{"titles=Error,Unsaved Changes,Error", "text=folder is a folder, not a file.", "lines=typed\n", "names=t.tre|t.tre", "state=1/1 1 0"};
        QTest::newRow("a failed save keeps everything") << Tree << folder << "f.tre" << "+b wfolder" << L{"titles=File Exists,Error", "text=The file folder could not be written.\r\nIt is a folder, not a file.", "lines=a\nb\n", "names=f.tre|f.tre", "state=2/2 1 1", "disk:f.tre=a\r\n"};
        QTest::newRow("Browse cancelled: back to the box") << Location << loc << "" << "> o" << L{"focus=txtLocFile", "names=vorlin.loc|vorlin.loc"};
        QTest::newRow("Browse loads the chosen file") << Location << loc << "" << ">b.loc o" << L{"names=b.loc|b.loc", "state=1/1 0 1"};
        QTest::newRow("Browse: Cancel at the question ends it") << Location << loc << "" << ">b.loc o +B~G1~a.kcp !C o" << L{"dialogs=1", "names=b.loc|b.loc"};
        // clang-format on
    }
    void fileScripts()
    {
        QFETCH(int, window);
        QFETCH(QStringList, files);
        QFETCH(QString, start);
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        for (const QString& file : files)
            QVERIFY(file.endsWith(u'/')
                        ? QDir().mkdir(file)
                        : writeFile(file.section(u'=', 0, 0), file.section(u'=', 1).toLatin1()));
        RecordFileLogic logic(config(window), m_shared, m_ui);
        logic.open(start);
        play(logic, script, &m_ui);
        for (const QString& item : expected.filter(QRegularExpression("^disk:"))) {
            const QString name = item.section(u'=', 0, 0);
            QCOMPARE(name + u'=' + QString::fromLatin1(readFile(name.mid(5))), item);
        }
        expectShown(logic, m_ui, expected.filter(QRegularExpression("^(?!disk:)")));
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
