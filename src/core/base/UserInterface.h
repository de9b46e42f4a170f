#pragma once

#include <QString>
#include <optional>

// Everything the window logic needs from the user: questions, the file dialog, a beep,
// moving the focus. Widgets implement it; tests script it.
class UserInterface
{
public:
    enum class Buttons
    {
        Ok,
        OkCancel,
        YesNoCancel,
        RecoverDiscardLater // Esc: Later
    };
    enum class Icon
    {
        None,
        Exclamation,
        Critical
    };
    enum class Answer
    {
        Ok,
        Cancel,
        Yes,
        No,
        Recover,
        Discard,
        Later
    };

    virtual ~UserInterface() = default;

    virtual Answer message(const QString& title, const QString& text, Buttons buttons,
                           Icon icon) = 0;
    // The "File Exists" dialog: true for "Open Existing File", false for "Use Displayed Values".
    virtual bool askFileExists(const QString& fileName) = 0;
    // The file-open dialog with an empty initial name and the first filter selected;
    // no value when the user cancels.
    virtual std::optional<QString> openFileDialog(const QString& filter) = 0;
    virtual void beep() = 0;
    // Moves the keyboard focus to the control of that object name.
    virtual void focusControl(const QString& objectName) = 0;
    // A Tab keystroke, handled after the current action has finished; when a control is named,
    // the Tab starts from that control.
    virtual void sendTab(const QString& fromControl = QString()) = 0;
};
