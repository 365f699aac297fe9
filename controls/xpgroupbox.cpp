#include "controls/xpgroupbox.h"

#include "controls/familyartwork.h"
#include "platform/controlhost/controlinput.h"
#include "platform/controlhost/propertystore.h"
#include "platform/controlhost/settingkeys.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

xpgroupbox::xpgroupbox(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    layOut();
}

QFont xpgroupbox::containerFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void xpgroupbox::initProperties()
{
    setCaption(objectName());
    setEnabled(true);
    setFont(containerFont());
    setBackColor(defaultBackColor);
}

void xpgroupbox::readProperties(const PropertyStore &store)
{
    setEnabled(store.read(SettingKeys::Enabled, true));
    setFont(store.read(SettingKeys::Font, containerFont()));
    setBackColor(store.read(SettingKeys::BackColor, defaultBackColor));
    setCaption(store.read(SettingKeys::Caption, objectName()));
}

void xpgroupbox::writeProperties(PropertyStore &store) const
{
    store.write(SettingKeys::Caption, m_caption, objectName());
    store.write(SettingKeys::Enabled, isEnabled(), true);
    store.write(SettingKeys::Font, font(), containerFont());
    store.write(SettingKeys::BackColor, m_backColor, defaultBackColor);
}

void xpgroupbox::setCaption(const QString &caption)
{
    m_caption = caption;
    Q_EMIT propertyChanged(SettingKeys::Caption);
    layOut();
}

void xpgroupbox::setBackColor(quint32 colour)
{
    m_backColor = colour;
    Q_EMIT propertyChanged(SettingKeys::BackColor);
    layOut();
}

QRect xpgroupbox::labelRect() const
{
    const QFontMetrics metrics(font());
    return QRect(labelLeft, 0, metrics.horizontalAdvance(m_caption), metrics.height());
}

void xpgroupbox::layOut()
{
    QImage face(size(), QImage::Format_ARGB32_Premultiplied);
    const QColor back = ColorValue::toColor(m_backColor, palette());
    face.fill(back);
    const QImage &img = FamilyArtwork::groupFramePieces();
    const int w = face.width();
    const int h = face.height();
    const int t = topLine();
    {
        QPainter painter(&face);
        FamilyArtwork::drawPiece(painter, img, {0, 0, 3, 3}, {0, t, 3, 3});
        FamilyArtwork::drawPiece(painter, img, {19, 0, 3, 3}, {w - 3, t, 3, 3});
        FamilyArtwork::drawPiece(painter, img, {19, 17, 3, 3}, {w - 3, h - 3, 3, 3});
        FamilyArtwork::drawPiece(painter, img, {0, 17, 3, 3}, {0, h - 3, 3, 3});
        FamilyArtwork::drawPiece(painter, img, {3, 0, 16, 1}, {3, t, w - 6, 1});
        FamilyArtwork::drawPiece(painter, img, {21, 3, 1, 14}, {w - 1, t + 3, 1, h - 6 - t});
        FamilyArtwork::drawPiece(painter, img, {3, 19, 16, 1}, {3, h - 1, w - 6, 1});
        FamilyArtwork::drawPiece(painter, img, {0, 3, 1, 14}, {0, t + 3, 1, h - 6 - t});

        // The label lies over the frame on the frame's background.
        const QRect label = labelRect();
        painter.fillRect(label, back);
        painter.setFont(font());
        painter.setPen(QColor::fromRgb(isEnabled() ? enabledCaption : disabledCaption));
        painter.drawText(label, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_caption);
    }
    m_face = std::move(face);
    update();
}

void xpgroupbox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_face);
}

void xpgroupbox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void xpgroupbox::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        Q_EMIT propertyChanged(SettingKeys::Enabled);
        layOut();
        break;
    case QEvent::FontChange:
        Q_EMIT propertyChanged(SettingKeys::Font);
        layOut();
        break;
    case QEvent::PaletteChange:
        layOut();
        break;
    default:
        break;
    }
}

void xpgroupbox::mousePressEvent(QMouseEvent *event)
{
    m_pressedOnLabel = event->button() == Qt::LeftButton && labelRect().contains(event->position().toPoint());
    Q_EMIT MouseDown(ControlInput::buttonMask(event->button()), ControlInput::shiftMask(event->modifiers()),
                     float(event->position().x()), float(event->position().y()));
}

void xpgroupbox::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT MouseMove(ControlInput::buttonMask(event->buttons()), ControlInput::shiftMask(event->modifiers()),
                     float(event->position().x()), float(event->position().y()));
}

void xpgroupbox::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT MouseUp(ControlInput::buttonMask(event->button()), ControlInput::shiftMask(event->modifiers()),
                   float(event->position().x()), float(event->position().y()));
    // Only the caption label clicks.
    const bool onLabel = labelRect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton && m_pressedOnLabel && onLabel)
        Q_EMIT Click();
    m_pressedOnLabel = false;
}

void xpgroupbox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && labelRect().contains(event->position().toPoint()))
        Q_EMIT DblClick();
}
