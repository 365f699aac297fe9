#pragma once

#include <cstdint>

class GdiBitmap;

// Raster operations of a block transfer that need no brush, with the values
// the Windows graphics system gives them.
enum class RasterOp : uint32_t {
    SrcCopy = 0x00CC0020,
    SrcPaint = 0x00EE0086,
    SrcAnd = 0x008800C6,
    SrcInvert = 0x00660046,
    SrcErase = 0x00440328,
    NotSrcCopy = 0x00330008,
    NotSrcErase = 0x001100A6,
    DstInvert = 0x00550009,
    Blackness = 0x00000042,
    Whiteness = 0x00FF0062,
};

// A memory device context of the photo's graphics layer: it holds one selected
// bitmap, and block transfers go between the bitmaps of two contexts. It does
// not own what is selected into it.
class GdiContext
{
public:
    GdiContext();

    // Selects the bitmap and returns the one it replaces; nullptr selects nothing.
    GdiBitmap *select(GdiBitmap *bitmap);
    GdiBitmap *bitmap() const { return m_bitmap; }

    // Copies width × height pixels from (srcLeft, srcTop) of the source onto
    // (left, top) of the destination, clipped to both bitmaps. False when an
    // argument is missing or the operation is unknown.
    static bool blt(GdiContext *dest, int left, int top, int width, int height, GdiContext *source, int srcLeft,
                    int srcTop, RasterOp rop);

private:
    GdiBitmap *m_bitmap;
};
