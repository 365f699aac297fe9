#include "splashpicture.h"

#include "twips.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

void drawPalm(QPainter &p)
{
    const QColor skin(0xf2, 0xd3, 0xb3);
    const QColor outline(0x8a, 0x5a, 0x3c);
    p.setPen(QPen(outline, 2));
    p.setBrush(skin);

    // Fingers first, so the palm covers their roots.
    struct Finger { double x, y, w, h, angle; };
    const Finger fingers[] = {
        {118, 82, 26, 86, -10}, {148, 62, 28, 100, -3}, {181, 66, 28, 96, 4},
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

} // namespace

QPixmap SplashPicture::make()
{
    QPixmap pixmap(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(0x1b, 0x1f, 0x4a));
    sky.setColorAt(1, QColor(0x4a, 0x2a, 0x5e));
    p.fillRect(pixmap.rect(), sky);

    QRadialGradient glow(QPointF(170, 220), 190);
    glow.setColorAt(0, QColor(255, 230, 170, 120));
    glow.setColorAt(1, QColor(255, 230, 170, 0));
    p.fillRect(pixmap.rect(), glow);

    // A few stars.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 230, 200));
    const QPointF stars[] = {{300, 40}, {470, 70}, {420, 330}, {350, 300}, {490, 200}, {40, 40}, {60, 350}};
    for (const QPointF &s : stars)
        p.drawEllipse(s, 1.6, 1.6);

    drawPalm(p);

    QFont title(QStringLiteral("Times New Roman"));
    title.setPixelSize(Twips::pointsToPixels(36));
    title.setItalic(true);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0xf6, 0xd9, 0x8c));
    p.drawText(QRect(262, 110, 240, 60), Qt::AlignCenter, QStringLiteral("Пальмора"));

    QFont subtitle(QStringLiteral("Times New Roman"));
    subtitle.setPixelSize(Twips::pointsToPixels(14));
    subtitle.setItalic(true);
    p.setFont(subtitle);
    p.setPen(QColor(0xe8, 0xe4, 0xf4));
    p.drawText(QRect(262, 170, 240, 50), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("справочник по хиромантии"));

    QFont version(QStringLiteral("Arial"));
    version.setPixelSize(Twips::pointsToPixels(10));
    p.setFont(version);
    p.setPen(QColor(0xb8, 0xb0, 0xd0));
    p.drawText(QRect(262, 330, 240, 24), Qt::AlignCenter, QStringLiteral("версия 2.1"));
    return pixmap;
}
