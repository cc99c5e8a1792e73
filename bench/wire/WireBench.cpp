// Figures for the remote-call protocol:
//  1. one remote call on a fresh connection (connect, handshake, call, close) against a bare TCP
//     connect + 100-byte echo + close, both on loopback against thread-per-connection servers;
//  2. encode/decode time and size of a data packet of 10,000 rows x 35 columns.
// Usage: wire_bench [connections-per-side]

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <list>
#include <string>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "wire/Client.h"
#include "wire/Codec.h"
#include "wire/TestServer.h"

using namespace wire;
using Clock = std::chrono::steady_clock;

namespace {

double micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double percentile90(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() * 9 / 10];
}

double mean(const std::vector<double>& v) {
    double s = 0;
    for (double x : v) s += x;
    return s / static_cast<double>(v.size());
}

// Bare echo server shaped like TestServer: one thread per connection, poll + recv, one write back.
class EchoServer {
public:
    EchoServer() {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int one = 1;
        ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd_, 128) != 0) std::abort();
        socklen_t len = sizeof a;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len);
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] { run(); });
    }
    ~EchoServer() {
        stop_ = true;
        ::shutdown(fd_, SHUT_RDWR);
        thread_.join();
        while (active_.load() > 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ::close(fd_);
    }
    std::uint16_t port() const { return port_; }

private:
    void run() {
        while (!stop_) {
            int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (c < 0) return;
            int one = 1;
            ::setsockopt(c, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            ++active_;
            std::thread([this, c] {
                char buf[64 * 1024];
                for (;;) {
                    pollfd p{c, POLLIN, 0};
                    if (::poll(&p, 1, -1) < 0) break;
                    ssize_t n = ::recv(c, buf, sizeof buf, 0);
                    if (n <= 0) break;
                    if (::send(c, buf, static_cast<std::size_t>(n), MSG_NOSIGNAL) != n) break;
                }
                ::close(c);
                --active_;
            }).detach();
        }
    }
    int fd_;
    std::uint16_t port_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::atomic<int> active_{0};
};

void bareEcho(std::uint16_t port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) std::abort();
    char msg[100];
    std::memset(msg, 'x', sizeof msg);
    if (::send(fd, msg, sizeof msg, MSG_NOSIGNAL) != 100) std::abort();
    char back[100];
    std::size_t got = 0;
    while (got < sizeof back) {
        ssize_t n = ::recv(fd, back + got, sizeof back - got, 0);
        if (n <= 0) std::abort();
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

class CartCountDispatcher : public Dispatcher {
public:
    Answer dispatch(const Call& c) override {
        Answer a;
        a.values = {Value(), Value::int32(c.params.at(0).asInt32() + 1)};
        return a;
    }
};

void freshConnectionCalls(int perSide) {
    EchoServer echo;
    CartCountDispatcher dispatcher;
    TestServer server(dispatcher);
    Endpoint e{"127.0.0.1", server.port(), 15000, 30000};
    Call call{"TServerMethods1.SepetVer2", {Value::int32(42)}};
    std::size_t callBytes = encodeHelloFrame().size() + encodeCallFrame(call).size();

    auto rpcOnce = [&] {
        Client c;
        c.connect(e);
        Answer a = c.call(call);
        if (!a.ok || a.values.at(1).asInt32() != 43) std::abort();
        c.close();
    };
    for (int i = 0; i < 200; ++i) {  // warm up both paths
        bareEcho(echo.port());
        rpcOnce();
    }
    std::vector<double> bare, rpc;
    // Alternating one by one so both sides see the same machine load.
    for (int i = 0; i < perSide; ++i) {
        auto t0 = Clock::now();
        bareEcho(echo.port());
        auto t1 = Clock::now();
        rpcOnce();
        auto t2 = Clock::now();
        bare.push_back(micros(t1 - t0));
        rpc.push_back(micros(t2 - t1));
    }
    std::printf("Fresh connection, loopback, %d of each (client sends %zu bytes for handshake + call)\n", perSide, callBytes);
    std::printf("  bare TCP connect + 100-byte echo + close : median %7.1f us   p90 %7.1f us   mean %7.1f us\n", median(bare),
                percentile90(bare), mean(bare));
    std::printf("  connect + handshake + call + close       : median %7.1f us   p90 %7.1f us   mean %7.1f us\n", median(rpc),
                percentile90(rpc), mean(rpc));
    std::printf("  ratio (median)                           : %.2fx   (goal: at most 1.25x)\n", median(rpc) / median(bare));
    std::printf("  ratio (mean)                             : %.2fx\n\n", mean(rpc) / mean(bare));
}

Table bigPacket(std::size_t rows) {
    Table t;
    // 35 columns in the mix of a stock list: numbers, prices, codes, names, dates, flags.
    const FieldType types[] = {FieldType::Integer, FieldType::Text,  FieldType::Text,     FieldType::Text,  FieldType::Float,
                               FieldType::Float,   FieldType::Float, FieldType::Float,    FieldType::Float, FieldType::Float,
                               FieldType::Integer, FieldType::Text,  FieldType::DateTime, FieldType::Boolean, FieldType::LargeInt};
    for (int c = 0; c < 35; ++c)
        t.columns.push_back({"KOLON" + std::to_string(c), types[c % 15], types[c % 15] == FieldType::Text ? 60 : 0});
    t.cells.reserve(rows * 35);
    for (std::size_t r = 0; r < rows; ++r) {
        for (int c = 0; c < 35; ++c) {
            switch (types[c % 15]) {
            case FieldType::Integer: t.cells.emplace_back(std::int64_t(r * 7 + c)); break;
            case FieldType::LargeInt: t.cells.emplace_back(std::int64_t(r) << 33); break;
            case FieldType::Float: t.cells.emplace_back(static_cast<double>(r) * 1.37 + c); break;
            case FieldType::DateTime: t.cells.emplace_back(45000.0 + static_cast<double>(r % 900) + 0.5); break;
            case FieldType::Boolean: t.cells.emplace_back(r % 3 == 0); break;
            case FieldType::Text:
                if (c % 15 == 2) t.cells.emplace_back("ÖN FREN BALATASI SERAMİK " + std::to_string(r) + " MERCEDES ACTROS");
                else if (r % 10 == 9) t.cells.emplace_back();  // some nulls
                else t.cells.emplace_back("KOD-" + std::to_string(r * 31 + c));
                break;
            default: t.cells.emplace_back(); break;
            }
        }
    }
    return t;
}

void dataPacket(int runs) {
    Table t = bigPacket(10000);
    Answer a;
    a.values = {Value(), Value::dataPacket(t)};
    std::vector<double> enc, dec, decMsg;
    std::string frameBytes;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        frameBytes = encodeAnswerFrame(a);
        enc.push_back(micros(Clock::now() - t0) / 1000.0);
    }
    std::string tableBytes = encodeTable(t);
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        Table back = decodeTable(tableBytes);
        dec.push_back(micros(Clock::now() - t0) / 1000.0);
        if (back.rowCount() != 10000) std::abort();
    }
    for (int i = 0; i < runs; ++i) {
        FrameDecoder fd;
        std::string payload;
        auto t0 = Clock::now();
        fd.feed(frameBytes);
        fd.next(payload);
        Message m = decodeMessage(payload);
        decMsg.push_back(micros(Clock::now() - t0) / 1000.0);
        if (!(m.answer.values.at(1).asTable() == t)) std::abort();
    }
    std::printf("Data packet 10,000 rows x 35 columns (%d runs)\n", runs);
    std::printf("  encoded size                  : %zu bytes (%.1f MB)\n", frameBytes.size(), frameBytes.size() / 1e6);
    std::printf("  encode answer frame           : median %7.2f ms   best %7.2f ms\n", median(enc), *std::min_element(enc.begin(), enc.end()));
    std::printf("  decode table                  : median %7.2f ms   best %7.2f ms   (goal: under 15 ms)\n", median(dec),
                *std::min_element(dec.begin(), dec.end()));
    std::printf("  frame + decode answer message : median %7.2f ms   best %7.2f ms\n", median(decMsg),
                *std::min_element(decMsg.begin(), decMsg.end()));
}

}  // namespace

int main(int argc, char** argv) {
    int perSide = argc > 1 ? std::atoi(argv[1]) : 2000;
    if (perSide < 50) perSide = 50;
    freshConnectionCalls(perSide);
    dataPacket(20);
    return 0;
}
