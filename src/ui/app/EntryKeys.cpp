#include "EntryKeys.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

EntryKeys::EntryKeys(QWidget* window, QList<QLineEdit*> selectAllBoxes)
    : QObject(window), m_selectAllBoxes(std::move(selectAllBoxes))
{
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool EntryKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
            button->click();
            return true;
        }
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QApplication::sendEvent(watched, &tab);
        return true;
    }
    if (event->type() != QEvent::FocusIn)
        return false;
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box || !m_selectAllBoxes.contains(box))
        return false;
    // The whole text, caret at its start. A click places the caret after focusing, so then
    // the selection waits until the click is done.
    auto select = [box] {
        if (box->hasFocus())
            box->setSelection(int(box->text().size()), -int(box->text().size()));
    };
    if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
        QTimer::singleShot(0, box, select);
    else
        select();
    return false;
}
