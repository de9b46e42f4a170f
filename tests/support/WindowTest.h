#pragma once

#include "Drive.h"
#include "ScriptedUserInterface.h"
#include "app/FitCaption.h"
#include "app/UserInterfaceSwitch.h"
#include "app/WindowChain.h"
#include "base/ModGlobal.h"

#include <QPointer>
#include <QTemporaryDir>

// What the widget tests share: the design font, a scripted user in place of the real dialogs,
// fresh shared values and window chain for each test, and the window under test.
class WindowTest
{
protected:
    ScriptedUserInterface m_ui;
    QTemporaryDir m_dir;
    QPointer<QWidget> m_window;

    void startUp()
    {
        applyDesignFont();
        UserInterfaceSwitch::installStandIn(&m_ui);
    }
    void renew()
    {
        modGlobal() = ModGlobal();
        m_ui = ScriptedUserInterface();
        WindowChain::resetForTests();
    }
    void tearDown()
    {
        delete m_window;
        WindowChain::resetForTests();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The window of that kind, shown and opened on the shared values.
    template <typename W> W* open()
    {
        auto* window = new W();
        m_window = window;
        if (!Drive::showActive(window))
            qFatal("%s is not active", qPrintable(window->objectName()));
        window->openFromSharedState();
        return window;
    }
};
