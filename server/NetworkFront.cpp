#include "server/NetworkFront.h"

#include <asio.hpp>

#include <chrono>
#include <list>
#include <mutex>
#include <iostream>
#include <stdexcept>

#include "wire/Codec.h"
#include "wire/ServerSession.h"

namespace server {

using asio::ip::tcp;
using Clock = std::chrono::steady_clock;
class FrontConnection;

struct NetworkFront::Impl {
    Impl(wire::Dispatcher& d, FrontOptions o) : dispatcher(d), options(std::move(o)) {
        // One single-threaded context per thread: a connection lives on one thread, no strands
        // or cross-thread hand-offs on the way of a call.
        for (int t = 0; t < std::max(1, options.threads); ++t) contexts.push_back(std::make_unique<asio::io_context>(1));
        for (auto& c : contexts) acceptors.push_back(std::make_unique<tcp::acceptor>(*c));
        sweeper = std::make_unique<asio::steady_timer>(*contexts[0]);
    }

    void accept(std::size_t k);
    void sweep();

    // Connections still queued in `io` when it is destroyed count down `open`: it is declared first.
    std::atomic<int> open{0};
    std::atomic<bool> stopped{false};
    std::uint16_t boundPort = 0;
    wire::Dispatcher& dispatcher;
    FrontOptions options;
    std::vector<std::unique_ptr<asio::io_context>> contexts;
    // One listening socket per context on the same port (SO_REUSEPORT): the kernel spreads the
    // connections and each is served start to end by the thread that accepted it.
    std::vector<std::unique_ptr<tcp::acceptor>> acceptors;
    std::unique_ptr<asio::steady_timer> sweeper;
    std::mutex liveMutex;
    std::list<std::weak_ptr<FrontConnection>> live;  // for the timeout sweep
    std::vector<std::thread> threads;
};

// One client connection. Timeouts are deadlines checked by one sweep timer for all connections,
// so that no read or write costs a timer system call.
class FrontConnection : public std::enable_shared_from_this<FrontConnection> {
public:
    FrontConnection(NetworkFront::Impl& front, tcp::socket socket)
        : front_(front), socket_(std::move(socket)), session_(front.dispatcher) {
        ++front_.open;
    }
    ~FrontConnection() { --front_.open; }

    void start() {
        asio::error_code ec;
        socket_.set_option(tcp::no_delay(true), ec);
        arm();  // before the sweep can see it
        {
            std::lock_guard lock(front_.liveMutex);
            front_.live.push_back(weak_from_this());
            self_ = std::prev(front_.live.end());
        }
        read();
    }

    // Called by the sweep: closes the connection when its deadline has passed.
    void expireIfDue(Clock::time_point now) {
        if (now.time_since_epoch().count() >= deadline_.load())
            asio::post(socket_.get_executor(), [self = shared_from_this()] { self->close(); });
    }

private:
    void arm() {
        int ms = !session_.handshakeDone() ? front_.options.handshakeTimeoutMs
                 : session_.midFrame()     ? front_.options.readTimeoutMs
                                           : front_.options.idleTimeoutMs;
        deadline_ = (Clock::now() + std::chrono::milliseconds(ms)).time_since_epoch().count();
    }

    void read() {
        arm();
        socket_.async_read_some(
            asio::buffer(buffer_),
            [self = shared_from_this()](const asio::error_code& ec, std::size_t n) {
                if (ec) return self->close();
                std::string reply = self->session_.feed(std::string_view(self->buffer_.data(), n));
                if (reply.empty()) {
                    if (self->session_.wantsClose()) return self->close();
                    return self->read();
                }
                self->write(std::move(reply));
            });
    }

    void write(std::string bytes) {
        out_ = std::move(bytes);
        arm();
        asio::async_write(socket_, asio::buffer(out_), [self = shared_from_this()](const asio::error_code& ec, std::size_t) {
            if (ec || self->session_.wantsClose()) return self->close();
            self->read();
        });
    }

    void close() {
        if (closed_) return;
        closed_ = true;
        asio::error_code ec;
        socket_.close(ec);
        std::lock_guard lock(front_.liveMutex);
        front_.live.erase(self_);
    }

