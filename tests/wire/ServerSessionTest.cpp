#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "wire/ServerSession.h"

using namespace wire;

namespace {

// Answers "TServerMethods1.Echo" with its parameters, throws for "TServerMethods1.Fail",
// returns an unsendable table for "TServerMethods1.Bad".
class EchoDispatcher : public Dispatcher {
public:
    Answer dispatch(const Call& c) override {
        ++calls;
        if (c.command == "TServerMethods1.Fail") throw std::runtime_error("Sepet bulunamadı");
        if (c.command == "TServerMethods1.Huge") {
            Answer a;
            a.values = {Value::stream(std::string(kMaxFrameSize, 'x'))};
            return a;
        }
        if (c.command == "TServerMethods1.Bad") {
            Table t;
            t.columns = {{"N", FieldType::Integer, 0}};
            t.appendRow({std::string("not a number")});
            Answer a;
            a.values = {Value::dataPacket(t)};
            return a;
        }
        Answer a;
        a.values = c.params;
        return a;
    }
    int calls = 0;
};

std::vector<Message> decodeAll(const std::string& bytes) {
    FrameDecoder d;
    d.feed(bytes);
    std::vector<Message> out;
    std::string p;
    while (d.next(p)) out.push_back(decodeMessage(p));
    EXPECT_EQ(d.pending(), 0u) << "output ends mid-frame";
    return out;
}

Call call(std::string method, std::vector<Value> params = {}) { return {"TServerMethods1." + method, std::move(params)}; }

}  // namespace

TEST(ServerSession, HandshakeAndCallsInOneChunkAnsweredInOrder) {
    EchoDispatcher d;
    ServerSession s(d);
    std::string out = s.feed(encodeHelloFrame() + encodeCallFrame(call("Echo", {Value::int32(1)})) +
                             encodeCallFrame(call("Fail")) + encodeCallFrame(call("Echo", {Value::text("ü")})));
    auto msgs = decodeAll(out);
    ASSERT_EQ(msgs.size(), 4u);
    EXPECT_EQ(msgs[0].type, MessageType::Hello);
    EXPECT_NO_THROW(checkHello(msgs[0].hello));
    EXPECT_EQ(msgs[1].answer.values.at(0).asInt32(), 1);
    // A dispatch exception is an error answer, and the connection goes on.
    EXPECT_FALSE(msgs[2].answer.ok);
    EXPECT_EQ(msgs[2].answer.error, "Sepet bulunamadı");
    EXPECT_EQ(msgs[3].answer.values.at(0).asText(), "ü");
    EXPECT_FALSE(s.wantsClose());
    EXPECT_EQ(s.callsAnswered(), 3u);
}

TEST(ServerSession, ByteByByteInputGivesTheSameAnswers) {
    EchoDispatcher d;
    ServerSession s(d);
    std::string in = encodeHelloFrame() + encodeCallFrame(call("Echo", {Value::real(2.5), Value::stream(std::string(300, '\0'))}));
    std::string out;
    for (char ch : in) {
        out += s.feed(std::string_view(&ch, 1));
        if (out.empty()) {
            EXPECT_EQ(d.calls, 0);
        }
    }
    auto msgs = decodeAll(out);
    ASSERT_EQ(msgs.size(), 2u);
    EXPECT_EQ(msgs[1].answer.values.at(1).asStream(), std::string(300, '\0'));
    EXPECT_FALSE(s.midFrame());
}

TEST(ServerSession, AnswerThatCannotBeEncodedBecomesAnErrorAnswer) {
    // A cell of the wrong type, and a result larger than any frame a client accepts.
    struct Case { const char* method; const char* expect; };
    for (const Case& c : {Case{"Bad", "\"N\""}, Case{"Huge", "exceeds the frame limit"}}) {
        EchoDispatcher d;
        ServerSession s(d);
        auto msgs = decodeAll(s.feed(encodeHelloFrame() + encodeCallFrame(call(c.method)) + encodeCallFrame(call("Echo"))));
        ASSERT_EQ(msgs.size(), 3u) << c.method;
        EXPECT_FALSE(msgs[1].answer.ok);
        EXPECT_NE(msgs[1].answer.error.find(c.expect), std::string::npos) << msgs[1].answer.error;
        EXPECT_TRUE(msgs[2].answer.ok) << "the connection goes on";
        EXPECT_FALSE(s.wantsClose());
    }
}

TEST(ServerSession, ProtocolFailuresAbortAndClose) {
    std::uint32_t oversized = kMaxFrameSize + 1;
    struct Case { const char* name; std::string input; const char* reason; };
    const Case cases[] = {
        {"wrong protocol", encodeHelloFrame("OTHER", 1), "protocol mismatch"},
        {"wrong version", encodeHelloFrame(kProtocolName, 9), "version 9"},
        {"call before handshake", encodeCallFrame(call("Echo")), "handshake"},
        {"second handshake", encodeHelloFrame() + encodeHelloFrame(), "second handshake"},
        {"answer from a client", encodeHelloFrame() + encodeAnswerFrame(Answer{}), "only calls"},
        {"oversized length", encodeHelloFrame() + std::string(reinterpret_cast<const char*>(&oversized), 4), "exceeds"},
        {"malformed call", encodeHelloFrame() + frame(std::string("\x02\x01\x00\x00\x00X\x01\x00\x00\x00\x0B", 11)), "unknown value kind"},
        {"http request", "GET / HTTP/1.1\r\nHost: x\r\n\r\n", "exceeds"},
    };
    for (const auto& c : cases) {
        EchoDispatcher d;
        ServerSession s(d);
        auto msgs = decodeAll(s.feed(c.input));
        ASSERT_FALSE(msgs.empty()) << c.name;
        EXPECT_EQ(msgs.back().type, MessageType::Abort) << c.name;
        EXPECT_NE(msgs.back().abortText.find(c.reason), std::string::npos) << c.name << ": " << msgs.back().abortText;
        EXPECT_TRUE(s.wantsClose()) << c.name;
        EXPECT_EQ(s.closeReason(), msgs.back().abortText);
        EXPECT_EQ(d.calls, 0) << c.name;
        // Nothing more is processed once closing.
        EXPECT_TRUE(s.feed(encodeCallFrame(call("Echo"))).empty()) << c.name;
        EXPECT_EQ(d.calls, 0) << c.name;
    }
}

TEST(ServerSession, RandomGarbageNeverCrashesAndEndsInClose) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 300; ++round) {
        EchoDispatcher d;
        ServerSession s(d);
        std::string in;
        // Half the rounds start with a valid handshake so the garbage reaches the call decoder.
        if (round % 2) in = encodeHelloFrame();
        std::size_t n = rng() % 64 + 1;
        // A plausible small length prefix first, so the body decoder sees the garbage too.
        std::uint32_t len = static_cast<std::uint32_t>(n);
        in.append(reinterpret_cast<const char*>(&len), 4);
        for (std::size_t i = 0; i < n; ++i) in.push_back(static_cast<char>(rng()));
        in.push_back(static_cast<char>(rng()));
        in.append(200, '\xff');
        std::string out = s.feed(in);
        EXPECT_TRUE(s.wantsClose()) << "round " << round;
        auto msgs = decodeAll(out);
        ASSERT_FALSE(msgs.empty());
        EXPECT_EQ(msgs.back().type, MessageType::Abort);
    }
}
