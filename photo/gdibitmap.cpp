#include "photo/gdibitmap.h"

#include <QPainter>

#include <new>

GdiBitmap::~GdiBitmap() = default;

std::unique_ptr<GdiBitmap> GdiBitmap::createDibSection(int width, int height, int pitch)
{
    if (width <= 0 || height <= 0 || pitch < qint64(width) * 3)
        return nullptr;
    std::unique_ptr<GdiBitmap> bitmap(new GdiBitmap);
    const auto bytes = static_cast<size_t>(pitch) * static_cast<size_t>(height);
    bitmap->m_section.reset(new (std::nothrow) uint8_t[bytes]());
    if (!bitmap->m_section)
        return nullptr;
    bitmap->m_width = width;
    bitmap->m_height = height;
    bitmap->m_pitch = pitch;
    bitmap->m_bottomUp = true;
    bitmap->m_bits = bitmap->m_section.get();
    return bitmap;
}

std::unique_ptr<GdiBitmap> GdiBitmap::createCompatible(int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    QImage image(width, height, QImage::Format_BGR888);
    if (image.isNull())
        return nullptr;
    image.fill(Qt::black);
    std::unique_ptr<GdiBitmap> bitmap(new GdiBitmap);
    bitmap->m_width = width;
    bitmap->m_height = height;
    bitmap->m_pitch = image.bytesPerLine();
    bitmap->m_image = std::move(image);
    bitmap->m_bits = bitmap->m_image.bits();
    return bitmap;
}

std::unique_ptr<GdiBitmap> GdiBitmap::fromPicture(const QImage &picture)
{
    if (picture.isNull())
        return nullptr;
    QImage image;
    if (picture.hasAlphaChannel()) {
        image = QImage(picture.size(), QImage::Format_BGR888);
        if (image.isNull())
            return nullptr;
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.drawImage(0, 0, picture);
    } else {
        image = picture.convertToFormat(QImage::Format_BGR888);
        if (image.isNull())
            return nullptr;
    }
    std::unique_ptr<GdiBitmap> bitmap(new GdiBitmap);
    bitmap->m_width = image.width();
    bitmap->m_height = image.height();
    bitmap->m_pitch = image.bytesPerLine();
    bitmap->m_image = std::move(image);
    // Read from where the picture keeps them: a photo of a hundred
    // megapixels is not copied whole only to be read once.
    bitmap->m_bits = const_cast<uint8_t *>(bitmap->m_image.constBits());
    bitmap->m_shared = true;
    return bitmap;
}

void GdiBitmap::detach()
{
    if (m_shared) {
        m_bits = m_image.bits();
        m_shared = false;
    }
}

GdiBitmap *GdiBitmap::stock()
{
    static const std::unique_ptr<GdiBitmap> bitmap = createCompatible(1, 1);
    return bitmap.get();
}

uint8_t *GdiBitmap::scanLine(int y)
{
    detach();
    const int row = m_bottomUp ? m_height - 1 - y : y;
    return m_bits + row * m_pitch;
}

const uint8_t *GdiBitmap::scanLine(int y) const
{
    const int row = m_bottomUp ? m_height - 1 - y : y;
    return m_bits + row * m_pitch;
}

QImage GdiBitmap::toImage() const
{
    QImage image(m_width, m_height, QImage::Format_BGR888);
    if (image.isNull())
        return image;
    for (int y = 0; y < m_height; ++y)
        std::copy_n(scanLine(y), size_t(m_width) * 3, image.scanLine(y));
    return image;
}
