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

    // The entry fields as "a|b|c" in field order, and set from such a text.
    QString shownFields() const { return m_logic->fields().texts().join(u'|'); }
    void fill(const QString& texts)
    {
        const QStringList parts = texts.split(u'|');
        for (int field = m_logic->fields().first(); field <= m_logic->fields().last(); ++field)
            m_logic->setField(field, parts.value(field - m_logic->fields().first()));
    }
    // The current index and the mode: "3 edit".
    QString where() const
    {
        return QString::number(m_logic->CurrentIndex()) + u' ' + m_logic->processTag();
    }

    void renew()
    {
        m_shared = ModGlobal();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        m_logic.reset();
        m_ui = std::make_unique<ScriptedUserInterface>();
        m_logic = std::make_unique<Logic>(m_shared, *m_ui);
    }
};
