#pragma once

#include <QImage>
#include <QMetaType>
#include <QSize>

#include <functional>

class QPainter;

// A picture as a control is given it: a bitmap, whose transparent colour the
// control chooses, or an icon, which carries its own transparency. Like every
// picture of the platform it knows its size in HiMetric units (2540 to the
// inch); a control works out its pixel size from that.
class PictureObject
{
public:
    enum class Kind { None, Bitmap, Icon };

    PictureObject() = default;
    // Pictures made by the program are drawn at 96 dots per inch.
    static PictureObject bitmap(const QImage &image);
    static PictureObject icon(const QImage &image);
    // Art drawn with smooth edges on a transparent ground, laid on a ground of
    // the key colour: the ground, the top-left pixel included, is the key, and
    // the half-covered edge pixels blend into it. The art leaves pixel (0, 0)
    // clear.
    static PictureObject keyedBitmap(const QImage &art, QRgb key);

    // The key of the program's own button pictures: a grey from the middle of
    // the button's face, so the smoothed edges blend into what shows through.
    static constexpr QRgb kButtonKey = 0xffe8e8e8;
    // A size x size picture painted with smooth edges on a transparent ground.
    static QImage smoothArt(int size, const std::function<void(QPainter &)> &paint);
    // The same, laid on kButtonKey.
    static PictureObject buttonBitmap(int size, const std::function<void(QPainter &)> &paint);

    Kind kind() const { return m_kind; }
    bool isNone() const { return m_kind == Kind::None; }
    const QImage &image() const { return m_image; }
    QSize hiMetricSize() const { return m_hiMetric; }

    static int hiMetricFromPixels(int pixels);
    // To the nearest pixel, halves to the even neighbour.
    static int pixelsFromHiMetric(int hiMetric);

    friend bool operator==(const PictureObject &, const PictureObject &) = default;

private:
    PictureObject(Kind kind, const QImage &image);

    Kind m_kind = Kind::None;
    QImage m_image;
    QSize m_hiMetric;
};

Q_DECLARE_METATYPE(PictureObject)
