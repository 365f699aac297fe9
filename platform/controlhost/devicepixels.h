#pragma once

#include <QImage>

// Pixel artwork drawn at one pixel per unit, shown on a screen of another
// device pixel ratio. Each pixel becomes whole device pixels, counted from the
// nearer edge of the picture, so a line keeps the same width on both sides of
// a control (at 1.5 the outermost lines are two device pixels wide on the left
// and on the right alike, the next ones one, and so on); nothing is blended.
class DevicePixels
{
public:
    // The picture's width or height in device pixels.
    static int extent(int logical, qreal ratio);
    // The picture at the ratio, with that ratio set on it. At ratio 1, the picture itself.
    static QImage scaled(const QImage &logical, qreal ratio);
};
