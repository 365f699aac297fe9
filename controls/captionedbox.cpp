#include "controls/captionedbox.h"

#include "platform/controlhost/devicepixels.h"
#include "platform/controlhost/propertystore.h"
#include "platform/controlhost/settingkeys.h"

#include <QPainter>

CaptionedBox::CaptionedBox(QWidget *parent)
    : FamilyButton(parent)
{}

void CaptionedBox::initSharedProperties()
{
    setCaption(objectName());
    setEnabled(true);
    setFont(containerFont());
    setBackColor(defaultBackColor);
    setForeColor(defaultForeColor);
}

void CaptionedBox::readSharedProperties(const PropertyStore &store)
{
    setCaption(store.read(SettingKeys::Caption, objectName()));
    setEnabled(store.read(SettingKeys::Enabled, true));
    setFont(store.read(SettingKeys::Font, containerFont()));
    setBackColor(store.read(SettingKeys::BackColor, defaultBackColor));
    setForeColor(store.read(SettingKeys::ForeColor, defaultForeColor));
}

void CaptionedBox::writeSharedProperties(PropertyStore &store) const
{
    store.write(SettingKeys::Font, font(), containerFont());
    store.write(SettingKeys::Caption, caption(), objectName());
    store.write(SettingKeys::Enabled, isEnabled(), true);
    store.write(SettingKeys::BackColor, backColor(), defaultBackColor);
    store.write(SettingKeys::ForeColor, foreColor(), defaultForeColor);
}

void CaptionedBox::setCaption(const QString &caption)
{
    m_caption = caption;
    refreshFace();
    Q_EMIT propertyChanged(SettingKeys::Caption);
}

void CaptionedBox::setBackColor(quint32 colour)
{
    m_backColor = colour;
    Q_EMIT propertyChanged(SettingKeys::BackColor);
    refreshFace();
}

void CaptionedBox::setForeColor(quint32 colour)
{
    m_foreColor = colour;
    Q_EMIT propertyChanged(SettingKeys::ForeColor);
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

QImage CaptionedBox::cellPictureAt(int n, qreal ratio) const
{
    return DevicePixels::scaled(cellPicture(n), ratio);
}

void CaptionedBox::drawFace(QImage &face) const
{
    QPainter painter(&face);
    painter.fillRect(face.rect(), ColorValue::toColor(m_backColor, palette()));
    painter.drawImage(boxRect().topLeft(), cellPictureAt(m_cell, face.devicePixelRatio()));
    painter.setFont(font());
    painter.setPen(labelColour());
    painter.drawText(labelRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_caption);
}

void CaptionedBox::changeEvent(QEvent *event)
{
    FamilyButton::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Q_EMIT propertyChanged(SettingKeys::Font);
}
