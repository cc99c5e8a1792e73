#pragma once
// Synchronous hand-over from any thread to the user-interface thread.

#include <functional>

namespace remote {

// True on the thread of the application object; without one, on the program's first thread.
bool isUiThread();

// Runs fn on the user-interface thread and returns once it has run. On the user-interface
// thread fn runs directly. A worker thread that outlives the application object gets an
// exception instead (nothing can be shown any more). An exception thrown by fn is raised again
// in the caller's thread. The user-interface thread must be running its event
// loop (not blocked waiting for the caller), or this waits for ever.
void runOnUiThread(const std::function<void()>& fn);

} // namespace remote
