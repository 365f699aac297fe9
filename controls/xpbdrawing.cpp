#include "controls/xpbdrawing.h"

#include "controls/xpblayout.h"
#include "platform/controlhost/colorvalue.h"
#include "platform/controlhost/devicepixels.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kTextFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic
    | Qt::TextIncludeTrailingSpaces | Qt::TextExpandTabs;

// 0x00BBGGRR as a pixel; the top byte is not looked at.
QRgb pixelOf(quint32 rgbValue)
{
    return qRgb(int(rgbValue & 0xff), int(rgbValue >> 8 & 0xff), int(rgbValue >> 16 & 0xff));
}

// A colour value, system colours resolved from the button's palette, as a pixel.
QRgb colour(const XpBDrawing::State &s, quint32 value)
{
    return pixelOf(ColorValue::translate(value, s.palette));
}

QRgb systemColour(const XpBDrawing::State &s, int index)
{
    return colour(s, ColorValue::system(index));
}

// The drawing primitives work on whole pixels, right and bottom exclusive,
// and clip to the image.
void fill(QImage &image, int left, int top, int right, int bottom, QRgb c)
{
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, image.width());
    bottom = std::min(bottom, image.height());
    for (int y = top; y < bottom; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::fill(row + left, row + std::max(left, right), c);
    }
}

void setPixel(QImage &image, int x, int y, QRgb c)
{
    if (image.rect().contains(x, y))
        reinterpret_cast<QRgb *>(image.scanLine(y))[x] = c;
}

// A one-pixel border along the inside of the rectangle.
void frame(QImage &image, int left, int top, int right, int bottom, QRgb c)
{
    if (right <= left || bottom <= top)
        return;
    fill(image, left, top, right, top + 1, c);
    fill(image, left, bottom - 1, right, bottom, c);
    fill(image, left, top, left + 1, bottom, c);
    fill(image, right - 1, top, right, bottom, c);
}

// From the first point up to the second, the second excluded; the face only
// draws level and upright lines.
void line(QImage &image, int x1, int y1, int x2, int y2, QRgb c)
{
    Q_ASSERT(x1 == x2 || y1 == y2);
    if (y1 == y2)
        fill(image, x1 <= x2 ? x1 : x2 + 1, y1, x1 <= x2 ? x2 : x1 + 1, y1 + 1, c);
    else
        fill(image, x1, y1 <= y2 ? y1 : y2 + 1, x1 + 1, y1 <= y2 ? y2 : y1 + 1, c);
}

// The XP face's colours, once the defaults it may ask for are set.
struct XPLook
{
    bool enabled;
    bool pressed;
    int height;
    quint32 light;
};

XPLook xpLook(XpBDrawing::State &s)
{
    const quint32 face = ColorValue::translate(ColorValue::system(ColorValue::buttonFace), s.palette);
    if (s.enabled && s.xpDefaultColors) {
        s.xpColorPressed = XpBDrawing::defaultPressedColor;
        s.xpColorHover = XpBDrawing::defaultHoverColor;
    }
    return {s.enabled, s.pressed != 0, s.height, XpBDrawing::shiftColor(face, 48)};
}

// The ground of the face at a row, counted in the design's pixels (a fraction
// on a scaled screen): a gradient, the other way and darker while pressed,
// flat while disabled.
QRgb xpGround(const XPLook &look, double row)
{
    if (!look.enabled)
        return pixelOf(XpBDrawing::shiftColor(look.light, -24));
    const double h = look.height;
    if (!look.pressed) {
        // Nearly white at the top, about 205 grey at the bottom.
        const float step = 50.0f / float(h);
        return pixelOf(XpBDrawing::shiftColor(0x00FFFFFF, XpBLayout::round(-double(step) * row)));
    }
    const float step = 25.0f / float(h);
    const quint32 base = XpBDrawing::shiftColor(look.light, -32);
    return pixelOf(XpBDrawing::shiftColor(base, XpBLayout::round(-double(step) * (h - row))));
}

void drawXPGround(QImage &image, const XPLook &look)
{
    const int w = image.width();
    const int h = look.height;
    if (!look.enabled) {
        fill(image, 0, 0, w, h, xpGround(look, 0));
        return;
    }
    // Row 0 keeps the button face of the normal face; the frame covers it.
    for (int row = look.pressed ? 0 : 1; row < h; ++row)
        line(image, 0, row, w, row, xpGround(look, row));
}

