#pragma once

#include <QRect>

#include <cmath>

// Window layouts are designed in twips: 15 to a pixel at 96 dots per inch.
namespace Twips {
constexpr int perPixel = 15;

// Nearest pixel, halves to the even neighbour.
inline int toPixels(double twips)
{
    return static_cast<int>(std::nearbyint(twips / perPixel));
}
inline int fromPixels(int pixels)
{
    return pixels * perPixel;
}
inline QRect toPixels(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
// Font sizes are given in points; the layout is fixed in pixels, so fonts are too.
inline int pointsToPixels(double points)
{
    return static_cast<int>(std::nearbyint(points * 96.0 / 72.0));
}
} // namespace Twips
