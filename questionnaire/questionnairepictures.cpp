#include "questionnaire/questionnairepictures.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

const QColor kInk(0x20, 0x30, 0x70);
PictureObject draw(const std::function<void(QPainter &)> &paint)
{
    return PictureObject::buttonBitmap(16, paint);
}

} // namespace

PictureObject QuestionnairePictures::next()
{
    return draw([](QPainter &p) {
        QPainterPath path;
        path.moveTo(14.5, 8);
        path.lineTo(8.5, 2.5);
        path.lineTo(8.5, 5.5);
        path.lineTo(1.5, 5.5);
        path.lineTo(1.5, 10.5);
        path.lineTo(8.5, 10.5);
        path.lineTo(8.5, 13.5);
        path.closeSubpath();
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0x2a, 0x9a, 0x3a));
        p.drawPath(path);
    });
}

PictureObject QuestionnairePictures::stop()
{
    return draw([](QPainter &p) {
        QPainterPath octagon;
        const double a = 4.5, b = 11.5, lo = 1.5, hi = 14.5;
        octagon.moveTo(a, lo);
        octagon.lineTo(b, lo);
        octagon.lineTo(hi, a);
        octagon.lineTo(hi, b);
        octagon.lineTo(b, hi);
        octagon.lineTo(a, hi);
        octagon.lineTo(lo, b);
        octagon.lineTo(lo, a);
        octagon.closeSubpath();
        p.setPen(QPen(QColor(0x70, 0x10, 0x10), 1));
        p.setBrush(QColor(0xd0, 0x2a, 0x2a));
        p.drawPath(octagon);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 7, 8, 2));
    });
}
