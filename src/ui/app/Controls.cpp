#include "Controls.h"

#include "app/FitCaption.h"
#include "app/Twips.h"
#include "recordfile/RecordFileBinding.h"
#include "recordfile/RecordListView.h"

#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <limits>

namespace {

class EnterClicks : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        static_cast<QAbstractButton*>(watched)->click();
        return true;
    }
};

// Showing a window forgets how its focus came; set again once shown.
class FocusShows : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            static_cast<QWidget*>(watched)->setAttribute(Qt::WA_KeyboardFocusChange);
        return false;
    }
};

class StaysShown : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::WindowStateChange && dialog->isMinimized()) {
            QTimer::singleShot(0, dialog, [dialog] {
                dialog->setWindowState(dialog->windowState() & ~Qt::WindowMinimized);
                dialog->show();
                dialog->raise();
                dialog->activateWindow();
            });
        }
        return false;
    }
};

} // namespace

namespace Controls {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption,
                    const QString& tooltip, int left, int top, int width, int height, bool tabStop)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setToolTip(tooltip);
    // Buttons other than the process button are reached by mouse or access key only.
    b->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    Twips::place(b, left, top, width, height);
    clickOnEnter(b);
    return b;
}

QLineEdit* textBox(QWidget* parent, const QString& name, const QString& tooltip, int left, int top,
                   int width, int height)
{
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    t->setToolTip(tooltip);
    // The logic limits what is typed where a field has a limit; the box itself must never cut a
    // value the program puts there (its default keeps 32,767 characters), or an update would
    // write the cut value.
    t->setMaxLength(std::numeric_limits<int>::max());
    Twips::place(t, left, top, width, height);
    return t;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, int left, int top,
              int width, int height)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    Twips::place(l, left, top, width, height);
    fitCaption(l);
    return l;
}

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                 int width, int height)
{
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(name);
    // A thin line with the caption on its top edge, so the boxes placed inside sit clear of it.
    f->setStyleSheet(
        caption.isEmpty()
            ? QStringLiteral("QGroupBox { border: 1px solid palette(mid); }")
            : QStringLiteral("QGroupBox { border: 1px solid palette(mid); "
                             "margin-top: 1ex; } QGroupBox::title { "
                             "subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    Twips::place(f, left, top, width, height);
    return f;
}

QPlainTextEdit* multiLineBox(QWidget* parent, const QString& name, const QString& tooltip, int left,
                             int top, int width, int height)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setToolTip(tooltip);
    box->setTabChangesFocus(true);
    box->document()->setDocumentMargin(2);
    Twips::place(box, left, top, width, height);
    return box;
}

RecordListView* recordList(QWidget* parent, const QString& name, double pointSize, int left,
                           int top, int width, int height)
{
    auto* list = new RecordListView(parent);
    list->setObjectName(name);
    RecordFileBinding::setDisplayFont(list, pointSize);
    Twips::place(list, left, top, width, height);
    return list;
}

void clickOnEnter(QAbstractButton* button)
{
    if (auto* push = qobject_cast<QPushButton*>(button))
        push->setAutoDefault(false);
    button->installEventFilter(new EnterClicks(button));
}

void noControlBox(QDialog* dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    dialog->installEventFilter(new StaysShown(dialog));
}

void showFocus(QWidget* dialog)
{
    dialog->installEventFilter(new FocusShows(dialog));
}

} // namespace Controls
