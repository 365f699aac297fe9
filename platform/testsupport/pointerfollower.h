#pragma once

#include "platform/controlhost/pointerprobe.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

// Simulated mouse events do not move the platform's cursor. While this object
// lives, the pointer probe reports where the last mouse event delivered to a
// window put the pointer, or where the test placed it.
class PointerFollower : public QObject
{
public:
    explicit PointerFollower(QPoint start = QPoint(-1000, -1000))
        : m_position(start)
    {
        QCoreApplication::instance()->installEventFilter(this);
        PointerProbe::setSource([this] { return m_position; });
    }
    ~PointerFollower() override { PointerProbe::setSource({}); }
    PointerFollower(const PointerFollower &) = delete;
    PointerFollower &operator=(const PointerFollower &) = delete;

    void moveTo(QPoint global) { m_position = global; }
    QPoint position() const { return m_position; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            if (watched->isWindowType())
                m_position = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QPoint m_position;
};
