#include "RecordFileLogic.h"

#include "RecordFileIO.h"
#include "base/ModGlobal.h"
#include "base/RunBeside.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <future>

using Answer = UserInterface::Answer;
using Buttons = UserInterface::Buttons;
using Icon = UserInterface::Icon;

RecordFileLogic::RecordFileLogic(RecordFileConfig config, ModGlobal& shared, UserInterface& ui,
                                 QObject* parent)
    : QObject(parent), m_config(std::move(config)), m_shared(shared), m_ui(ui),
      m_fields(m_config.fields, m_config.firstField, m_config.placeholder, m_ui),
      m_mode(m_config.startCaption.isEmpty() ? Mode::Add : Mode::Start),
      m_journal(m_config.journalWindow)
{
}

QString RecordFileLogic::processCaption() const
{
    switch (m_mode) {
    case Mode::Start:
        return m_config.startCaption;
    case Mode::Add:
        return m_config.addCaption;
    case Mode::Edit:
        break;
    }
    return m_config.editCaption;
}

QString RecordFileLogic::processTooltip() const
{
    return isEditMode() ? m_config.editTooltip : m_config.addTooltip;
}

void RecordFileLogic::setFileNameBox(const QString& text)
{
    if (text == m_fileNameBox)
        return;
    m_fileNameBox = text;
    Q_EMIT fileNameBoxChanged(text);
}

QString RecordFileLogic::currentFileName() const
{
    return m_shared.*m_config.sharedName;
}

void RecordFileLogic::setCurrentFileName(const QString& name)
{
    if (name != currentFileName())
        tellJournalProblem(m_journal.rename(name, journalTime()));
    setSharedFileName(name);
}

void RecordFileLogic::open(const QString& fileName)
{
    QString name = fileName;
    if (name.isEmpty() && !m_config.defaultFileName.isEmpty())
        name = m_config.defaultFileName;
    setFileNameBox(name);
    setCurrentFileName(name);
    m_currentIndex = 0;
    m_hasUnsavedChanges = false;
    m_askOverwrite = false;
    m_history.restart(true);
    setStartMode();
    restartJournal(name, false, {RecordFileIO::fileExists(name), 0, {}});
    LoadFile(m_fileNameBox);
}

RecordFileLogic::LoadResult RecordFileLogic::LoadFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return LoadResult::NotLoaded;
    if (m_askingFileExists)
        return LoadResult::Busy;
    if (refusedAsFolder(fileName))
        return LoadResult::Failed;
    if (!RecordFileIO::fileExists(fileName))
        return LoadResult::NotLoaded;
    if (!m_display.isEmpty()) {
        m_askingFileExists = true;
        const bool open = m_ui.askFileExists(fileName);
        m_askingFileExists = false;
        if (!open)
            return LoadResult::NotLoaded;
    }

    // Read first, so a file that cannot be read leaves the display as it was.
    // One line stays free for the slot.
    RecordFileIO::Records records = RecordFileIO::readRecords(
        fileName, {!m_config.keepEmptyLines, m_config.recordLetters}, DisplayList::MaxLines - 1);
    const RecordFileIO::Result& read = records.result;
    if (read.tooManyLines) {
        m_ui.message(QStringLiteral("Error"),
                     QStringLiteral("The file %1 holds more than %2 records, more than the "
                                    "display can hold. Nothing was loaded.")
                         .arg(fileName)
                         .arg(DisplayList::MaxLines - 1),
                     Buttons::Ok, Icon::Critical);
        return LoadResult::Failed;
    }
    if (!read.ok) {
        showFileError(QStringLiteral("read"), fileName, read.reason);
        return LoadResult::Failed;
    }

    resetDisplay(std::move(records.lines), true);
    if (records.invalidLineSeen) {
        m_ui.message(QStringLiteral("Error"), m_config.invalidFormatText + QStringLiteral("\r\n"),
                     Buttons::Ok, Icon::Critical);
    }
    select(m_recordCount);
    m_hasUnsavedChanges = false;
    m_askOverwrite = true;
    restartJournal(fileName, true, records.state);
    Q_EMIT controlsChanged();
    return LoadResult::Loaded;
}

