#include "DlgSpecies.h"

#include "app/Controls.h"
#include "app/FitCaption.h"
#include "base/ModGlobal.h"
#include "species/SpeciesLists.h"
#include "species/VariantList.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>

namespace {

constexpr int TwipsPerPixel = 15;

constexpr int px(int twips)
{
    return twips / TwipsPerPixel;
}

QRect pxRect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

// Design size in twips.
constexpr int ClientWidth = 7155;
constexpr int ClientHeight = 3195;
constexpr int ListWidth = 5655;
constexpr int ListHeight = 2520;

} // namespace

DlgSpecies::DlgSpecies(QWidget* owner, QLineEdit* speciesField)
    : ButtonsOnlyDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      speciesField_(speciesField)
{
    setObjectName(QStringLiteral("dlgSpecies"));
    setWindowTitle(QStringLiteral("VELK Species"));
    Controls::showFocus(this);

    // Created in tab order.
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    // Neither is the default: Enter in the list must not confirm behind the user's back.
    Controls::clickOnEnter(okButton_);
    Controls::clickOnEnter(cancelButton_);

    cboVariant_ = new QComboBox(this);
    cboVariant_->setObjectName(QStringLiteral("cboVariant"));
    cboVariant_->setEditable(false);

    label1_ = new QLabel(QStringLiteral("VELK variant"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setBuddy(cboVariant_);

    lstSpecies_ = new QListWidget(this);
    lstSpecies_->setObjectName(QStringLiteral("lstSpecies"));
    lstSpecies_->setAccessibleName(QStringLiteral("Species"));
    lstSpecies_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstSpecies_->setFlow(QListView::TopToBottom);
    lstSpecies_->setWrapping(true);
    lstSpecies_->setResizeMode(QListView::Adjust);
    lstSpecies_->setUniformItemSizes(true);
    lstSpecies_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    lstSpecies_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstSpecies_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // When Tab brings the focus in, the list makes its first entry current but leaves it
    // unchosen, and the first Down arrow would skip it: the entry the keys are on is chosen.
    connect(lstSpecies_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* current) {
        if (current && lstSpecies_->selectedItems().isEmpty())
            current->setSelected(true);
    });

    setTabOrder(okButton_, cancelButton_);
    setTabOrder(cancelButton_, cboVariant_);
    setTabOrder(cboVariant_, lstSpecies_);

    okButton_->setGeometry(pxRect(5880, 540, 1215, 375));
    cancelButton_->setGeometry(pxRect(5880, 1020, 1215, 375));
    cboVariant_->setGeometry(pxRect(1140, 120, 3495, 315));
    label1_->setGeometry(pxRect(120, 150, 1035, 255));
    fitCaption(label1_);
    lstSpecies_->setGeometry(pxRect(120, 540, ListWidth, ListHeight));
    layout_ = SpeciesDialogLayout::forOuterSize(ClientWidth + SpeciesDialogLayout::FrameWidth,
                                                ClientHeight + SpeciesDialogLayout::FrameHeight,
                                                ListWidth, ListHeight);
    applyColumns();
    resize(px(ClientWidth), px(ClientHeight));

    connect(okButton_, &QPushButton::clicked, this, &DlgSpecies::confirm);
    connect(cancelButton_, &QPushButton::clicked, this, &DlgSpecies::reject);
    connect(lstSpecies_, &QListWidget::itemDoubleClicked, this, &DlgSpecies::confirm);

    cboVariant_->addItem(QStringLiteral("Select variant"));
    cboVariant_->addItems(VariantList::displayTexts());
    connect(cboVariant_, &QComboBox::currentIndexChanged, this, &DlgSpecies::variantChosen);

    int remembered = modGlobal().SpeciesVariantIndex;
    if (remembered < 0 || remembered >= cboVariant_->count())
        remembered = 0;
    // Index 0 is already current after filling, so choosing it again signals nothing.
    if (remembered == cboVariant_->currentIndex())
        variantChosen(remembered);
    else
        cboVariant_->setCurrentIndex(remembered);
}

void DlgSpecies::variantChosen(int index)
{
    modGlobal().SpeciesVariantIndex = static_cast<qint16>(index);
    lstSpecies_->clear();
    lstSpecies_->addItems(SpeciesLists::forText(cboVariant_->itemText(index)));
    showCutEntriesWhole();
}

void DlgSpecies::confirm()
{
    const QList<QListWidgetItem*> selected = lstSpecies_->selectedItems();
    const QString code =
        selected.isEmpty() ? QString() : SpeciesLists::speciesCodeOf(selected.first()->text());
    if (speciesField_)
        speciesField_->setText(code);
    accept();
}

void DlgSpecies::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int outerWidth = event->size().width() * TwipsPerPixel + SpeciesDialogLayout::FrameWidth;
    const int outerHeight =
        event->size().height() * TwipsPerPixel + SpeciesDialogLayout::FrameHeight;
    layout_ = SpeciesDialogLayout::forOuterSize(outerWidth, outerHeight, layout_.listWidth,
                                                layout_.listHeight);
    lstSpecies_->resize(px(layout_.listWidth), px(layout_.listHeight));
    okButton_->move(px(layout_.buttonLeft), okButton_->y());
    cancelButton_->move(px(layout_.buttonLeft), cancelButton_->y());
    applyColumns();
}

void DlgSpecies::applyColumns()
{
    // Fixing the column width to a share of the list is what sets the number of columns.
    const int inner = lstSpecies_->width() - 2 * lstSpecies_->frameWidth();
    const int rowHeight = lstSpecies_->fontMetrics().height() + 2;
    lstSpecies_->setGridSize(QSize(qMax(1, inner / layout_.columns), rowHeight));
    showCutEntriesWhole();
}

void DlgSpecies::showCutEntriesWhole()
{
    // An entry wider than its column is drawn cut, with "..."; its tooltip shows it whole.
    for (int row = 0; row < lstSpecies_->count(); ++row) {
        QListWidgetItem* item = lstSpecies_->item(row);
        const bool cut =
            lstSpecies_->sizeHintForIndex(lstSpecies_->model()->index(row, 0)).width() >
            lstSpecies_->visualItemRect(item).width();
        item->setToolTip(cut ? item->text() : QString());
    }
}
