#include "skin/skinartwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kTitleWidth = 66;
constexpr int kTitleHeight = 29;
constexpr QColor kOutline(102, 102, 126);

QImage blank(int width, int height, const QColor &fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// A square-cornered title in a vertical gradient, a light line at the top and
// a dark line at the bottom where the client area begins.
QImage squareTitle(const QColor &top, const QColor &middle, const QColor &bottom, const QColor &edge)
{
    QImage image = blank(kTitleWidth, kTitleHeight, middle);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, kTitleHeight);
    gradient.setColorAt(0, top);
    gradient.setColorAt(0.45, middle);
    gradient.setColorAt(1, bottom);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(top.lighter(115));
    painter.drawLine(0, 1, kTitleWidth - 1, 1);
    painter.setPen(edge);
    painter.drawLine(0, 0, kTitleWidth - 1, 0);
    painter.drawLine(0, kTitleHeight - 1, kTitleWidth - 1, kTitleHeight - 1);
    return image;
}

} // namespace

QImage SkinArtwork::titleNormal()
{
    // Outside the curved corners the title strip's own background shows.
    QImage image = blank(kTitleWidth, kTitleHeight, SkinArtwork::titleBackground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The outline's outer edge runs along the picture's edge, so the left and
    // right caps continue the border strips' outer lines.
    // The curve stays within the 5-px end pieces, which are never stretched.
    constexpr qreal radius = 4;
    QPainterPath outline;
    const QRectF box(0.5, 0.5, kTitleWidth - 1, kTitleHeight);
    outline.moveTo(box.left(), box.bottom());
    outline.lineTo(box.left(), box.top() + radius);
    outline.quadTo(box.left(), box.top(), box.left() + radius, box.top());
    outline.lineTo(box.right() - radius, box.top());
    outline.quadTo(box.right(), box.top(), box.right(), box.top() + radius);
    outline.lineTo(box.right(), box.bottom());

    QLinearGradient silver(0, 0, 0, kTitleHeight);
    silver.setColorAt(0, QColor(254, 254, 255));
    silver.setColorAt(0.35, QColor(236, 236, 242));
    silver.setColorAt(0.75, QColor(214, 214, 226));
    silver.setColorAt(1, QColor(198, 198, 214));
    painter.fillPath(outline, silver);
    painter.setPen(QPen(kOutline, 1));
    painter.drawPath(outline);

    painter.setRenderHint(QPainter::Antialiasing, false);
    // An inner highlight below the outline, as on the border strips.
    painter.setPen(QColor(251, 252, 253));
    painter.drawLine(1, int(radius) + 1, 1, kTitleHeight - 2);
    painter.drawLine(kTitleWidth - 2, int(radius) + 1, kTitleWidth - 2, kTitleHeight - 2);
    painter.drawLine(int(radius) + 1, 1, kTitleWidth - int(radius) - 2, 1);
    painter.setPen(kOutline);
    painter.drawLine(0, kTitleHeight - 1, kTitleWidth - 1, kTitleHeight - 1);
    return image;
}

QImage SkinArtwork::titleMaximised()
{
    return squareTitle(QColor(64, 132, 248), QColor(16, 92, 230), QColor(0, 62, 190), QColor(0, 40, 140));
}

QImage SkinArtwork::titleMaximisedInactive()
{
    return squareTitle(QColor(196, 212, 246), QColor(160, 184, 236), QColor(138, 164, 224), QColor(110, 132, 190));
}

QImage SkinArtwork::leftBorder()
{
    QImage image(5, 31, QImage::Format_RGB32);
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < image.height(); ++y)
            image.setPixel(x, y, borderLines[x]);
    return image;
}

QImage SkinArtwork::rightBorder()
{
    return leftBorder().mirrored(true, false);
}

QImage SkinArtwork::bottomBorder()
{
    QImage image(49, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, borderLines[4 - y]);
    return image;
}

QImage SkinArtwork::defaultIcon()
{
    // A small window: white page, blue title, dark edge.
    QImage image(33, 33, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF page(2.5, 4.5, 28, 24);
    painter.setPen(QPen(QColor(40, 56, 110), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(page, 2, 2);
    QLinearGradient blue(0, 5, 0, 12);
    blue.setColorAt(0, QColor(64, 132, 248));
    blue.setColorAt(1, QColor(0, 62, 190));
    painter.fillRect(QRectF(3, 5, 27, 7), blue);
    painter.setPen(QPen(SkinArtwork::titleBackground, 2));
    painter.drawLine(QPointF(7, 17), QPointF(25, 17));
    painter.drawLine(QPointF(7, 21), QPointF(21, 21));
    painter.drawLine(QPointF(7, 25), QPointF(23, 25));
    return image;
}
