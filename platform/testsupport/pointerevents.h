#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWindow>

// Pointer events as some platforms deliver them, for the tests of the
// controls that watch the pointer.

// The leave the platform hands the window when the pointer leaves it; Qt
// passes it on to the widget the pointer was last over and its parents.
inline void leaveWindow(QWindow *window)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(window, &leave);
}

// A pointer move as the platform reports it when the window really lies
// `shift` away from where the program last heard it was.
inline void moveOnWindowMovedBy(QWindow *window, QPoint local, QPoint shift)
{
    QMouseEvent move(QEvent::MouseMove, local, window->mapToGlobal(local) + shift, Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(window, &move);
}
