#include "app/splashpicture.h"

#include "app/palmdrawing.h"
#include "platform/release.h"
#include "platform/twips.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

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

    PalmDrawing::draw(p);

    QFont title(QStringLiteral("Times New Roman"));
    title.setPixelSize(Twips::pointsToPixels(36));
    title.setItalic(true);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0xf6, 0xd9, 0x8c));
    p.drawText(QRect(256, 110, 252, 60), Qt::AlignCenter, QStringLiteral("Пальмора"));

    QFont subtitle(QStringLiteral("Times New Roman"));
    subtitle.setPixelSize(Twips::pointsToPixels(13));
    subtitle.setItalic(true);
    p.setFont(subtitle);
    p.setPen(QColor(0xe8, 0xe4, 0xf4));
    p.drawText(QRect(256, 170, 252, 50), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("справочник по хиромантии"));

    QFont version(QStringLiteral("Arial"));
    version.setPixelSize(Twips::pointsToPixels(10));
    p.setFont(version);
    p.setPen(QColor(0xb8, 0xb0, 0xd0));
    p.drawText(QRect(256, 330, 252, 24), Qt::AlignCenter, QStringLiteral("версия " PALMORA_VERSION));
    return pixmap;
}