bool RecordFileLogic::SaveFile(const QString& fileName)
{
    if (fileName.isEmpty()) {
        m_ui.message(QStringLiteral("Missing Filename"), m_config.missingFilename, Buttons::Ok,
                     Icon::Exclamation);
        m_ui.focusControl(m_config.fileNameBox);
        return false;
    }
    if (m_askOverwrite && m_ui.message(QStringLiteral("File Exists"),
                                       QStringLiteral("Overwrite file ") + m_fileNameBox,
                                       Buttons::OkCancel, Icon::None) == Answer::Cancel)
        return false;
    // The records without the slot, not copied; taken again after a question, which waits for
    // the user.
    const auto records = [this] {
        return std::span<const QString>(m_display.lines().constData(), size_t(m_recordCount));
    };
    // Changes that live only here, or in a journal about to go, must not be lost to a power cut
    // after the save: the file's new name goes to the disk too. Without any, the records are on
    // the disk already, in the file loaded or saved last, and a sync of the folder buys nothing.
    const bool durableName = m_hasUnsavedChanges || !m_journal.path().isEmpty();
    // The check runs beside the write, so a clean file, the usual one, is replaced as soon as
    // both are done. Findings to ask about hold the new file back: it is written again once the
    // user says so, and no half-made file waits beside the old one during the question.
    QList<CheckFinding> findings;
    std::future<void> checking;
    if (m_config.saveCheck) {
        const QString folder = QFileInfo(fileName).absolutePath();
        checking = startBeside([&, folder] { findings = m_config.saveCheck(records(), folder); });
    }
    bool held = false;
    const auto clean = [&] {
        checking.get();
        held = needsAttention(findings);
        return !held;
    };
    RecordFileIO::FileState state;
    RecordFileIO::Result written = RecordFileIO::writeLines(
        fileName, records(), &state, durableName,
        checking.valid() ? std::function<bool()>(clean) : std::function<bool()>());
    // A write that failed before the check was asked for: the check reads the records, so it
    // ends before anything may change them.
    if (checking.valid())
        checking.wait();
    if (written.ok && held) {
        if (m_ui.message(QStringLiteral("Check"), checkQuestionText(findings), Buttons::OkCancel,
                         Icon::Exclamation) != Answer::Ok)
            return false;
        written = RecordFileIO::writeLines(fileName, records(), &state, durableName);
    }
    if (!written.ok) {
        showFileError(QStringLiteral("written"), fileName, written.reason);
        return false;
    }
    m_hasUnsavedChanges = false;
    m_askOverwrite = false;
    m_history.markClean();
    restartJournal(fileName, !m_display.isEmpty(), state);
    Q_EMIT controlsChanged();
    return true;
}

UserInterface::Answer RecordFileLogic::AskSaveChanges()
{
    const Answer answer =
        m_ui.message(QStringLiteral("Unsaved Changes"),
                     QStringLiteral("Save changes to ") + currentFileName() + QStringLiteral("?"),
                     Buttons::YesNoCancel, Icon::None);
    if (answer == Answer::Yes) {
        const bool askOverwrite = m_askOverwrite;
        m_askOverwrite = false;
        if (!SaveFile(currentFileName()))
            m_askOverwrite = askOverwrite;
    }
    return answer;
}

bool RecordFileLogic::changesMayBeDropped()
{
    const Answer answer = AskSaveChanges();
    if (answer == Answer::Cancel)
        return false;
    // Yes without a completed save would lose the records: keep them instead.
    return !(answer == Answer::Yes && m_hasUnsavedChanges);
}

bool RecordFileLogic::unsavedConditionHolds() const
{
    if (!m_hasUnsavedChanges)
        return false;
    const QString name = currentFileName();
    if (m_config.unsavedRule == RecordFileConfig::UnsavedRule::NameNotDefault)
        return name.toLower() != m_config.defaultFileName.toLower();
    return !name.isEmpty();
}

void RecordFileLogic::browse()
{
    if (unsavedConditionHolds() && !changesMayBeDropped())
        return;
    const std::optional<QString> path = m_ui.openFileDialog(m_config.filter);
    if (!path) {
        m_ui.focusControl(m_config.fileNameBox);
        return;
    }
    setFileNameBox(*path);
    const LoadResult result = LoadFile(*path);
    if (result == LoadResult::Failed)
        setFileNameBox(currentFileName());
    else if (result != LoadResult::Busy)
        setCurrentFileName(*path);
    m_ui.focusControl(m_config.fileNameBox);
}

bool RecordFileLogic::fileNameBoxLeft()
{
    if (m_fileNameBox == currentFileName())
        return true;
    // Said at once: no question about the changes for a name that cannot be taken.
    if ((!m_askingFileExists && refusedAsFolder(m_fileNameBox)) ||
        (unsavedConditionHolds() && !changesMayBeDropped())) {
        setFileNameBox(currentFileName());
        return false;
    }
    const QString name = m_fileNameBox;
    const LoadResult result = LoadFile(name);
    if (result == LoadResult::Failed)
        setFileNameBox(currentFileName());
    else if (result != LoadResult::Busy)
        setCurrentFileName(name);
    return result == LoadResult::Loaded || result == LoadResult::NotLoaded;
}

