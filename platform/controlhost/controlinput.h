#pragma once

#include <Qt>

// The mouse and key arguments the skinned controls hand to their hosts: the
// buttons as a mask (1 left, 2 right, 4 middle) and the modifier keys as a
// mask (1 Shift, 2 Ctrl, 4 Alt).
class ControlInput
{
public:
    static int buttonMask(Qt::MouseButtons buttons);
    static int shiftMask(Qt::KeyboardModifiers modifiers);
};
