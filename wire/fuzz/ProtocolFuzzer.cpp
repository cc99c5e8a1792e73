// libFuzzer target: the frame decoder, the message decoder and the server session, fed
// arbitrary bytes. Anything decoded must encode again to a stable form.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "wire/ServerSession.h"
#include "wire/fuzz/FuzzSupport.h"

using namespace wire;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

// Decoded messages re-encode without error, and that encoding is a fixed point.
void checkRoundTrip(const std::string& payload) {
    Message m;
    try {
        m = decodeMessage(payload);
    } catch (const Error&) {
        return;
    }
    std::string once = fuzz::reencode(m);  // must not throw: what was decoded is encodable
    FrameDecoder d;
    d.feed(once);
    std::string p;
    check(d.next(p));
    check(d.pending() == 0);
    std::string twice = fuzz::reencode(decodeMessage(p));
    check(once == twice);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Frames from the whole input, fed in two uneven pieces.
    try {
        FrameDecoder d(1 << 20);
        std::size_t cut = size ? data[0] % (size + 1) : 0;
        std::string p;
        d.feed(bytes.substr(0, cut));
        while (d.next(p)) checkRoundTrip(p);
        d.feed(bytes.substr(cut));
        while (d.next(p)) checkRoundTrip(p);
    } catch (const Error&) {
    }

    // The whole input as one payload, and as a lone value.
    checkRoundTrip(std::string(bytes));
    try {
        Value v = decodeValue(bytes);
        std::string out;
        appendValue(out, v);
    } catch (const Error&) {
    }

    // The server session must never throw and must stop after closing.
    fuzz::EchoDispatcher dispatcher;
    ServerSession session(dispatcher, Limits{1 << 20, 1 << 16});
    std::string reply = session.feed(bytes);
    if (session.wantsClose()) check(session.feed("\x01").empty());
    // What the session sends is well-formed.
    FrameDecoder out;
    out.feed(reply);
    std::string p;
    while (out.next(p)) (void)decodeMessage(p);
    check(out.pending() == 0);
    return 0;
}
