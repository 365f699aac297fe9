#include "skin/borderdrag.h"

#include <algorithm>

namespace {
// The largest size a window may be given.
constexpr qint64 kLargest = (1 << 24) - 1;
} // namespace

std::optional<QRect> BorderDrag::resized(const QRect &geometry, QPoint press, QPoint release, Edge edge,
                                         const QSize &minimum, const QSize &maximum)
{
    // In 64 bits: a drag across the screen never overflows, whatever the points.
    const qint64 dx = qint64(release.x()) - press.x();
    const qint64 dy = qint64(release.y()) - press.y();
    qint64 left = geometry.x();
    qint64 width = geometry.width();
    qint64 height = geometry.height();
    switch (edge) {
    case Left:
        left += dx;
        width -= dx;
        break;
    case Right:
        width += dx;
        break;
    case Bottom:
        height += dy;
        break;
    }
    const qint64 minimumWidth = std::max(1, minimum.width());
    const qint64 minimumHeight = std::max(1, minimum.height());
    if (width < minimumWidth || height < minimumHeight)
        return std::nullopt;
    const qint64 right = left + width;
    // A window already larger than the screens may shrink, but not grow.
    width = std::min({width, qint64(std::max({maximum.width(), minimum.width(), geometry.width()})), kLargest});
    height = std::min({height, qint64(std::max({maximum.height(), minimum.height(), geometry.height()})), kLargest});
    if (edge == Left)
        left = right - width;
    return QRect(int(left), geometry.y(), int(width), int(height));
}
