#pragma once

#include "base/UserInterface.h"

// Passes everything on to the user and counts the questions and dialogs still open, so the
// window's logic can refuse what must not slip in while one waits for an answer.
class QuestionCounter : public UserInterface
{
public:
    explicit QuestionCounter(UserInterface& user) : m_user(user) {}

    bool isAsking() const { return m_open > 0; }

    Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon) override
    {
        const Open open(m_open);
        return m_user.message(title, text, buttons, icon);
    }
    bool askFileExists(const QString& fileName) override
    {
        const Open open(m_open);
        return m_user.askFileExists(fileName);
    }
    std::optional<QString> openFileDialog(const QString& filter) override
    {
        const Open open(m_open);
        return m_user.openFileDialog(filter);
    }
    void beep() override { m_user.beep(); }
    void focusControl(const QString& objectName) override { m_user.focusControl(objectName); }
    void sendTab(const QString& fromControl = QString()) override { m_user.sendTab(fromControl); }

private:
    struct Open
    {
        explicit Open(int& count) : m_count(count) { ++m_count; }
        ~Open() { --m_count; }
        int& m_count;
    };

    UserInterface& m_user;
    int m_open = 0;
};
