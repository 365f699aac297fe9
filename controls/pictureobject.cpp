#include "controls/pictureobject.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr double kHiMetricPerInch = 2540;
constexpr double kPixelsPerInch = 96;

} // namespace

PictureObject::PictureObject(Kind kind, const QImage &image)
    : m_kind(image.isNull() ? Kind::None : kind)
    , m_image(image)
{
    if (!image.isNull())
        m_hiMetric = QSize(hiMetricFromPixels(image.width()), hiMetricFromPixels(image.height()));
}

PictureObject PictureObject::bitmap(const QImage &image)
{
    return PictureObject(Kind::Bitmap, image.convertToFormat(QImage::Format_RGB32));
}

PictureObject PictureObject::icon(const QImage &image)
{
    return PictureObject(Kind::Icon, image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

QImage PictureObject::smoothArt(int size, const std::function<void(QPainter &)> &paint)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return image;
}

PictureObject PictureObject::buttonBitmap(int size, const std::function<void(QPainter &)> &paint)
{
    return keyedBitmap(smoothArt(size, paint), kButtonKey);
}

PictureObject PictureObject::keyedBitmap(const QImage &art, QRgb key)
{
    const QImage source = art.convertToFormat(QImage::Format_ARGB32);
    QImage flat(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(flat.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int a = qAlpha(in[x]);
            const auto blend = [a](int over, int under) { return (over * a + under * (255 - a) + 127) / 255; };
            out[x] =
                qRgb(blend(qRed(in[x]), qRed(key)), blend(qGreen(in[x]), qGreen(key)), blend(qBlue(in[x]), qBlue(key)));
        }
    }
    return bitmap(flat);
}

int PictureObject::hiMetricFromPixels(int pixels)
{
    return int(std::nearbyint(pixels * kHiMetricPerInch / kPixelsPerInch));
}

int PictureObject::pixelsFromHiMetric(int hiMetric)
{
    return int(std::nearbyint(hiMetric * kPixelsPerInch / kHiMetricPerInch));
}
