#include "app/captionbar.h"

#include "platform/widgets/fonts.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

CaptionBar::CaptionBar(QWidget *parent)
    : QWidget(parent)
{
}

void CaptionBar::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void CaptionBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect title(0, 0, width(), titleHeight);
    QLinearGradient g(title.topLeft(), title.bottomLeft());
    g.setColorAt(0, QColor(0x3a, 0x80, 0xf0));
    g.setColorAt(0.5, QColor(0x0a, 0x5a, 0xdc));
    g.setColorAt(1, QColor(0x06, 0x44, 0xb8));
    p.fillRect(title, g);
    p.setPen(QColor(0x06, 0x3c, 0xa8));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawRect(rect().adjusted(1, 1, -2, -2));

    p.setFont(Fonts::make(QStringLiteral("Arial"), 9.75, true));
    p.setPen(QColor(0x10, 0x20, 0x50));
    p.drawText(title.adjusted(9, 1, 0, 1), Qt::AlignVCenter | Qt::AlignLeft, m_caption);
    p.setPen(Qt::white);
    p.drawText(title.adjusted(8, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, m_caption);
}

void CaptionBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && event->position().y() < titleHeight) {
        if (QWindow *w = window()->windowHandle())
            w->startSystemMove();
    }
}
