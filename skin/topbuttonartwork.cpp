#include "skin/topbuttonartwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kSide = TopButtonArtwork::cellSide;

QColor mix(const QColor &a, const QColor &b, qreal towardsB)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * towardsB,
                            a.greenF() + (b.greenF() - a.greenF()) * towardsB,
                            a.blueF() + (b.blueF() - a.blueF()) * towardsB);
}

QColor greyOf(const QColor &colour)
{
    const int grey = qGray(colour.rgb());
    return QColor(grey, grey, grey);
}

struct Face
{
    QColor base;
    QColor glyph;
    QColor edge;
};

Face faceFor(TopButtonArtwork::Glyph glyph, TopButtonArtwork::Cell cell)
{
    const QColor base = glyph == TopButtonArtwork::Close ? QColor(228, 76, 30) : QColor(36, 100, 232);
    const QColor white(255, 255, 255);
    switch (cell) {
    case TopButtonArtwork::Hover:
        return {mix(base, white, 0.25), white, base.darker(140)};
    case TopButtonArtwork::Pressed:
        return {base.darker(135), mix(white, base.darker(135), 0.35), base.darker(200)};
    case TopButtonArtwork::Disabled: {
        const QColor washed = mix(mix(base, greyOf(base), 0.6), white, 0.55);
        return {washed, mix(white, washed, 0.3), mix(greyOf(base), white, 0.3)};
    }
    case TopButtonArtwork::Normal:
        break;
    }
    return {base, white, base.darker(160)};
}

void drawGlyph(QPainter &painter, TopButtonArtwork::Glyph glyph, const QColor &colour)
{
    painter.setRenderHint(QPainter::Antialiasing, glyph == TopButtonArtwork::Close);
    painter.setBrush(Qt::NoBrush);
    switch (glyph) {
    case TopButtonArtwork::Close:
        painter.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(6.5, 6.5), QPointF(14.5, 14.5));
        painter.drawLine(QPointF(14.5, 6.5), QPointF(6.5, 14.5));
        break;
    case TopButtonArtwork::Maximise:
        painter.fillRect(QRect(5, 5, 11, 3), colour);
        painter.fillRect(QRect(5, 5, 1, 11), colour);
        painter.fillRect(QRect(15, 5, 1, 11), colour);
        painter.fillRect(QRect(5, 15, 11, 1), colour);
        break;
    case TopButtonArtwork::Minimise:
        painter.fillRect(QRect(6, 13, 6, 3), colour);
        break;
    case TopButtonArtwork::Restore:
        // The back window, then the front one over it.
        painter.fillRect(QRect(8, 4, 9, 2), colour);
        painter.fillRect(QRect(16, 4, 1, 8), colour);
        painter.fillRect(QRect(14, 11, 3, 1), colour);
        painter.fillRect(QRect(8, 4, 1, 3), colour);
        painter.fillRect(QRect(4, 8, 9, 2), colour);
        painter.fillRect(QRect(4, 8, 1, 9), colour);
        painter.fillRect(QRect(12, 8, 1, 9), colour);
        painter.fillRect(QRect(4, 16, 9, 1), colour);
        break;
    }
}

void drawCell(QPainter &painter, TopButtonArtwork::Glyph glyph, TopButtonArtwork::Cell cell, int left)
{
    const Face face = faceFor(glyph, cell);
    painter.save();
    painter.translate(left, 0);
    painter.setRenderHint(QPainter::Antialiasing);

    QPainterPath square;
    square.addRoundedRect(QRectF(0.5, 0.5, kSide - 1, kSide - 1), 3.5, 3.5);
    QLinearGradient shade(0, 0, 0, kSide);
    shade.setColorAt(0, face.base.lighter(130));
    shade.setColorAt(0.5, face.base);
    shade.setColorAt(1, face.base.darker(112));
    painter.fillPath(square, shade);
    painter.setPen(QPen(face.edge, 1));
    painter.drawPath(square);

    drawGlyph(painter, glyph, face.glyph);
    painter.restore();
}

} // namespace

QImage TopButtonArtwork::strip(Glyph glyph)
{
    QImage image(4 * kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (Cell cell : {Normal, Hover, Pressed, Disabled})
        drawCell(painter, glyph, cell, int(cell) * kSide);
    return image;
}

QImage TopButtonArtwork::cellPicture(Glyph glyph, Cell cell, qreal ratio)
{
    const int side = qRound(kSide * ratio);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawCell(painter, glyph, cell, 0);
    return image;
}
