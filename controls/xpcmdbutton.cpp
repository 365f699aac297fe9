#include "controls/xpcmdbutton.h"

#include "controls/accesskey.h"
#include "controls/familyartwork.h"
#include "platform/controlhost/picturestrip.h"
#include "platform/controlhost/propertystore.h"
#include "platform/controlhost/settingkeys.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

const QString kState = QStringLiteral("State");

const PictureStrip &pc()
{
    static const PictureStrip strip(FamilyArtwork::commandStrip(), FamilyArtwork::commandCells, 1);
    return strip;
}

} // namespace

xpcmdbutton::xpcmdbutton(QWidget *parent)
    : FamilyButton(parent)
{
    showState();
}

QImage xpcmdbutton::cellImage(int n)
{
    return pc().cell(n);
}

void xpcmdbutton::initProperties()
{
    setEnabled(true);
    setCaption(objectName());
    setFont(containerFont());
}

void xpcmdbutton::readProperties(const PropertyStore &store)
{
    setState(store.read(kState, 0));
    setEnabled(store.read(SettingKeys::Enabled, true));
    setCaption(store.read(SettingKeys::Caption, objectName()));
    setFont(store.read(SettingKeys::Font, containerFont()));
}

void xpcmdbutton::writeProperties(PropertyStore &store) const
{
    store.write(kState, m_state, 0);
    store.write(SettingKeys::Enabled, isEnabled(), true);
    store.write(SettingKeys::Caption, caption(), objectName());
    store.write(SettingKeys::Font, font(), containerFont());
}

void xpcmdbutton::setState(int state)
{
    m_state = state;
    Q_EMIT propertyChanged(kState);
    showState();
}

void xpcmdbutton::setCaption(const QString &caption)
{
    // The button text carries the access key.
    setText(caption);
    refreshFace();
    Q_EMIT propertyChanged(SettingKeys::Caption);
}

QString xpcmdbutton::captionText() const
{
    return AccessKey::plainText(text());
}

void xpcmdbutton::addAccessibleState(QAccessible::State &state) const
{
    state.defaultButton = m_state == 1;
}

void xpcmdbutton::showState()
{
    if (m_state == 1)
        m_stateCell = DefaultCell;
    else if (m_state == 0)
        m_stateCell = NormalCell;
    drawCell(isEnabled() ? m_stateCell : DisabledCell);
}

void xpcmdbutton::drawCell(int n)
{
    m_drawnCell = n;
    refreshFace();
}

QRect xpcmdbutton::labelRect() const
{
    const QSize label = QFontMetrics(font()).size(Qt::TextShowMnemonic | Qt::TextSingleLine, text());
    return QRect(int(std::nearbyint((width() - label.width()) / 2.0)),
                 int(std::nearbyint((height() - label.height()) / 2.0)), label.width(), label.height());
}

void xpcmdbutton::drawFace(QImage &face) const
{
    const QImage cell = cellImage(m_drawnCell);
    const int w = face.width();
    const int h = face.height();
    QPainter painter(&face);
    // Corners unscaled, then the edges and the centre stretched.
    FamilyArtwork::drawPiece(painter, cell, {0, 0, 3, 3}, {0, 0, 3, 3});
    FamilyArtwork::drawPiece(painter, cell, {15, 0, 3, 3}, {w - 3, 0, 3, 3});
    FamilyArtwork::drawPiece(painter, cell, {15, 18, 3, 3}, {w - 3, h - 3, 3, 3});
    FamilyArtwork::drawPiece(painter, cell, {0, 18, 3, 3}, {0, h - 3, 3, 3});
    FamilyArtwork::drawPiece(painter, cell, {3, 0, 12, 3}, {3, 0, w - 6, 3});
    FamilyArtwork::drawPiece(painter, cell, {15, 3, 3, 15}, {w - 3, 3, 3, h - 6});
    FamilyArtwork::drawPiece(painter, cell, {0, 3, 3, 15}, {0, 3, 3, h - 6});
    FamilyArtwork::drawPiece(painter, cell, {3, 18, 12, 3}, {3, h - 3, w - 6, 3});
    FamilyArtwork::drawPiece(painter, cell, {3, 3, 12, 15}, {3, 3, w - 6, h - 6});

    painter.setFont(font());
    painter.setPen(QColor::fromRgb(isEnabled() ? enabledCaption : disabledCaption));
    painter.drawText(labelRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine, text());
}

bool xpcmdbutton::event(QEvent *event)
{
    // The access key clicks the button, and nothing more.
    if (event->type() == QEvent::Shortcut) {
        if (isEnabled())
            onClick();
        return true;
    }
    return FamilyButton::event(event);
}

void xpcmdbutton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange) {
        Q_EMIT propertyChanged(SettingKeys::Enabled);
        showState();
    } else if (event->type() == QEvent::FontChange) {
        Q_EMIT propertyChanged(SettingKeys::Font);
    }
    FamilyButton::changeEvent(event);
}

void xpcmdbutton::showEvent(QShowEvent *event)
{
    FamilyButton::showEvent(event);
    showState();
}

void xpcmdbutton::resizeEvent(QResizeEvent *event)
{
    FamilyButton::resizeEvent(event);
    showState();
}

void xpcmdbutton::onPress(QMouseEvent *event)
{
    raiseMouseDown(event);
    drawCell(PressedCell);
}

void xpcmdbutton::onHover(bool leftOnly)
{
    drawCell(leftOnly ? PressedCell : HoverCell);
}

void xpcmdbutton::onRelease()
{
    showState();
}

void xpcmdbutton::onClick()
{
    Q_EMIT Click();
    Q_EMIT clicked(false);
}

void xpcmdbutton::onPointerGone()
{
    stopPoll();
    Q_EMIT MouseOut();
    showState();
}
