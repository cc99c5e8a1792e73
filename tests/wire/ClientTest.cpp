#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "wire/Client.h"
#include "wire/TestServer.h"

using namespace wire;

namespace {

class EchoDispatcher : public Dispatcher {
public:
    Answer dispatch(const Call& c) override {
        if (c.command == "TServerMethods1.Fail") throw std::runtime_error("Kullanıcı bulunamadı");
        Answer a;
        a.values = c.params;
        a.values.push_back(Value::text(c.command));
        return a;
    }
};

Table catalogueTable() {
    Table t;
    t.columns = {{"STOKNO", FieldType::Integer, 0}, {"STOKADI", FieldType::Text, 100}, {"FIYAT", FieldType::Float, 0},
                 {"TARIH", FieldType::DateTime, 0}, {"SEC", FieldType::Boolean, 0},  {"RESIM", FieldType::Blob, 0},
                 {"HAREKET", FieldType::LargeInt, 0}};
    for (int i = 0; i < 500; ++i)
        t.appendRow({std::int64_t{i}, "Parça " + std::to_string(i), i * 1.25, 45000.5 + i, i % 2 == 0,
                     Blob{std::string(static_cast<std::size_t>(i % 7), '\0')}, std::int64_t{1} << 40});
    t.appendRow({});
    return t;
}

// A hand-written peer: listens on an ephemeral loopback port and runs `behaviour` on the first
// accepted connection.
class FakePeer {
public:
    explicit FakePeer(std::function<void(int)> behaviour) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(fd_, 4);
        socklen_t len = sizeof a;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this, behaviour] {
            int c = ::accept(fd_, nullptr, nullptr);
            if (c >= 0) {
                behaviour(c);
                ::close(c);
            }
        });
    }
    ~FakePeer() {
        ::shutdown(fd_, SHUT_RDWR);
        thread_.join();
        ::close(fd_);
    }
    std::uint16_t port() const { return port_; }

private:
    int fd_;
    std::uint16_t port_;
    std::thread thread_;
};

// Reads whatever the client sent first (so the client does not see a reset).
std::string readSome(int fd) {
    char buf[4096];
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 2000) <= 0) return {};
    ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

void sendAll(int fd, const std::string& s) { (void)!::send(fd, s.data(), s.size(), MSG_NOSIGNAL); }

// Waits until the client hangs up.
void waitForClose(int fd) {
    char buf[256];
    pollfd p{fd, POLLIN, 0};
    while (::poll(&p, 1, 5000) > 0 && ::recv(fd, buf, sizeof buf, 0) > 0) {
    }
}

Endpoint local(std::uint16_t port, int readTimeoutMs = 5000) { return Endpoint{"127.0.0.1", port, 2000, readTimeoutMs}; }

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace

TEST(Client, EveryValueKindRoundTripsThroughARealSocket) {
    EchoDispatcher d;
    TestServer server(d);
    Client c;
    c.connect(local(server.port()));
    ASSERT_TRUE(c.connected());
    std::string allBytes;
    for (int i = 0; i < 1024; ++i) allBytes.push_back(static_cast<char>(i));
    Call call{"TServerMethods1.SepetVer2",
              {Value(), Value::int32(-2147483647 - 1), Value::int64(1LL << 62), Value::real(-1.0 / 3.0), Value::boolean(false),
               Value::text("Ağır vasıta ÇİFT ŞANZIMAN"),
               Value::object(nlohmann::ordered_json::parse(R"({"type":"usinif.TSonucBilgisi","id":1,"fields":{"FKULLANICIADI":"x","FCARINO":7}})")),
               Value::object(nullptr), Value::rowSet(catalogueTable()), Value::dataPacket(catalogueTable()),
               Value::stream(allBytes), Value::stream(std::string())}};
    Answer a = c.call(call);
    ASSERT_TRUE(a.ok) << a.error;
    ASSERT_EQ(a.values.size(), call.params.size() + 1);
    for (std::size_t i = 0; i < call.params.size(); ++i) EXPECT_EQ(a.values[i], call.params[i]) << "position " << i;
    EXPECT_EQ(a.values[6].asObject().begin().key(), "type");
    EXPECT_TRUE(a.values[7].asObject().is_null()) << "no object stays no object";
    EXPECT_EQ(a.values[10].asStream().size(), 1024u);
    EXPECT_EQ(a.values[11].asStream().size(), 0u);
    EXPECT_EQ(a.values.back().asText(), "TServerMethods1.SepetVer2");
}

TEST(Client, ServerErrorsAreAnswersAndTheConnectionStaysUsable) {
    EchoDispatcher d;
    TestServer server(d);
    Client c;
    c.connect(local(server.port()));
    Answer bad = c.call({"TServerMethods1.Fail", {}});
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.error, "Kullanıcı bulunamadı");
    Answer good = c.call({"TServerMethods1.BuyukGetir", {Value::text("ID")}});
    ASSERT_TRUE(good.ok);
    EXPECT_EQ(good.values.at(0).asText(), "ID");
    c.close();
    EXPECT_FALSE(c.connected());
    // A new connection does its own handshake.
    c.connect(local(server.port()));
    EXPECT_TRUE(c.call({"TServerMethods1.X", {}}).ok);
    EXPECT_EQ(server.connectionsAccepted(), 2u);
}

