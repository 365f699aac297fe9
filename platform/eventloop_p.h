#pragma once

// Private to the event loop and to what tests share: the process's quit flag,
// which a test clears before it starts the next window.
namespace EventLoopPrivate {
bool &quitFlag();
} // namespace EventLoopPrivate
