#pragma once

#include "base/UserInterface.h"

// A user who answers every question at once, for timing: OK, and No to "Unsaved Changes".
class SilentUser : public UserInterface
{
public:
    Answer message(const QString&, const QString&, Buttons b, Icon) override
    {
        return b == Buttons::YesNoCancel ? Answer::No : Answer::Ok;
    }
    bool askFileExists(const QString&) override { return true; }
    std::optional<QString> openFileDialog(const QString&) override { return std::nullopt; }
    void beep() override {}
    void focusControl(const QString&) override {}
    void sendTab(const QString&) override {}
};
