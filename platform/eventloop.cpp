#include "platform/eventloop.h"

#include "platform/eventloop_p.h"

#include <QCoreApplication>

bool &EventLoopPrivate::quitFlag()
{
    static bool value = false;
    return value;
}

using EventLoopPrivate::quitFlag;

void EventLoop::yield()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void EventLoop::requestQuit()
{
    quitFlag() = true;
    QCoreApplication::exit(0);
}

bool EventLoop::quitRequested()
{
    return quitFlag();
}
