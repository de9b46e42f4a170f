#include "RecordFileLogic.h"

#include "RecordFileIO.h"
#include "app/ModGlobal.h"

using Answer = UserInterface::Answer;
using Buttons = UserInterface::Buttons;
using Icon = UserInterface::Icon;

RecordFileLogic::RecordFileLogic(RecordFileConfig config, UserInterface& ui, QObject* parent)
    : QObject(parent), m_config(std::move(config)), m_ui(ui),
      m_processCaption(m_config.startCaption)
{
}

QString RecordFileLogic::processTooltip() const
{
    return m_editMode ? m_config.editTooltip : m_config.addTooltip;
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
    switch (m_config.nameStore) {
    case RecordFileConfig::NameStore::StandListFileName:
        return modGlobal().StandListFileName;
    case RecordFileConfig::NameStore::LocationsFileName:
        return modGlobal().LocationsFileName;
    default:
        return m_windowFileName;
    }
}

void RecordFileLogic::setCurrentFileName(const QString& name)
{
    switch (m_config.nameStore) {
    case RecordFileConfig::NameStore::StandListFileName:
        modGlobal().StandListFileName = name;
        break;
    case RecordFileConfig::NameStore::LocationsFileName:
        modGlobal().LocationsFileName = name;
        break;
    default:
        m_windowFileName = name;
        break;
    }
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
    setStartMode();
    LoadFile(m_fileNameBox);
}

RecordFileLogic::LoadResult RecordFileLogic::LoadFile(const QString& fileName)
{
    if (fileName.isEmpty())
        return LoadResult::NotLoaded;
    if (m_askingFileExists)
        return LoadResult::Busy;
    if (!RecordFileIO::fileExists(fileName))
        return LoadResult::NotLoaded;
    if (!m_display.isEmpty()) {
        m_askingFileExists = true;
        m_openStatus = m_ui.askFileExists(fileName);
        m_askingFileExists = false;
    } else {
        m_openStatus = true;
    }
    if (!m_openStatus)
        return LoadResult::NotLoaded;

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

    clearFieldsForLoad();
    QStringList lines = std::move(records.lines);
    m_recordCount = qint16(lines.size());
    lines.append(QString());
    m_display.reset(std::move(lines));
    if (records.invalidLineSeen) {
        m_ui.message(QStringLiteral("Error"), m_config.invalidFormatText + QStringLiteral("\r\n"),
                     Buttons::Ok, Icon::Critical);
    }
    select(m_recordCount);
    m_hasUnsavedChanges = false;
    m_askOverwrite = true;
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
    const QStringList lines = m_display.lines().mid(0, m_recordCount);
    if (!findingsAccepted(lines, fileName))
        return false;
    const RecordFileIO::Result written = RecordFileIO::writeLines(fileName, lines);
    if (!written.ok) {
        showFileError(QStringLiteral("written"), fileName, written.reason);
        return false;
    }
    m_hasUnsavedChanges = false;
    m_askOverwrite = false;
    Q_EMIT controlsChanged();
    return true;
}

bool RecordFileLogic::findingsAccepted(const QStringList& lines, const QString& fileName)
{
    if (!m_config.saveCheck)
        return true;
    const QList<CheckFinding> findings = m_config.saveCheck(lines, fileName);
    return findings.isEmpty() || m_ui.message(QStringLiteral("Check"), checkQuestionText(findings),
                                              Buttons::OkCancel, Icon::Exclamation) == Answer::Ok;
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
    if (unsavedConditionHolds() && !changesMayBeDropped()) {
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
    m_display.reset({QString()});
    m_currentIndex = 0;
    m_recordCount = 0;
    select(0);
}

void RecordFileLogic::deleteCurrent()
{
    if (m_currentIndex < 0 || m_currentIndex >= m_recordCount)
        return;
    removeRecordLines(m_currentIndex, 1);
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

void RecordFileLogic::select(int index)
{
    if (index < 0 || index >= m_display.size())
        return;
    m_currentIndex = qint16(index);
    Q_EMIT selectionChanged(index);
    if (index == m_recordCount) {
        slotSelected();
        setAddMode();
        return;
    }
    if (recordSelected(index))
        setEditMode();
}

bool RecordFileLogic::process(const QString& line)
{
    if (!m_editMode) {
        // A new record always goes into the slot, whichever line was selected before.
        const bool hasSlot = !m_display.isEmpty();
        if (!roomFor(hasSlot ? 1 : 2))
            return false;
        if (hasSlot)
            m_display.setLine(m_recordCount, line);
        else
            m_display.appendLine(line);
        ++m_recordCount;
        m_currentIndex = m_recordCount;
        m_display.appendLine(QString());
        recordAdded();
        select(m_currentIndex);
    } else {
        if (m_currentIndex < 0 || m_currentIndex >= m_recordCount || !confirmReplace(line))
            return false;
        m_display.setLine(m_currentIndex, line);
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
    m_editMode = false;
    m_processCaption = m_config.addCaption;
    m_lastEnabled = false;
    m_deleteEnabled = false;
    Q_EMIT controlsChanged();
}

void RecordFileLogic::setEditMode()
{
    m_editMode = true;
    m_processCaption = m_config.editCaption;
    m_lastEnabled = true;
    m_deleteEnabled = true;
    Q_EMIT controlsChanged();
}

void RecordFileLogic::setStartMode()
{
    setAddMode();
    m_processCaption = m_config.startCaption;
    Q_EMIT controlsChanged();
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

void RecordFileLogic::insertRecordLine(int index, const QString& line)
{
    m_display.insertLine(index, line);
    ++m_recordCount;
}

void RecordFileLogic::removeRecordLines(int index, int count)
{
    m_display.removeLines(index, count);
    m_recordCount = qint16(m_recordCount - count);
}

void RecordFileLogic::replaceRecordLines(int index, int count, const QStringList& lines)
{
    const int given = int(lines.size());
    const int common = qMin(count, given);
    for (int k = 0; k < common; ++k) {
        if (m_display.line(index + k) != lines[k])
            m_display.setLine(index + k, lines[k]);
    }
    for (int k = common; k < given; ++k)
        insertRecordLine(index + k, lines[k]);
    removeRecordLines(index + common, count - common);
}

void RecordFileLogic::showFileError(const QString& what, const QString& fileName,
                                    const QString& reason)
{
    m_ui.message(QStringLiteral("Error"),
                 QStringLiteral("The file %1 could not be %2.\r\n%3").arg(fileName, what, reason),
                 Buttons::Ok, Icon::Critical);
}
