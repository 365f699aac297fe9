#include "photo/busywork.h"

#include "platform/eventloop.h"

#include <QEventLoop>

bool BusyWork::wait(QThread *thread)
{
    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    while (!thread->isFinished() && !EventLoop::quitRequested())
        loop.exec();
    // When the program ends meanwhile, the work still runs to its end before
    // the windows whose pictures it may be reading go away.
    const bool ended = !thread->isFinished();
    thread->wait();
    delete thread;
    return !ended;
}
