#pragma once

#include <QObject>
#include <QPointer>

class QLineEdit;
class QKeyEvent;
class QAbstractItemView;
class QAbstractButton;
class QPushButton;
class RecordFileLogic;

// Binds one data window's file-name box, Browse button, display list and record buttons to
// its record file logic. The same binding serves all three windows.
//
// A name typed into the file-name box is taken when the focus leaves the box: the file is
// loaded, or the exists dialog asks. A mouse click on a button moves the focus out of the box
// before the button sees the press; an access key does not move the focus at all, and its
// command would run on a name that was never taken. So the binding watches every push button
// of its window, whenever and by whom it was built, through an application event filter.
// Before an access key, Enter or Space on a focused button, or a mouse press reaches such a
// button, the leave of the box is completed if the box still has the focus, exactly as a
// click's focus change completes it. The command is dropped when that leave did not complete
// (the user cancelled the unsaved-changes question and the old name is back; the file could
// not be read) or while the exists dialog still waits for an answer. A mouse press whose own
// focus change ended in such a leave is dropped the same way. When a question was asked on the
// way, the button's release went to that question, so the press stands for the whole click.
//
// Ctrl+Z undoes and Ctrl+Shift+Z or Ctrl+Y redo the list's operations while the focus is in the
// list or on a button of the window; an entry box keeps Ctrl+Z for its own typing.
class RecordFileBinding : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QLineEdit* fileNameBox = nullptr;
        QPushButton* browse = nullptr;
        QAbstractItemView* display = nullptr;
        QPushButton* save = nullptr;
        QPushButton* clear = nullptr;
        QPushButton* remove = nullptr;
        QPushButton* last = nullptr;
        QPushButton* process = nullptr;
        bool deleteKeyInList = false; // Delete/Backspace in the list removes the record
    };

    RecordFileBinding(RecordFileLogic& logic, Controls controls, QObject* parent);

    // Captions, tag, tooltip and enabled states of the record buttons, all from the mode.
    void updateControls();

    // Courier New, or the system's fixed-pitch font where it is missing.
    static void setDisplayFont(QWidget* list, double pointSize);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Leave
    {
        Refused,
        Completed,
        CompletedAfterQuestion
    };

    void showSelection(int index);
    Leave leaveFileNameBox();
    void fileNameBoxLeft(QEvent* event);
    // A push button of this window, when `watched` is one and `event` would run its command.
    QAbstractButton* commandFor(QObject* watched, QEvent* event) const;
    // True when the key was an undo or redo key meant for this window's list.
    bool historyKey(QObject* watched, const QKeyEvent* key);
    bool commandMayRun(QAbstractButton* button, QEvent* event);

    RecordFileLogic& m_logic;
    Controls m_controls;
    // While set, the view's own choice of current row does not reach the logic.
    bool m_syncingSelection = false;
    bool m_leaving = false;
    bool m_questionAsked = false;
    // The control a mouse press gave the focus to, and how the leave of the box it caused
    // ended, for that press to honour.
    QPointer<QWidget> m_pressTarget;
    Leave m_pressLeave = Leave::Completed;
};
