#include "controls/xpb.h"

#include "controls/accesskey.h"
#include "controls/virtualkey.h"
#include "controls/xpbaccessible.h"
#include "platform/controlhost/controlinput.h"
#include "platform/controlhost/propertystore.h"
#include "platform/controlhost/settingkeys.h"
#include "platform/twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <utility>

namespace {

const QString kShowFocusRect = QStringLiteral("ShowFocusRect");
const QString kPicturePosition = QStringLiteral("PicturePosition");
const QString kButtonStyle = QStringLiteral("ButtonStyle");
const QString kPictureWidth = QStringLiteral("PictureWidth");
const QString kPictureHeight = QStringLiteral("PictureHeight");
const QString kPicture = QStringLiteral("Picture");
const QString kXPColorPressed = QStringLiteral("XPColor_Pressed");
const QString kXPColorHover = QStringLiteral("XPColor_Hover");
const QString kXPDefaultColors = QStringLiteral("XPDefaultColors");
const QString kMaskColor = QStringLiteral("MaskColor");
const QString kUseMaskColor = QStringLiteral("UseMaskColor");

// The defaults the design data is read and written with. They differ from a
// new control's zeros, so a button placed and saved unchanged stores most keys.
constexpr int kDefaultPicturePosition = 1;
constexpr int kDefaultButtonStyle = 2;
constexpr int kDefaultPictureSide = 32;
constexpr quint32 kDefaultPressedColor = 0x80000014u; // system button highlight
constexpr quint32 kDefaultHoverColor = 0x80000016u;   // system 3D light

// Two settings keep their Boolean as the 16-bit -1 or 0 against a default of
// the integer 1, so either value is always stored.
QVariant storedBoolean(bool value)
{
    return QVariant::fromValue(qint16(value ? -1 : 0));
}
const QVariant &booleanDefault()
{
    static const QVariant one = QVariant::fromValue(qint16(1));
    return one;
}
bool readBoolean(const PropertyStore &store, const QString &key)
{
    return store.read(key, booleanDefault()).toInt() != 0;
}

} // namespace

XpB::XpB(QWidget *parent)
    : QAbstractButton(parent)
{
    XpBAccessible::install();
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // A host's click() ends in clicked() as well; Click follows it either way.
    connect(this, &QAbstractButton::clicked, this, &XpB::Click);
    m_state.width = width();
    m_state.height = height();
    m_state.focusRect = QRect(4, 4, m_state.width - 8, m_state.height - 8);
    Refresh();
}

XpB::~XpB() = default;

void XpB::Refresh()
{
    m_state.enabled = isEnabled();
    m_state.font = font();
    m_state.palette = palette();
    m_face = XpBDrawing::draw(m_state, devicePixelRatioF());
    update();
}

void XpB::setEnabled1(bool enabled)
{
    setEnabled(enabled);
    m_state.hasFocus = 0;
    m_state.pressed = 0;
    m_state.hovered = 0;
    Refresh();
}

void XpB::setShowFocusRect(bool show)
{
    m_state.showFocusRect = show;
    Refresh();
}

void XpB::setCaption(const QString &caption)
{
    m_state.caption = caption;
    setText(caption);
    UpdateAccessKey();
    Refresh();
}

void XpB::setButtonStyle(int style)
{
    m_state.buttonStyle = style;
    Refresh();
}

void XpB::setPicturePosition(int position)
{
    m_state.picturePosition = position;
    Refresh();
}

void XpB::setPicture(const PictureObject &picture)
{
    m_state.picture = picture;
    // No picture keeps the slot's size as it was.
    if (!picture.isNone()) {
        m_state.pictureWidth = PictureObject::pixelsFromHiMetric(picture.hiMetricSize().width());
        m_state.pictureHeight = PictureObject::pixelsFromHiMetric(picture.hiMetricSize().height());
    }
    Refresh();
}

void XpB::setMaskColor(quint32 colour)
{
    m_state.maskColor = colour;
    Refresh();
}

void XpB::setUseMaskColor(bool use)
{
    m_useMaskColor = use ? -1 : 0;
    m_state.useMaskColor = use;
    Refresh();
}

void XpB::UpdateAccessKey()
{
    m_accessKey = AccessKey::of(m_state.caption);
    // Alt and the key; the shortcut matches either case of a letter.
    setShortcut(m_accessKey.isNull()
                    ? QKeySequence()
                    : QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(m_accessKey.toUpper().unicode()))));
}

void XpB::ApplySize()
{
    m_state.width = width();
    m_state.height = height();
    // A visible control's resize runs this again at once.
    if (m_state.width < minimumSide)
        resize(Twips::toPixels(150), height());
    if (height() < minimumSide)
        resize(width(), Twips::toPixels(150));
    m_state.width = width();
    m_state.height = height();
    m_state.focusRect = QRect(4, 4, m_state.width - 8, m_state.height - 8);
    Refresh();
}

