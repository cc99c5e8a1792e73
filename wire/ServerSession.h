#pragma once
// Server side of the remote-call protocol for one connection, without any socket: the
// network front feeds it the bytes it received and writes back what feed() returns.

#include <string>
#include <string_view>

#include "wire/Codec.h"
#include "wire/Value.h"

namespace wire {

class ServerSession {
public:
    explicit ServerSession(Dispatcher& d, Limits limits = {});

    // Consumes received bytes; returns the bytes to send: our handshake once the client's has
    // arrived, then one answer per complete call, in order. A protocol failure (wrong handshake,
    // malformed or oversized frame) appends an abort message with the reason and makes
    // wantsClose() true; the caller sends what was returned and closes. After that, feed()
    // ignores its input and returns nothing.
    std::string feed(std::string_view received);

    bool wantsClose() const { return closing_; }
    const std::string& closeReason() const { return closeReason_; }
    bool handshakeDone() const { return helloDone_; }
    // True while part of a frame is buffered (the front may time out a peer stuck mid-frame).
    bool midFrame() const { return decoder_.pending() > 0; }
    // Calls answered so far.
    std::size_t callsAnswered() const { return answered_; }

private:
    void handle(const std::string& payload, std::string& out);
    void abort(const std::string& reason, std::string& out);

    Dispatcher& dispatcher_;
    Limits limits_;
    FrameDecoder decoder_;
    bool helloDone_ = false;
    bool closing_ = false;
    std::string closeReason_;
    std::size_t answered_ = 0;
};

}  // namespace wire
