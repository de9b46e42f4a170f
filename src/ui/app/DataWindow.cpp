#include "DataWindow.h"

#include "app/Controls.h"
#include "app/Resources.h"
#include "app/Twips.h"
#include "base/ModGlobal.h"
#include "recordfile/RecordFileBinding.h"
#include "recordfile/RecordFileLogic.h"
#include "recordfile/RecordListView.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <optional>

namespace {

// Where the controls around the record file stand in each window (twips), and what differs in
// their captions and tooltips (null: none). The process button takes its caption and tooltip
// from the logic.
struct RecordControls
{
    const char* objectName;
    const char* title;
    int width, height;   // inside the frame
    int rowLeft, rowTop; // Clear, Delete, the process button and Last, in a row
    const char* clearTooltip;
    const char* deleteCaption;
    const char* deleteTooltip;
    const char* list;
    const char* listName; // what a screen reader calls the list
    double listPointSize;
    int listLeft, listTop, listWidth, listHeight;
    // The bottom row: the previous window when there is one, Save, then the next window or, at
    // the end of the chain, Exit.
    int bottomTop;
    std::optional<WindowChain::Window> previous;
    const char* previousTooltip;
    int saveLeft;
    const char* saveTooltip;
    std::optional<WindowChain::Window> next;
    const char* nextCaption;
    const char* nextTooltip;
    int nextLeft, nextWidth;
    // Above this outer height the list grows with the window, its height the outer height less
    // listHeightOffset, and the bottom row keeps 840 twips from the bottom.
    int minHeight, listHeightOffset;
    bool deleteKeyInList; // Delete or Backspace in the list removes the record
};

using W = WindowChain::Window;

const RecordControls& recordControls(W window)
{
    // clang-format off
    static const RecordControls tree{
        "frmTreeData", "Sapwright - Tree Data", 6975, 7815,
        1560, 4380, "Clear all records from the display below",
        "&Delete Record", "Removes the highlighted record below",
        "lstDisplay", "Tree data file records", 9.75, 60, 4800, 6855, 2460,
        7380, std::nullopt, nullptr,
        1800, "Save the displayed records to the file named above",
        W::Stand, "&Next Window  >>", "Stand List File window", 5160, 1755,
        6060, 5760, true};
    static const RecordControls stand{
        "frmStandData", "Sapwright - Stand Data", 8955, 7860,
        3540, 5520, "Clear all records from the display above",
        "&Delete Records", "Removes the the set of A, B, C, and D records below",
        "lstSlfDisplay", "Stand List File records", 8.25, 60, 6000, 8835, 1260,
        7440, W::Tree, "Tree Data File window",
        3660, "Save the displayed records to the Stand List File named above",
        W::Location, "&Next Window >>", "Locations File window", 7140, 1755,
        7215, 6945, false};
    static const RecordControls location{
        "frmLocData", "Sapwright - Location Data", 8955, 6555,
        3600, 4380, nullptr,
        "&Delete Record", "Removes the highlighted record below",
        "lstLocDisplay", "Locations File records", 8.25, 60, 4860, 8835, 1140,
        6100, W::Stand, nullptr,
        3720, nullptr,
        std::nullopt, "E&xit", nullptr, 7380, 1515,
        6135, 5865, false};
    // clang-format on
    return window == W::Tree ? tree : window == W::Stand ? stand : location;
}

} // namespace

DataWindow::DataWindow(WindowChain::Window window)
    : QWidget(nullptr, Qt::Window), m_ui(this), m_window(window)
{
    const RecordControls& c = recordControls(window);
    initSapwrightResources();
    setObjectName(QString::fromLatin1(c.objectName));
    setWindowTitle(QString::fromLatin1(c.title));
    setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(Twips::toPixels(c.width), Twips::toPixels(c.height));
    placeFromSharedState();
}

void DataWindow::placeFromSharedState()
{
    move(Twips::toPixels(modGlobal().WindowLeft), Twips::toPixels(modGlobal().WindowTop));
}

void DataWindow::openFromSharedState()
{
    logic().openFromSharedState();
}

bool DataWindow::leaveTo(WindowChain::Window target)
{
    logic().setSharedFileName(logic().fileNameBox());
    const QPoint position = frameGeometry().topLeft();
    modGlobal().WindowLeft = ModGlobal::toTwips16(Twips::fromPixels(position.x()));
    modGlobal().WindowTop = ModGlobal::toTwips16(Twips::fromPixels(position.y()));
    m_leaving = true;
    if (!close()) {
        m_leaving = false;
        return false;
    }
    WindowChain::show(target);
    return true;
}

