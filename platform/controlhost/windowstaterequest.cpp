#include "platform/controlhost/windowstaterequest.h"

#include <QWidget>

void WindowStateRequest::ask(QWidget *window, Qt::WindowStates states)
{
    window->setWindowState(states);
}
