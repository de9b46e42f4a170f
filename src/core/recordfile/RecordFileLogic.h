#pragma once

#include "DisplayList.h"
#include "EntryFields.h"
#include "QuestionCounter.h"
#include "RecordFileConfig.h"
#include "RecordJournal.h"
#include "UndoHistory.h"

#include <QObject>

#include <span>

// The record file handling every data window shares: naming, loading, saving, the
// questions before anything could be lost, add/update/delete/clear on the display list, and
// the undo history of those operations. A window derives from it to bring its own entry
// fields through the hooks below.
class RecordFileLogic : public QObject
{
    Q_OBJECT
public:
    // Busy: an exists question is already open, so this request was dropped.
    enum class LoadResult
    {
        NotLoaded,
        Loaded,
        Failed,
        Busy
    };

    // `shared` holds the values the windows hand each other; it outlives the logic.
    RecordFileLogic(RecordFileConfig config, ModGlobal& shared, UserInterface& ui,
                    QObject* parent = nullptr);

    const RecordFileConfig& config() const { return m_config; }
    DisplayList& display() { return m_display; }
    const DisplayList& display() const { return m_display; }

    qint16 RecordCount() const { return m_recordCount; }
    qint16 CurrentIndex() const { return m_currentIndex; }
    bool HasUnsavedChanges() const { return m_hasUnsavedChanges; }
    bool AskOverwrite() const { return m_askOverwrite; }
    bool UnloadCancelled() const { return m_unloadCancelled; }

    // Mode of the process button; its caption, tooltip and the enabled states go with it.
    using Mode = UndoHistory::Mode;
    bool isEditMode() const { return m_mode == Mode::Edit; }
    QString processTag() const
    {
        return isEditMode() ? QStringLiteral("edit") : QStringLiteral("add");
    }
    QString processCaption() const;
    QString processTooltip() const;
    bool lastEnabled() const { return isEditMode(); }
    bool deleteEnabled() const { return isEditMode(); }

    // The file-name box's text; the widget keeps it in step through fileNameBoxChanged.
    QString fileNameBox() const { return m_fileNameBox; }
    void setFileNameBox(const QString& text);
    // The name the display belongs to.
    QString currentFileName() const;
    void setCurrentFileName(const QString& name);
    // The window's name in the shared values, which the window opens on and hands over; no
    // file is loaded.
    void setSharedFileName(const QString& name) { m_shared.*m_config.sharedName = name; }

    // Opening the window: flags cleared, then the named file loaded.
    void open(const QString& fileName);
    // Opening the window on what the shared values name.
    virtual void openFromSharedState() { open(currentFileName()); }

    LoadResult LoadFile(const QString& fileName);
    bool SaveFile(const QString& fileName);
    UserInterface::Answer AskSaveChanges();

    void browse();
    // Focus leaving the file-name box. True when the box's name was taken (or already was the
    // current file name); false when the user cancelled, the file could not be read, or the
    // exists dialog is already open.
    bool fileNameBoxLeft();
    bool isAskingFileExists() const { return m_askingFileExists; }
    void save() { SaveFile(m_fileNameBox); }
    void clearDisplay();
    // A window whose records span several lines deletes them together.
    virtual void deleteCurrent();
    void moveToEnd();
    void select(int index);
    // The arrow key down the list: the next line that shows another record than the current
    // one, so a record of several lines is passed in one step.
    void selectNext();
    // Adds in add mode, replaces the current record in edit mode.
    bool process(const QString& line);
    // The process button: the window's checks and questions, then the record its fields make
    // added or updated.
    virtual bool processEntry() { return false; }

    // Close box, Next/Prev: false when the close is refused (UnloadCancelled set).
    bool requestClose();

    // Take back the last operation on the display list, or do it again: lines, counters,
    // selection, fields and mode as they were, the unsaved flag as it belongs there. Refused
    // while a question is open or an operation runs; with nothing to do, a beep.
    bool undo();
    bool redo();
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    const UndoHistory& history() const { return m_history; }

    // Puts back what a recovery journal of this window holds: the display as it began, then
    // every operation as it was made, giving the undo history they gave. Asks nothing. Returns
    // how many operations were replayed (all unless the journal does not fit), or -1 when the
    // file the display began from is no longer as it was: then nothing changed.
    int recover(const JournalFormat::Content& journal);
    // The recovery journal's file; empty while none is kept.
    QString journalPath() const { return m_journal.path(); }

