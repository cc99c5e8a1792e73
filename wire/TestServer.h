#pragma once
// A small in-process server for tests and benchmarks: listens on 127.0.0.1 on an ephemeral
// port, one thread per connection, each running a ServerSession over the given dispatcher.
// Not for production use (korvel-server has its own network front).

#include <atomic>
#include <cstdint>
#include <list>
#include <mutex>
#include <thread>

#include "wire/ServerSession.h"

namespace wire {

class TestServer {
public:
    explicit TestServer(Dispatcher& d, Limits limits = {});
    ~TestServer();
    TestServer(const TestServer&) = delete;
    TestServer& operator=(const TestServer&) = delete;

    std::uint16_t port() const { return port_; }
    // Stops accepting, ends every open connection and joins all threads. Idempotent.
    void stop();
    std::size_t connectionsAccepted() const { return accepted_.load(); }

private:
    struct Connection {
        int fd = -1;
        std::thread thread;
        std::atomic<bool> done{false};
    };
    void acceptLoop();
    void serve(Connection& c);
    void reapFinished();

    Dispatcher& dispatcher_;
    Limits limits_;
    int listenFd_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<std::size_t> accepted_{0};
    std::thread acceptThread_;
    std::mutex mutex_;
    std::list<Connection> connections_;
};

}  // namespace wire
