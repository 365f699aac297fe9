#include "abouttab.h"

#include "form1.h"

#include <QDesktopServices>
#include <QFont>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QUrl>

namespace {

void drawHand(QPainter &p)
{
    const QColor skin(0xf4, 0xd8, 0xbc);
    const QColor outline(0x7a, 0x4e, 0x32);
    p.setPen(QPen(outline, 2.5));
    p.setBrush(skin);

    struct Finger { double x, y, w, h, angle; };
    const Finger fingers[] = {
        {196, 70, 34, 112, -9}, {236, 44, 36, 130, -2}, {278, 50, 36, 124, 5}, {318, 80, 32, 104, 12},
    };
    for (const Finger &f : fingers) {
        p.save();
        p.translate(f.x + f.w / 2, f.y + f.h);
        p.rotate(f.angle);
        p.drawRoundedRect(QRectF(-f.w / 2, -f.h, f.w, f.h + 26), f.w / 2, f.w / 2);
        p.restore();
    }
    p.save();
    p.translate(176, 300);
    p.rotate(-40);
    p.drawRoundedRect(QRectF(-20, -104, 42, 126), 20, 20);
    p.restore();

    QPainterPath palm;
    palm.moveTo(186, 186);
    palm.cubicTo(186, 160, 356, 156, 358, 190);
    palm.cubicTo(366, 260, 360, 330, 330, 380);
    palm.cubicTo(300, 420, 220, 420, 200, 380);
    palm.cubicTo(176, 330, 172, 250, 186, 186);
    p.drawPath(palm);

    // Heart, head and life lines, then the line of fate.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xb0, 0x20, 0x30), 4, Qt::SolidLine, Qt::RoundCap));
    QPainterPath heart;
    heart.moveTo(352, 216);
    heart.cubicTo(310, 204, 262, 214, 230, 200);
    p.drawPath(heart);
    p.setPen(QPen(QColor(0x20, 0x40, 0xa0), 4, Qt::SolidLine, Qt::RoundCap));
    QPainterPath head;
    head.moveTo(198, 236);
    head.cubicTo(240, 238, 292, 250, 340, 280);
    p.drawPath(head);
    p.setPen(QPen(QColor(0x1e, 0x7a, 0x32), 4, Qt::SolidLine, Qt::RoundCap));
    QPainterPath life;
    life.moveTo(200, 230);
    life.cubicTo(240, 270, 236, 340, 238, 398);
    p.drawPath(life);
    p.setPen(QPen(QColor(0x70, 0x30, 0x90), 3, Qt::DashLine, Qt::RoundCap));
    p.drawLine(QPointF(280, 404), QPointF(282, 214));
}

void drawMountNames(QPainter &p)
{
    p.setPen(QColor(0x5a, 0x3a, 0x20));
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(15);
    font.setItalic(true);
    p.setFont(font);
    struct Name { int x, y; const char *text; };
    const Name names[] = {
        {400, 120, "Юпитер"}, {400, 150, "Сатурн"}, {400, 180, "Аполлон"}, {400, 210, "Меркурий"},
        {400, 290, "Луна"}, {40, 330, "Венера"}, {40, 200, "Марс"},
    };
    for (const Name &n : names)
        p.drawText(n.x, n.y, QString::fromUtf8(n.text));
}

} // namespace

AboutTab::AboutTab(Form1 *window)
    : QObject(window)
    , m_link(window->Label9)
{
    window->Image3->setPixmap(picture());
    window->Label8->setText(credits());
    m_link->installEventFilter(this);
}

QPixmap AboutTab::picture()
{
    QPixmap pixmap(pictureWidth, pictureHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, pictureHeight);
    sky.setColorAt(0, QColor(0xfb, 0xf3, 0xe2));
    sky.setColorAt(1, QColor(0xe6, 0xcf, 0xa8));
    p.fillRect(pixmap.rect(), sky);
    QRadialGradient glow(QPointF(272, 250), 240);
    glow.setColorAt(0, QColor(255, 255, 255, 160));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(pixmap.rect(), glow);
    p.setPen(QPen(QColor(0xa0, 0x78, 0x48), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4, 4, pictureWidth - 8, pictureHeight - 8));
    drawHand(p);
    drawMountNames(p);
    return pixmap;
}

QString AboutTab::credits()
{
    return QStringLiteral("Автор идеи: руководитель проекта «Пальмора» (Ведущий)\n"
                          "Разработчик: команда инженеров «Пальморы» (Линия ума)");
}

bool AboutTab::eventFilter(QObject *watched, QEvent *event)
{
    // Only the link's own events: the window may be part-way through its destruction.
    if (watched != m_link)
        return false;
    if (event->type() == QEvent::MouseButtonPress) {
        m_pressed = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        // A click: pressed and released on the link. A failure to open is not reported.
        if (m_pressed && mouse->button() == Qt::LeftButton
            && m_link->rect().contains(mouse->position().toPoint()))
            QDesktopServices::openUrl(QUrl(QString::fromLatin1(clubAddress)));
        m_pressed = false;
    }
    return false;
}
