#include "photo/cdibsection.h"

#include "photo/gdibitmap.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace {

// Nearest integer, halves to the even neighbour.
float roundEven(float value)
{
    return std::nearbyint(value);
}

} // namespace

cDIBSection::cDIBSection(Dialogs &dialogs)
    : m_dialogs(dialogs)
{}

cDIBSection::~cDIBSection()
{
    ClearUp();
}

bool cDIBSection::CopyToClipboard(bool bAsDIB)
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return false;
    // Refused whatever the buffer holds, before it is looked at.
    if (bAsDIB) {
        m_dialogs.message(nullptr,
                          QStringLiteral("I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!"),
                          Dialogs::Icon::None);
        return false;
    }
    if (!m_hDC)
        return false;
    GdiContext memory;
    std::unique_ptr<GdiBitmap> bitmap = GdiBitmap::createCompatible(Width(), Height());
    if (!bitmap)
        return false;
    GdiBitmap *old = memory.select(bitmap.get());
    PaintPicture(&memory, 0, 0, -1, -1, 0, 0, RasterOp::SrcCopy);
    memory.select(old);
    const QImage image = bitmap->toImage();
    if (image.isNull())
        return false;
    QGuiApplication::clipboard()->setImage(image);
    return true;
}

bool cDIBSection::CreateDIB(GdiContext *, int32_t lWidth, int32_t lHeight, std::unique_ptr<GdiBitmap> &hDib)
{
    // The header's sizes are 32-bit: refuse a picture whose rows or whole size would not fit.
    const qint64 pitch = ((qint64(lWidth) * 3 + 3) & ~qint64(3));
    const qint64 imageSize = pitch * lHeight;
    if (lWidth > 0 && lHeight > 0 && imageSize > std::numeric_limits<int32_t>::max())
        return false;
    m_tBI = BitmapInfoHeader();
    m_tBI.biWidth = lWidth;
    m_tBI.biHeight = lHeight;
    m_tBI.biSizeImage = lWidth > 0 && lHeight > 0 ? uint32_t(imageSize) : 0;
    hDib = GdiBitmap::createDibSection(lWidth, lHeight, int(pitch));
    m_lPtr = hDib ? hDib->bits() : nullptr;
    return hDib != nullptr;
}

void cDIBSection::CreateFromPicture(const QImage &picThis)
{
    if (!Create(picThis.width(), picThis.height()))
        return;
    std::unique_ptr<GdiBitmap> picture = GdiBitmap::fromPicture(picThis);
    if (!picture) {
        ClearUp();
        return;
    }
    GdiContext context;
    GdiBitmap *old = context.select(picture.get());
    LoadPictureBlt(&context, 0, 0, -1, -1, RasterOp::SrcCopy);
    context.select(old);
}

bool cDIBSection::Create(int32_t lWidth, int32_t lHeight)
{
    ClearUp();
    auto context = std::make_unique<GdiContext>();
    std::unique_ptr<GdiBitmap> section;
    if (!CreateDIB(context.get(), lWidth, lHeight, section)) {
        m_lPtr = nullptr;
        return false;
    }
    m_hBmpOld = context->select(section.get());
    m_hDib = std::move(section);
    m_hDC = std::move(context);
    return true;
}

int32_t cDIBSection::BytesPerScanLine() const
{
    return int32_t((qint64(m_tBI.biWidth) * 3 + 3) & ~qint64(3));
}

int32_t cDIBSection::Width() const
{
    return m_tBI.biWidth;
}

int32_t cDIBSection::Height() const
{
    return m_tBI.biHeight;
}

void cDIBSection::LoadPictureBlt(GdiContext *lhDC, int32_t lSrcLeft, int32_t lSrcTop, int32_t lSrcWidth,
                                 int32_t lSrcHeight, RasterOp eRop)
{
    if (lSrcWidth < 0)
        lSrcWidth = m_tBI.biWidth;
    if (lSrcHeight < 0)
        lSrcHeight = m_tBI.biHeight;
    GdiContext::blt(m_hDC.get(), 0, 0, lSrcWidth, lSrcHeight, lhDC, lSrcLeft, lSrcTop, eRop);
}

