#include "skin/xptopbuttons.h"

#include "platform/controlhost/controlinput.h"
#include "platform/controlhost/pointerwatch.h"
#include "platform/controlhost/propertystore.h"
#include "platform/controlhost/settingkeys.h"
#include "skin/topbuttonartwork.h"
#include "skin/xptopbuttonsaccessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace {

constexpr int kNormal = TopButtonArtwork::Normal;
constexpr int kHover = TopButtonArtwork::Hover;
constexpr int kPressed = TopButtonArtwork::Pressed;
constexpr int kDisabled = TopButtonArtwork::Disabled;

} // namespace

const PictureStrip &xptopbuttons::glyphStrip(int glyph)
{
    static const std::array<PictureStrip, 4> strips = [] {
        std::array<PictureStrip, 4> made;
        for (int g = 0; g < 4; ++g)
            made[g] = PictureStrip(TopButtonArtwork::strip(TopButtonArtwork::Glyph(g)), 4, 1);
        return made;
    }();
    return strips.at(std::size_t(glyph));
}

xptopbuttons::xptopbuttons(QWidget *parent)
    : QWidget(parent)
    , m_watch(new PointerWatch(this))
{
    xptopbuttonsAccessible::install();
    setFixedSize(side, side);
    setMouseTracking(true);
    // A click leaves the focus where it was; Tab reaches the button.
    setFocusPolicy(Qt::TabFocus);
    RefreshGlyph();
    showCell(kNormal);

    // The poller runs from the start, so a button the pointer is not over
    // reports MouseOut once.
    m_poll.setInterval(pollInterval);
    connect(&m_poll, &QTimer::timeout, this, &xptopbuttons::pollPointer);
    m_poll.start();

    // A leave of the button itself is looked at at once; a leave of the window
    // ends the hover even where the platform still reports the pointer inside.
    connect(m_watch, &PointerWatch::controlLeft, this, [this] {
        if (m_poll.isActive())
            pollPointer();
    });
    connect(m_watch, &PointerWatch::windowLeft, this, [this] {
        if (m_poll.isActive())
            pointerGone();
    });
}

void xptopbuttons::initProperties()
{
    setValue(0);
    setEnabled(true);
}

void xptopbuttons::readProperties(const PropertyStore &store)
{
    // The stored glyph shows when the button is first shown.
    m_value = store.read(SettingKeys::Value, 0);
    setEnabled(store.read(SettingKeys::Enabled, true));
}

void xptopbuttons::writeProperties(PropertyStore &store) const
{
    store.write(SettingKeys::Value, m_value, 0);
    store.write(SettingKeys::Enabled, isEnabled(), true);
}

void xptopbuttons::setValue(int value)
{
    m_value = value;
    Q_EMIT propertyChanged(SettingKeys::Value);
    RefreshGlyph();
}

void xptopbuttons::RefreshGlyph()
{
    if (m_value >= 0 && m_value <= 3)
        m_stripIndex = m_value;
    showCell(isEnabled() ? kNormal : kDisabled);
}

void xptopbuttons::showCell(int cell)
{
    m_cell = cell;
    m_face = glyphStrip(m_stripIndex).cell(cell);
    update();
}

void xptopbuttons::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // On a scaled screen the cell is drawn anew at the screen's resolution.
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1.0)
        painter.drawImage(0, 0, m_face);
    else
        painter.drawImage(0, 0,
                          TopButtonArtwork::cellPicture(TopButtonArtwork::Glyph(m_stripIndex),
                                                        TopButtonArtwork::Cell(m_cell), ratio));
}

bool xptopbuttons::isInside(QPointF point)
{
    return point.x() >= 0 && point.y() >= 0 && point.x() <= side && point.y() <= side;
}

void xptopbuttons::mousePressEvent(QMouseEvent *event)
{
    m_leaveReported = false;
    m_releaseEndsDoubleClick = false;
    showCell(kPressed);
    Q_EMIT MouseDown(ControlInput::buttonMask(event->button()), ControlInput::shiftMask(event->modifiers()),
                     float(event->position().x()), float(event->position().y()));
}

void xptopbuttons::mouseMoveEvent(QMouseEvent *event)
{
    // A move outside comes only while the button holds the mouse. It starts
    // the poller unless the pointer was already reported gone, so one
    // leaving raises one MouseOut however long the drag outside goes on.
    const bool inside = isInside(event->position());
    if (inside)
        m_leaveReported = false;
    if (!m_leaveReported && !m_poll.isActive())
        m_poll.start();
    if (!inside)
        return;
    Q_EMIT MouseMove(ControlInput::buttonMask(event->buttons()), ControlInput::shiftMask(event->modifiers()),
                     float(event->position().x()), float(event->position().y()));
    showCell(event->buttons() == Qt::LeftButton ? kPressed : kHover);
}

void xptopbuttons::mouseReleaseEvent(QMouseEvent *event)
{
    showCell(kNormal);
    Q_EMIT MouseUp(ControlInput::buttonMask(event->button()), ControlInput::shiftMask(event->modifiers()),
                   float(event->position().x()), float(event->position().y()));
    const bool endsDoubleClick = std::exchange(m_releaseEndsDoubleClick, false);
    if (event->button() == Qt::LeftButton && !endsDoubleClick && rect().contains(event->position().toPoint()))
        Q_EMIT Click();
}

void xptopbuttons::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Only the left button double-clicks; another button's second press is a press.
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // The second press of a double click: no pressed face, no MouseDown, and
    // its release raises no second Click.
    m_releaseEndsDoubleClick = true;
}

void xptopbuttons::pollPointer()
{
    if (!isInside(m_watch->pointerPosition()))
        pointerGone();
}

void xptopbuttons::pointerGone()
{
    m_poll.stop();
    m_leaveReported = true;
    Q_EMIT MouseOut();
    if (isEnabled())
        showCell(kNormal);
}

void xptopbuttons::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        showCell(isEnabled() ? kNormal : kDisabled);
}

void xptopbuttons::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    RefreshGlyph();
}

void xptopbuttons::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (isEnabled() && !event->isAutoRepeat())
            Q_EMIT Click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
