#pragma once
// Ending a server program cleanly on SIGINT or SIGTERM.
#include <functional>

namespace plat {

// Blocks SIGINT and SIGTERM in the calling thread and every thread it starts afterwards, and
// starts a thread that waits for either and then calls `onSignal` once. Call it before starting
// other threads.
void CallOnTerminationSignal(std::function<void()> onSignal);

}  // namespace plat
