#pragma once
// Runs a handler of a cart window; an exception it raises goes to the application's error
// display, so it never crosses the event loop.

#include <functional>

namespace cart {

void guarded(const std::function<void()>& handler);

}  // namespace cart
