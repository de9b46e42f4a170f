#pragma once

// Driving the widgets as a user does, for the widget tests.

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <functional>

namespace Drive {

// The control of that name below `parent`; the test program stops when there is none.
template <typename T = QWidget> T* find(const QObject* parent, const QString& name)
{
    T* found = parent->findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

inline QWidget* focused()
{
    return QApplication::focusWidget();
}

inline QString focusName()
{
    return focused() ? focused()->objectName() : QString();
}

// Keys into whatever has the focus, as a user types them.
inline void keys(const QString& text)
{
    QTest::keyClicks(focused(), text);
}

inline void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), k, modifiers);
}

// A mouse click on the control of that name, or on a row of a list.
inline void click(const QObject* parent, const QString& name)
{
    QTest::mouseClick(find(parent, name), Qt::LeftButton);
}

inline void clickRow(QAbstractItemView* list, int row)
{
    list->scrollTo(list->model()->index(row, 0));
    // Within the part of the row that shows, however long its line.
    const QRect shown = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      shown.intersected(list->viewport()->rect()).center());
}

// Types into the focused box, then Enter, which moves on like Tab.
inline void typeField(const QString& text = QString())
{
    keys(text);
    key(Qt::Key_Return);
}

inline bool showActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// `open` brings up a modal dialog (an access key clicks a moment later); `inDialog` runs in it
// and closes it, and the window behind it is active again afterwards. A dialog left open by a
// failed check is rejected, so the test is not left blocked in it.
inline void inDialog(QWidget* window, const std::function<void()>& open,
                     const std::function<void(QDialog*)>& inDialog)
{
    bool done = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isActiveWindow())
            return;
        poll.stop();
        done = true;
        const auto close = qScopeGuard([dialog] {
            if (dialog->isVisible())
                dialog->reject();
        });
        inDialog(dialog);
    });
    poll.start(10);
    open();
    QTRY_VERIFY(done);
    // Offscreen, the window is not activated again by itself after a modal dialog.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

} // namespace Drive
