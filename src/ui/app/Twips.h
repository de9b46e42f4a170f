#pragma once

#include <QWidget>

// The layout is given in twips; one logical pixel is 15 twips.
namespace Twips {

constexpr int toPixels(int twips)
{
    return twips / 15;
}
constexpr int fromPixels(int pixels)
{
    return pixels * 15;
}

inline void place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace Twips

namespace Twips {
// A sizable window's border and title bar, which the resize rules count in its outer size.
inline constexpr int FrameWidth = 120;
inline constexpr int FrameHeight = 405;
} // namespace Twips
