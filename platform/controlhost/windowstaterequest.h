#pragma once

#include <QtCore/qnamespace.h>

#include <functional>

class QWidget;

// Asks the window system for a new state of a top-level window (minimised,
// maximised or normal). What it then really does shows only later, in the
// window's place and exposure; the frame looks there. A test can stand in for
// a display whose window manager carries nothing out.
class WindowStateRequest
{
public:
    using Handler = std::function<void(QWidget *window, Qt::WindowStates states)>;

    static void ask(QWidget *window, Qt::WindowStates states);
    // An empty handler gives the requests back to the window system.
    static void setHandler(Handler handler);
};
