#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// A drag on one of the frame's border strips, turned into the window's new
// geometry once the button is released.
class BorderDrag
{
public:
    enum Edge { Left = 0, Right = 1, Bottom = 3 };

    // The window's geometry after its edge was dragged from press to release,
    // both in screen pixels. Nothing when the result would be smaller than
    // minimum (the strips and the caption) or of no size at all. A window never
    // grows beyond maximum (all the screens together): the dragged edge stops
    // there and the opposite edge stays where it was.  A window larger than
    // that already keeps its size at most.
    static std::optional<QRect> resized(const QRect &geometry, QPoint press, QPoint release, Edge edge,
                                        const QSize &minimum, const QSize &maximum);
};