TEST(Client, HandshakeTravelsWithTheFirstCallInOneWrite) {
    std::string received;
    {
        FakePeer peer([&](int fd) {
            // Everything the client sends for its first call must arrive without the server
            // saying anything first.
            FrameDecoder dec;
            std::string p;
            std::vector<Message> msgs;
            while (msgs.size() < 2) {
                std::string chunk = readSome(fd);
                if (chunk.empty()) break;
                received += chunk;
                dec.feed(chunk);
                while (dec.next(p)) msgs.push_back(decodeMessage(p));
            }
            sendAll(fd, encodeHelloFrame() + encodeAnswerFrame(Answer{}));
            waitForClose(fd);
        });
        Client c;
        c.connect(local(peer.port()));
        EXPECT_TRUE(c.call({"TServerMethods1.KargoVer", {}}).ok);
    }
    EXPECT_EQ(received, encodeHelloFrame() + encodeCallFrame({"TServerMethods1.KargoVer", {}}));
}

TEST(Client, TransportAndProtocolFailuresAreClearErrors) {
    std::uint32_t oversized = kMaxFrameSize + 1;
    std::string oversizedPrefix(reinterpret_cast<const char*>(&oversized), 4);
    std::string answer = encodeAnswerFrame(Answer{});
    struct Case {
        const char* name;
        std::string reply;  // what the peer sends after reading the call
        const char* expect;
    };
    const Case cases[] = {
        {"wrong protocol", encodeHelloFrame("OTHER-RPC", 1) + answer, "does not speak this protocol"},
        {"wrong version", encodeHelloFrame(kProtocolName, 7) + answer, "version 7"},
        {"abort", encodeAbortFrame("protocol mismatch: nope"), "ended the connection: protocol mismatch: nope"},
        {"answer before handshake", answer, "before the handshake"},
        {"truncated frame", encodeHelloFrame() + answer.substr(0, answer.size() - 1), "closed the connection"},
        {"oversized length", encodeHelloFrame() + oversizedPrefix, "exceeds the limit"},
        {"malformed answer", encodeHelloFrame() + frame(std::string("\x03\x07", 2)), "Invalid data from the server"},
        {"nothing at all", "", "closed the connection"},
    };
    for (const auto& c : cases) {
        FakePeer peer([&](int fd) {
            readSome(fd);
            sendAll(fd, c.reply);
            ::shutdown(fd, SHUT_WR);
            waitForClose(fd);
        });
        Client client;
        client.connect(local(peer.port()));
        std::string err = errorOf([&] { client.call({"TServerMethods1.TeslimVer", {}}); });
        EXPECT_NE(err.find(c.expect), std::string::npos) << c.name << ": " << err;
        EXPECT_FALSE(client.connected()) << c.name;
    }
}

TEST(Client, PeerThatStopsSendingHitsTheReadTimeout) {
    std::string partial = encodeHelloFrame() + encodeAnswerFrame(Answer{}).substr(0, 3);
    FakePeer peer([&](int fd) {
        readSome(fd);
        sendAll(fd, partial);
        waitForClose(fd);  // silent until the client gives up
    });
    Client c;
    c.connect(local(peer.port(), 300));
    std::string err = errorOf([&] { c.call({"TServerMethods1.SepetVer2", {Value::int32(42)}}); });
    EXPECT_NE(err.find("No answer from the server within 300 ms"), std::string::npos) << err;
    EXPECT_FALSE(c.connected());
}

TEST(Client, ConnectFailures) {
    // A port that was just free: nothing listens there.
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    std::uint16_t freePort = ntohs(a.sin_port);
    ::close(s);

    Client c;
    std::string refused = errorOf([&] { c.connect(local(freePort)); });
    EXPECT_EQ(refused, "Connection refused (127.0.0.1:" + std::to_string(freePort) + ")");
    EXPECT_FALSE(c.connected());
    EXPECT_NE(errorOf([&] { c.connect(Endpoint{"no-such-host.invalid", 9090, 2000, 2000}); }).find("Unknown host"), std::string::npos);
    EXPECT_NE(errorOf([&] { c.call({"TServerMethods1.X", {}}); }).find("Not connected"), std::string::npos);
}

TEST(Client, ConnectTimesOutWhenTheServerNeverAccepts) {
    // A listener whose accept queue is full drops further connection attempts.
    int l = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(l, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(l, 0), 0);
    socklen_t len = sizeof a;
    ::getsockname(l, reinterpret_cast<sockaddr*>(&a), &len);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        int f = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ::connect(f, reinterpret_cast<sockaddr*>(&a), sizeof a);
        fillers.push_back(f);
    }
    Client c;
    Endpoint e{"127.0.0.1", ntohs(a.sin_port), 300, 1000};
    std::string err = errorOf([&] { c.connect(e); });
    EXPECT_EQ(err, "Connection timed out after 300 ms (127.0.0.1:" + std::to_string(e.port) + ")");
    EXPECT_FALSE(c.connected());
    for (int f : fillers) ::close(f);
    ::close(l);
}

TEST(Client, WrongHandshakeFromAClientGetsAnAbortFromTheServer) {
    EchoDispatcher d;
    TestServer server(d);
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(server.port());
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    sendAll(fd, encodeHelloFrame(kProtocolName, 99) + encodeCallFrame({"TServerMethods1.X", {}}));
    std::string got;
    for (std::string chunk; !(chunk = readSome(fd)).empty();) got += chunk;  // until the server closes
    ::close(fd);
    FrameDecoder dec;
    dec.feed(got);
    std::string p;
    ASSERT_TRUE(dec.next(p));
    Message m = decodeMessage(p);
    ASSERT_EQ(m.type, MessageType::Abort);
    EXPECT_NE(m.abortText.find("version 99"), std::string::npos) << m.abortText;
    EXPECT_FALSE(dec.next(p));
    // The server keeps serving others.
    Client c;
    c.connect(local(server.port()));
    EXPECT_TRUE(c.call({"TServerMethods1.X", {}}).ok);
}