    // The window's entry fields.
    EntryFields& fields() { return m_fields; }
    const EntryFields& fields() const { return m_fields; }
    QString field(int field) const { return m_fields.text(field); }
    void setField(int field, const QString& text) { m_fields.set(field, text); }

    // What the entry fields hold, in an order of the window's own.
    virtual QStringList entryFields() const { return m_fields.texts(); }

Q_SIGNALS:
    void fileNameBoxChanged(const QString& text);
    void controlsChanged();
    void selectionChanged(int index);

protected:
    // Hooks for the window's own fields.
    virtual void clearFieldsForLoad() {}
    virtual void slotSelected() {}
    // Shows a record in the fields; false leaves the mode as it was.
    virtual bool recordSelected(int index);
    // The line that selecting `index` ends up on.
    virtual int shownLine(int index) const { return index; }
    virtual void recordAdded() {}
    virtual bool confirmReplace(const QString& newLine);
    virtual void recordUpdated() {}
    // Puts back fields that entryFields gave, without the checks of typing.
    virtual void restoreEntryFields(const QStringList& texts) { m_fields.restore(texts); }

    // One user operation: every change of the display list while one lives (the outermost,
    // when they nest) is a single undo step.
    class UndoStep
    {
    public:
        explicit UndoStep(RecordFileLogic& logic, bool clear = false);
        ~UndoStep();
        UndoStep(const UndoStep&) = delete;
        UndoStep& operator=(const UndoStep&) = delete;

    private:
        RecordFileLogic& m_logic;
    };

    UserInterface& ui() { return m_ui; }
    ModGlobal& shared() { return m_shared; }
    void setAddMode();
    void setEditMode();
    void setStartMode();
    void markChanged();
    // Whether `count` more lines still fit; says so when they do not.
    bool roomFor(int count);
    // Lines index .. index + count - 1 become `lines` and RecordCount grows by `records`.
    // The caller checks the room first and holds an UndoStep.
    void changeLines(int index, int count, const QStringList& lines, int records);
    // The same for record lines only: RecordCount follows the difference.
    void replaceRecordLines(int index, int count, const QStringList& lines)
    {
        changeLines(index, count, lines, int(lines.size()) - count);
    }
    void setCurrentIndex(int index) { m_currentIndex = qint16(index); }

private:
    bool unsavedConditionHolds() const;
    // Asks about unsaved changes; false when the user cancelled or the save did not happen.
    bool changesMayBeDropped();
    // Says so when the name is a folder's: no file of that name can be loaded or saved.
    bool refusedAsFolder(const QString& fileName);
    void showFileError(const QString& what, const QString& fileName, const QString& reason);
    void setMode(Mode mode);
    UndoHistory::View currentView() const;
    void showView(const UndoHistory::View& view);
    // Whether `lines` stand at index with `records` records, as a step left them.
    bool stepFits(int index, const QStringList& lines, qint16 records) const;
    bool mayStep() const;
    // Undo (false) or redo (true) of the step at hand.
    bool takeStep(bool forward);
    // The file's records in the display, with the new-record slot or, for no file, empty.
    void resetDisplay(QStringList records, bool slot);
    // A new base for the recovery journal: the display as it stands came from `source`.
    void restartJournal(const QString& source, bool loaded, const RecordFileIO::FileState& state);
    // The operation just done goes to the recovery journal.
    void journal(JournalFormat::OpKind kind);
    qint64 journalTime() const;
    void tellJournalProblem(const QString& reason);
    bool replay(const JournalFormat::Op& op, const JournalFormat::Content& journal);

    RecordFileConfig m_config;
    ModGlobal& m_shared;
    QuestionCounter m_ui;
    EntryFields m_fields;
    DisplayList m_display;
    qint16 m_recordCount = 0;
    qint16 m_currentIndex = 0;
    bool m_hasUnsavedChanges = false;
    bool m_askOverwrite = false;
    bool m_unloadCancelled = false;
    Mode m_mode = Mode::Start;
    bool m_askingFileExists = false;
    QString m_fileNameBox;
    UndoHistory m_history;
    UndoHistory::Step m_step;
    int m_stepDepth = 0;
    bool m_stepChanged = false;
    // The record line that selecting showed in the fields last.
    int m_shownIndex = -1;
    RecordJournal m_journal;
    // While a journal is replayed: the time of the operation, and whether a redo is a step.
    qint64 m_replayTime = 0;
    bool m_replayingStep = false;
};
