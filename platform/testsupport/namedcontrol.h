#pragma once

#include <QWidget>

// One of a window's controls, found by the name the window gives it; the
// windows keep their controls to themselves.
template <typename T>
T *namedControl(const QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    Q_ASSERT_X(found, "namedControl", name);
    return found;
}
