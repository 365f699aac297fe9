#include "photo/gdicontext.h"

#include "photo/gdibitmap.h"

#include <algorithm>
#include <cstring>

namespace {

bool usesSource(RasterOp rop)
{
    return rop != RasterOp::DstInvert && rop != RasterOp::Blackness && rop != RasterOp::Whiteness;
}

bool known(RasterOp rop)
{
    switch (rop) {
    case RasterOp::SrcCopy:
    case RasterOp::SrcPaint:
    case RasterOp::SrcAnd:
    case RasterOp::SrcInvert:
    case RasterOp::SrcErase:
    case RasterOp::NotSrcCopy:
    case RasterOp::NotSrcErase:
    case RasterOp::DstInvert:
    case RasterOp::Blackness:
    case RasterOp::Whiteness:
        return true;
    }
    return false;
}

// 24-bit pixels without a palette: every raster operation works byte by byte.
void combine(uint8_t *d, const uint8_t *s, size_t n, RasterOp rop)
{
    switch (rop) {
    case RasterOp::SrcCopy:
        std::memmove(d, s, n);
        break;
    case RasterOp::SrcPaint:
        for (size_t i = 0; i < n; ++i)
            d[i] |= s[i];
        break;
    case RasterOp::SrcAnd:
        for (size_t i = 0; i < n; ++i)
            d[i] &= s[i];
        break;
    case RasterOp::SrcInvert:
        for (size_t i = 0; i < n; ++i)
            d[i] ^= s[i];
        break;
    case RasterOp::SrcErase:
        for (size_t i = 0; i < n; ++i)
            d[i] = s[i] & uint8_t(~d[i]);
        break;
    case RasterOp::NotSrcCopy:
        for (size_t i = 0; i < n; ++i)
            d[i] = uint8_t(~s[i]);
        break;
    case RasterOp::NotSrcErase:
        for (size_t i = 0; i < n; ++i)
            d[i] = uint8_t(~(s[i] | d[i]));
        break;
    case RasterOp::DstInvert:
        for (size_t i = 0; i < n; ++i)
            d[i] = uint8_t(~d[i]);
        break;
    case RasterOp::Blackness:
        std::memset(d, 0, n);
        break;
    case RasterOp::Whiteness:
        std::memset(d, 0xFF, n);
        break;
    }
}

} // namespace

GdiContext::GdiContext()
    : m_bitmap(GdiBitmap::stock())
{}

GdiBitmap *GdiContext::select(GdiBitmap *bitmap)
{
    GdiBitmap *previous = m_bitmap;
    m_bitmap = bitmap;
    return previous;
}

bool GdiContext::blt(GdiContext *dest, int left, int top, int width, int height, GdiContext *source, int srcLeft,
                     int srcTop, RasterOp rop)
{
    if (!known(rop) || !dest || !dest->m_bitmap)
        return false;
    GdiBitmap *to = dest->m_bitmap;
    const GdiBitmap *from = nullptr;
    if (usesSource(rop)) {
        if (!source || !source->m_bitmap)
            return false;
        from = source->m_bitmap;
    }

    // Clip the rectangle to the destination and, where it is read, the source.
    qint64 x0 = left, y0 = top, x1 = qint64(left) + width, y1 = qint64(top) + height;
    const qint64 dx = from ? qint64(srcLeft) - left : 0;
    const qint64 dy = from ? qint64(srcTop) - top : 0;
    x0 = std::max<qint64>(x0, 0);
    y0 = std::max<qint64>(y0, 0);
    x1 = std::min<qint64>(x1, to->width());
    y1 = std::min<qint64>(y1, to->height());
    if (from) {
        x0 = std::max(x0, -dx);
        y0 = std::max(y0, -dy);
        x1 = std::min(x1, from->width() - dx);
        y1 = std::min(y1, from->height() - dy);
    }
    if (x0 >= x1 || y0 >= y1)
        return true;

    const size_t bytes = size_t(x1 - x0) * 3;
    // Within one bitmap, rows go in the order that reads each before it is written.
    const bool upward = from == to && dy < 0;
    for (qint64 i = 0; i < y1 - y0; ++i) {
        const qint64 y = upward ? y1 - 1 - i : y0 + i;
        uint8_t *d = to->scanLine(int(y)) + x0 * 3;
        const uint8_t *s = from ? from->scanLine(int(y + dy)) + (x0 + dx) * 3 : nullptr;
        combine(d, s, bytes, rop);
    }
    return true;
}
