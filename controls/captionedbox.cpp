#include "controls/captionedbox.h"

#include <QPainter>

CaptionedBox::CaptionedBox(QWidget *parent)
    : FamilyButton(parent)
{
}

void CaptionedBox::setCaption(const QString &caption)
{
    m_caption = caption;
    refreshFace();
    Q_EMIT propertyChanged(QStringLiteral("Caption"));
}

void CaptionedBox::setBackColor(quint32 colour)
{
    m_backColor = colour;
    Q_EMIT propertyChanged(QStringLiteral("BackColor"));
    refreshFace();
}

void CaptionedBox::setForeColor(quint32 colour)
{
    m_foreColor = colour;
    Q_EMIT propertyChanged(QStringLiteral("ForeColor"));
    refreshFace();
}

QRect CaptionedBox::boxRect() const
{
    return QRect(0, (height() - boxSide) / 2, boxSide, boxSide);
}

QRect CaptionedBox::labelRect() const
{
    const QFontMetrics metrics(font());
    const int labelHeight = metrics.height();
    return QRect(labelLeft, (height() - labelHeight) / 2, metrics.horizontalAdvance(m_caption), labelHeight);
}

QColor CaptionedBox::labelColour() const
{
    return isEnabled() ? ColorValue::toColor(m_foreColor, palette()) : QColor::fromRgb(disabledCaption);
}

void CaptionedBox::showCell(int n)
{
    if (n == m_cell)
        return;
    m_cell = n;
    refreshFace();
}

void CaptionedBox::drawFace(QImage &face) const
{
    QPainter painter(&face);
    painter.fillRect(face.rect(), ColorValue::toColor(m_backColor, palette()));
    painter.drawImage(boxRect().topLeft(), cellPicture(m_cell));
    painter.setFont(font());
    painter.setPen(labelColour());
    painter.drawText(labelRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_caption);
}

void CaptionedBox::changeEvent(QEvent *event)
{
    FamilyButton::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Q_EMIT propertyChanged(QStringLiteral("Font"));
}
