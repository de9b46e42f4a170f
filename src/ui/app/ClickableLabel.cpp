#include "ClickableLabel.h"

#include <QMouseEvent>
#include <QPainter>

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent)
{
    setMouseTracking(true);
}

bool ClickableLabel::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        Q_EMIT clicked();
        return true;
    }
    return QLabel::event(event);
}

void ClickableLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}

void ClickableLabel::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    Q_EMIT mouseMoved();
}

void ClickableLabel::paintEvent(QPaintEvent* event)
{
    const QPixmap picture = pixmap();
    if (picture.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture);
}
