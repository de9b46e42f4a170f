#pragma once

#include "app/QtUserInterface.h"

// The user a window talks to: the real dialogs, unless a stand-in has been installed for
// every window (tests script the answers that way, including windows opened by the chain).
class UserInterfaceSwitch : public UserInterface
{
public:
    explicit UserInterfaceSwitch(QWidget* window) : m_real(window) {}

    static void installStandIn(UserInterface* standIn);

    Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon) override
    {
        return target().message(title, text, buttons, icon);
    }
    bool askFileExists(const QString& fileName) override
    {
        return target().askFileExists(fileName);
    }
    std::optional<QString> openFileDialog(const QString& filter) override
    {
        return target().openFileDialog(filter);
    }
    void beep() override { target().beep(); }
    // Focus and Tab always act on the real window, so widget tests see them happen.
    void focusControl(const QString& objectName) override
    {
        m_real.focusControl(objectName);
        if (standIn())
            standIn()->focusControl(objectName);
    }
    void sendTab(const QString& fromControl = QString()) override
    {
        m_real.sendTab(fromControl);
        if (standIn())
            standIn()->sendTab(fromControl);
    }

private:
    static UserInterface*& standIn();
    UserInterface& target() { return standIn() ? *standIn() : m_real; }

    QtUserInterface m_real;
};
