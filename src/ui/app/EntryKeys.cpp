#include "EntryKeys.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

void EntryKeys::watch(QObject* object)
{
    object->removeEventFilter(this);
    object->installEventFilter(this);
}

void EntryKeys::enterAsTab(QWidget* widget)
{
    m_enterAsTab.insert(widget);
    watch(widget);
}

void EntryKeys::selectAllOnFocus(QLineEdit* box)
{
    m_selectAll.insert(box);
    watch(box);
}

void EntryKeys::noSelectionOnFocus(QLineEdit* box)
{
    m_noSelection.insert(box);
    watch(box);
}

bool EntryKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        if (!m_enterAsTab.contains(watched))
            return false;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QApplication::sendEvent(watched, &tab);
        return true;
    }
    if (event->type() != QEvent::FocusIn)
        return false;
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (m_selectAll.contains(box)) {
        // The whole text, caret at its start. A click places the caret after focusing, so
        // then the selection waits until the click is done.
        auto select = [box] {
            if (box->hasFocus())
                box->setSelection(int(box->text().size()), -int(box->text().size()));
        };
        if (reason == Qt::MouseFocusReason)
            QTimer::singleShot(0, box, select);
        else
            select();
    } else if (m_noSelection.contains(box) &&
               (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                reason == Qt::ShortcutFocusReason)) {
        // The line edit selects everything on Tab after this filter has run.
        QTimer::singleShot(0, box, [box] { box->deselect(); });
    }
    return false;
}
