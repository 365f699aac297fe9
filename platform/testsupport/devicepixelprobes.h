#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <Qt>

// Probes of pictures drawn for a scaled screen, in device pixels.

// The run of pixels like the first, from a point in one direction.
inline int sameColourRun(const QImage &image, QPoint from, QPoint step)
{
    int n = 0;
    for (QPoint p = from; image.rect().contains(p) && image.pixel(p) == image.pixel(from); p += step)
        ++n;
    return n;
}

// Whether some device pixel of the area differs from its right-hand (or,
// across, lower) neighbour although both lie in one pixel of the drawing's
// own units: a detail finer than those units, as text set at the screen's
// resolution has.
inline bool finerThanItsUnits(const QImage &image, const QRect &area, qreal ratio,
                              Qt::Orientation along = Qt::Horizontal)
{
    const QRect inside = area.intersected(image.rect());
    const QPoint step = along == Qt::Horizontal ? QPoint(1, 0) : QPoint(0, 1);
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QPoint p(x, y);
            const QPoint next = p + step;
            const int at = along == Qt::Horizontal ? x : y;
            if (inside.contains(next) && int(at / ratio) == int((at + 1) / ratio)
                && image.pixel(p) != image.pixel(next))
                return true;
        }
    return false;
}
