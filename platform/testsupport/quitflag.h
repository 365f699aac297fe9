#pragma once

#include "platform/eventloop_p.h"

// A test's windows start with no quit requested by an earlier test's close.
inline void clearQuitFlag()
{
    EventLoopPrivate::quitFlag() = false;
}
