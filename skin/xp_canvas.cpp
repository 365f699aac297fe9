#include "skin/xp_canvas.h"

#include "platform/controlhost/controlinput.h"
#include "platform/controlhost/propertystore.h"
#include "platform/controlhost/settingkeys.h"
#include "platform/widgets/fonts.h"
#include "skin/skinartwork.h"
#include "skin/skinstrip.h"

#include <QChildEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

// How long a window manager is given to carry out a change of the window's state.
constexpr int kSettleTime = 400; // ms

// The caption's colour, active or not: the title artwork carries the state.
constexpr Qt::GlobalColor kCaptionColour = Qt::black;

const QString kIconKey = QStringLiteral("Icon");
const QString kFixedSingleKey = QStringLiteral("Fixed_Single");

bool isMouseEvent(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return true;
    default:
        return false;
    }
}

QPoint globalPoint(const QEvent *event)
{
    return static_cast<const QMouseEvent *>(event)->globalPosition().toPoint();
}

// Only the left button double-clicks; a second quick press of another button
// is a press like any other.
QEvent::Type doubleClickAsPress(const QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick
        && static_cast<const QMouseEvent *>(event)->button() != Qt::LeftButton)
        return QEvent::MouseButtonPress;
    return event->type();
}

} // namespace

xp_canvas::xp_canvas(QWidget *host, WindowStateRequest::Handler requestState)
    : QWidget(host)
    , m_host(host)
    , m_requestState(std::move(requestState))
{
    pictop = new SkinStrip(SkinArtwork::titleBackground, this);
    pictop->setObjectName(QStringLiteral("pictop"));
    picbottom = new SkinStrip(clientColour, this);
    picbottom->setObjectName(QStringLiteral("picbottom"));
    picleft = new SkinStrip(clientColour, this);
    picleft->setObjectName(QStringLiteral("picleft"));
    picright = new SkinStrip(clientColour, this);
    picright->setObjectName(QStringLiteral("picright"));

    imgicon = new QLabel(pictop);
    imgicon->setObjectName(QStringLiteral("imgicon"));
    imgicon->setGeometry(QRect(iconPlace, QSize(iconSide, iconSide)));
    imgicon->setScaledContents(true);
    imgicon->setAccessibleName(QStringLiteral("Значок программы"));

    lblcaption = new QLabel(pictop);
    lblcaption->setObjectName(QStringLiteral("lblcaption"));
    Fonts::installSubstitutions();
    lblcaption->setFont(Fonts::make(QStringLiteral("Arial"), 9, true));
    QPalette captionPalette = lblcaption->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        captionPalette.setColor(group, QPalette::WindowText, kCaptionColour);
    lblcaption->setPalette(captionPalette);
    lblcaption->setTextFormat(Qt::PlainText);
    lblcaption->move(captionPlace);

    for (QWidget *element :
         {static_cast<QWidget *>(pictop), static_cast<QWidget *>(picbottom), static_cast<QWidget *>(picleft),
          static_cast<QWidget *>(picright), static_cast<QWidget *>(imgicon), static_cast<QWidget *>(lblcaption)})
        element->installEventFilter(this);

    // The client area reports pointer moves with no button held, too.
    setMouseTracking(true);

    const QImage title = SkinArtwork::titleNormal();
    m_active = {title, SkinArtwork::titleMaximised(), SkinArtwork::leftBorder(), SkinArtwork::rightBorder(),
                SkinArtwork::bottomBorder()};
    m_inactive = m_active;
    m_inactive.topmax = SkinArtwork::titleMaximisedInactive();
    m_defaultIcon = SkinArtwork::defaultIcon();

    if (m_host) {
        setGeometry(m_host->rect());
        lower();
        m_host->installEventFilter(this);
        if (QWidget *window = m_host->window(); window != m_host)
            window->installEventFilter(this);
    }

    ApplyActiveSkin();
    LayoutFrame();
}

// --- Settings -------------------------------------------------------------

void xp_canvas::initProperties()
{
    setCaption(objectName());
    setFixedSingle(false);
    setIcon(m_defaultIcon);
}

void xp_canvas::readProperties(const PropertyStore &store)
{
    setCaption(store.read(SettingKeys::Caption, objectName()));
    setIcon(store.read(kIconKey, m_defaultIcon));
    setFixedSingle(store.read(kFixedSingleKey, false));
}

