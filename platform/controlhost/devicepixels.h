#pragma once

#include <QImage>

class QPainter;

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
    // The picture made exactly that many device pixels wide and high.
    static QImage scaled(const QImage &logical, qreal ratio, QSize device);
    // Draws the picture on a widget's painter over the widget's whole area,
    // over every device pixel the area touches: a widget that starts or ends
    // half-way through a device pixel still shows its lines whole.
    static void paint(QPainter &painter, const QImage &logical, QSize widgetSize);
};
