#include "FrmTreeData.h"

#include "app/Controls.h"
#include "app/ModGlobal.h"
#include "recordfile/RecordFileBinding.h"
#include "tree/TreeWindowLogic.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

FrmTreeData::FrmTreeData()
    : DataWindow(QStringLiteral("frmTreeData"), QStringLiteral("Sapwright - Tree Data"), 6975,
                 7815),
      m_logic(new TreeWindowLogic(userInterface(), this))
{
    QGroupBox* fileFrame = Controls::frame(this, QStringLiteral("fraTreeFile"), QString(), 120, 0, 6315, 615);
    Controls::label(fileFrame, QStringLiteral("Label1"), QStringLiteral("VELK tree data file name:"),
                    180, 240, 1815, 255);
    m_fileBox = Controls::textBox(fileFrame, QStringLiteral("txtTreeFile"),
                                  QStringLiteral("File that the tree data are to be written to"),
                                  1980, 180, 3315, 315);
    QPushButton* browse = Controls::button(fileFrame, QStringLiteral("cmdBrowseTree"),
                                           QStringLiteral("&Browse"), QString(), 5340, 180, 795, 315);

    RecordFileBinding::Controls c;
    c.fileNameBox = m_fileBox;
    c.browse = browse;
    c.clear = Controls::button(this, QStringLiteral("cmdClear"), QStringLiteral("Clear Display"),
                               QStringLiteral("Clear all records from the display below"), 1560,
                               4380, 1515, 375);
    c.remove = Controls::button(this, QStringLiteral("cmdDelete"), QStringLiteral("&Delete Record"),
                                QStringLiteral("Removes the highlighted record below"), 3240, 4380,
                                1515, 375);
    c.process = Controls::button(this, QStringLiteral("cmdProcess"), QStringLiteral("&Add Record"),
                                 QStringLiteral("Add above information as a new record"), 4920,
                                 4380, 1515, 375, true);
    c.last = Controls::button(this, QStringLiteral("cmdLast"), QStringLiteral("&V"),
                              QStringLiteral("Moves to the last record for new data entry"), 6600,
                              4380, 255, 375);
    m_display = Controls::displayList(this, QStringLiteral("lstDisplay"), 9.75, 60, 4800, 6855, 2460);
    c.display = m_display;
    m_save = Controls::button(this, QStringLiteral("cmdSave"), QStringLiteral("&Save"),
                              QStringLiteral("Save the displayed records to the file named above"),
                              1800, 7380, 1515, 375);
    c.save = m_save;
    c.deleteKeyInList = true;
    m_next = Controls::button(this, QStringLiteral("cmdNextWindow"),
                              QStringLiteral("&Next Window  >>"),
                              QStringLiteral("Stand List File window"), 5160, 7380, 1755, 375);
    m_binding = new RecordFileBinding(*m_logic, c, this);
    setResizeRule({m_display, 6060, 5760, {m_save, m_next}});

    connect(m_next, &QPushButton::clicked, this, [this] { leaveTo(WindowChain::Window::Stand); });
}

FrmTreeData::~FrmTreeData() = default;

RecordFileLogic& FrmTreeData::logic()
{
    return *m_logic;
}

void FrmTreeData::openFromSharedState()
{
    m_logic->open(modGlobal().TreeFileName);
}

void FrmTreeData::storeFileName()
{
    modGlobal().TreeFileName = m_fileBox->text();
}