PropertyStore XpB::windowSettings(const QString &caption, const PictureObject &picture, int picturePosition)
{
    return PropertyStore{
        {SettingKeys::Caption, caption},
        {QStringLiteral("PicturePosition"), picturePosition},
        {QStringLiteral("ButtonStyle"), int(XpBDrawing::XP)},
        {QStringLiteral("Picture"), QVariant::fromValue(picture)},
        {QStringLiteral("PictureWidth"), PictureObject::pixelsFromHiMetric(picture.hiMetricSize().width())},
        {QStringLiteral("PictureHeight"), PictureObject::pixelsFromHiMetric(picture.hiMetricSize().height())},
        {QStringLiteral("ShowFocusRect"), false},
        {QStringLiteral("XPColor_Pressed"), 0},
        {QStringLiteral("XPColor_Hover"), 0},
        {QStringLiteral("XPDefaultColors"), false},
    };
}

void XpB::readProperties(const PropertyStore &store)
{
    m_state.showFocusRect = readBoolean(store, kShowFocusRect);
    m_state.caption = store.read(SettingKeys::Caption, objectName());
    setText(m_state.caption);
    m_state.picturePosition = store.read(kPicturePosition, kDefaultPicturePosition);
    m_state.buttonStyle = store.read(kButtonStyle, kDefaultButtonStyle);
    m_state.pictureWidth = store.read(kPictureWidth, kDefaultPictureSide);
    m_state.pictureHeight = store.read(kPictureHeight, kDefaultPictureSide);
    // The stored sizes stand, whatever the picture's own.
    m_state.picture = store.read(kPicture, PictureObject());
    setEnabled(store.read(SettingKeys::Enabled, true));
    m_state.xpColorPressed = store.read(kXPColorPressed, kDefaultPressedColor);
    m_state.xpColorHover = store.read(kXPColorHover, kDefaultHoverColor);
    m_state.xpDefaultColors = readBoolean(store, kXPDefaultColors);
    m_state.maskColor = store.read(kMaskColor, quint32(0));
    m_useMaskColor = store.read(kUseMaskColor, 0);
    m_state.useMaskColor = m_useMaskColor != 0;
    UpdateAccessKey();
    ApplySize();
}

void XpB::writeProperties(PropertyStore &store) const
{
    store.write(SettingKeys::Caption, m_state.caption, objectName());
    store.write(kPicturePosition, m_state.picturePosition, kDefaultPicturePosition);
    store.write(kButtonStyle, m_state.buttonStyle, kDefaultButtonStyle);
    store.write(kPicture, m_state.picture, PictureObject());
    store.write(kPictureWidth, m_state.pictureWidth, kDefaultPictureSide);
    store.write(kPictureHeight, m_state.pictureHeight, kDefaultPictureSide);
    store.write(SettingKeys::Enabled, !testAttribute(Qt::WA_Disabled), true);
    store.write(kShowFocusRect, storedBoolean(m_state.showFocusRect), booleanDefault());
    store.write(kXPColorPressed, m_state.xpColorPressed, kDefaultPressedColor);
    store.write(kXPColorHover, m_state.xpColorHover, kDefaultHoverColor);
    store.write(kXPDefaultColors, storedBoolean(m_state.xpDefaultColors), booleanDefault());
    store.write(kMaskColor, m_state.maskColor, quint32(0));
    store.write(kUseMaskColor, m_useMaskColor, 0);
}

bool XpB::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        // The access key clicks; it does not move the focus.
        if (isEnabled())
            Q_EMIT clicked(false);
        return true;
    }
    return QAbstractButton::event(event);
}

void XpB::paintEvent(QPaintEvent *)
{
    // Shown on a screen of another device pixel ratio than it was drawn for.
    if (m_face.devicePixelRatio() != devicePixelRatioF())
        m_face = XpBDrawing::draw(m_state, devicePixelRatioF());
    QPainter painter(this);
    painter.drawImage(0, 0, m_face);
}

void XpB::resizeEvent(QResizeEvent *event)
{
    QAbstractButton::resizeEvent(event);
    ApplySize();
}

void XpB::changeEvent(QEvent *event)
{
    QAbstractButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        // However the enabled state changes, the face follows it, and a button
        // that changes it is neither pressed nor hovered.
        m_state.hasFocus = hasFocus() ? 1 : 0;
        m_state.pressed = 0;
        m_state.hovered = 0;
        m_capture = false;
        Refresh();
        break;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        ApplySize();
        break;
    default:
        break;
    }
}

void XpB::focusInEvent(QFocusEvent *event)
{
    m_state.hovered = 0;
    // Handed the focus back with its window, the button looks as it did when
    // the window lost it: a button the window merely falls back on shows no
    // focus it was never given.
    m_state.hasFocus = event->reason() == Qt::ActiveWindowFocusReason ? m_focusShownOnDeactivation : 1;
    Refresh();
    QAbstractButton::focusInEvent(event);
}

