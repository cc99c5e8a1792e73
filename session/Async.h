#pragma once
// Background work followed by a continuation on the user-interface thread:
//   Async([=] { ...on a pool thread... }).Await([=] { ...on the UI thread... });
// The work runs on QThreadPool::globalInstance(); the continuation is queued to the
// application object. An exception escaping the work is raised again on the UI thread after
// the continuation and goes to the error display (as does one escaping the continuation).

#include <exception>
#include <functional>

#include "remote/UiThread.h"

class TAwait final {
public:
    explicit TAwait(std::function<void()> async) : FAsync(std::move(async)) {}
    // Starts the work and returns at once. Call once.
    void Await(std::function<void()> proc);

private:
    std::function<void()> FAsync;
};

TAwait Async(std::function<void()> work);

namespace session {

using remote::runOnUiThread;

// Shows an error that reached the UI thread without a handler of its own.
using ErrorDisplay = std::function<void(std::exception_ptr)>;

// The application's default error display: the exception's text in the error message dialog
// with the single button "Tamam". A platform::ProcessExit passes silently.
void showErrorDefault(std::exception_ptr error);
// Shows the error with the installed display (the default one unless replaced).
void showError(std::exception_ptr error);
// Replaces the error display; nullptr restores the default. Returns the previous one.
// Call on the UI thread.
ErrorDisplay setErrorDisplay(ErrorDisplay display);

} // namespace session
