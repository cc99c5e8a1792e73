#include "remote/UiThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace remote {

namespace {
// Static initialisation runs on the program's first thread, the one that owns the user interface.
const std::thread::id kInitialThread = std::this_thread::get_id();

struct HandOver {
    std::mutex mutex;
    std::condition_variable changed;
    bool started = false;
    bool done = false;
    bool abandoned = false;
    std::exception_ptr error;
};

std::runtime_error applicationEnded() {
    return std::runtime_error("The application has ended; the user interface is gone");
}
}  // namespace

bool isUiThread() {
    if (auto* app = QCoreApplication::instance()) return QThread::currentThread() == app->thread();
    return std::this_thread::get_id() == kInitialThread;
}

void runOnUiThread(const std::function<void()>& fn) {
    if (isUiThread()) {
        fn();
        return;
    }
    auto* app = QCoreApplication::instance();
    // A worker that outlives the application object has no user-interface thread to hand over to.
    if (app == nullptr) throw applicationEnded();

    auto state = std::make_shared<HandOver>();
    QMetaObject::invokeMethod(
        app,
        [state, &fn] {
            {
                std::lock_guard lock(state->mutex);
                if (state->abandoned) return;  // the waiting worker has given up; fn's captures are gone
                state->started = true;
            }
            std::exception_ptr error;
            try {
                fn();
            } catch (...) {
                error = std::current_exception();
            }
            std::lock_guard lock(state->mutex);
            state->error = error;
            state->done = true;
            state->changed.notify_all();
        },
        Qt::QueuedConnection);

    // Wait for the hand-over; give up only when the application is being destroyed (its event loop
    // will never run the call, and its destructor waits for the pool threads, so blocking would
    // never end).
    std::unique_lock lock(state->mutex);
    while (!state->done) {
        state->changed.wait_for(lock, std::chrono::milliseconds(50));
        if (!state->done && !state->started && QCoreApplication::instance() == nullptr) {
            state->abandoned = true;
            throw applicationEnded();
        }
    }
    if (state->error) std::rethrow_exception(state->error);
}

}  // namespace remote
