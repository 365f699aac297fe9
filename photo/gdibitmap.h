#pragma once

#include <QImage>

#include <cstdint>
#include <memory>

// A bitmap of the photo's small graphics layer: 24-bit blue-green-red pixels
// in rows of a fixed pitch. A DIB section keeps its rows bottom-up in a buffer
// the program addresses directly; a compatible bitmap or a picture's bitmap
// keeps them top-down in a QImage.
class GdiBitmap
{
public:
    ~GdiBitmap();
    GdiBitmap(const GdiBitmap &) = delete;
    GdiBitmap &operator=(const GdiBitmap &) = delete;

    // Zero-filled bottom-up rows of `pitch` bytes; nullptr when the size is not
    // positive or the memory cannot be had.
    static std::unique_ptr<GdiBitmap> createDibSection(int width, int height, int pitch);
    // A top-down surface such as the screen would make; nullptr on failure.
    static std::unique_ptr<GdiBitmap> createCompatible(int width, int height);
    // The bitmap of a picture: its pixels, transparency laid over white since
    // these bitmaps carry no alpha. nullptr for a null picture. A picture
    // already in this form is shared, not copied, until it is written to.
    static std::unique_ptr<GdiBitmap> fromPicture(const QImage &picture);
    // What a fresh device context holds before anything is selected into it.
    static GdiBitmap *stock();

    int width() const { return m_width; }
    int height() const { return m_height; }
    // Row y of the picture counted from the top, 3 bytes a pixel.
    uint8_t *scanLine(int y);
    const uint8_t *scanLine(int y) const;
    // The first byte of the pixel data as stored.
    uint8_t *bits()
    {
        detach();
        return m_bits;
    }
    QImage toImage() const;

private:
    GdiBitmap() = default;
    // A shared picture gets pixels of its own before it is written to.
    void detach();

    int m_width = 0;
    int m_height = 0;
    qsizetype m_pitch = 0;
    bool m_bottomUp = false;
    uint8_t *m_bits = nullptr;
    bool m_shared = false;
    std::unique_ptr<uint8_t[]> m_section;
    QImage m_image;
};