// The same ground at the screen's resolution: each device row takes the
// colour of its own place in the design.
void drawXPGroundAt(QImage &device, const XPLook &look)
{
    const int w = device.width();
    const double scale = double(look.height) / device.height();
    for (int y = 0; y < device.height(); ++y) {
        const double row = std::clamp((y + 0.5) * scale - 0.5, look.pressed ? 0.0 : 1.0, double(look.height - 1));
        fill(device, 0, y, w, y + 1, xpGround(look, row));
    }
}

// The lines over the ground: the outline, the coloured inner frame of a
// focused or hovered face, and the rounded corners.
void drawXPEdges(QImage &image, const XPLook &look, const XpBDrawing::State &s)
{
    const int w = s.width;
    const int h = s.height;
    const quint32 face = ColorValue::translate(ColorValue::system(ColorValue::buttonFace), s.palette);
    const quint32 light = look.light;
    // The inner pixel of each corner. Enabled faces hand the pixel setter the
    // value 0x80000000, which it draws black.
    QRgb corner = qRgb(0, 0, 0);

    if (s.enabled) {
        frame(image, 0, 0, w, h, systemColour(s, ColorValue::darkShadow3D));
        if (s.pressed == 0 && (s.hasFocus == 1 || s.hovered == 1)) {
            const quint32 q = ColorValue::translate(s.hovered != 0 ? s.xpColorHover : s.xpColorPressed, s.palette);
            const auto shifted = [q](int amount) { return pixelOf(XpBDrawing::shiftColor(q, amount)); };
            frame(image, 1, 2, w - 1, h - 2, pixelOf(q));
            line(image, 2, h - 2, w - 2, h - 2, shifted(-40));
            line(image, 2, 1, w - 2, 1, shifted(90));
            line(image, 1, 2, w - 1, 2, shifted(35));
            line(image, 2, 3, 2, h - 3, shifted(20));
            line(image, w - 3, 3, w - 3, h - 3, shifted(20));
            setPixel(image, 3, h - 4, pixelOf(q));
            setPixel(image, w - 4, h - 4, pixelOf(q));
            setPixel(image, w - 4, 3, shifted(35));
            setPixel(image, 3, 3, shifted(35));
        }
    } else {
        frame(image, 0, 0, w, h, pixelOf(XpBDrawing::shiftColor(light, -84)));
        corner = pixelOf(XpBDrawing::shiftColor(light, -72));
    }

    // Rounded corners: each corner's 2 x 2 block takes the face colour and its
    // inner pixel the corner colour.
    const QRgb faceColour = pixelOf(face);
    const struct
    {
        int left, top, innerX, innerY;
    } corners[] = {
        {0, 0, 1, 1},
        {0, h - 2, 1, h - 2},
        {w - 2, 0, w - 2, 1},
        {w - 2, h - 2, w - 2, h - 2},
    };
    for (const auto &c : corners) {
        fill(image, c.left, c.top, c.left + 2, c.top + 2, faceColour);
        setPixel(image, c.innerX, c.innerY, corner);
    }
}

void drawXPFace(QImage &image, XpBDrawing::State &s)
{
    const XPLook look = xpLook(s);
    if (s.enabled && s.height == 0)
        return;
    drawXPGround(image, look);
    drawXPEdges(image, look, s);
}

void drawClassicFace(QImage &image, const XpBDrawing::State &s)
{
    const QRgb black = qRgb(0, 0, 0);
    const QRgb highlight = systemColour(s, ColorValue::buttonHighlight);
    // The second frame is one pixel too big on the right and at the bottom, so
    // only its top row and left column show.
    if (s.pressed == 1) {
        frame(image, 0, 0, s.width, s.height, highlight);
        frame(image, 0, 0, s.width + 1, s.height + 1, black);
    } else if (s.hovered == 1 || s.buttonStyle == XpBDrawing::Raised) {
        frame(image, 0, 0, s.width, s.height, black);
        frame(image, 0, 0, s.width + 1, s.height + 1, highlight);
    }
}

void drawCaptionText(QImage &image, const XpBDrawing::State &s, const QRect &rect, QRgb c)
{
    QPainter painter(&image);
    painter.setFont(s.font);
    painter.setPen(QColor::fromRgb(c));
    const int margin = QFontMetrics(s.font).averageCharWidth();
    painter.drawText(rect.adjusted(margin, 0, -margin, 0), kTextFlags, s.caption);
}

