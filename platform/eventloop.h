#pragma once

// Lets the event loop deliver what is waiting (paints, clicks, timer ticks)
// during a long operation on the user-interface thread.
class EventLoop
{
public:
    static void yield();

    // Ending the program abandons whatever long operation is under way: every
    // loop that yields checks this and returns.
    static void requestQuit();
    static bool quitRequested();
};
