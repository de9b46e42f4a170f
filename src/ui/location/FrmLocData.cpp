#include "FrmLocData.h"

#include "app/CheckedBox.h"
#include "app/Controls.h"
#include "app/EntryKeys.h"
#include "app/Twips.h"
#include "base/ModGlobal.h"
#include "location/LocationWindowLogic.h"
#include "recordfile/EntryFieldBinding.h"
#include "recordfile/RecordFileBinding.h"
#include "recordfile/RecordListView.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using Field = LocRecord::Field;

namespace {

QRadioButton* optionButton(QWidget* parent, const QString& name, const QString& caption,
                           const QString& tooltip, int left, int top)
{
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    option->setToolTip(tooltip);
    option->setFocusPolicy(Qt::ClickFocus);
    // The style's round indicator is taller than the 13 pixels the layout gives the button.
    option->setStyleSheet(QStringLiteral("QRadioButton::indicator { width: 11px; height: 11px; }"));
    Twips::place(option, left, top, 3015, 195);
    // It stands on the top line of the frame below it, like a caption.
    option->setAutoFillBackground(true);
    return option;
}

// A grey two-line note that is never edited.
QPlainTextEdit* noteBox(QWidget* parent, const QString& name, int left, int width, bool scrollBar)
{
    QPlainTextEdit* note = Controls::multiLineBox(parent, name, QString(), left, 1020, width, 795);
    note->setPlainText(
        LocationWindowLogic::noteText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    note->setVerticalScrollBarPolicy(scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    note->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CheckedBox::showEnabled(note, false);
    return note;
}

} // namespace

FrmLocData::FrmLocData()
    : DataWindow(WindowChain::Window::Location),
      m_logic(new LocationWindowLogic(modGlobal(), userInterface(), this))
{
    QGroupBox* fileFrame = Controls::frame(
        this, QStringLiteral("Frame2"), QStringLiteral("Locations File name"), 60, 60, 4635, 675);
    buildFileBox(fileFrame, "txtLocFile", "File that the location information is to be written to",
                 240, 240, "cmdBrowseLoc", 3600);
    // The access field of a loaded A record travels through an update unseen.
    QLineEdit* access = fieldBox(this, Field::Access, 8520, 60, 315, 285);
    access->setFocusPolicy(Qt::NoFocus);
    access->hide();

    buildTypeA();
    buildTypeB();

    buildRecordControls();

    connect(m_typeA, &QRadioButton::clicked, m_logic, [this] { m_logic->chooseType(false); });
    connect(m_typeB, &QRadioButton::clicked, m_logic, [this] { m_logic->chooseType(true); });
    connect(m_logic, &LocationWindowLogic::typeChanged, this, &FrmLocData::applyType);
    EntryFieldBinding::bind(this, m_logic->fields());

    setTabOrder(m_fileBox, m_fields[Field::SlfFileName]);
    setTabOrder(m_fields[Field::SlfFileName], m_fields[Field::LocationName]);
    setTabOrder(m_fields[Field::LocationName], m_fields[Field::GroupingCode]);
    setTabOrder(m_fields[Field::GroupingCode], m_fields[Field::Addfiles]);
    setTabOrder(m_fields[Field::Addfiles], m_display);
    setTabOrder(m_display, m_process);
    auto* keys = new EntryKeys(this);
    keys->enterAsTab(m_fileBox);
    keys->noSelectionOnFocus(m_fileBox);
    keys->enterAsTab(m_display);
    for (Field field :
         {Field::SlfFileName, Field::LocationName, Field::GroupingCode, Field::Addfiles}) {
        keys->enterAsTab(m_fields[field]);
        keys->selectAllOnFocus(m_fields[field]);
    }
    applyType(false);
    m_fileBox->setFocus(Qt::OtherFocusReason);
}

void FrmLocData::buildTypeA()
{
    // Alt+R and Alt+O choose the kind as a click does; no other control of the window has them.
    m_typeA = optionButton(this, QStringLiteral("optTypeA"), QStringLiteral("A &Records"),
                           QStringLiteral("Click to create standard 'A' records"), 120, 900);
    QGroupBox* frame =
        Controls::frame(this, QStringLiteral("Frame1"), QString(), 60, 1020, 8835, 1995);
    m_typeA->raise();
    QLabel* slfLabel =
        Controls::label(frame, QStringLiteral("lblTypeA_0"),
                        QStringLiteral("Stand List File associated with the Location Name below"),
                        180, 360, 4155, 195);
    slfLabel->setBuddy(fieldBox(frame, Field::SlfFileName, 4260, 300, 3315, 315));
    QPushButton* browse =
        Controls::button(frame, QStringLiteral("cmdBrowseSlf"), QStringLiteral("Bro&wse"),
                         QString(), 7620, 300, 795, 315);
    connect(browse, &QPushButton::clicked, m_logic, &LocationWindowLogic::browseSlf);
    QLabel* locationLabel =
        Controls::label(frame, QStringLiteral("lblTypeA_1"),
                        QStringLiteral("Location/Project Name"), 120, 780, 1935, 195);
    QLineEdit* location = fieldBox(frame, Field::LocationName, 120, 1020, 2775, 795);
    location->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    locationLabel->setBuddy(location);
    QLabel* groupsLabel = Controls::label(frame, QStringLiteral("lblTypeA_2"),
                                          QStringLiteral("Grouping Code(s)"), 3000, 780, 1635, 195);
    groupsLabel->setBuddy(noteBox(frame, QStringLiteral("txtGroups"), 2940, 3015, true));
    QLabel* standIdLabel = Controls::label(frame, QStringLiteral("lblTypeA_3"),
                                           QStringLiteral("Stand ID"), 6060, 780, 1275, 195);
    standIdLabel->setBuddy(noteBox(frame, QStringLiteral("txtStandId"), 6000, 2715, false));
    m_typeAControls << slfLabel << browse << locationLabel << groupsLabel << standIdLabel;
    // The option button sits on the frame's top edge, like a caption.
    m_typeA->raise();
}

void FrmLocData::buildTypeB()
{
    m_typeB = optionButton(
        this, QStringLiteral("optTypeB"), QStringLiteral("B Records (&optional)"),
        QStringLiteral("Click to create 'B' records for addfiles attached to grouping codes"), 120,
        3180);
    QGroupBox* frame =
        Controls::frame(this, QStringLiteral("Frame3"), QString(), 60, 3300, 8835, 915);
    m_typeB->raise();
    QLabel* groupLabel = Controls::label(frame, QStringLiteral("lblTypeB_0"),
                                         QStringLiteral("Grouping Code to which the addfile will "
                                                        "be attached"),
                                         120, 240, 3855, 195);
    groupLabel->setBuddy(fieldBox(frame, Field::GroupingCode, 120, 480, 3915, 315));
    QLabel* addfileLabel = Controls::label(frame, QStringLiteral("lblTypeB_1"),
                                           QStringLiteral("Addfile Name(s)"), 4260, 240, 1335, 195);
    addfileLabel->setBuddy(fieldBox(frame, Field::Addfiles, 4200, 480, 3675, 315));
    QPushButton* browse =
        Controls::button(frame, QStringLiteral("cmdBrowseAddfile"), QStringLiteral("Bro&wse"),
                         QString(), 7920, 480, 795, 315);
    connect(browse, &QPushButton::clicked, m_logic, &LocationWindowLogic::browseAddfile);
    m_typeBControls << groupLabel << addfileLabel << browse;
    m_typeB->raise();
}

QLineEdit* FrmLocData::fieldBox(QWidget* parent, Field field, int left, int top, int width,
                                int height)
{
    const EntryField& info = m_logic->fields().entry(field);
    QLineEdit* box = Controls::textBox(parent, QString::fromLatin1(info.box),
                                       QString::fromLatin1(info.hint), left, top, width, height);
    m_fields.insert(field, box);
    return box;
}

void FrmLocData::applyType(bool typeB)
{
    m_typeA->setChecked(!typeB);
    m_typeB->setChecked(typeB);
    for (QWidget* control : std::as_const(m_typeAControls))
        control->setEnabled(!typeB);
    for (QWidget* control : std::as_const(m_typeBControls))
        control->setEnabled(typeB);
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        if (it.key() == Field::Access)
            continue;
        CheckedBox::showEnabled(it.value(), m_logic->isFieldEnabled(it.key()));
    }
}

RecordFileLogic& FrmLocData::logic()
{
    return *m_logic;
}