void xp_canvas::writeProperties(PropertyStore &store) const
{
    store.write(SettingKeys::Caption, caption(), objectName());
    store.write(kIconKey, m_icon, m_defaultIcon);
    store.write(kFixedSingleKey, m_fixedSingle, false);
}

QString xp_canvas::caption() const
{
    return lblcaption->text();
}

void xp_canvas::setCaption(const QString &caption)
{
    lblcaption->setText(caption);
    lblcaption->adjustSize();
    if (QWidget *window = hostWindow())
        window->setWindowTitle(caption);
    LayoutFrame();
    Q_EMIT propertyChanged(SettingKeys::Caption);
}

void xp_canvas::setIcon(const QImage &picture)
{
    m_icon = picture;
    imgicon->setPixmap(QPixmap::fromImage(picture));
    Q_EMIT propertyChanged(kIconKey);
}

void xp_canvas::setFixedSingle(bool fixed)
{
    m_fixedSingle = fixed;
    LayoutFrame();
    Q_EMIT propertyChanged(kFixedSingleKey);
}

// --- Looks and the layout pass ----------------------------------------------

void xp_canvas::setSkins(const Skin &active, const QImage &inactiveTopMax)
{
    const bool activeLookInUse = m_current.topmax.cacheKey() == m_active.topmax.cacheKey();
    m_active = active;
    m_inactive = active;
    m_inactive.topmax = inactiveTopMax;
    m_current = activeLookInUse ? m_active : m_inactive;
    LayoutFrame();
}

void xp_canvas::ApplyActiveSkin()
{
    m_current = m_active;
}

void xp_canvas::ApplyInactiveSkin()
{
    m_current = m_inactive;
}

xp_canvas::HostState xp_canvas::hostState() const
{
    const QWidget *window = hostWindow();
    if (!window)
        return HostState::Normal;
    const Qt::WindowStates state = window->windowState();
    if (state & Qt::WindowMinimized)
        return HostState::Minimised;
    if (m_ownMaximised)
        return HostState::Maximised;
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return HostState::Maximised;
    return HostState::Normal;
}

QWidget *xp_canvas::hostWindow() const
{
    return m_host ? m_host->window() : nullptr;
}

void xp_canvas::LayoutFrame()
{
    const int w = width();
    const int h = height();
    const int sideHeight = std::max(0, h - titleHeight - borderSize);
    picleft->setGeometry(0, titleHeight, borderSize, sideHeight);
    picright->setGeometry(w - borderSize, titleHeight, borderSize, sideHeight);
    pictop->setGeometry(0, 0, w, titleHeight);
    picbottom->setGeometry(0, h - borderSize, w, borderSize);

    picleft->paintStretched(m_current.left);
    picright->paintStretched(m_current.right);
    const HostState state = hostState();
    // A minimised window keeps its last title.
    if (state != HostState::Minimised)
        paintTitle(state == HostState::Maximised ? m_current.topmax : m_current.top);
    picbottom->paintStretched(m_current.bottom);

    lblcaption->move(captionPlace);

    if (m_fixedSingle || state == HostState::Maximised)
        setBorderCursors(Qt::ArrowCursor, Qt::ArrowCursor);
    else if (state == HostState::Normal)
        setBorderCursors(Qt::SizeHorCursor, Qt::SizeVerCursor);

    update();
    Q_EMIT Resize();
}

void xp_canvas::childEvent(QChildEvent *event)
{
    QWidget::childEvent(event);
    // No control of the window covers the border strips: they stay above
    // whatever is placed on the frame. The title strip stays below, as the
    // title-bar buttons lie on it.
    if (event->added() && event->child()->isWidgetType() && picright) {
        for (QWidget *strip : {picleft, picright, picbottom})
            strip->raise();
    }
}