void drawCaption(QImage &image, const XpBDrawing::State &s)
{
    if (s.enabled) {
        // Only a press of the left button or the space bar moves the caption.
        const QRect rect = s.pressed == 1 ? s.captionRect.translated(1, 1) : s.captionRect;
        drawCaptionText(image, s, rect, systemColour(s, ColorValue::buttonText));
    } else {
        drawCaptionText(image, s, s.captionRect.translated(1, 1), systemColour(s, ColorValue::buttonHighlight));
        drawCaptionText(image, s, s.captionRect, systemColour(s, ColorValue::buttonShadow));
    }
}

// The pixels of the picture that are drawn: for a bitmap those not of its
// transparent colour, for an icon those mostly opaque.
QImage pictureMask(const XpBDrawing::State &s)
{
    const QImage &picture = s.picture.image();
    QImage mask(picture.size(), QImage::Format_Mono);
    mask.fill(0);
    const bool bitmap = s.picture.kind() == PictureObject::Kind::Bitmap;
    const QRgb key = s.useMaskColor ? colour(s, s.maskColor) : picture.pixel(0, 0);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            const bool drawn = bitmap ? (p & 0x00ffffff) != (key & 0x00ffffff) : qAlpha(p) >= 128;
            if (drawn)
                mask.setPixel(x, y, 1);
        }
    }
    return mask;
}

void drawMask(QImage &image, const QImage &mask, QPoint at, QRgb c)
{
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            if (mask.pixelIndex(x, y))
                setPixel(image, at.x() + x, at.y() + y, c);
        }
    }
}

void drawPicture(QImage &image, XpBDrawing::State &s)
{
    // Moved by the value of Pressed: one pixel for a press, more for a mask of
    // held buttons.
    const QRect r = s.pictureRect.translated(s.pressed, s.pressed);
    const QImage &picture = s.picture.image();

    if (!s.enabled) {
        // Embossed from the picture's mask, at the picture's own size.
        const QImage mask = pictureMask(s);
        drawMask(image, mask, r.topLeft() + QPoint(1, 1), systemColour(s, ColorValue::buttonHighlight));
        drawMask(image, mask, r.topLeft(), systemColour(s, ColorValue::buttonShadow));
        return;
    }

    switch (s.picture.kind()) {
    case PictureObject::Kind::Bitmap: {
        // The bitmap is laid on a ground of the window colour first, so a
        // picture slot larger than the bitmap shows that ground. No limit on
        // the bitmap's size.
        const QSize scratchSize(std::max({picture.width(), r.width(), 1}), std::max({picture.height(), r.height(), 1}));
        QImage scratch(scratchSize, QImage::Format_RGB32);
        scratch.fill(systemColour(s, ColorValue::windowBackground));
        {
            QPainter painter(&scratch);
            painter.drawImage(0, 0, picture);
        }
        if (!s.useMaskColor)
            s.maskColor = ColorValue::fromColor(QColor::fromRgb(scratch.pixel(0, 0)));
        const QRgb key = colour(s, s.maskColor) & 0x00ffffff;
        if (image.devicePixelRatio() != 1.0) {
            // Scaled smoothly to the screen's resolution, its transparent
            // colour left out before it is scaled.
            QImage keyed = scratch.copy(0, 0, r.width(), r.height()).convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < keyed.height(); ++y) {
                auto *row = reinterpret_cast<QRgb *>(keyed.scanLine(y));
                for (int x = 0; x < keyed.width(); ++x) {
                    if ((row[x] & 0x00ffffff) == key)
                        row[x] = 0;
                }
            }
            QPainter painter(&image);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(r, keyed);
            break;
        }
        for (int y = 0; y < r.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(scratch.constScanLine(y));
            for (int x = 0; x < r.width(); ++x) {
                if ((row[x] & 0x00ffffff) != key)
                    setPixel(image, r.left() + x, r.top() + y, row[x]);
            }
        }
        break;
    }
    case PictureObject::Kind::Icon: {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(r, picture, QRect(0, 0, s.pictureWidth, s.pictureHeight));
        break;
    }
    case PictureObject::Kind::None:
        break;
    }
}

