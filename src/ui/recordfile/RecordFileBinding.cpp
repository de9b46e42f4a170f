#include "RecordFileBinding.h"

#include "recordfile/RecordFileLogic.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
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
    box->installEventFilter(this);

    QAbstractItemView* list = m_controls.display;
    list->setModel(&m_logic.display());
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!m_syncingSelection && current.isValid())
                    m_logic.select(current.row());
            });
    connect(&m_logic, &RecordFileLogic::selectionChanged, this, &RecordFileBinding::showSelection);
    if (m_controls.deleteKeyInList)
        list->installEventFilter(this);

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
    if (list->currentIndex() == target)
        return;
    m_syncingSelection = true;
    list->setCurrentIndex(target);
    list->scrollTo(target);
    m_syncingSelection = false;
}

bool RecordFileBinding::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_controls.fileNameBox && event->type() == QEvent::FocusOut) {
        // Leaving for a dialog or another application is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            m_logic.fileNameBoxLeft();
    } else if (watched == m_controls.display && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) &&
            m_logic.CurrentIndex() < m_logic.RecordCount())
            m_logic.deleteCurrent();
    }
    return QObject::eventFilter(watched, event);
}
