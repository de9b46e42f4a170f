#pragma once

#include "base/UserInterface.h"

#include <QPointer>
#include <QWidget>

// The real user: message boxes, the exists dialog and the file dialog, owned by one window.
class QtUserInterface : public UserInterface
{
public:
    explicit QtUserInterface(QWidget* window) : m_window(window) {}

    Answer message(const QString& title, const QString& text, Buttons buttons, Icon icon) override;
    bool askFileExists(const QString& fileName) override;
    std::optional<QString> openFileDialog(const QString& filter) override;
    void beep() override;
    void focusControl(const QString& objectName) override;
    void sendTab(const QString& fromControl = QString()) override;

    // "desc|pattern|desc|pattern" as the file dialog's name filters.
    static QStringList nameFilters(const QString& filter);

private:
    QPointer<QWidget> m_window;
};
