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
        load = std::make_unique<std::atomic<int>[]>(contexts.size());
        acceptor = std::make_unique<tcp::acceptor>(*contexts[0]);
        sweeper = std::make_unique<asio::steady_timer>(*contexts[0]);
    }

    void accept();
    std::size_t pickContext() const;
    void sweep();

    // Connections still queued in `io` when it is destroyed count down `open`: it is declared first.
    std::atomic<int> open{0};
    std::unique_ptr<std::atomic<int>[]> load;  // open connections per context; outlives `contexts` too
    std::atomic<bool> stopped{false};
    std::uint16_t boundPort = 0;
    wire::Dispatcher& dispatcher;
    FrontOptions options;
    std::vector<std::unique_ptr<asio::io_context>> contexts;
    std::unique_ptr<tcp::acceptor> acceptor;  // on the first context
    std::unique_ptr<asio::steady_timer> sweeper;
    std::mutex liveMutex;
    std::list<std::weak_ptr<FrontConnection>> live;  // for the timeout sweep
    std::vector<std::thread> threads;
};

// One client connection. Timeouts are deadlines checked by one sweep timer for all connections,
// so that no read or write costs a timer system call.
class FrontConnection : public std::enable_shared_from_this<FrontConnection> {
public:
    FrontConnection(NetworkFront::Impl& front, tcp::socket socket, std::size_t context)
        : front_(front), socket_(std::move(socket)), session_(front.dispatcher), context_(context) {
        ++front_.open;
        ++front_.load[context_];
    }
    ~FrontConnection() {
        --front_.load[context_];
        --front_.open;
    }

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
    std::size_t context_;
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

// A connection stays on the accepting thread while that thread serves almost nothing else (the
// common case of one client opening a connection per call: no hand-over, no wake-up of another
// thread); otherwise it goes to the least loaded thread.
std::size_t NetworkFront::Impl::pickContext() const {
    if (load[0].load() < 2 || contexts.size() == 1) return 0;
    std::size_t best = 0;
    for (std::size_t k = 1; k < contexts.size(); ++k)
        if (load[k].load() < load[best].load()) best = k;
    return best;
}

void NetworkFront::Impl::accept() {
    std::size_t k = pickContext();
    acceptor->async_accept(*contexts[k], [this, k](const asio::error_code& ec, tcp::socket socket) {
        if (stopped) return;
        if (!ec) {
            if (open.load() >= options.maxConnections) {
                // Refuse politely: one abort frame with the reason, then close.
                asio::error_code wec;
                asio::write(socket, asio::buffer(wire::encodeAbortFrame("Sunucu meşgul, lütfen tekrar deneyin")), wec);
                socket.close(wec);
            } else {
                std::make_shared<FrontConnection>(*this, std::move(socket), k)->start();
            }
        }
        accept();
    });
}

NetworkFront::NetworkFront(wire::Dispatcher& dispatcher, FrontOptions options)
    : impl_(std::make_unique<Impl>(dispatcher, std::move(options))) {}

NetworkFront::~NetworkFront() { stop(); }

void NetworkFront::start() {
    auto& i = *impl_;
    tcp::endpoint ep(asio::ip::make_address(i.options.host), i.options.port);
    i.acceptor->open(ep.protocol());
    i.acceptor->set_option(tcp::acceptor::reuse_address(true));
    asio::error_code ec;
    i.acceptor->bind(ep, ec);
    if (ec) throw std::runtime_error("port " + std::to_string(i.options.port) + " kullanılamıyor: " + ec.message());
    i.acceptor->listen(asio::socket_base::max_listen_connections);
    i.boundPort = i.acceptor->local_endpoint().port();
    i.accept();
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
    asio::post(*i.contexts[0], [&i] {
        asio::error_code ec;
        i.acceptor->close(ec);
    });
    for (auto& c : i.contexts) c->stop();
    for (auto& t : i.threads)
        if (t.joinable()) t.join();
}

std::uint16_t NetworkFront::port() const { return impl_->boundPort; }
int NetworkFront::openConnections() const { return impl_->open.load(); }

}  // namespace server
