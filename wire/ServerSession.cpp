#include "wire/ServerSession.h"

namespace wire {

ServerSession::ServerSession(Dispatcher& d, Limits limits)
    : dispatcher_(d), limits_(limits), decoder_(limits.maxFrameSize) {}

void ServerSession::abort(const std::string& reason, std::string& out) {
    closing_ = true;
    closeReason_ = reason;
    out += encodeAbortFrame(reason);
}

std::string ServerSession::feed(std::string_view received) {
    std::string out;
    if (closing_) return out;
    try {
        decoder_.feed(received);
        std::string payload;
        while (!closing_ && decoder_.next(payload)) handle(payload, out);
    } catch (const Error& e) {
        abort(e.what(), out);
    }
    return out;
}

void ServerSession::handle(const std::string& payload, std::string& out) {
    Message m = decodeMessage(payload, limits_);
    if (!helloDone_) {
        if (m.type != MessageType::Hello) {
            abort("expected the " + std::string(kProtocolName) + " handshake as the first message", out);
            return;
        }
        checkHello(m.hello);
        helloDone_ = true;
        out += encodeHelloFrame();
        return;
    }
    if (m.type != MessageType::Call) {
        abort(m.type == MessageType::Hello ? "a second handshake on the same connection" : "only calls are accepted after the handshake", out);
        return;
    }
    Answer a;
    try {
        a = dispatcher_.dispatch(m.call);
    } catch (const std::exception& e) {
        a = Answer::failure(e.what());
    } catch (...) {
        a = Answer::failure("unknown error in " + m.call.command);
    }
    std::string frame;
    try {
        frame = encodeAnswerFrame(a);
    } catch (const std::exception& e) {
        // The result could not be put on the wire (a value of the wrong type, too large).
        frame = encodeAnswerFrame(Answer::failure(e.what()));
    }
    out += frame;
    ++answered_;
}

}  // namespace wire
