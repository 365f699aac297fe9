#pragma once

#include <QElapsedTimer>

#include <algorithm>

// The best of several runs of work, in milliseconds: the run least disturbed
// by whatever else the machine was doing.
template <class F>
double bestMilliseconds(int runs, F &&work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}
