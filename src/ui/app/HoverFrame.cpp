#include "HoverFrame.h"

#include "app/Twips.h"

#include <QPainter>

namespace {

// A raised 20 by 20 pixel frame: white top and left edge, black bottom and right edge.
QPixmap raisedFrame()
{
    QPixmap frame(20, 20);
    frame.fill(Qt::transparent);
    QPainter painter(&frame);
    painter.setPen(Qt::white);
    painter.drawLine(0, 0, 19, 0);
    painter.drawLine(0, 0, 0, 19);
    painter.setPen(Qt::black);
    painter.drawLine(0, 19, 19, 19);
    painter.drawLine(19, 0, 19, 19);
    return frame;
}

} // namespace

HoverFrame::HoverFrame(QWidget* window) : QLabel(window)
{
    setObjectName(QStringLiteral("imgButton"));
    setPixmap(raisedFrame());
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(Twips::toPixels(300), Twips::toPixels(300));
    hide();
}

QRect HoverFrame::placeAround(const QLabel* picture)
{
    // Centred on the picture as drawn, so it leaves the same room on every side.
    const QSize drawn = picture->pixmap().deviceIndependentSize().toSize();
    const QSize frame(Twips::toPixels(300), Twips::toPixels(300));
    return QRect(picture->pos() +
                     QPoint(drawn.width() - frame.width(), drawn.height() - frame.height()) / 2,
                 frame);
}

void HoverFrame::showAround(const QLabel* picture)
{
    move(placeAround(picture).topLeft());
    show();
    // Behind the picture it marks.
    lower();
}
