#include "ScriptedUserInterface.h"

UserInterface::Answer ScriptedUserInterface::message(const QString& title, const QString& text,
                                                     Buttons buttons, Icon icon)
{
    messages.append({title, text});
    Q_UNUSED(icon);
    if (whileAsked)
        whileAsked();
    if (!answers.isEmpty())
        return answers.takeFirst();
    return buttons == Buttons::YesNoCancel           ? Answer::Yes
           : buttons == Buttons::RecoverDiscardLater ? Answer::Recover
                                                     : Answer::Ok;
}

bool ScriptedUserInterface::askFileExists(const QString& fileName)
{
    fileExistsAsked.append(fileName);
    if (whileFileExistsAsked)
        whileFileExistsAsked();
    return fileExistsAnswers.isEmpty() ? false : fileExistsAnswers.takeFirst();
}

std::optional<QString> ScriptedUserInterface::openFileDialog(const QString& filter)
{
    fileDialogFilters.append(filter);
    return fileDialogAnswers.isEmpty() ? std::nullopt : fileDialogAnswers.takeFirst();
}
