#include "app/icons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

const QColor kInk(0x20, 0x30, 0x70);
const QColor kPaper(0xfb, 0xf7, 0xea);
const QColor kAccent(0x1c, 0x6c, 0xc8);
PictureObject draw(int size, const std::function<void(QPainter &)> &paint)
{
    return PictureObject::buttonBitmap(size, paint);
}

void arrow(QPainter &p, bool left)
{
    // Rows 6 to 16 of 23: inside a 17-pixel button's frame.
    QPainterPath path;
    path.moveTo(4, 11.5);
    path.lineTo(10.5, 6.5);
    path.lineTo(10.5, 9.5);
    path.lineTo(19, 9.5);
    path.lineTo(19, 13.5);
    path.lineTo(10.5, 13.5);
    path.lineTo(10.5, 16.5);
    path.closeSubpath();
    if (!left)
        path = QTransform(-1, 0, 0, 1, 23, 0).map(path);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kAccent);
    p.drawPath(path);
}

} // namespace

PictureObject Icons::savePhoto()
{
    return draw(16, [](QPainter &p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(kAccent);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(kPaper);
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
    });
}

PictureObject Icons::paste()
{
    return draw(16, [](QPainter &p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xc8, 0x96, 0x5a));
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
        p.setBrush(QColor(0x90, 0x90, 0x90));
        p.drawRect(QRectF(4.5, 1.5, 4, 2.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 6.5, 8, 8));
        p.setPen(QPen(kAccent, 1));
        p.drawLine(QPointF(8, 9), QPointF(13, 9));
        p.drawLine(QPointF(8, 11), QPointF(13, 11));
        p.drawLine(QPointF(8, 13), QPointF(12, 13));
    });
}

PictureObject Icons::questionnaire()
{
    return draw(16, [](QPainter &p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 1.5, 11, 13));
        p.setPen(QPen(QColor(0x1a, 0x8a, 0x2a), 1.6));
        for (int row = 0; row < 3; ++row) {
            const double y = 4.5 + row * 3.5;
            p.drawLine(QPointF(4, y), QPointF(5.2, y + 1.2));
            p.drawLine(QPointF(5.2, y + 1.2), QPointF(7, y - 1));
        }
        p.setPen(QPen(kInk, 1));
        for (int row = 0; row < 3; ++row)
            p.drawLine(QPointF(8.5, 4.5 + row * 3.5), QPointF(12, 4.5 + row * 3.5));
    });
}

PictureObject Icons::saveText()
{
    return draw(16, [](QPainter &p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        QPainterPath page;
        page.moveTo(2.5, 1.5);
        page.lineTo(10, 1.5);
        page.lineTo(13.5, 5);
        page.lineTo(13.5, 14.5);
        page.lineTo(2.5, 14.5);
        page.closeSubpath();
        p.drawPath(page);
        for (int row = 0; row < 4; ++row)
            p.drawLine(QPointF(4.5, 6.5 + row * 2), QPointF(11.5, 6.5 + row * 2));
        p.setBrush(kAccent);
        p.drawEllipse(QPointF(12, 12), 3, 3);
    });
}

PictureObject Icons::search()
{
    // Kept inside the frame of the 33-pixel button it overhangs.
    return PictureObject::icon(PictureObject::smoothArt(32, [](QPainter &p) {
        p.setPen(QPen(kInk, 2.5));
        p.setBrush(QColor(0xd8, 0xea, 0xff));
        p.drawEllipse(QPointF(14, 14), 7.5, 7.5);
        p.setPen(QPen(QColor(0x6a, 0x40, 0x20), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(20, 20), QPointF(25.5, 25.5));
    }));
}

PictureObject Icons::back()
{
    return draw(23, [](QPainter &p) { arrow(p, true); });
}

PictureObject Icons::forward()
{
    return draw(23, [](QPainter &p) { arrow(p, false); });
}

PictureObject Icons::refresh()
{
    return draw(16, [](QPainter &p) {
        p.setPen(QPen(kAccent, 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2, 2, 12, 12), 30 * 16, 280 * 16);
        p.setBrush(kAccent);
        p.setPen(Qt::NoPen);
        QPainterPath head;
        head.moveTo(14.5, 1.5);
        head.lineTo(14.5, 7);
        head.lineTo(9, 6.5);
        head.closeSubpath();
        p.drawPath(head);
    });
}
