#pragma once

#include <QCoreApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QWindow>

// Simulated mouse events do not move the platform's cursor. While this object
// lives, the cursor goes where the last mouse event delivered to a window put
// the pointer, or where the test placed it. Qt's offscreen platform keeps the
// place it is given and reports it, as a moved cursor, to the window under it:
// that report and the enter and leave that go with it are dropped here, since
// a real pointer that is already there, or that a test moves without events,
// makes none.
class PointerFollower : public QObject
{
public:
    explicit PointerFollower(QPoint start = QPoint(-1000, -1000))
        : m_before(QCursor::pos())
    {
        QCoreApplication::instance()->installEventFilter(this);
        moveTo(start);
    }
    // The cursor goes back, and what the platform says of that is dropped
    // while this object still listens.
    ~PointerFollower() override
    {
        moveTo(m_before);
        QCoreApplication::processEvents();
    }
    PointerFollower(const PointerFollower &) = delete;
    PointerFollower &operator=(const PointerFollower &) = delete;

    void moveTo(QPoint global)
    {
        if (global != QCursor::pos())
            QCursor::setPos(global);
    }
    QPoint position() const { return QCursor::pos(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->isWindowType())
            return false;
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick: {
            const auto *mouse = static_cast<const QMouseEvent *>(event);
            if (mouse->source() == Qt::MouseEventSynthesizedByQt)
                return true;
            moveTo(mouse->globalPosition().toPoint());
            break;
        }
        case QEvent::Enter:
        case QEvent::Leave:
            // Those of the cursor's own moves; a test's leave is no platform's.
            return event->spontaneous();
        default:
            break;
        }
        return false;
    }

private:
    QPoint m_before;
};