void xp_canvas::paintTitle(const QImage &picture)
{
    // The end pieces keep their width; the middle is stretched to fill.
    constexpr int cap = 5;
    QImage drawing = pictop->blankDrawing();
    const int stripWidth = pictop->width();
    const int stripHeight = pictop->height();
    const int w = picture.width();
    const int h = picture.height();
    {
        QPainter painter(&drawing);
        painter.drawImage(QRect(0, 0, cap, stripHeight), picture, QRect(0, 0, cap, h));
        if (stripWidth > 2 * cap && w > 2 * cap)
            painter.drawImage(QRect(cap, 0, stripWidth - 2 * cap, stripHeight), picture, QRect(cap, 0, w - 2 * cap, h));
        painter.drawImage(QRect(stripWidth - cap, 0, cap, stripHeight), picture, QRect(w - cap, 0, cap, h));
    }
    pictop->setDrawing(drawing);
}

void xp_canvas::setBorderCursors(Qt::CursorShape horizontal, Qt::CursorShape vertical)
{
    picleft->setCursor(horizontal);
    picright->setCursor(horizontal);
    picbottom->setCursor(vertical);
}

void xp_canvas::showLookOfActivation()
{
    // With no active window at all, the look is the inactive one.
    const QWidget *window = hostWindow();
    if (window && window->isActiveWindow())
        ApplyActiveSkin();
    else
        ApplyInactiveSkin();
    LayoutFrame();
}

void xp_canvas::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    LayoutFrame();
}

void xp_canvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), clientColour);
}

// --- Methods offered to hosts -----------------------------------------------

void xp_canvas::SetFocus()
{
    ApplyActiveSkin();
    LayoutFrame();
}

void xp_canvas::make_trans(QWidget *window)
{
    const QPalette::ColorRole role = window->backgroundRole();
    QPalette palette = window->palette();
    QPixmap surface(window->size().expandedTo(QSize(1, 1)));
    surface.fill(palette.color(QPalette::Active, role));
    const Qt::WindowStates state = window->windowState();
    if (!(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        constexpr int cap = 5;
        const QImage &title = m_current.top;
        QPainter painter(&surface);
        painter.drawImage(QRect(0, 0, cap, pictop->height()), title, QRect(0, 0, cap, title.height()));
        painter.drawImage(QRect(pictop->width() - cap, 0, cap, pictop->height()), title,
                          QRect(title.width() - cap, 0, cap, title.height()));
    }
    palette.setBrush(role, QBrush(surface));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->update();
}

void xp_canvas::AlwaysOnTop(QWidget *window, bool &flag)
{
    // Changing a window's flags hides it; it comes back where it was.
    const bool wanted = flag;
    const QRect geometry = window->geometry();
    const bool wasVisible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, wanted);
    window->setGeometry(geometry);
    if (wasVisible)
        window->show();
    flag = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == wanted;
}

// --- The strips: move and resize ---------------------------------------------

bool xp_canvas::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_host || watched == hostWindow()) {
        switch (event->type()) {
        case QEvent::Resize:
            if (watched == m_host)
                setGeometry(m_host->rect());
            break;
        case QEvent::WindowStateChange:
            m_moving = false;
            LayoutFrame();
            break;
        case QEvent::ActivationChange:
            showLookOfActivation();
            break;
        default:
            break;
        }
        return false;
    }
    if (!isMouseEvent(event))
        return QWidget::eventFilter(watched, event);
    if (watched == pictop)
        return titleEvent(event, false);
    if (watched == lblcaption)
        return titleEvent(event, true);
    if (watched == imgicon)
        return true;
    if (watched == picleft)
        return borderEvent(picleft, event, BorderDrag::Left);
    if (watched == picright)
        return borderEvent(picright, event, BorderDrag::Right);
    if (watched == picbottom)
        return borderEvent(picbottom, event, BorderDrag::Bottom);
    return QWidget::eventFilter(watched, event);
}

