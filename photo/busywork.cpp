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
    if (!thread->isFinished()) {
        // Ending the program never waits for a picture; the thread and what
        // it holds go with the process.
        return false;
    }
    thread->wait();
    delete thread;
    return true;
}
