#pragma once

#include "DisplayList.h"
#include "RecordFileConfig.h"
#include "app/UserInterface.h"

#include <QObject>

// The record file handling every data window shares: naming, loading, saving, the
// questions before anything could be lost, and add/update/delete/clear on the display list.
// A window derives from it to bring its own entry fields through the hooks below.
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

    RecordFileLogic(RecordFileConfig config, UserInterface& ui, QObject* parent = nullptr);

    const RecordFileConfig& config() const { return m_config; }
    DisplayList& display() { return m_display; }
    const DisplayList& display() const { return m_display; }

    qint16 RecordCount() const { return m_recordCount; }
    qint16 CurrentIndex() const { return m_currentIndex; }
    bool HasUnsavedChanges() const { return m_hasUnsavedChanges; }
    bool AskOverwrite() const { return m_askOverwrite; }
    bool OpenStatus() const { return m_openStatus; }
    void SetOpenStatus(bool choice) { m_openStatus = choice; }
    bool UnloadCancelled() const { return m_unloadCancelled; }

    // Mode of the process button and the enabled states that go with it.
    QString processTag() const
    {
        return m_editMode ? QStringLiteral("edit") : QStringLiteral("add");
    }
    bool isEditMode() const { return m_editMode; }
    QString processCaption() const { return m_processCaption; }
    QString processTooltip() const;
    bool lastEnabled() const { return m_lastEnabled; }
    bool deleteEnabled() const { return m_deleteEnabled; }

    // The file-name box's text; the widget keeps it in step through fileNameBoxChanged.
    QString fileNameBox() const { return m_fileNameBox; }
    void setFileNameBox(const QString& text);
    // The name the display belongs to.
    QString currentFileName() const;
    void setCurrentFileName(const QString& name);

    // Opening the window: flags cleared, then the named file loaded.
    void open(const QString& fileName);

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
    // Adds in add mode, replaces the current record in edit mode.
    bool process(const QString& line);

    // Close box, Next/Prev: false when the close is refused (UnloadCancelled set).
    bool requestClose();

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
    virtual void recordAdded() {}
    virtual bool confirmReplace(const QString& newLine);
    virtual void recordUpdated() {}

    UserInterface& ui() { return m_ui; }
    void setAddMode();
    void setEditMode();
    void setStartMode();
    void markChanged();
    // Whether `count` more lines still fit; says so when they do not.
    bool roomFor(int count);
    void insertRecordLine(int index, const QString& line);
    void removeRecordLines(int index, int count);
    // Lines index .. index + count - 1 become `lines`, one for one where they overlap; the
    // rest is inserted or removed there. The caller checks the room first.
    void replaceRecordLines(int index, int count, const QStringList& lines);
    void setCurrentIndex(int index) { m_currentIndex = qint16(index); }

private:
    bool unsavedConditionHolds() const;
    // Asks about unsaved changes; false when the user cancelled or the save did not happen.
    bool changesMayBeDropped();
    // The "Check" question when the lines have findings; false when the user cancelled.
    bool findingsAccepted(const QStringList& lines, const QString& fileName);
    void showFileError(const QString& what, const QString& fileName, const QString& reason);

    RecordFileConfig m_config;
    UserInterface& m_ui;
    DisplayList m_display;
    qint16 m_recordCount = 0;
    qint16 m_currentIndex = 0;
    bool m_hasUnsavedChanges = false;
    bool m_askOverwrite = false;
    bool m_openStatus = false;
    bool m_unloadCancelled = false;
    bool m_editMode = false;
    bool m_lastEnabled = false;
    bool m_deleteEnabled = false;
    bool m_askingFileExists = false;
    QString m_processCaption;
    QString m_fileNameBox;
    QString m_windowFileName;
};
