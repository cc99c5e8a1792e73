#pragma once
// Client side of the remote-call protocol over one TCP connection.

#include <cstdint>
#include <string>

#include "wire/Codec.h"
#include "wire/Value.h"

namespace wire {

struct Endpoint {
    std::string host;
    std::uint16_t port = 9090;
    int connectTimeoutMs = 15000;
    int readTimeoutMs = 30000;  // longest wait for any single read of the answer
};

class Client {
public:
    Client();
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Opens a new TCP connection (closing any previous one). Throws wire::Error with a
    // readable text ("Connection refused (host:port)", ...).
    void connect(const Endpoint& e);
    bool connected() const;
    // Sends one call and waits for its answer. The first call on a connection carries the
    // handshake in the same write. Transport and protocol failures throw wire::Error and
    // close the connection; an error raised by the server comes back as Answer{ok=false}.
    Answer call(const Call& c);
    void close();

private:
    void sendAll(const std::string& bytes);
    Message readMessage();
    [[noreturn]] void fail(const std::string& text);

    int fd_ = -1;
    Endpoint endpoint_;
    bool helloSent_ = false;
    bool helloReceived_ = false;
    FrameDecoder decoder_;
};

}  // namespace wire
