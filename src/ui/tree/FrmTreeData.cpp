#include "FrmTreeData.h"

#include "app/CheckedBox.h"
#include "app/ClickableLabel.h"
#include "app/Controls.h"
#include "app/EntryKeys.h"
#include "app/FitCaption.h"
#include "app/HoverFrame.h"
#include "app/Twips.h"
#include "base/ModGlobal.h"
#include "recordfile/EntryFieldBinding.h"
#include "recordfile/RecordFileBinding.h"
#include "recordfile/RecordListView.h"
#include "species/DlgSpecies.h"
#include "tree/DlgTabOrder.h"
#include "tree/TreeWindowLogic.h"

#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {

const QString SwitchTooltip = QStringLiteral("Turns this field \"on\" or \"off\" for data entry");
const QString AutoNumberingTooltip =
    QStringLiteral("For auto-numbering turn this field off and unlock it");
const QString LockTooltip = QStringLiteral("Locking retains the value after processing");

bool leftColumn(int field)
{
    return field <= 10;
}

int boxTop(int field)
{
    return 720 + 360 * (leftColumn(field) ? field - 1 : field - 11);
}

} // namespace

FrmTreeData::FrmTreeData()
    : DataWindow(WindowChain::Window::Tree),
      m_logic(new TreeWindowLogic(modGlobal(), userInterface(), this))
{
    QGroupBox* fileFrame =
        Controls::frame(this, QStringLiteral("fraTreeFile"), QString(), 120, 0, 6315, 615);
    QLabel* fileLabel =
        Controls::label(fileFrame, QStringLiteral("Label1"),
                        QStringLiteral("VELK tree data file name:"), 180, 240, 1815, 255);
    buildFileBox(fileFrame, "txtTreeFile", "File that the tree data are to be written to", 1980,
                 180, "cmdBrowseTree", 5340);
    fileLabel->setBuddy(m_fileBox);

    buildFields();
    buildRecordControls();
    buildImages();

    connect(m_logic, &TreeWindowLogic::fieldStatesChanged, this, &FrmTreeData::updateFieldControls);

    updateFieldControls();
    applyTabOrder();
    // Enter moves on like Tab in every box and in the list; the fields select their text.
    auto* keys = new EntryKeys(this);
    keys->enterAsTab(m_fileBox);
    keys->enterAsTab(m_display);
    for (int field = 1; field <= TreeFieldCount; ++field) {
        keys->enterAsTab(m_fields[field]);
        keys->selectAllOnFocus(m_fields[field]);
    }
    m_display->setFocus(Qt::OtherFocusReason);
}

FrmTreeData::~FrmTreeData() = default;

void FrmTreeData::buildFields()
{
    for (int field = 1; field <= TreeFieldCount; ++field) {
        const TreeFieldInfo& info = treeField(field);
        const bool left = leftColumn(field);
        const int top = boxTop(field);
        m_fields[field] =
            Controls::textBox(this, QString::fromLatin1(info.box),
                              field == TreeFields::TreeNumber ? AutoNumberingTooltip : QString(),
                              left ? 1920 : 5580, top, 855, 315);

        auto* label = new ClickableLabel(this);
        label->setObjectName(QStringLiteral("lblField_%1").arg(field));
        label->setText(QString::fromLatin1(info.name));
        label->setToolTip(QString::fromLatin1(info.hint));
        label->setBuddy(m_fields[field]);
        Twips::place(label, left ? 600 : 4260, top + 60, 1275, 195);
        fitCaption(label);
        connect(label, &ClickableLabel::clicked, m_logic,
                [this, field] { m_logic->labelClicked(field); });
        m_labels[field] = label;

        if (field == TreeFields::Species) {
            m_speciesList =
                Controls::button(this, QStringLiteral("cmdSpeciesList"), QStringLiteral("&List"),
                                 QString(), 1320, 2160, 555, 315);
            connect(m_speciesList, &QPushButton::clicked, this, &FrmTreeData::openSpeciesList);
        }
    }
    EntryFieldBinding::bind(this, m_logic->fields());
    // A thin divider between the two columns of fields.
    auto* divider = new QFrame(this);
    divider->setObjectName(QStringLiteral("Frame1"));
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    divider->setToolTip(QStringLiteral("Shouldn't you be working?"));
    Twips::place(divider, 3540, 600, 30, 3675);
}

