#include "platform/eventloop.h"

#include <QCoreApplication>

namespace {
bool &quitFlag()
{
    static bool value = false;
    return value;
}
} // namespace

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

void EventLoop::resetForTesting()
{
    quitFlag() = false;
}
