#pragma once

#include "photo/gdicontext.h"
#include "platform/widgets/dialogs.h"

#include <cstdint>
#include <memory>

class GdiBitmap;
class QImage;

// One picture as a 24-bit device-independent bitmap: blue-green-red pixels in
// bottom-up rows padded to 4 bytes, in a buffer the program addresses directly
// while the section is selected into a memory context for block transfers.
class cDIBSection
{
public:
    struct BitmapInfoHeader
    {
        uint32_t biSize = 40;
        int32_t biWidth = 0;
        int32_t biHeight = 0;
        uint16_t biPlanes = 1;
        uint16_t biBitCount = 24;
        uint32_t biCompression = 0;
        uint32_t biSizeImage = 0;
        int32_t biXPelsPerMeter = 0;
        int32_t biYPelsPerMeter = 0;
        uint32_t biClrUsed = 0;
        uint32_t biClrImportant = 0;
    };

    // Its refusals are said through dialogs.
    explicit cDIBSection(Dialogs &dialogs = Dialogs::system());
    ~cDIBSection();
    cDIBSection(const cDIBSection &) = delete;
    cDIBSection &operator=(const cDIBSection &) = delete;

    // Puts the picture on the system clipboard as a bitmap.
    bool CopyToClipboard(bool bAsDIB);
    // Fills the header for lWidth × lHeight and makes a section for it; the
    // section goes to hDib and its first byte becomes this buffer's bits.
    bool CreateDIB(GdiContext *lhDC, int32_t lWidth, int32_t lHeight, std::unique_ptr<GdiBitmap> &hDib);
    // The buffer takes the picture's size and pixels; it stays empty when the
    // picture is null or too large.
    void CreateFromPicture(const QImage &picThis);
    bool Create(int32_t lWidth, int32_t lHeight);
    int32_t BytesPerScanLine() const;
    int32_t Width() const;
    int32_t Height() const;
    // A negative width or height stands for the buffer's own.
    void LoadPictureBlt(GdiContext *lhDC, int32_t lSrcLeft = 0, int32_t lSrcTop = 0, int32_t lSrcWidth = -1,
                        int32_t lSrcHeight = -1, RasterOp eRop = RasterOp::SrcCopy);
    void PaintPicture(GdiContext *lhDC, int32_t lDestLeft = 0, int32_t lDestTop = 0, int32_t lDestWidth = -1,
                      int32_t lDestHeight = -1, int32_t lSrcLeft = 0, int32_t lSrcTop = 0,
                      RasterOp eRop = RasterOp::SrcCopy);
    GdiContext *hdc() const;
    GdiBitmap *hDib() const;
    uint8_t *DIBSectionBitsPtr() const;
    // Noise: grey when bGray, otherwise green and red over no blue.
    void RandomiseBits(bool bGray);
    void ClearUp();
    // A bilinear copy at the new size; nothing when it cannot be made or when
    // this picture is smaller than 2 × 2, whose neighbours would lie outside it.
    std::unique_ptr<cDIBSection> Resample(int32_t lNewHeight, int32_t lNewWidth) const;

    const BitmapInfoHeader &header() const { return m_tBI; }

private:
    Dialogs &m_dialogs;
    std::unique_ptr<GdiBitmap> m_hDib;
    GdiBitmap *m_hBmpOld = nullptr;
    std::unique_ptr<GdiContext> m_hDC;
    uint8_t *m_lPtr = nullptr;
    BitmapInfoHeader m_tBI;
};