void FrmTreeData::buildImages()
{
    m_hoverFrame = new HoverFrame(this);

    const auto holder = [this](const QString& name, const QString& resource) {
        return m_hoverFrame->addHolder(name, resource);
    };
    m_switchOnPicture = holder(QStringLiteral("imgSwitch_0"), QStringLiteral(":/switch_on.png"));
    m_switchOffPicture = holder(QStringLiteral("imgSwitch_99"), QStringLiteral(":/switch_off.png"));
    m_unlockedPicture = holder(QStringLiteral("imgLock_0"), QStringLiteral(":/lock_open.png"));
    m_lockedPicture = holder(QStringLiteral("imgLock_99"), QStringLiteral(":/lock_closed.png"));

    for (int field = 1; field <= TreeFieldCount; ++field) {
        const bool left = leftColumn(field);
        const bool damage = field == TreeFields::Damage1 || field == TreeFields::Damage2 ||
                            field == TreeFields::Damage3;
        QString switchTip = SwitchTooltip;
        if (field == TreeFields::TreeNumber)
            switchTip = AutoNumberingTooltip;
        else if (field == TreeFields::Species || field == TreeFields::Dbh)
            switchTip.clear();
        // A damage switch sits between its damage and severity rows and stands for both.
        m_switches[field] = m_hoverFrame->addPicture(QStringLiteral("imgSwitch_%1").arg(field),
                                                     switchTip, left ? 240 : 3900,
                                                     boxTop(field) + (damage ? 195 : 15), 300, 300);
        connect(m_switches[field], &ClickableLabel::clicked, m_logic,
                [this, field] { m_logic->toggleSwitch(field); });

        m_locks[field] = m_hoverFrame->addPicture(
            QStringLiteral("imgLock_%1").arg(field),
            field == TreeFields::TreeNumber ? AutoNumberingTooltip : LockTooltip,
            left ? 2880 : 6540, boxTop(field) + 15, 300, 300);
        connect(m_locks[field], &ClickableLabel::clicked, m_logic,
                [this, field] { m_logic->toggleLock(field); });
    }

    ClickableLabel* plus =
        m_hoverFrame->addPicture(QStringLiteral("imgPlotPlus"),
                                 QStringLiteral("Increment plot number"), 1620, 780, 240, 240);
    plus->setPixmap(QPixmap(QStringLiteral(":/plus.png")));
    connect(plus, &ClickableLabel::clicked, m_logic, &TreeWindowLogic::incrementPlot);

    ClickableLabel* reset =
        m_hoverFrame->addPicture(QStringLiteral("imgResetTree"),
                                 QStringLiteral("Reset tree number to 1"), 1620, 1140, 240, 240);
    reset->setPixmap(QPixmap(QStringLiteral(":/reset.png")));
    connect(reset, &ClickableLabel::clicked, m_logic, &TreeWindowLogic::resetTreeNumber);

    ClickableLabel* tabOrder = m_hoverFrame->addPicture(
        QStringLiteral("imgTabOrder"), QStringLiteral("Specify the tab-order for data entry"), 6540,
        240, 240, 240);
    tabOrder->setPixmap(QPixmap(QStringLiteral(":/taborder.png")));
    connect(tabOrder, &ClickableLabel::clicked, this, &FrmTreeData::openTabOrder);
}

void FrmTreeData::updateFieldControls()
{
    const QPixmap switchOn = m_switchOnPicture->pixmap();
    const QPixmap switchOff = m_switchOffPicture->pixmap();
    for (int field = 1; field <= TreeFieldCount; ++field) {
        ClickableLabel* sw = m_switches[field];
        sw->setPixmap(m_logic->isSwitchedOn(field) ? switchOn : switchOff);
        sw->setProperty("tag", m_logic->switchTag(field));
        sw->setEnabled(TreeWindowLogic::canToggleSwitch(field));
        sw->setVisible(TreeWindowLogic::hasSwitch(field));

        ClickableLabel* lock = m_locks[field];
        lock->setPixmap(m_logic->isLocked(field) ? m_lockedPicture->pixmap()
                                                 : m_unlockedPicture->pixmap());
        lock->setProperty("tag", m_logic->lockTag(field));

        CheckedBox::showEnabled(m_fields[field], m_logic->isFieldEnabled(field));
    }
}

void FrmTreeData::applyTabOrder()
{
    QList<QWidget*> chain{m_display};
    for (const int field : m_logic->tabOrder().fields())
        chain.append(m_fields[field]);
    chain << m_process << m_last << m_delete << m_save << m_fileBox << m_browse << m_next << m_clear
          << m_speciesList;
    for (qsizetype k = 0; k + 1 < chain.size(); ++k)
        setTabOrder(chain[k], chain[k + 1]);
}

void FrmTreeData::openTabOrder()
{
    DlgTabOrder dialog(this, m_logic->tabOrder());
    dialog.exec();
    applyTabOrder();
    const int first = m_logic->firstFocusField();
    if (first > 0)
        m_fields[first]->setFocus(Qt::OtherFocusReason);
}

void FrmTreeData::openSpeciesList()
{
    QLineEdit* species = m_fields[TreeFields::Species];
    {
        DlgSpecies dialog(this, species);
        dialog.exec();
    }
    species->setFocus(Qt::OtherFocusReason);
}

RecordFileLogic& FrmTreeData::logic()
{
    return *m_logic;
}