void RecordFileLogic::clearDisplay()
{
    if (m_ui.message(QStringLiteral("Clear Display"),
                     QStringLiteral("Clear all records from the display?"), Buttons::OkCancel,
                     Icon::None) == Answer::Cancel)
        return;
    const UndoStep step(*this, true);
    changeLines(0, m_display.size(), {QString()}, -m_recordCount);
    m_currentIndex = 0;
    select(0);
}

void RecordFileLogic::deleteCurrent()
{
    if (m_currentIndex < 0 || m_currentIndex >= m_recordCount)
        return;
    const UndoStep step(*this);
    replaceRecordLines(m_currentIndex, 1, {});
    if (m_currentIndex > 0)
        --m_currentIndex;
    select(m_currentIndex);
    if (m_currentIndex == m_recordCount)
        setAddMode();
    markChanged();
}

void RecordFileLogic::moveToEnd()
{
    m_currentIndex = m_recordCount;
    select(m_currentIndex);
}

void RecordFileLogic::selectNext()
{
    int next = m_currentIndex + 1;
    while (next < m_display.size() - 1 && shownLine(next) == m_currentIndex)
        ++next;
    if (next < m_display.size())
        select(next);
}

void RecordFileLogic::select(int index)
{
    if (index < 0 || index >= m_display.size())
        return;
    m_currentIndex = qint16(index);
    m_shownIndex = -1;
    Q_EMIT selectionChanged(index);
    if (index == m_recordCount) {
        slotSelected();
        setAddMode();
        return;
    }
    if (recordSelected(index)) {
        m_shownIndex = m_currentIndex;
        setEditMode();
    }
}

bool RecordFileLogic::process(const QString& line)
{
    const UndoStep step(*this);
    if (!isEditMode()) {
        // A new record always goes into the slot, whichever line was selected before.
        const bool hasSlot = !m_display.isEmpty();
        if (!roomFor(hasSlot ? 1 : 2))
            return false;
        changeLines(m_recordCount, hasSlot ? 1 : 0, {line, QString()}, 1);
        m_currentIndex = m_recordCount;
        recordAdded();
        select(m_currentIndex);
    } else {
        if (m_currentIndex < 0 || m_currentIndex >= m_recordCount || !confirmReplace(line))
            return false;
        changeLines(m_currentIndex, 1, {line}, 0);
        recordUpdated();
        ++m_currentIndex;
        select(m_currentIndex);
    }
    markChanged();
    return true;
}

bool RecordFileLogic::requestClose()
{
    m_unloadCancelled = false;
    if (m_hasUnsavedChanges && !changesMayBeDropped()) {
        m_unloadCancelled = true;
        return false;
    }
    m_journal.discard();
    return true;
}

bool RecordFileLogic::recordSelected(int)
{
    return true;
}

bool RecordFileLogic::confirmReplace(const QString&)
{
    return true;
}

void RecordFileLogic::setAddMode()
{
    setMode(Mode::Add);
}

void RecordFileLogic::setEditMode()
{
    setMode(Mode::Edit);
}

void RecordFileLogic::setStartMode()
{
    setMode(m_config.startCaption.isEmpty() ? Mode::Add : Mode::Start);
}

void RecordFileLogic::markChanged()
{
    m_hasUnsavedChanges = true;
    Q_EMIT controlsChanged();
}

bool RecordFileLogic::roomFor(int count)
{
    if (m_display.size() + count <= DisplayList::MaxLines)
        return true;
    m_ui.message(QStringLiteral("Error"),
                 QStringLiteral("The display is full: it holds at most %1 records. "
                                "Nothing was added.")
                     .arg(DisplayList::MaxLines - 1),
                 Buttons::Ok, Icon::Critical);
    return false;
}

void RecordFileLogic::changeLines(int index, int count, const QStringList& lines, int records)
{
    if (m_stepDepth > 0)
        UndoHistory::addChange(m_step, m_stepChanged, index, count, lines, m_display.lines());
    else
        m_history.restart(!m_hasUnsavedChanges); // no step could take this change back
    m_display.replaceLines(index, count, lines);
    m_recordCount = qint16(m_recordCount + records);
}

RecordFileLogic::UndoStep::UndoStep(RecordFileLogic& logic, bool clear) : m_logic(logic)
{
    if (m_logic.m_stepDepth++ > 0)
        return;
    m_logic.m_step = UndoHistory::Step();
    m_logic.m_step.clear = clear;
    m_logic.m_step.before = m_logic.currentView();
    m_logic.m_stepChanged = false;
}