void cDIBSection::PaintPicture(GdiContext *lhDC, int32_t lDestLeft, int32_t lDestTop, int32_t lDestWidth,
                               int32_t lDestHeight, int32_t lSrcLeft, int32_t lSrcTop, RasterOp eRop)
{
    if (lDestWidth < 0)
        lDestWidth = m_tBI.biWidth;
    if (lDestHeight < 0)
        lDestHeight = m_tBI.biHeight;
    GdiContext::blt(lhDC, lDestLeft, lDestTop, lDestWidth, lDestHeight, m_hDC.get(), lSrcLeft, lSrcTop, eRop);
}

GdiContext *cDIBSection::hdc() const
{
    return m_hDC.get();
}

GdiBitmap *cDIBSection::hDib() const
{
    return m_hDib.get();
}

uint8_t *cDIBSection::DIBSectionBitsPtr() const
{
    return m_lPtr;
}

void cDIBSection::RandomiseBits(bool bGray)
{
    if (!m_lPtr)
        return;
    std::mt19937 generator(static_cast<std::mt19937::result_type>(QTime::currentTime().msecsSinceStartOfDay()));
    std::uniform_real_distribution<float> rnd(0.0f, 1.0f);
    auto next = [&] {
        // Clamped: the float distribution may, rarely, hand out 1 itself.
        return uint8_t(std::min(255.0f, roundEven(rnd(generator) * 255.0f)));
    };
    const int32_t width = Width();
    const int32_t height = Height();
    const int32_t pitch = BytesPerScanLine();
    if (bGray) {
        for (int32_t y = 0; y < height; ++y) {
            uint8_t *row = m_lPtr + qint64(y) * pitch;
            for (int32_t x = 0; x < width; ++x) {
                const uint8_t value = next();
                row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = value;
            }
        }
    } else {
        for (int32_t x = 0; x < width; ++x) {
            for (int32_t y = 0; y < height; ++y) {
                uint8_t *pixel = m_lPtr + qint64(y) * pitch + 3 * qint64(x);
                pixel[0] = 0;
                pixel[1] = next();
                pixel[2] = next();
            }
        }
    }
}

void cDIBSection::ClearUp()
{
    if (m_hDC) {
        if (m_hDib) {
            m_hDC->select(m_hBmpOld);
            m_hDib.reset();
        }
        m_hDC.reset();
    }
    m_hDib.reset();
    m_hBmpOld = nullptr;
    m_lPtr = nullptr;
}

std::unique_ptr<cDIBSection> cDIBSection::Resample(int32_t lNewHeight, int32_t lNewWidth) const
{
    const int32_t oldWidth = Width();
    const int32_t oldHeight = Height();
    if (!m_lPtr || oldWidth < 2 || oldHeight < 2)
        return nullptr;
    auto result = std::make_unique<cDIBSection>(m_dialogs);
    if (!result->Create(lNewWidth, lNewHeight))
        return nullptr;

    if (lNewWidth == oldWidth && lNewHeight == oldHeight) {
        result->LoadPictureBlt(m_hDC.get(), 0, 0, -1, -1, RasterOp::SrcCopy);
        return result;
    }

    const float xStep = float(oldWidth - 1) / float(lNewWidth);
    const float yStep = float(oldHeight - 1) / float(lNewHeight);
    const qint64 srcPitch = BytesPerScanLine();
    const qint64 dstPitch = result->BytesPerScanLine();
    const uint8_t *src = m_lPtr;
    uint8_t *dst = result->m_lPtr;
    for (int32_t y = 0; y < lNewHeight; ++y) {
        const float ys = yStep * float(y);
        // Single precision could land a huge picture's last step on the last row.
        const int32_t yi = std::min(int32_t(std::floor(ys)), oldHeight - 2);
        const float yf = ys - float(yi);
        const uint8_t *s0 = src + yi * srcPitch;
        const uint8_t *s1 = s0 + srcPitch;
        uint8_t *d = dst + y * dstPitch;
        for (int32_t x = 0; x < lNewWidth; ++x) {
            const float xs = xStep * float(x);
            const int32_t xi = std::min(int32_t(std::floor(xs)), oldWidth - 2);
            const float xf = xs - float(xi);
            for (int c = 0; c < 3; ++c) {
                const qint64 b = 3 * qint64(xi) + c;
                const float left = roundEven((1.0f - yf) * float(s0[b]) + yf * float(s1[b]));
                const float right = roundEven((1.0f - yf) * float(s0[b + 3]) + yf * float(s1[b + 3]));
                const float value = roundEven((1.0f - xf) * left + xf * right);
                d[3 * qint64(x) + c] = uint8_t(std::clamp(value, 0.0f, 255.0f));
            }
        }
    }
    return result;
}
