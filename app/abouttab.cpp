#include "app/abouttab.h"

#include "app/palmdrawing.h"
#include "platform/widgets/activatablelabel.h"

#include <QDesktopServices>
#include <QFont>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QUrl>

namespace {

void drawMountNames(QPainter &p)
{
    p.setPen(QColor(0x5a, 0x3a, 0x20));
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(15);
    font.setItalic(true);
    p.setFont(font);
    struct Name
    {
        int x, y;
        const char *text;
    };
    const Name names[] = {
        {400, 120, "Юпитер"}, {400, 150, "Сатурн"}, {400, 180, "Аполлон"}, {400, 210, "Меркурий"},
        {400, 290, "Луна"},   {40, 330, "Венера"},  {40, 200, "Марс"},
    };
    for (const Name &n : names)
        p.drawText(n.x, n.y, QString::fromUtf8(n.text));
}

} // namespace

AboutTab::AboutTab(QLabel *pictureLabel, QLabel *creditsLabel, QLabel *link)
    : QObject(link)
    , m_link(link)
{
    pictureLabel->setPixmap(picture());
    creditsLabel->setText(credits());
    m_link->installEventFilter(this);
    if (auto *activatable = qobject_cast<ActivatableLabel *>(link))
        connect(activatable, &ActivatableLabel::activated, this, &AboutTab::openSite);
}

void AboutTab::openSite()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(clubAddress)));
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
    // The emblem of the splash window, larger.
    p.save();
    p.translate(46, -34);
    p.scale(1.3, 1.3);
    PalmDrawing::draw(p);
    p.restore();
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
        if (m_pressed && mouse->button() == Qt::LeftButton && m_link->rect().contains(mouse->position().toPoint()))
            openSite();
        m_pressed = false;
    }
    return false;
}
