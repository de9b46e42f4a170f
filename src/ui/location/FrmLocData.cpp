#include "FrmLocData.h"

#include "app/Controls.h"
#include "app/ModGlobal.h"
#include "recordfile/RecordFileBinding.h"
#include "recordfile/RecordFileLogic.h"
#include "recordfile/RecordListView.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

FrmLocData::FrmLocData()
    : DataWindow(QStringLiteral("frmLocData"), QStringLiteral("Sapwright - Location Data"), 8955,
                 6555),
      m_logic(new RecordFileLogic(RecordFileConfig::location(), userInterface(), this))
{
    QGroupBox* fileFrame = Controls::frame(
        this, QStringLiteral("Frame2"), QStringLiteral("Locations File name"), 60, 60, 4635, 675);
    m_fileBox =
        Controls::textBox(fileFrame, QStringLiteral("txtLocFile"),
                          QStringLiteral("File that the location information is to be written to"),
                          240, 240, 3315, 315);
    QPushButton* browse =
        Controls::button(fileFrame, QStringLiteral("cmdBrowseLoc"), QStringLiteral("&Browse"),
                         QString(), 3600, 240, 795, 315);
    QGroupBox* aFrame =
        Controls::frame(this, QStringLiteral("Frame1"), QString(), 60, 1020, 8835, 1995);
    Controls::label(aFrame, QStringLiteral("lblTypeA_0"),
                    QStringLiteral("Stand List File associated with the Location Name below"), 180,
                    360, 4155, 195);
    m_slfFile = Controls::textBox(
        aFrame, QStringLiteral("txtSlfFile"),
        QStringLiteral("Name of the Stand List File referred to by the Location Name below"), 4260,
        300, 3315, 315);

    RecordFileBinding::Controls c;
    c.fileNameBox = m_fileBox;
    c.browse = browse;
    c.clear = Controls::button(this, QStringLiteral("cmdClear"), QStringLiteral("Clear Display"),
                               QString(), 3600, 4380, 1515, 375);
    c.remove = Controls::button(this, QStringLiteral("cmdDelete"), QStringLiteral("&Delete Record"),
                                QStringLiteral("Removes the highlighted record below"), 5280, 4380,
                                1515, 375);
    c.process = Controls::button(this, QStringLiteral("cmdProcess"), QStringLiteral("&Add Record"),
                                 QStringLiteral("Add above information as a new record"), 6960,
                                 4380, 1515, 375, true);
    c.last = Controls::button(this, QStringLiteral("cmdLast"), QStringLiteral("&V"),
                              QStringLiteral("Moves to the last record for new data entry"), 8640,
                              4380, 255, 375);
    m_display =
        Controls::recordList(this, QStringLiteral("lstLocDisplay"), 8.25, 60, 4860, 8835, 1140);
    c.display = m_display;
    m_previous =
        Controls::button(this, QStringLiteral("cmdPreviousWindow"),
                         QStringLiteral("<< &Prev. Window"), QString(), 60, 6100, 1755, 375);
    m_save = Controls::button(this, QStringLiteral("cmdSave"), QStringLiteral("&Save"), QString(),
                              3720, 6100, 1515, 375);
    c.save = m_save;
    m_exit = Controls::button(this, QStringLiteral("cmdExit"), QStringLiteral("E&xit"), QString(),
                              7380, 6100, 1515, 375);
    new RecordFileBinding(*m_logic, c, this);
    setResizeRule({m_display, 6135, 5865, {m_previous, m_save, m_exit}});

    connect(m_previous, &QPushButton::clicked, this,
            [this] { leaveTo(WindowChain::Window::Stand); });
    connect(m_exit, &QPushButton::clicked, this, [this] { exitProgram(); });
}

RecordFileLogic& FrmLocData::logic()
{
    return *m_logic;
}

void FrmLocData::openFromSharedState()
{
    // An empty name becomes the default "vorlin.loc", in the box and in the shared value.
    m_logic->open(modGlobal().LocationsFileName);
    m_slfFile->setText(m_logic->display().isEmpty() ? modGlobal().StandListFileName : QString());
}

void FrmLocData::storeFileName()
{
    modGlobal().LocationsFileName = m_fileBox->text();
}
