#include "HoverFrame.h"

#include "app/ClickableLabel.h"
#include "app/Twips.h"

#include <QMouseEvent>
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
    window->setMouseTracking(true);
    window->installEventFilter(this);
}

ClickableLabel* HoverFrame::addPicture(const QString& name, const QString& tooltip, int left,
                                       int top, int width, int height)
{
    auto* picture = new ClickableLabel(parentWidget());
    picture->setObjectName(name);
    picture->setToolTip(tooltip);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Twips::place(picture, left, top, width, height);
    connect(picture, &ClickableLabel::mouseMoved, this, [this, picture] { showAround(picture); });
    return picture;
}

QLabel* HoverFrame::addHolder(const QString& name, const QString& resource)
{
    auto* holder = new QLabel(parentWidget());
    holder->setObjectName(name);
    holder->setPixmap(QPixmap(resource));
    Twips::place(holder, 0, 0, 300, 300);
    holder->hide();
    return holder;
}

bool HoverFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Only the bare window hides the frame; moving onto other controls leaves it.
    if (event->type() == QEvent::MouseMove && watched == parentWidget() &&
        !parentWidget()->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
        hide();
    return QLabel::eventFilter(watched, event);
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