RecordFileLogic::UndoStep::~UndoStep()
{
    if (--m_logic.m_stepDepth > 0 || !m_logic.m_stepChanged)
        return;
    m_logic.m_step.after = m_logic.currentView();
    m_logic.m_history.push(std::move(m_logic.m_step));
    m_logic.m_stepChanged = false;
    m_logic.journal(JournalFormat::OpKind::Step);
}

void RecordFileLogic::setMode(Mode mode)
{
    m_mode = mode;
    Q_EMIT controlsChanged();
}

UndoHistory::View RecordFileLogic::currentView() const
{
    UndoHistory::View view;
    view.recordCount = m_recordCount;
    view.currentIndex = m_currentIndex;
    view.mode = m_mode;
    // Selecting the record again shows it as the list holds it, edits since dropped, so a later
    // update cannot write them unseen. Where selecting shows nothing (the slot, an empty tree
    // record) the fields are kept.
    view.keepsFields = m_currentIndex != m_shownIndex || m_currentIndex >= m_recordCount;
    if (view.keepsFields)
        view.fields = entryFields();
    return view;
}

void RecordFileLogic::showView(const UndoHistory::View& view)
{
    if (view.currentIndex < view.recordCount) {
        select(view.currentIndex);
    } else {
        // Not through the selection: the tree window would prepare new fields and move on.
        m_currentIndex = view.currentIndex;
        m_shownIndex = -1;
        if (m_currentIndex < m_display.size())
            Q_EMIT selectionChanged(m_currentIndex);
    }
    if (view.keepsFields)
        restoreEntryFields(view.fields);
    setMode(view.mode);
}

bool RecordFileLogic::stepFits(int index, const QStringList& lines, qint16 records) const
{
    if (m_recordCount != records || index < 0 || index + lines.size() > m_display.size())
        return false;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        if (m_display.line(index + int(k)) != lines[k])
            return false;
    }
    return true;
}

bool RecordFileLogic::mayStep() const
{
    return !m_ui.isAsking() && m_stepDepth == 0;
}

bool RecordFileLogic::undo()
{
    return takeStep(false);
}

bool RecordFileLogic::redo()
{
    return takeStep(true);
}

bool RecordFileLogic::takeStep(bool forward)
{
    if (!mayStep())
        return false;
    if (forward ? !m_history.canRedo() : !m_history.canUndo()) {
        m_ui.beep();
        return false;
    }
    const UndoHistory::Step& step = forward ? m_history.redoStep() : m_history.undoStep();
    const QStringList& from = forward ? step.removed : step.inserted;
    const QStringList& to = forward ? step.inserted : step.removed;
    if (!stepFits(step.index, from, forward ? step.before.recordCount : step.after.recordCount)) {
        // The list is not as the step left it: no step of this history applies any more.
        m_history.restart(!m_hasUnsavedChanges);
        m_ui.beep();
        return false;
    }
    const qsizetype grows = to.size() - from.size();
    if (grows > 0 && !roomFor(int(grows)))
        return false;
    const UndoHistory::View view = forward ? step.after : step.before;
    m_display.replaceLines(step.index, int(from.size()), to);
    m_recordCount = view.recordCount;
    if (forward)
        m_history.stepForward();
    else
        m_history.stepBack();
    m_hasUnsavedChanges = m_history.unsaved();
    showView(view);
    Q_EMIT controlsChanged();
    using Kind = JournalFormat::OpKind;
    journal(m_replayingStep ? Kind::Step : forward ? Kind::Redo : Kind::Undo);
    return true;
}

bool RecordFileLogic::refusedAsFolder(const QString& fileName)
{
    if (!RecordFileIO::isFolder(fileName))
        return false;
    m_ui.message(QStringLiteral("Error"),
                 QStringLiteral("%1 is a folder, not a file.").arg(fileName), Buttons::Ok,
                 Icon::Critical);
    return true;
}

void RecordFileLogic::resetDisplay(QStringList records, bool slot)
{
    clearFieldsForLoad();
    m_recordCount = qint16(records.size());
    if (slot)
        records.append(QString());
    m_display.reset(std::move(records));
    m_history.restart(true);
}

void RecordFileLogic::restartJournal(const QString& source, bool loaded,
                                     const RecordFileIO::FileState& state)
{
    JournalFormat::Base base;
    base.source = source;
    base.loaded = loaded;
    base.lines = loaded ? m_recordCount : 0;
    base.state = state;
    base.askOverwrite = m_askOverwrite;
    base.name = currentFileName();
    m_journal.restart(std::move(base));
}

