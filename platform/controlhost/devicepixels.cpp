#include "platform/controlhost/devicepixels.h"

#include <QList>
#include <QPainter>

#include <cmath>

namespace {

// For each device pixel along one direction, the picture's pixel it shows.
// The pixels from either end take whole device pixels as a uniform scaling
// from that end would give them; the one or two in the middle take what is
// left, at least one each.
QList<int> sources(int logical, int device, qreal ratio)
{
    QList<int> widths(logical, 0);
    const int outer = (logical - 1) / 2;
    for (int i = 0; i < outer; ++i) {
        const int w = int(std::floor((i + 1) * ratio)) - int(std::floor(i * ratio));
        widths[i] = w;
        widths[logical - 1 - i] = w;
    }
    const int used = 2 * int(std::floor(outer * ratio));
    const int rest = std::max(device - used, logical - 2 * outer);
    if (logical - 2 * outer == 1) {
        widths[outer] = rest;
    } else {
        widths[outer] = rest / 2;
        widths[outer + 1] = rest - rest / 2;
    }
    QList<int> from;
    from.reserve(device);
    for (int i = 0; i < logical; ++i)
        for (int k = 0; k < widths.at(i); ++k)
            from.append(i);
    from.resize(device, logical - 1);
    return from;
}

} // namespace

int DevicePixels::extent(int logical, qreal ratio)
{
    return int(std::lround(logical * ratio));
}

QImage DevicePixels::scaled(const QImage &logical, qreal ratio)
{
    if (logical.isNull() || ratio == 1.0)
        return logical;
    return scaled(logical, ratio, QSize(extent(logical.width(), ratio), extent(logical.height(), ratio)));
}

QImage DevicePixels::scaled(const QImage &logical, qreal ratio, QSize size)
{
    if (logical.isNull() || size.isEmpty())
        return logical;
    const int width = size.width();
    const int height = size.height();
    const QImage source =
        logical.format() == QImage::Format_ARGB32_Premultiplied || logical.format() == QImage::Format_RGB32
        ? logical
        : logical.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage device(width, height, source.format());
    const QList<int> columns = sources(source.width(), width, ratio);
    const QList<int> rows = sources(source.height(), height, ratio);
    for (int y = 0; y < height; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(rows[y]));
        auto *out = reinterpret_cast<QRgb *>(device.scanLine(y));
        for (int x = 0; x < width; ++x)
            out[x] = in[columns[x]];
    }
    device.setDevicePixelRatio(ratio);
    return device;
}

void DevicePixels::paint(QPainter &painter, const QImage &logical, QSize widgetSize)
{
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (ratio == 1.0) {
        painter.drawImage(0, 0, logical);
        return;
    }
    // Every device pixel the area touches, also one it covers only in part.
    const QTransform toDevice = painter.deviceTransform();
    const QPointF start = toDevice.map(QPointF(0, 0));
    const QPointF end = toDevice.map(QPointF(widgetSize.width(), widgetSize.height()));
    const QPoint first(int(std::floor(start.x() + 0.01)), int(std::floor(start.y() + 0.01)));
    const QSize size(int(std::ceil(end.x() - 0.01)) - first.x(), int(std::ceil(end.y() - 0.01)) - first.y());
    if (size.isEmpty())
        return;
    QImage device = scaled(logical, ratio, size);
    device.setDevicePixelRatio(1.0);
    painter.save();
    // Drawn in the device's own pixels.
    painter.setWorldTransform(toDevice.inverted() * painter.worldTransform());
    painter.drawImage(first, device);
    painter.restore();
}
