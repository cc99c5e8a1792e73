#pragma once
// Byte layout of the remote-call protocol: frames, the handshake, calls, answers and every
// value kind. Pure functions and a frame decoder fed byte spans; no sockets here.
// docs/protocol.md describes the same layout for implementers in other languages.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "wire/Value.h"

namespace wire {

inline constexpr std::string_view kProtocolName = "KORVEL-RPC";
inline constexpr std::uint16_t kProtocolVersion = 1;

// Frame = 4-byte little-endian payload length + payload. A frame longer than this is refused
// before any of its body is read.
inline constexpr std::size_t kMaxFrameSize = 64u * 1024u * 1024u;
// Upper bound on rows x columns of one table; keeps the in-memory size of a decoded table
// proportional to what a sane peer sends.
inline constexpr std::size_t kMaxTableCells = 8u * 1024u * 1024u;
// Deepest nesting of arrays/objects accepted in an object's JSON text.
inline constexpr std::size_t kMaxJsonDepth = 200;

struct Limits {
    std::size_t maxFrameSize = kMaxFrameSize;
    std::size_t maxTableCells = kMaxTableCells;
};

// First byte of every payload.
enum class MessageType : std::uint8_t {
    Hello = 1,   // both directions, once, first on a connection
    Call = 2,    // client -> server
    Answer = 3,  // server -> client
    Abort = 4,   // server -> client: protocol failure; the server closes the connection after it
};

struct Hello {
    std::string protocol;
    std::uint16_t version = 0;
};

// One decoded payload. Only the member matching `type` is filled.
struct Message {
    MessageType type = MessageType::Hello;
    Hello hello;
    Call call;
    Answer answer;
    std::string abortText;
};

// Whole frames (length prefix included), ready to write.
std::string encodeHelloFrame();
std::string encodeHelloFrame(std::string_view protocol, std::uint16_t version);
std::string encodeCallFrame(const Call& call);
std::string encodeAnswerFrame(const Answer& answer);
std::string encodeAbortFrame(std::string_view text);
// Length prefix + payload.
std::string frame(std::string_view payload);

// Decodes one payload (without its length prefix). Throws wire::Error on anything malformed,
// truncated or followed by trailing bytes.
Message decodeMessage(std::string_view payload, const Limits& limits = {});

// Throws wire::Error with a readable text unless the peer speaks our protocol and version.
void checkHello(const Hello& h);

// Single values and tables, as they appear inside calls and answers.
void appendValue(std::string& out, const Value& v);
Value decodeValue(std::string_view bytes, const Limits& limits = {});
void appendTable(std::string& out, const Table& t);
std::string encodeTable(const Table& t);
Table decodeTable(std::string_view bytes, const Limits& limits = {});

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates, <= U+10FFFF).
bool isValidUtf8(std::string_view s);
// The text with every invalid byte replaced by U+FFFD.
std::string toValidUtf8(std::string_view s);

// Splits a byte stream into frame payloads. Feed whatever arrived; take complete payloads
// with next(). Memory grows only with bytes actually fed, never with a declared length.
class FrameDecoder {
public:
    explicit FrameDecoder(std::size_t maxFrameSize = kMaxFrameSize) : maxFrameSize_(maxFrameSize) {}

    // Throws wire::Error when a length prefix exceeds the maximum (checked as soon as the
    // four prefix bytes are present). After an error the decoder stays failed.
    void feed(std::string_view bytes);
    // Moves the next complete payload into `payload`; false when none is complete yet.
    bool next(std::string& payload);
    // Bytes held that do not yet form a complete frame (0 between frames).
    std::size_t pending() const { return buffer_.size() - start_; }

private:
    void checkHeader();

    std::size_t maxFrameSize_;
    std::string buffer_;
    std::size_t start_ = 0;
    bool failed_ = false;
};

}  // namespace wire
