#include "DlgVariants.h"

#include "app/Controls.h"
#include "app/Twips.h"
#include "species/VariantList.h"
#include "stand/VariantChoice.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

DlgVariants::DlgVariants(QWidget* owner, QLineEdit* variantField)
    : ButtonsOnlyDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint |
                                   Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_variantField(variantField)
{
    setObjectName(QStringLiteral("dlgVariants"));
    setWindowTitle(QStringLiteral("VELK Variants"));
    Controls::showFocus(this);
    setFixedSize(Twips::toPixels(5625), Twips::toPixels(2775));

    // Created in tab order. Neither button is the default or the cancel button.
    QPushButton* ok = Controls::button(this, QStringLiteral("OKButton"), QStringLiteral("OK"),
                                       QString(), 4320, 360, 1215, 375, true);
    QPushButton* cancel =
        Controls::button(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"), QString(),
                         4320, 840, 1215, 375, true);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstVariants"));
    Twips::place(m_list, 120, 360, 4095, 2310);
    for (const QString& text : VariantList::displayTexts()) {
        auto* item = new QListWidgetItem(text, m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    const QString caption = QStringLiteral("Check desired variant(s)");
    Controls::label(this, QStringLiteral("Label1"), caption, 120, 120, 3555, 195);
    // A list takes its name from no label.
    m_list->setAccessibleName(caption);

    connect(ok, &QPushButton::clicked, this, &DlgVariants::confirm);
    connect(cancel, &QPushButton::clicked, this, &DlgVariants::reject);
    ok->setFocus(Qt::OtherFocusReason);
}

void DlgVariants::confirm()
{
    QStringList ticked;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->checkState() == Qt::Checked)
            ticked.append(m_list->item(i)->text());
    }
    if (m_variantField)
        m_variantField->setText(chosenVariantCodes(ticked));
    accept();
}
