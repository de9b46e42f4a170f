#pragma once

#include "base/UserInterface.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// A stand-in user: answers from a script, in order, and records everything it was shown.
class ScriptedUserInterface : public UserInterface
{
public:
    struct Message
    {
        QString title;
        QString text;
    };

    // Answers for message boxes; an unscripted question gets the first button (Ok, Yes or
    // Recover).
    QList<Answer> answers;
    // Runs while a message box is open, as a user acting on the window behind it.
    std::function<void()> whileAsked;
    // Answers for the "File Exists" dialog (true = open the existing file); default false.
    QList<bool> fileExistsAnswers;
    // Runs while the "File Exists" dialog is open, as a user acting on the window behind it.
    std::function<void()> whileFileExistsAsked;
    // Answers for the file dialog; an empty optional is Cancel.
    QList<std::optional<QString>> fileDialogAnswers;

    QList<Message> messages;
    QStringList fileExistsAsked;
    QStringList fileDialogFilters;
    QStringList focused;
    int beeps = 0;
    QStringList tabsFrom; // one entry per Tab sent

    Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon) override;
    bool askFileExists(const QString& fileName) override;
    std::optional<QString> openFileDialog(const QString& filter) override;
    void beep() override { ++beeps; }
    void focusControl(const QString& objectName) override { focused.append(objectName); }
    void sendTab(const QString& fromControl = QString()) override { tabsFrom.append(fromControl); }

    QStringList titles() const
    {
        QStringList result;
        for (const Message& m : messages)
            result.append(m.title);
        return result;
    }
};
