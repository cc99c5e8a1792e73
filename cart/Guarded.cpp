#include "cart/Guarded.h"

#include "session/Async.h"

namespace cart {

void guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        session::showError(std::current_exception());
    }
}

}  // namespace cart