bool DataWindow::exitProgram()
{
    if (!logic().requestClose())
        return false;
    // The question was asked already: closing must not ask again.
    m_closeHandled = true;
    close();
    WindowChain::endProgram();
    return true;
}

void DataWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closeHandled && !logic().requestClose()) {
        event->ignore();
        return;
    }
    m_closeHandled = true;
    event->accept();
    if (!m_leaving)
        WindowChain::endProgram();
}

void DataWindow::buildFileBox(QWidget* parent, const char* name, const char* tooltip, int left,
                              int top, const char* browse, int browseLeft)
{
    m_fileBox = Controls::textBox(parent, QString::fromLatin1(name), QString::fromLatin1(tooltip),
                                  left, top, 3315, 315);
    m_browse = Controls::button(parent, QString::fromLatin1(browse), QStringLiteral("&Browse"),
                                QString(), browseLeft, top, 795, 315);
}

void DataWindow::buildRecordControls()
{
    const RecordControls& c = recordControls(m_window);
    const auto text = [](const char* text) { return QString::fromLatin1(text); };
    const int left = c.rowLeft, top = c.rowTop;
    m_clear = Controls::button(this, QStringLiteral("cmdClear"), QStringLiteral("Clear Display"),
                               text(c.clearTooltip), left, top, 1515, 375);
    m_delete = Controls::button(this, QStringLiteral("cmdDelete"), text(c.deleteCaption),
                                text(c.deleteTooltip), left + 1680, top, 1515, 375);
    m_process = Controls::button(this, QStringLiteral("cmdProcess"), QString(), QString(),
                                 left + 3360, top, 1515, 375, true);
    m_last = Controls::button(this, QStringLiteral("cmdLast"), QStringLiteral("&V"),
                              QStringLiteral("Moves to the last record for new data entry"),
                              left + 5040, top, 255, 375);
    m_display = Controls::recordList(this, text(c.list), c.listPointSize, c.listLeft, c.listTop,
                                     c.listWidth, c.listHeight);
    m_display->setAccessibleName(text(c.listName));
    if (c.previous) {
        m_previous = Controls::button(this, QStringLiteral("cmdPreviousWindow"),
                                      QStringLiteral("<< &Prev. Window"), text(c.previousTooltip),
                                      60, c.bottomTop, 1755, 375);
        connect(m_previous, &QPushButton::clicked, this, [this, c] { leaveTo(*c.previous); });
    }
    m_save = Controls::button(this, QStringLiteral("cmdSave"), QStringLiteral("&Save"),
                              text(c.saveTooltip), c.saveLeft, c.bottomTop, 1515, 375);
    m_next = Controls::button(
        this, c.next ? QStringLiteral("cmdNextWindow") : QStringLiteral("cmdExit"),
        text(c.nextCaption), text(c.nextTooltip), c.nextLeft, c.bottomTop, c.nextWidth, 375);
    connect(m_next, &QPushButton::clicked, this,
            [this, c] { c.next ? void(leaveTo(*c.next)) : void(exitProgram()); });
    m_minHeight = c.minHeight;
    m_listHeightOffset = c.listHeightOffset;

    RecordFileBinding::Controls bound;
    bound.fileNameBox = m_fileBox;
    bound.browse = m_browse;
    bound.display = m_display;
    bound.save = m_save;
    bound.clear = m_clear;
    bound.remove = m_delete;
    bound.last = m_last;
    bound.process = m_process;
    bound.deleteKeyInList = c.deleteKeyInList;
    new RecordFileBinding(logic(), bound, this);
    connect(m_process, &QPushButton::clicked, &logic(), &RecordFileLogic::processEntry);
}

void DataWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_display)
        return;
    const int width = Twips::fromPixels(event->size().width()) + Twips::FrameWidth;
    const int height = Twips::fromPixels(event->size().height()) + Twips::FrameHeight;
    if (width <= 240 || height <= m_minHeight)
        return;
    m_display->resize(Twips::toPixels(width - 240), Twips::toPixels(height - m_listHeightOffset));
    for (QWidget* button : {m_previous, m_save, m_next}) {
        if (button)
            button->move(button->x(), Twips::toPixels(height - 840));
    }
}
