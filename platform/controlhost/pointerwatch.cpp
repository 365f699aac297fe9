#include "platform/controlhost/pointerwatch.h"

#include <QCursor>
#include <QMouseEvent>
#include <QWidget>

PointerWatch::PointerWatch(QWidget *control)
    : QObject(control)
    , m_control(control)
{
    control->installEventFilter(this);
    watchWindow();
}

QPoint PointerWatch::pointerPosition() const
{
    const QPoint global = QCursor::pos();
    return m_originKnown ? global - m_origin : m_control->mapFromGlobal(global);
}

void PointerWatch::watchWindow()
{
    QWidget *window = m_control->window();
    if (window == m_control)
        window = nullptr;
    if (window == m_window)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = window;
    if (m_window)
        m_window->installEventFilter(this);
    m_originKnown = false;
}

bool PointerWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_control) {
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            // The platform's screen position less the one in the control: where
            // the control is now, whatever the program thinks of its window.
            const auto *mouse = static_cast<const QMouseEvent *>(event);
            m_origin = (mouse->globalPosition() - mouse->position()).toPoint();
            m_originKnown = true;
            break;
        }
        case QEvent::Move:
        case QEvent::Hide:
            m_originKnown = false;
            break;
        case QEvent::ParentChange:
        case QEvent::Show:
            watchWindow();
            break;
        case QEvent::Leave:
            Q_EMIT controlLeft();
            break;
        default:
            break;
        }
    } else if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            // The program moved the window, or heard that it was moved, or the
            // layout may have moved the control: the program's own idea of the
            // place is the one to go by until the next pointer event.
            m_originKnown = false;
            break;
        case QEvent::Leave:
            Q_EMIT windowLeft();
            break;
        default:
            break;
        }
    }
    return false;
}