    NetworkFront::Impl& front_;
    tcp::socket socket_;
    wire::ServerSession session_;
    std::array<char, 16384> buffer_;  // not zeroed: filled by reads
    std::string out_;
    std::atomic<Clock::rep> deadline_{0};
    std::list<std::weak_ptr<FrontConnection>>::iterator self_;
    bool closed_ = false;
};

namespace {
constexpr auto kSweepInterval = std::chrono::milliseconds(100);
}  // namespace

void NetworkFront::Impl::sweep() {
    sweeper->expires_after(kSweepInterval);
    sweeper->async_wait([this](const asio::error_code& ec) {
        if (ec || stopped) return;
        auto now = Clock::now();
        std::vector<std::shared_ptr<FrontConnection>> due;
        {
            std::lock_guard lock(liveMutex);
            for (auto& w : live)
                if (auto c = w.lock()) due.push_back(std::move(c));
        }
        for (auto& c : due) c->expireIfDue(now);
        sweep();
    });
}

void NetworkFront::Impl::accept(std::size_t k) {
    acceptors[k]->async_accept([this, k](const asio::error_code& ec, tcp::socket socket) {
        if (stopped) return;
        if (!ec) {
            if (open.load() >= options.maxConnections) {
                // Refuse politely: one abort frame with the reason, then close.
                asio::error_code wec;
                asio::write(socket, asio::buffer(wire::encodeAbortFrame("Sunucu meşgul, lütfen tekrar deneyin")), wec);
                socket.close(wec);
            } else {
                std::make_shared<FrontConnection>(*this, std::move(socket))->start();
            }
        }
        accept(k);
    });
}

NetworkFront::NetworkFront(wire::Dispatcher& dispatcher, FrontOptions options)
    : impl_(std::make_unique<Impl>(dispatcher, std::move(options))) {}

NetworkFront::~NetworkFront() { stop(); }

namespace {
using ReusePort = asio::detail::socket_option::boolean<SOL_SOCKET, SO_REUSEPORT>;
}

void NetworkFront::start() {
    auto& i = *impl_;
    tcp::endpoint ep(asio::ip::make_address(i.options.host), i.options.port);
    auto fail = [&](const asio::error_code& ec) {
        throw std::runtime_error("port " + std::to_string(i.options.port) + " kullanılamıyor: " + ec.message());
    };
    asio::error_code ec;
    if (i.options.port != 0) {
        // A port another program (or another korvel-server) holds is an error, not a share.
        tcp::acceptor probe(*i.contexts[0]);
        probe.open(ep.protocol());
        probe.set_option(tcp::acceptor::reuse_address(true));
        probe.bind(ep, ec);
        if (ec) fail(ec);
        probe.close();
    }
    for (std::size_t k = 0; k < i.acceptors.size(); ++k) {
        auto& a = *i.acceptors[k];
        a.open(ep.protocol());
        a.set_option(tcp::acceptor::reuse_address(true));
        a.set_option(ReusePort(true));
        a.bind(k == 0 ? ep : tcp::endpoint(ep.address(), i.boundPort), ec);
        if (ec) fail(ec);
        a.listen(asio::socket_base::max_listen_connections);
        if (k == 0) i.boundPort = a.local_endpoint().port();
    }
    for (std::size_t k = 0; k < i.acceptors.size(); ++k) i.accept(k);
    i.sweep();
    for (auto& c : i.contexts) {
        asio::io_context* ctx = c.get();
        i.threads.emplace_back([ctx] {
            auto guard = asio::make_work_guard(*ctx);  // idle contexts wait for connections
            for (;;) {
                try {
                    ctx->run();
                    return;
                } catch (const std::exception& e) {
                    // One connection's failure must not end the thread that serves the others.
                    std::cerr << "network: " << e.what() << '\n';
                }
            }
        });
    }
}

void NetworkFront::stop() {
    if (!impl_) return;
    auto& i = *impl_;
    if (i.stopped.exchange(true)) return;
    for (std::size_t k = 0; k < i.contexts.size(); ++k)
        asio::post(*i.contexts[k], [&i, k] {
            asio::error_code ec;
            i.acceptors[k]->close(ec);
        });
    for (auto& c : i.contexts) c->stop();
    for (auto& t : i.threads)
        if (t.joinable()) t.join();
}

std::uint16_t NetworkFront::port() const { return impl_->boundPort; }
int NetworkFront::openConnections() const { return impl_->open.load(); }

}  // namespace server
