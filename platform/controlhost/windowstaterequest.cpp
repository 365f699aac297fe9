#include "platform/controlhost/windowstaterequest.h"

#include <QWidget>

namespace {

WindowStateRequest::Handler &handler()
{
    static WindowStateRequest::Handler current;
    return current;
}

} // namespace

void WindowStateRequest::ask(QWidget *window, Qt::WindowStates states)
{
    if (handler())
        handler()(window, states);
    else
        window->setWindowState(states);
}

void WindowStateRequest::setHandler(Handler newHandler)
{
    handler() = std::move(newHandler);
}
