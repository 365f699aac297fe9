#pragma once

#include <QtCore/qnamespace.h>

#include <functional>

class QWidget;

// Asks the window system for a new state of a top-level window (minimised,
// maximised or normal). What it then really does shows only later, in the
// window's place and exposure; the frame looks there. The frame is handed the
// request it makes, so a test can stand in for a display whose window manager
// carries nothing out.
class WindowStateRequest
{
public:
    using Handler = std::function<void(QWidget *window, Qt::WindowStates states)>;

    // The window system's own: the window is set to the states.
    static void ask(QWidget *window, Qt::WindowStates states);
};
