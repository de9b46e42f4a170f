#include "RecordFileBinding.h"

#include "recordfile/RecordFileLogic.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

RecordFileBinding::RecordFileBinding(RecordFileLogic& logic, Controls controls, QObject* parent)
    : QObject(parent), m_logic(logic), m_controls(controls)
{
    QLineEdit* box = m_controls.fileNameBox;
    box->setText(m_logic.fileNameBox());
    connect(box, &QLineEdit::textChanged, &m_logic, &RecordFileLogic::setFileNameBox);
    connect(&m_logic, &RecordFileLogic::fileNameBoxChanged, box, [box](const QString& text) {
        if (box->text() != text)
            box->setText(text);
    });
    // Sees the box, the list and every button of the window, also those built after it; not
    // once the window is being taken down and the logic is gone.
    qApp->installEventFilter(this);
    connect(&m_logic, &QObject::destroyed, this, [this] { qApp->removeEventFilter(this); });

    QAbstractItemView* list = m_controls.display;
    // Removing the current row makes the view pick a neighbour as its current row. After a
    // delete the logic selects the record to show itself, so the view's pick must not reach
    // it: hence this connection before the view's own, and the one after.
    DisplayList& lines = m_logic.display();
    connect(&lines, &DisplayList::rowsAboutToBeRemoved, this,
            [this] { m_syncingSelection = true; });
    list->setModel(&lines);
    connect(&lines, &DisplayList::rowsRemoved, this, [this] { m_syncingSelection = false; });
    // The view moves only its current row; the highlight is the logic's selection alone (see
    // showSelection), also when the logic moves it on during a click.
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!m_syncingSelection && current.isValid())
                    m_logic.select(current.row());
            });
    connect(&m_logic, &RecordFileLogic::selectionChanged, this, &RecordFileBinding::showSelection);

    connect(m_controls.browse, &QPushButton::clicked, &m_logic, &RecordFileLogic::browse);
    connect(m_controls.save, &QPushButton::clicked, &m_logic, &RecordFileLogic::save);
    connect(m_controls.clear, &QPushButton::clicked, &m_logic, &RecordFileLogic::clearDisplay);
    connect(m_controls.remove, &QPushButton::clicked, &m_logic, &RecordFileLogic::deleteCurrent);
    connect(m_controls.last, &QPushButton::clicked, &m_logic, &RecordFileLogic::moveToEnd);
    connect(&m_logic, &RecordFileLogic::controlsChanged, this, &RecordFileBinding::updateControls);
    updateControls();
}

void RecordFileBinding::updateControls()
{
    QPushButton* process = m_controls.process;
    process->setText(m_logic.processCaption());
    process->setToolTip(m_logic.processTooltip());
    process->setProperty("tag", m_logic.processTag());
    process->setEnabled(true);
    m_controls.last->setEnabled(m_logic.lastEnabled());
    m_controls.remove->setEnabled(m_logic.deleteEnabled());
}

void RecordFileBinding::setDisplayFont(QWidget* list, double pointSize)
{
    // The records line up in columns only in a fixed-pitch font.
    const QStringList families = QFontDatabase::families();
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (const char* candidate :
         {"Courier New", "Liberation Mono", "DejaVu Sans Mono", "Nimbus Mono PS", "FreeMono"}) {
        const QString family = QString::fromLatin1(candidate);
        if (families.contains(family)) {
            font = QFont(family);
            break;
        }
    }
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(pointSize);
    list->setFont(font);
}

void RecordFileBinding::showSelection(int index)
{
    QAbstractItemView* list = m_controls.display;
    const QModelIndex target = list->model()->index(index, 0);
    m_syncingSelection = true;
    list->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    list->scrollTo(target);
    m_syncingSelection = false;
}

RecordFileBinding::Leave RecordFileBinding::leaveFileNameBox()
{
    m_leaving = true;
    m_questionAsked = false;
    const bool completed = m_logic.fileNameBoxLeft();
    m_leaving = false;
    if (!completed)
        return Leave::Refused;
    return m_questionAsked ? Leave::CompletedAfterQuestion : Leave::Completed;
}

void RecordFileBinding::fileNameBoxLeft(QEvent* event)
{
    // Leaving for a dialog or another application is not leaving the box.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    // The focus has moved already: to the button a mouse press is about to reach, perhaps.
    QWidget* focus = QApplication::focusWidget();
    const Leave leave = leaveFileNameBox();
    m_pressTarget = reason == Qt::MouseFocusReason ? focus : nullptr;
    m_pressLeave = leave;
}

QAbstractButton* RecordFileBinding::commandFor(QObject* watched, QEvent* event) const
{
    switch (event->type()) {
    case QEvent::Shortcut:
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return nullptr;
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
            return nullptr;
        break;
    }
    default:
        return nullptr;
    }
    // Option buttons too: choosing one leaves the file-name box as a command does.
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !button->isEnabled() || button->window() != m_controls.fileNameBox->window())
        return nullptr;
    return button;
}

bool RecordFileBinding::commandMayRun(QAbstractButton* button, QEvent* event)
{
    const bool press = event->type() != QEvent::Shortcut && event->type() != QEvent::KeyPress;
    Leave leave = Leave::Completed;
    if (press && m_pressTarget == button) {
        leave = m_pressLeave;
        m_pressTarget = nullptr;
    } else if (m_controls.fileNameBox->hasFocus()) {
        leave = leaveFileNameBox();
    } else if (m_logic.isAskingFileExists()) {
        leave = Leave::Refused;
    }
    if (leave == Leave::Refused)
        return false;
    // The button's release went to the question, so the press stands for the whole click.
    if (press && leave == Leave::CompletedAfterQuestion) {
        button->click();
        return false;
    }
    return true;
}

bool RecordFileBinding::historyKey(QObject* watched, const QKeyEvent* key)
{
    const auto* button = qobject_cast<QAbstractButton*>(watched);
    if (watched != m_controls.display &&
        !(button && button->window() == m_controls.fileNameBox->window()))
        return false;
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const bool undo = key->key() == Qt::Key_Z && modifiers == Qt::ControlModifier;
    const bool redo =
        (key->key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) ||
        (key->key() == Qt::Key_Y && modifiers == Qt::ControlModifier);
    if (!undo && !redo)
        return false;
    // Behind an open question or dialog the window takes no keys; the logic refuses too.
    if (!QApplication::activeModalWidget())
        undo ? m_logic.undo() : m_logic.redo();
    return true;
}

bool RecordFileBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && historyKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == m_controls.fileNameBox && event->type() == QEvent::FocusOut) {
        fileNameBoxLeft(event);
    } else if (watched == m_controls.display && event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down &&
               (static_cast<QKeyEvent*>(event)->modifiers() & ~Qt::KeypadModifier) ==
                   Qt::NoModifier) {
        // The view's own step would land inside a record of several lines and snap back.
        m_logic.selectNext();
        return true;
    } else if (watched == m_controls.display && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (m_controls.deleteKeyInList && (key == Qt::Key_Delete || key == Qt::Key_Backspace) &&
            m_logic.CurrentIndex() < m_logic.RecordCount())
            m_logic.deleteCurrent();
    } else if (event->type() == QEvent::WindowBlocked && m_leaving &&
               watched == m_controls.fileNameBox->window()) {
        m_questionAsked = true;
    } else if (QAbstractButton* button = commandFor(watched, event)) {
        if (!commandMayRun(button, event))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
