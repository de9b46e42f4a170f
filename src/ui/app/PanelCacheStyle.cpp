#include "PanelCacheStyle.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleOption>

#include <cmath>

namespace {

// Everything the style draws a panel from: size, state, frame, direction, resolution and the
// colours of the palette's group in use. Empty where a brush is more than a colour.
QString panelKey(const QStyleOptionFrame& frame, qreal pixelRatio)
{
    const QPalette::ColorGroup group = !(frame.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (frame.state & QStyle::State_Active) ? QPalette::Active
                                                                              : QPalette::Inactive;
    QList<quint32> values{quint32(frame.rect.width()),
                          quint32(frame.rect.height()),
                          quint32(frame.state),
                          quint32(frame.lineWidth),
                          quint32(frame.midLineWidth),
                          quint32(frame.features),
                          quint32(frame.frameShape),
                          quint32(frame.direction),
                          quint32(qRound(pixelRatio * 1000))};
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const QBrush& brush = frame.palette.brush(group, QPalette::ColorRole(role));
        if (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush)
            return {};
        values << quint32(brush.style()) << brush.color().rgba();
    }
    return QStringLiteral("sapwright-panel-") +
           QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(values.constData()),
                                          values.size() * qsizetype(sizeof(quint32)))
                                   .toBase64());
}

} // namespace

void PanelCacheStyle::install()
{
    if (!qobject_cast<PanelCacheStyle*>(QApplication::style()))
        QApplication::setStyle(new PanelCacheStyle(QApplication::style()->name()));
}

void PanelCacheStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const
{
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    // Only the framed text boxes of the windows; the boxes inside other controls are drawn as
    // their control wants.
    const QTransform& transform = painter->transform();
    const bool box = element == PE_PanelLineEdit && frame && frame->lineWidth > 0 &&
                     qobject_cast<const QLineEdit*>(widget) && !option->rect.isEmpty() &&
                     painter->opacity() == 1 &&
                     painter->compositionMode() == QPainter::CompositionMode_SourceOver &&
                     transform.type() <= QTransform::TxTranslate &&
                     transform.dx() == std::round(transform.dx()) &&
                     transform.dy() == std::round(transform.dy());
    const qreal pixelRatio = box ? painter->device()->devicePixelRatio() : 1;
    const QString key = box ? panelKey(*frame, pixelRatio) : QString();
    if (key.isEmpty()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    QPixmap panel;
    if (!QPixmapCache::find(key, &panel)) {
        panel = QPixmap(option->rect.size() * pixelRatio);
        panel.setDevicePixelRatio(pixelRatio);
        panel.fill(Qt::transparent);
        QStyleOptionFrame atOrigin(*frame);
        atOrigin.rect.moveTo(0, 0);
        QPainter onPanel(&panel);
        QProxyStyle::drawPrimitive(element, &atOrigin, &onPanel, widget);
        onPanel.end();
        QPixmapCache::insert(key, panel);
    }
    painter->drawPixmap(option->rect.topLeft(), panel);
}
