#include "DlgTabOrder.h"

#include "app/Controls.h"
#include "app/FitCaption.h"
#include "app/Twips.h"
#include "app/ClickableLabel.h"
#include "tree/TreeTabOrder.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

DlgTabOrder::DlgTabOrder(QWidget* owner, TreeTabOrder& order) : QDialog(owner), m_order(order)
{
    // The window manager's close rejects, which is Cancel.
    Controls::noControlBox(this);
    setObjectName(QStringLiteral("dlgTabOrder"));
    setWindowTitle(QStringLiteral("Tab Order"));
    Controls::showFocus(this);
    setFixedSize(Twips::toPixels(4305), Twips::toPixels(4995));

    QLabel* intro = Controls::label(
        this, QStringLiteral("Label1"),
        QStringLiteral("Click on the items below in the order that you want the input screen to "
                       "jump between boxes when the Tab or Enter key is pressed."),
        120, 60, 4095, 615);
    intro->setWordWrap(true);
    intro->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QPushButton* ok = Controls::button(this, QStringLiteral("OKButton"), QStringLiteral("&OK"),
                                       QString(), 3000, 4560, 1215, 375, true);
    ok->setDefault(true);
    QPushButton* cancel =
        Controls::button(this, QStringLiteral("CancelButton"), QStringLiteral("&Cancel"), QString(),
                         1560, 4560, 1215, 375, true);
    QPushButton* clear = Controls::button(this, QStringLiteral("cmdClear"), QStringLiteral("Clear"),
                                          QString(), 120, 4560, 1215, 375, true);

    for (int field = 1; field <= TreeFieldCount; ++field) {
        const bool left = field <= 10;
        const int row = left ? field - 1 : field - 11;
        auto* box = Controls::textBox(this, QStringLiteral("txtOrder_%1").arg(field), QString(),
                                      left ? 120 : 2400, 840 + 360 * row, 375, 315);
        // Only clicks put numbers here.
        box->setReadOnly(true);
        box->installEventFilter(this);
        m_boxes[field] = box;

        auto* label = new ClickableLabel(this);
        label->setObjectName(QStringLiteral("lblField_%1").arg(field));
        label->setText(QString::fromLatin1(treeField(field).name));
        label->setBuddy(box);
        Twips::place(label, left ? 600 : 2880, 900 + 360 * row, 1275, 195);
        fitCaption(label);
        connect(label, &ClickableLabel::clicked, this, [this, field] { choose(field); });
        m_labels[field] = label;
    }

    setTabOrder(ok, cancel);
    setTabOrder(cancel, clear);
    setTabOrder(clear, m_boxes[1]);
    for (int field = 1; field < TreeFieldCount; ++field)
        setTabOrder(m_boxes[field], m_boxes[field + 1]);

    connect(ok, &QPushButton::clicked, this, &DlgTabOrder::confirm);
    connect(cancel, &QPushButton::clicked, this, &DlgTabOrder::reject);
    connect(clear, &QPushButton::clicked, this, &DlgTabOrder::clearChoice);
    updateControls();
}

bool DlgTabOrder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int field = 1; field <= TreeFieldCount; ++field) {
            if (watched == m_boxes[field])
                choose(field);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DlgTabOrder::choose(int field)
{
    if (m_choice.choose(field))
        updateControls();
}

void DlgTabOrder::clearChoice()
{
    m_choice.clear();
    updateControls();
}

void DlgTabOrder::confirm()
{
    m_order.apply(m_choice.orderNumbers());
    accept();
}

void DlgTabOrder::updateControls()
{
    for (int field = 1; field <= TreeFieldCount; ++field) {
        const bool chosen = m_choice.isChosen(field);
        m_boxes[field]->setText(m_choice.orderText(field));
        m_boxes[field]->setEnabled(!chosen);
        m_labels[field]->setEnabled(!chosen);
    }
}
