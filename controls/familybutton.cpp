#include "controls/familybutton.h"

#include "controls/familyaccessible.h"
#include "controls/virtualkey.h"
#include "platform/controlhost/controlinput.h"
#include "platform/controlhost/controlproperties.h"
#include "platform/controlhost/devicepixels.h"
#include "platform/controlhost/pointerwatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

FamilyButton::FamilyButton(QWidget *parent)
    : QAbstractButton(parent)
    , m_watch(new PointerWatch(this))
{
    FamilyAccessible::install();
    setMouseTracking(true);
    Timer1.setInterval(pollInterval);
    connect(&Timer1, &QTimer::timeout, this, &FamilyButton::pollPointer);
    // A leave of the control itself is looked at at once; a leave of the
    // window ends the hover even where the platform still reports the pointer
    // inside.
    connect(m_watch, &PointerWatch::controlLeft, this, [this] {
        if (Timer1.isActive())
            pollPointer();
    });
    connect(m_watch, &PointerWatch::windowLeft, this, [this] {
        if (Timer1.isActive())
            onPointerGone();
    });
}

QString FamilyButton::accessibleText() const
{
    const QString hint = property(ControlProperty::Hint).toString();
    return hint.isEmpty() ? captionText() : hint;
}

void FamilyButton::addAccessibleState(QAccessible::State &) const {}

void FamilyButton::accessiblePress()
{
    if (isEnabled())
        onClick();
}

QFont FamilyButton::containerFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void FamilyButton::refreshFace()
{
    // Drawn for the screen's device pixel ratio: text at the screen's own
    // resolution, pictures in whole device pixels.
    const qreal ratio = devicePixelRatioF();
    QImage face(DevicePixels::extent(width(), ratio), DevicePixels::extent(height(), ratio),
                QImage::Format_ARGB32_Premultiplied);
    face.setDevicePixelRatio(ratio);
    face.fill(Qt::transparent);
    drawFace(face);
    m_face = std::move(face);
    update();
}

void FamilyButton::raiseMouseDown(QMouseEvent *event)
{
    Q_EMIT MouseDown(ControlInput::buttonMask(event->button()), ControlInput::shiftMask(event->modifiers()),
                     float(event->position().x()), float(event->position().y()));
}

bool FamilyButton::isInside(QPointF point) const
{
    return point.x() >= 0 && point.y() >= 0 && point.x() <= width() && point.y() <= height();
}

void FamilyButton::paintEvent(QPaintEvent *)
{
    // Shown on a screen of another device pixel ratio than it was drawn for.
    if (m_face.devicePixelRatio() != devicePixelRatioF())
        refreshFace();
    QPainter painter(this);
    painter.drawImage(0, 0, m_face);
}

void FamilyButton::resizeEvent(QResizeEvent *event)
{
    QAbstractButton::resizeEvent(event);
    refreshFace();
}

void FamilyButton::changeEvent(QEvent *event)
{
    QAbstractButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
        // System colours follow the palette.
        refreshFace();
        break;
    default:
        break;
    }
}

void FamilyButton::mousePressEvent(QMouseEvent *event)
{
    m_releaseEndsDoubleClick = false;
    onPress(event);
}

void FamilyButton::mouseMoveEvent(QMouseEvent *event)
{
    // Only a move over the control starts the poll: a press dragged off the
    // control reports MouseOut once, not again on every move outside.
    if (!isInside(event->position()))
        return;
    if (!Timer1.isActive())
        Timer1.start();
    Q_EMIT MouseMove(ControlInput::buttonMask(event->buttons()), ControlInput::shiftMask(event->modifiers()),
                     float(event->position().x()), float(event->position().y()));
    onHover(event->buttons() == Qt::LeftButton);
}

void FamilyButton::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT MouseUp(ControlInput::buttonMask(event->button()), ControlInput::shiftMask(event->modifiers()),
                   float(event->position().x()), float(event->position().y()));
    onRelease();
    const bool endsDoubleClick = std::exchange(m_releaseEndsDoubleClick, false);
    if (event->button() == Qt::LeftButton && !endsDoubleClick && rect().contains(event->position().toPoint()))
        onClick();
}

void FamilyButton::mouseDoubleClickEvent(QMouseEvent *)
{
    // The second press of a double click is no press of its own, and its
    // release raises no second Click.
    m_releaseEndsDoubleClick = true;
}

void FamilyButton::pollPointer()
{
    if (isInside(m_watch->pointerPosition()))
        return;
    onPointerGone();
}

void FamilyButton::keyPressEvent(QKeyEvent *event)
{
    // Keys only raise their events: the keyboard never clicks the control.
    Q_EMIT KeyDown(VirtualKey::fromQtKey(event->key()), ControlInput::shiftMask(event->modifiers()));
    for (const QChar c : event->text()) {
        if (c.isPrint() || c == QLatin1Char('\r') || c == QLatin1Char('\b') || c == QChar(27))
            Q_EMIT KeyPress(VirtualKey::asciiOf(c));
    }
    event->accept();
}

void FamilyButton::keyReleaseEvent(QKeyEvent *event)
{
    Q_EMIT KeyUp(VirtualKey::fromQtKey(event->key()), ControlInput::shiftMask(event->modifiers()));
    event->accept();
}
