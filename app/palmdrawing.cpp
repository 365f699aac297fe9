#include "app/palmdrawing.h"

#include <QPainter>
#include <QPainterPath>

void PalmDrawing::draw(QPainter &p)
{
    const QColor skin(0xf2, 0xd3, 0xb3);
    const QColor outline(0x8a, 0x5a, 0x3c);
    p.setPen(QPen(outline, 2));
    p.setBrush(skin);

    // Fingers first, so the palm covers their roots.
    struct Finger
    {
        double x, y, w, h, angle;
    };
    const Finger fingers[] = {
        {118, 82, 26, 86, -10},
        {148, 62, 28, 100, -3},
        {181, 66, 28, 96, 4},
        {212, 88, 25, 80, 11},
    };
    for (const Finger &f : fingers) {
        p.save();
        p.translate(f.x + f.w / 2, f.y + f.h);
        p.rotate(f.angle);
        p.drawRoundedRect(QRectF(-f.w / 2, -f.h, f.w, f.h + 20), f.w / 2, f.w / 2);
        p.restore();
    }
    p.save();
    p.translate(92, 250);
    p.rotate(-42);
    p.drawRoundedRect(QRectF(-15, -78, 32, 96), 15, 15);
    p.restore();

    QPainterPath palm;
    palm.moveTo(104, 168);
    palm.cubicTo(104, 150, 240, 146, 240, 170);
    palm.cubicTo(252, 240, 236, 320, 190, 340);
    palm.cubicTo(150, 352, 112, 336, 100, 300);
    palm.cubicTo(86, 260, 96, 200, 104, 168);
    p.drawPath(palm);

    // The main lines: heart, head, life, fate.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xb0, 0x30, 0x40), 3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath heart;
    heart.moveTo(232, 196);
    heart.cubicTo(200, 186, 160, 186, 132, 206);
    p.drawPath(heart);
    p.setPen(QPen(QColor(0x30, 0x50, 0xa0), 3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath head;
    head.moveTo(110, 214);
    head.cubicTo(150, 222, 190, 236, 222, 262);
    p.drawPath(head);
    p.setPen(QPen(QColor(0x2a, 0x80, 0x40), 3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath life;
    life.moveTo(112, 212);
    life.cubicTo(150, 240, 150, 300, 150, 336);
    p.drawPath(life);
    p.setPen(QPen(QColor(0x70, 0x50, 0x30), 2, Qt::DashLine, Qt::RoundCap));
    p.drawLine(QPointF(176, 336), QPointF(170, 200));
}
