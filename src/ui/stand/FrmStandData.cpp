#include "FrmStandData.h"

#include "app/Controls.h"
#include "app/ModGlobal.h"
#include "recordfile/RecordFileBinding.h"
#include "recordfile/RecordFileLogic.h"
#include "recordfile/RecordListView.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

FrmStandData::FrmStandData()
    : DataWindow(QStringLiteral("frmStandData"), QStringLiteral("Sapwright - Stand Data"), 8955,
                 7860),
      m_logic(new RecordFileLogic(RecordFileConfig::stand(), userInterface(), this))
{
    QGroupBox* fileFrame = Controls::frame(
        this, QStringLiteral("Frame2"), QStringLiteral("Stand List File name"), 60, 0, 4395, 675);
    m_fileBox = Controls::textBox(fileFrame, QStringLiteral("txtSlfFile"),
                                  QStringLiteral("File that the stand data are to be written to"),
                                  120, 240, 3315, 315);
    QPushButton* browse =
        Controls::button(fileFrame, QStringLiteral("cmdBrowseSlf"), QStringLiteral("&Browse"),
                         QString(), 3480, 240, 795, 315);
    Controls::label(this, QStringLiteral("Label4"),
                    QStringLiteral("VELK Tree Data File associated with the info below"), 4680, 60,
                    3675, 195);
    m_treeFile = Controls::textBox(
        this, QStringLiteral("txtTreeFile"),
        QStringLiteral("Name of the tree data file that contains the tree data for the stand "
                       "described below"),
        4680, 300, 3315, 315);

    RecordFileBinding::Controls c;
    c.fileNameBox = m_fileBox;
    c.browse = browse;
    c.clear = Controls::button(this, QStringLiteral("cmdClear"), QStringLiteral("Clear Display"),
                               QStringLiteral("Clear all records from the display above"), 3540,
                               5520, 1515, 375);
    c.remove =
        Controls::button(this, QStringLiteral("cmdDelete"), QStringLiteral("&Delete Records"),
                         QStringLiteral("Removes the the set of A, B, C, and D records below"),
                         5220, 5520, 1515, 375);
    c.process = Controls::button(this, QStringLiteral("cmdProcess"), QStringLiteral("&Add Records"),
                                 QStringLiteral("Add above information as a new set of records"),
                                 6900, 5520, 1515, 375, true);
    c.last = Controls::button(this, QStringLiteral("cmdLast"), QStringLiteral("&V"),
                              QStringLiteral("Moves to the last record for new data entry"), 8580,
                              5520, 255, 375);
    m_display =
        Controls::recordList(this, QStringLiteral("lstSlfDisplay"), 8.25, 60, 6000, 8835, 1260);
    c.display = m_display;
    m_previous = Controls::button(this, QStringLiteral("cmdPreviousWindow"),
                                  QStringLiteral("<< &Prev. Window"),
                                  QStringLiteral("Tree Data File window"), 60, 7440, 1755, 375);
    m_save = Controls::button(
        this, QStringLiteral("cmdSave"), QStringLiteral("&Save"),
        QStringLiteral("Save the displayed records to the Stand List File named above"), 3660, 7440,
        1515, 375);
    c.save = m_save;
    m_next =
        Controls::button(this, QStringLiteral("cmdNextWindow"), QStringLiteral("&Next Window >>"),
                         QStringLiteral("Locations File window"), 7140, 7440, 1755, 375);
    new RecordFileBinding(*m_logic, c, this);
    setResizeRule({m_display, 7215, 6945, {m_previous, m_save, m_next}});

    connect(m_previous, &QPushButton::clicked, this,
            [this] { leaveTo(WindowChain::Window::Tree); });
    connect(m_next, &QPushButton::clicked, this,
            [this] { leaveTo(WindowChain::Window::Location); });
}

RecordFileLogic& FrmStandData::logic()
{
    return *m_logic;
}

void FrmStandData::openFromSharedState()
{
    const QString name = modGlobal().StandListFileName;
    m_treeFile->setText(name.isEmpty() ? modGlobal().TreeFileName : QString());
    m_logic->open(name);
}

void FrmStandData::storeFileName()
{
    modGlobal().StandListFileName = m_fileBox->text();
}
