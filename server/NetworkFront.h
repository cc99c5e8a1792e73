#pragma once
// The TCP front of the remote methods: an Asio acceptor and a small thread pool; each
// connection feeds its bytes through a wire::ServerSession and writes every reply in one write.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "wire/Value.h"

namespace server {

struct FrontOptions {
    std::string host = "0.0.0.0";
    std::uint16_t port = 9090;  // 0: any free port
    int threads = 4;
    int maxConnections = 256;
    int idleTimeoutMs = 30000;       // no byte between calls
    int handshakeTimeoutMs = 10000;  // connected, handshake not complete
    int readTimeoutMs = 15000;       // stuck in the middle of a frame
};

class NetworkFront {
public:
    NetworkFront(wire::Dispatcher& dispatcher, FrontOptions options);
    ~NetworkFront();

    // Binds and starts the threads; throws std::runtime_error when the port cannot be bound.
    void start();
    // Stops accepting, closes every connection and joins the threads. Idempotent.
    void stop();
    std::uint16_t port() const;
    int openConnections() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace server
