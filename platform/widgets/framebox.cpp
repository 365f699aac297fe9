#include "platform/widgets/framebox.h"

#include <QPainter>

namespace {
// The caption starts this far from the frame's left edge, with a pixel of
// background either side of its text.
constexpr int kCaptionLeft = 6;
constexpr int kCaptionPad = 2;
} // namespace

FrameBox::FrameBox(QWidget *parent)
    : FrameBox(QString(), parent)
{}

FrameBox::FrameBox(const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_caption(caption)
{
    setAutoFillBackground(true);
}

void FrameBox::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

int FrameBox::topLineY() const
{
    return m_caption.isEmpty() ? 0 : fontMetrics().height() / 2;
}

QRect FrameBox::captionRect() const
{
    if (m_caption.isEmpty())
        return {};
    const QFontMetrics metrics = fontMetrics();
    return QRect(kCaptionLeft, 0, metrics.horizontalAdvance(m_caption) + 2 * kCaptionPad, metrics.height());
}

void FrameBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    const int top = topLineY();
    const int right = width() - 1;
    const int bottom = height() - 1;
    // Etched: a shadow rectangle with a light one a pixel inside and below it.
    p.setPen(light);
    p.drawRect(QRect(QPoint(1, top + 1), QPoint(right, bottom)));
    p.setPen(shadow);
    p.drawRect(QRect(QPoint(0, top), QPoint(right - 1, bottom - 1)));

    const QRect caption = captionRect();
    if (caption.isEmpty())
        return;
    p.fillRect(caption, palette().color(backgroundRole()));
    p.setPen(palette().color(foregroundRole()));
    p.setFont(font());
    p.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, m_caption);
}
