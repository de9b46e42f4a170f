#pragma once

#include <QProxyStyle>

// The application's style, but the panel of a text box (its background and its rounded,
// antialiased frame) is drawn once for each size and look and copied after that. Drawing it
// was most of the cost of painting a box, and a window repaints every box whose text or
// state a selected record changes. The copy is the same picture: the panel is drawn onto a
// transparent pixmap and laid onto the plain background the boxes stand on.
class PanelCacheStyle : public QProxyStyle
{
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    // Wraps the application's style in one; more calls change nothing.
    static void install();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
