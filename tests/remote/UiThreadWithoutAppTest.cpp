// Hand-over to the user-interface thread when there is no application object (before start-up,
// or a worker still running after the program's end).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThreadPool>
#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

#include "remote/UiThread.h"

namespace {

TEST(UiThreadWithoutApplication, FirstThreadRunsDirectlyWorkerGetsAnError) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_TRUE(remote::isUiThread());
    bool ran = false;
    remote::runOnUiThread([&] { ran = true; });
    EXPECT_TRUE(ran);

    bool workerRan = false;
    bool workerThrew = false;
    bool workerIsUi = true;
    std::thread worker([&] {
        workerIsUi = remote::isUiThread();
        try {
            remote::runOnUiThread([&] { workerRan = true; });
        } catch (const std::runtime_error&) {
            workerThrew = true;
        }
    });
    worker.join();
    EXPECT_FALSE(workerIsUi);
    EXPECT_FALSE(workerRan);
    EXPECT_TRUE(workerThrew);
}

// The application object is destroyed while a pool task waits to hand work over: its destructor
// waits for the pool, so the hand-over must give up instead of waiting for ever.
TEST(UiThreadWithoutApplication, ApplicationDestroyedWhileAWorkerWaits) {
    int argc = 1;
    char name[] = "ui_thread_tests";
    char* argv[] = {name, nullptr};
    auto app = std::make_unique<QCoreApplication>(argc, argv);
    std::atomic<bool> entered{false};
    std::atomic<bool> ran{false};
    std::atomic<bool> threw{false};
    QThreadPool::globalInstance()->start([&] {
        entered = true;
        try {
            remote::runOnUiThread([&] { ran = true; });
        } catch (const std::runtime_error&) {
            threw = true;
        }
    });
    while (!entered) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    app.reset();  // no event loop ran: the hand-over never happens
    EXPECT_FALSE(ran);
    EXPECT_TRUE(threw);
}

}  // namespace