bool xp_canvas::titleEvent(QEvent *event, bool isCaption)
{
    switch (doubleClickAsPress(event)) {
    case QEvent::MouseButtonPress:
        // Only the left button moves a window: a window manager's move waits
        // for the left button's release, so one started by another button
        // would leave the window on the pointer once that button is up.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && hostState() == HostState::Normal)
            startMove(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseMove:
        if (m_movePending)
            beginMoveOnceDragged(static_cast<QMouseEvent *>(event));
        if (m_moving) {
            if (!(static_cast<QMouseEvent *>(event)->buttons() & Qt::LeftButton))
                m_moving = false;
            else if (QWidget *window = hostWindow())
                window->move(m_moveOrigin + globalPoint(event) - m_moveFrom);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_movePending = false;
            m_moving = false;
        }
        break;
    case QEvent::MouseButtonDblClick:
        m_movePending = false;
        m_moving = false;
        if (isCaption)
            maximiseOrRestore();
        break;
    default:
        break;
    }
    return true;
}

void xp_canvas::minimiseWindow()
{
    QWidget *window = hostWindow();
    if (!window)
        return;
    m_requestState(window, window->windowState() | Qt::WindowMinimized);
    // Where nothing shows a minimised window (no window manager), the window
    // stays on the screen: then it stays as it was, movable, and nothing is said.
    QTimer::singleShot(kSettleTime, this, [this] {
        QWidget *window = hostWindow();
        if (window && window->isMinimized() && window->windowHandle() && window->windowHandle()->isExposed())
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    });
}

void xp_canvas::maximiseOrRestore()
{
    QWidget *window = hostWindow();
    if (!window || m_fixedSingle)
        return;
    if (m_ownMaximised) {
        m_ownMaximised = false;
        window->setGeometry(m_restoreGeometry);
        LayoutFrame();
        return;
    }
    if (hostState() != HostState::Normal) {
        m_requestState(window, window->windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        return;
    }
    m_restoreGeometry = window->geometry();
    m_requestState(window, window->windowState() | Qt::WindowMaximized);
    // Where no window manager carries the request out, the window is at most
    // said to be maximised and keeps its place: it then fills the screen's
    // available area itself, and a second double click puts back its former
    // place and size.
    QTimer::singleShot(kSettleTime, this, [this] {
        QWidget *window = hostWindow();
        if (!window || window->isMinimized() || window->geometry() != m_restoreGeometry)
            return;
        window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
        m_ownMaximised = true;
        if (const QScreen *screen = window->screen())
            window->setGeometry(screen->availableGeometry());
        LayoutFrame();
    });
}

void xp_canvas::startMove(const QMouseEvent *event)
{
    QWidget *window = hostWindow();
    if (!window)
        return;
    // Nothing moves yet: a click or a double click on the title is no move.
    m_movePending = true;
    m_moving = false;
    m_moveFrom = event->globalPosition().toPoint();
    m_moveOrigin = window->pos();
}

void xp_canvas::beginMoveOnceDragged(const QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        m_movePending = false;
        return;
    }
    const QPoint travel = event->globalPosition().toPoint() - m_moveFrom;
    if (travel.manhattanLength() < QGuiApplication::styleHints()->startDragDistance())
        return;
    m_movePending = false;
    QWidget *window = hostWindow();
    if (!window)
        return;
    if (movedByWindowSystem()) {
        if (QWindow *handle = window->windowHandle(); handle && handle->startSystemMove())
            return;
    }
    // The window follows the pointer from the press until the release.
    m_moving = true;
}

bool xp_canvas::borderEvent(QWidget *strip, QEvent *event, BorderDrag::Edge edge)
{
    if (m_fixedSingle)
        return true;
    switch (doubleClickAsPress(event)) {
    case QEvent::MouseButtonPress:
        m_pressPoint = globalPoint(event);
        m_compositorResizing = handResizeToCompositor(edge);
        break;
    case QEvent::MouseButtonRelease:
        // The release comes to the strip that was pressed, wherever the pointer is by then.
        m_releasePoint = globalPoint(event);
        if (std::exchange(m_compositorResizing, false))
            break;
        if (QWidget *window = hostWindow()) {
            // The screen place less the place in the window: where the window
            // really is, also after a move the program did not hear of.
            const QPoint local = static_cast<const QMouseEvent *>(event)->position().toPoint();
            resizeFromDrag(edge, m_releasePoint - strip->mapTo(window, local));
        }
        break;
    default:
        break;
    }
    return true;
}

bool xp_canvas::movedByWindowSystem()
{
    // An X window manager's move carries the window on from where the pointer
    // is when it starts, not from the press, so the point grabbed would end
    // away from the pointer: on X the program moves and sizes the window
    // itself, exactly, as X window managers let a client place itself. A
    // Wayland client, or an X client of a Wayland compositor, cannot place
    // itself: there the compositor does it, its move starting from the press.
    return QGuiApplication::platformName() != QLatin1String("xcb") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

bool xp_canvas::handResizeToCompositor(BorderDrag::Edge edge)
{
    // Else a drag of the left edge could only widen the window to the right.
    if (!movedByWindowSystem())
        return false;
    QWidget *window = hostWindow();
    QWindow *handle = window ? window->windowHandle() : nullptr;
    if (!handle || hostState() != HostState::Normal)
        return false;
    const Qt::Edges edges = edge == BorderDrag::Left ? Qt::LeftEdge
        : edge == BorderDrag::Right                  ? Qt::RightEdge
                                                     : Qt::BottomEdge;
    return handle->startSystemResize(edges);
}

void xp_canvas::resizeFromDrag(BorderDrag::Edge edge, QPoint origin)
{
    QWidget *window = hostWindow();
    // Only a window in the normal state is moved or sized.
    if (!window || hostState() != HostState::Normal)
        return;
    QRect from = window->geometry();
    from.moveTopLeft(origin);
    const auto geometry =
        BorderDrag::resized(from, m_pressPoint, m_releasePoint, edge, smallestFrame().expandedTo(window->minimumSize()),
                            largestFrame().boundedTo(window->maximumSize()));
    if (geometry)
        window->setGeometry(*geometry);
}

QSize xp_canvas::smallestFrame() const
{
    // Both border strips, and the title wide enough for its caption and end cap.
    const int captionRight = lblcaption->text().isEmpty() ? 0 : lblcaption->geometry().right() + 1 + borderSize;
    return QSize(std::max(2 * borderSize, captionRight), titleHeight + borderSize);
}

QSize xp_canvas::largestFrame()
{
    // All the screens side by side: no window needs to be larger.
    QRect desktop;
    for (const QScreen *screen : QGuiApplication::screens())
        desktop |= screen->geometry();
    return desktop.isEmpty() ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : desktop.size();
}

// --- The client area's own input --------------------------------------------

bool xp_canvas::isOwnSurface(const QMouseEvent *event) const
{
    // Input a control of the host lets pass is not the frame's.
    return childAt(event->position().toPoint()) == nullptr;
}

void xp_canvas::mousePressEvent(QMouseEvent *event)
{
    if (!isOwnSurface(event)) {
        event->ignore();
        return;
    }
    m_ownPress = true;
    m_releaseEndsDoubleClick = false;
    setFocus(Qt::MouseFocusReason);
    Q_EMIT MouseDown(ControlInput::buttonMask(event->button()), ControlInput::shiftMask(event->modifiers()),
                     float(event->position().x()), float(event->position().y()));
}

void xp_canvas::mouseMoveEvent(QMouseEvent *event)
{
    const bool own = event->buttons() == Qt::NoButton ? isOwnSurface(event) : m_ownPress;
    if (!own) {
        event->ignore();
        return;
    }
    Q_EMIT MouseMove(ControlInput::buttonMask(event->buttons()), ControlInput::shiftMask(event->modifiers()),
                     float(event->position().x()), float(event->position().y()));
}

void xp_canvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (!std::exchange(m_ownPress, false)) {
        event->ignore();
        return;
    }
    Q_EMIT MouseUp(ControlInput::buttonMask(event->button()), ControlInput::shiftMask(event->modifiers()),
                   float(event->position().x()), float(event->position().y()));
    const bool endsDoubleClick = std::exchange(m_releaseEndsDoubleClick, false);
    if (event->button() == Qt::LeftButton && !endsDoubleClick && rect().contains(event->position().toPoint()))
        Q_EMIT Click();
}

void xp_canvas::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    if (!isOwnSurface(event)) {
        event->ignore();
        return;
    }
    m_ownPress = true;
    m_releaseEndsDoubleClick = true;
    Q_EMIT DblClick();
}

void xp_canvas::keyPressEvent(QKeyEvent *event)
{
    const int shift = ControlInput::shiftMask(event->modifiers());
    Q_EMIT KeyDown(event->key(), shift);
    if (!event->text().isEmpty())
        Q_EMIT KeyPress(event->text().at(0).unicode());
}

void xp_canvas::keyReleaseEvent(QKeyEvent *event)
{
    Q_EMIT KeyUp(event->key(), ControlInput::shiftMask(event->modifiers()));
}

void xp_canvas::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    ApplyActiveSkin();
    LayoutFrame();
}
