// SIGTERM, SIGINT and SIGHUP (the session or the system ending, or Ctrl+C) turned into
// a call on the program's own thread, so the monitor runs its exit steps before it ends.
#pragma once

#include <functional>

namespace brightlock {

// Installs the handlers; `onSignal` runs on the main thread once per signal received.
// A SIGHUP or SIGINT that the program inherited as ignored (nohup) stays ignored.
void watchTerminationSignals(std::function<void()> onSignal);

} // namespace brightlock