// The system focus rectangle: every other pixel of the border, inverted.
void drawFocusRect(QImage &image, const QRect &rect)
{
    const auto invert = [&image](int x, int y) {
        if (((x + y) & 1) == 0 && image.rect().contains(x, y)) {
            auto *p = reinterpret_cast<QRgb *>(image.scanLine(y)) + x;
            *p = qRgb(255 - qRed(*p), 255 - qGreen(*p), 255 - qBlue(*p));
        }
    };
    const int right = rect.left() + rect.width() - 1;
    const int bottom = rect.top() + rect.height() - 1;
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    for (int x = rect.left(); x <= right; ++x) {
        invert(x, rect.top());
        if (bottom != rect.top())
            invert(x, bottom);
    }
    for (int y = rect.top() + 1; y < bottom; ++y) {
        invert(rect.left(), y);
        if (right != rect.left())
            invert(right, y);
    }
}

} // namespace

quint32 XpBDrawing::shiftColor(quint32 color, int amount)
{
    const auto channel = [&](int shift) {
        return quint32(std::clamp(int(color >> shift & 0xff) + amount, 0, 255)) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

QSize XpBDrawing::measureCaption(const QString &caption, const QFont &font, int innerWidth)
{
    const QFontMetrics metrics(font);
    const int margin = metrics.averageCharWidth();
    const int wrapWidth = std::max(1, innerWidth - 2 * margin);
    const QRect text = metrics.boundingRect(QRect(0, 0, wrapWidth, 1 << 20), kTextFlags, caption);
    return QSize(text.width() + 2 * margin, text.height());
}

QImage XpBDrawing::draw(State &s, qreal ratio)
{
    QImage image(std::max(s.width, 0), std::max(s.height, 0), QImage::Format_RGB32);
    image.fill(systemColour(s, ColorValue::buttonFace));

    if (s.buttonStyle == XP)
        drawXPFace(image, s);
    else
        drawClassicFace(image, s);

    XpBLayout::Input layout;
    layout.client = QSize(s.width, s.height);
    layout.hasCaption = !s.caption.isEmpty();
    layout.hasPicture = !s.picture.isNone();
    layout.pictureSize = QSize(s.pictureWidth, s.pictureHeight);
    layout.picturePosition = s.picturePosition;
    layout.previousPicture = s.pictureRect;
    layout.previousCaption = s.captionRect;
    if (layout.hasCaption)
        layout.captionSize = measureCaption(s.caption, s.font, s.width - 2 * XpBLayout::border);
    const XpBLayout::Result placed = XpBLayout::compute(layout);
    s.innerRect = placed.inner;
    s.captionRect = placed.caption;
    s.pictureRect = placed.picture;

    if (image.isNull())
        return image;
    if (ratio == 1.0) {
        if (layout.hasCaption)
            drawCaption(image, s);
        if (layout.hasPicture)
            drawPicture(image, s);
        if (s.hasFocus == 1 && s.showFocusRect && s.buttonStyle != XP)
            drawFocusRect(image, s.focusRect);
        return image;
    }
    // On a screen of another ratio the face's lines become whole device
    // pixels, the same on both sides; the XP face's gradient, the picture and
    // the caption are drawn at the screen's own resolution.
    QImage device;
    if (s.buttonStyle == XP && !(s.enabled && s.height == 0)) {
        const XPLook look = xpLook(s);
        device =
            QImage(DevicePixels::extent(s.width, ratio), DevicePixels::extent(s.height, ratio), QImage::Format_RGB32);
        device.fill(systemColour(s, ColorValue::buttonFace));
        drawXPGroundAt(device, look);
        QImage edges(image.size(), QImage::Format_ARGB32_Premultiplied);
        edges.fill(Qt::transparent);
        drawXPEdges(edges, look, s);
        if (layout.hasPicture && !s.enabled)
            drawPicture(edges, s);
        QImage scaledEdges = DevicePixels::scaled(edges, ratio, device.size());
        scaledEdges.setDevicePixelRatio(1.0);
        QPainter(&device).drawImage(0, 0, scaledEdges);
        device.setDevicePixelRatio(ratio);
    } else {
        if (layout.hasPicture && !s.enabled)
            drawPicture(image, s);
        if (s.hasFocus == 1 && s.showFocusRect && s.buttonStyle != XP)
            drawFocusRect(image, s.focusRect);
        device = DevicePixels::scaled(image, ratio);
    }
    if (layout.hasPicture && s.enabled)
        drawPicture(device, s);
    if (layout.hasCaption)
        drawCaption(device, s);
    return device;
}