qint64 RecordFileLogic::journalTime() const
{
    return m_replayTime > 0 ? m_replayTime : QDateTime::currentMSecsSinceEpoch();
}

void RecordFileLogic::journal(JournalFormat::OpKind kind)
{
    if (!m_journal.isOn())
        return;
    const qint64 time = journalTime();
    tellJournalProblem(m_journal.append(kind == JournalFormat::OpKind::Step
                                            ? JournalFormat::stepRecord(m_history.undoStep(), time)
                                            : JournalFormat::markRecord(kind, time)));
}

void RecordFileLogic::tellJournalProblem(const QString& reason)
{
    if (reason.isEmpty())
        return;
    m_ui.message(QStringLiteral("Recovery"),
                 QStringLiteral("Sapwright cannot keep its recovery journal in %1:\r\n%2\r\n\r\n"
                                "You can go on and save as usual, but what is not saved cannot "
                                "be recovered if the program or the computer stops.")
                     .arg(QDir::toNativeSeparators(RecordJournal::folder()), reason),
                 Buttons::Ok, Icon::Exclamation);
}

int RecordFileLogic::recover(const JournalFormat::Content& journal)
{
    const JournalFormat::Base& base = journal.base;
    const QString source = journal.resolved(base.source);
    RecordFileIO::Records records;
    if (base.loaded) {
        records = RecordFileIO::readRecords(
            source, {!m_config.keepEmptyLines, m_config.recordLetters}, DisplayList::MaxLines - 1);
        if (!records.result.ok || records.lines.size() != base.lines)
            return -1;
    } else {
        records.state = RecordFileIO::fileState(source);
    }
    if (!JournalFormat::unchanged(base.state, records.state))
        return -1;

    resetDisplay(std::move(records.lines), base.loaded);
    m_hasUnsavedChanges = false;
    m_askOverwrite = base.askOverwrite;
    JournalFormat::Base fresh = base;
    fresh.source = source;
    fresh.name = journal.resolved(base.name);
    m_journal.restart(fresh);
    setFileNameBox(fresh.name);
    setCurrentFileName(fresh.name);
    select(m_recordCount);
    m_journal.setSyncEach(false);
    int replayed = 0;
    for (const JournalFormat::Op& op : journal.ops) {
        m_replayTime = op.time;
        if (!replay(op, journal))
            break;
        replayed += op.kind != JournalFormat::OpKind::Name;
    }
    m_replayTime = 0;
    m_journal.setSyncEach(true);
    Q_EMIT controlsChanged();
    return replayed;
}

bool RecordFileLogic::replay(const JournalFormat::Op& op, const JournalFormat::Content& journal)
{
    switch (op.kind) {
    case JournalFormat::OpKind::Name: {
        const QString name = journal.resolved(op.name);
        setFileNameBox(name);
        setCurrentFileName(name);
        return true;
    }
    case JournalFormat::OpKind::Undo:
        return takeStep(false);
    case JournalFormat::OpKind::Redo:
        return takeStep(true);
    case JournalFormat::OpKind::Step:
        break;
    }
    // Nothing read is trusted: the step must leave the list as every operation leaves it.
    UndoHistory::Step step = op.step;
    const int size = m_display.size();
    const qsizetype after = size - qsizetype(op.removedCount) + step.inserted.size();
    const auto fits = [](const UndoHistory::View& view, qsizetype lines) {
        const qsizetype records = qMax(lines - 1, qsizetype(0));
        return view.recordCount == records && view.currentIndex >= 0 &&
               view.currentIndex <= records;
    };
    if (step.index < 0 || op.removedCount < 0 || step.index + op.removedCount > size ||
        after > DisplayList::MaxLines || !fits(step.before, size) || !fits(step.after, after) ||
        step.before.recordCount != m_recordCount)
        return false;
    step.removed = m_display.lines().mid(step.index, op.removedCount);
    if (JournalFormat::linesHash(step.removed) != op.removedHash)
        return false;
    m_history.push(std::move(step));
    m_history.stepBack();
    m_replayingStep = true;
    const bool done = takeStep(true);
    m_replayingStep = false;
    return done;
}

void RecordFileLogic::showFileError(const QString& what, const QString& fileName,
                                    const QString& reason)
{
    m_ui.message(QStringLiteral("Error"),
                 QStringLiteral("The file %1 could not be %2.\r\n%3").arg(fileName, what, reason),
                 Buttons::Ok, Icon::Critical);
}
