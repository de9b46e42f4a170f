#pragma once

#include "ScriptedUserInterface.h"
#include "base/ModGlobal.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A data window's logic on a scripted user, made anew for each test on fresh shared values, in a
// temporary working folder.
template <typename Logic> class LogicTest
{
protected:
    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedUserInterface> m_ui;
    ModGlobal m_shared;
    std::unique_ptr<Logic> m_logic;

    void renew()
    {
        m_shared = ModGlobal();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        m_logic.reset();
        m_ui = std::make_unique<ScriptedUserInterface>();
        m_logic = std::make_unique<Logic>(m_shared, *m_ui);
    }
};