void XpB::focusOutEvent(QFocusEvent *event)
{
    m_focusShownOnDeactivation = event->reason() == Qt::ActiveWindowFocusReason ? m_state.hasFocus : 0;
    m_state.hasFocus = 0;
    m_state.pressed = 0;
    m_state.hovered = 0;
    m_spaceDown = false;
    Refresh();
    QAbstractButton::focusOutEvent(event);
}

void XpB::keyPressEvent(QKeyEvent *event)
{
    const bool space = event->key() == Qt::Key_Space;
    // A repeated press finds the button pressed already and changes nothing.
    if (space && m_state.pressed == 0) {
        m_state.pressed = 1;
        m_state.hovered = 1;
        m_spaceDown = true;
        Refresh();
    }
    Q_EMIT KeyDown(VirtualKey::fromQtKey(event->key()), ControlInput::shiftMask(event->modifiers()));
    // Other keys go on to the window.
    event->setAccepted(space);
}

void XpB::keyReleaseEvent(QKeyEvent *event)
{
    // Some platforms pair every repeated press with a release; only the real
    // release counts.
    if (event->isAutoRepeat())
        return;
    const int shift = ControlInput::shiftMask(event->modifiers());
    const bool space = event->key() == Qt::Key_Space;
    if (space) {
        m_state.pressed = 0;
        m_state.hovered = 0;
        Refresh();
        // The space bar clicks the button it went down on, wherever the pointer
        // is: a keyboard user's pointer may rest anywhere.
        release(1, shift, QPointF(0, 0), std::exchange(m_spaceDown, false));
    }
    Q_EMIT KeyUp(VirtualKey::fromQtKey(event->key()), shift);
    event->setAccepted(space);
}

void XpB::mousePressEvent(QMouseEvent *event)
{
    const int button = ControlInput::buttonMask(event->button());
    if (button == 1) {
        m_state.pressed = 1;
        Refresh();
    }
    Q_EMIT MouseDown(button, ControlInput::shiftMask(event->modifiers()), float(event->position().x()),
                     float(event->position().y()));
}

void XpB::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is a press like the first, so a
    // double click clicks twice.
    mousePressEvent(event);
}

void XpB::mouseMoveEvent(QMouseEvent *event)
{
    const bool over = isUnderPointer(event);
    if (!over && !m_capture)
        return;
    const int buttons = ControlInput::buttonMask(event->buttons());
    const int shift = ControlInput::shiftMask(event->modifiers());
    if (!over) {
        // The first move off the button ends the hover, also when a click or
        // the focus coming in has reset it already: the host hears MouseOut for
        // every MouseIn.
        endHover(shift);
    } else if (m_state.hovered == 0) {
        m_state.pressed = buttons;
        m_state.hovered = 1;
        Q_EMIT MouseIn(shift);
        Refresh();
        m_capture = true;
    }
    Q_EMIT MouseMove(buttons, shift, float(event->position().x()), float(event->position().y()));
}

void XpB::mouseReleaseEvent(QMouseEvent *event)
{
    const bool over = isUnderPointer(event);
    // A release elsewhere after the pointer left is not the button's.
    if (!over && !m_capture)
        return;
    release(ControlInput::buttonMask(event->button()), ControlInput::shiftMask(event->modifiers()), event->position(),
            over);
}

void XpB::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    // The pointer left with no button held: the first move elsewhere.
    if (m_capture)
        endHover(ControlInput::shiftMask(QGuiApplication::keyboardModifiers()));
}

void XpB::release(int button, int shift, QPointF position, bool clicks)
{
    m_state.pressed = 0;
    m_state.hovered = 0;
    // Only the left button redraws and clicks; after another the face keeps
    // its look until the next redraw.
    if (button == 1) {
        Refresh();
        if (clicks)
            Q_EMIT clicked(false);
    }
    Q_EMIT MouseUp(button, shift, float(position.x()), float(position.y()));
}

void XpB::endHover(int shift)
{
    m_state.hovered = 0;
    m_state.pressed = 0;
    Q_EMIT MouseOut(shift);
    Refresh();
    m_capture = false;
}

bool XpB::isUnderPointer(const QMouseEvent *event) const
{
    // The event's own place in the button, not its screen place mapped back:
    // the window may have been moved without the program hearing of it.
    const QPoint local = event->position().toPoint();
    if (!rect().contains(local))
        return false;
    // Another window over the button, or a widget of its own window, takes
    // the pointer from it.
    QWidget *top = window();
    const QPoint global = event->globalPosition().toPoint();
    if (const QWindow *above = QGuiApplication::topLevelAt(global); above && above != top->windowHandle())
        return false;
    return top->childAt(mapTo(top, local)) == this;
}
