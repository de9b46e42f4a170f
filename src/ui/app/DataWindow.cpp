#include "DataWindow.h"

#include "base/ModGlobal.h"
#include "app/Resources.h"
#include "app/Twips.h"
#include "recordfile/RecordFileLogic.h"

#include <QCloseEvent>
#include <QIcon>
#include <QResizeEvent>

DataWindow::DataWindow(const QString& objectName, const QString& title, int clientWidthTwips,
                       int clientHeightTwips)
    : QWidget(nullptr, Qt::Window), m_ui(this)
{
    initSapwrightResources();
    setObjectName(objectName);
    setWindowTitle(title);
    setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(Twips::toPixels(clientWidthTwips), Twips::toPixels(clientHeightTwips));
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

void DataWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_resizeRule.list)
        return;
    const int width = Twips::fromPixels(event->size().width()) + Twips::FrameWidth;
    const int height = Twips::fromPixels(event->size().height()) + Twips::FrameHeight;
    if (width <= 240 || height <= m_resizeRule.minHeight)
        return;
    m_resizeRule.list->resize(Twips::toPixels(width - 240),
                              Twips::toPixels(height - m_resizeRule.listHeightOffset));
    for (QWidget* button : std::as_const(m_resizeRule.bottomButtons))
        button->move(button->x(), Twips::toPixels(height - 840));
}
