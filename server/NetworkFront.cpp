#include "server/NetworkFront.h"

#include <asio.hpp>

#include <chrono>
#include <iostream>
#include <stdexcept>

#include "wire/Codec.h"
#include "wire/ServerSession.h"

namespace server {

using asio::ip::tcp;

struct NetworkFront::Impl {
    Impl(wire::Dispatcher& d, FrontOptions o) : dispatcher(d), options(std::move(o)), acceptor(io) {}

    void accept();

    // Connections still queued in `io` when it is destroyed count down `open`: it is declared first.
    std::atomic<int> open{0};
    std::atomic<bool> stopped{false};
    std::uint16_t boundPort = 0;
    wire::Dispatcher& dispatcher;
    FrontOptions options;
    asio::io_context io;
    tcp::acceptor acceptor;
    std::vector<std::thread> threads;
};

namespace {

class Connection : public std::enable_shared_from_this<Connection> {
public:
    Connection(NetworkFront::Impl& front, tcp::socket socket)
        : front_(front), socket_(std::move(socket)), strand_(asio::make_strand(front.io)), timer_(front.io),
          session_(front.dispatcher) {
        ++front_.open;
    }
    ~Connection() { --front_.open; }

    void start() {
        asio::error_code ec;
        socket_.set_option(tcp::no_delay(true), ec);
        read();
    }

private:
    void armTimer() {
        int ms = !session_.handshakeDone() ? front_.options.handshakeTimeoutMs
                 : session_.midFrame()     ? front_.options.readTimeoutMs
                                           : front_.options.idleTimeoutMs;
        timer_.expires_after(std::chrono::milliseconds(ms));
        timer_.async_wait(asio::bind_executor(strand_, [self = shared_from_this()](const asio::error_code& ec) {
            if (!ec) self->close();
        }));
    }

    void read() {
        armTimer();
        socket_.async_read_some(
            asio::buffer(buffer_),
            asio::bind_executor(strand_, [self = shared_from_this()](const asio::error_code& ec, std::size_t n) {
                self->timer_.cancel();
                if (ec) return self->close();
                std::string reply = self->session_.feed(std::string_view(self->buffer_.data(), n));
                if (reply.empty()) {
                    if (self->session_.wantsClose()) return self->close();
                    return self->read();
                }
                self->write(std::move(reply));
            }));
    }

    void write(std::string bytes) {
        out_ = std::move(bytes);
        armTimer();
        asio::async_write(socket_, asio::buffer(out_),
                          asio::bind_executor(strand_, [self = shared_from_this()](const asio::error_code& ec,
                                                                                    std::size_t) {
                              self->timer_.cancel();
                              if (ec || self->session_.wantsClose()) return self->close();
                              self->read();
                          }));
    }

    void close() {
        asio::error_code ec;
        timer_.cancel();
        socket_.shutdown(tcp::socket::shutdown_both, ec);
        socket_.close(ec);
    }

    NetworkFront::Impl& front_;
    tcp::socket socket_;
    asio::strand<asio::io_context::executor_type> strand_;
    asio::steady_timer timer_;
    wire::ServerSession session_;
    std::array<char, 65536> buffer_{};
    std::string out_;
};

}  // namespace

void NetworkFront::Impl::accept() {
    acceptor.async_accept([this](const asio::error_code& ec, tcp::socket socket) {
        if (stopped) return;
        if (!ec) {
            if (open.load() >= options.maxConnections) {
                // Refuse politely: one abort frame with the reason, then close.
                asio::error_code wec;
                asio::write(socket, asio::buffer(wire::encodeAbortFrame("Sunucu meşgul, lütfen tekrar deneyin")), wec);
                socket.close(wec);
            } else {
                std::make_shared<Connection>(*this, std::move(socket))->start();
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
    i.acceptor.open(ep.protocol());
    i.acceptor.set_option(tcp::acceptor::reuse_address(true));
    asio::error_code ec;
    i.acceptor.bind(ep, ec);
    if (ec) throw std::runtime_error("port " + std::to_string(i.options.port) + " kullanılamıyor: " + ec.message());
    i.acceptor.listen(asio::socket_base::max_listen_connections);
    i.boundPort = i.acceptor.local_endpoint().port();
    i.accept();
    for (int t = 0; t < std::max(1, i.options.threads); ++t) i.threads.emplace_back([&i] { i.io.run(); });
}

void NetworkFront::stop() {
    if (!impl_) return;
    auto& i = *impl_;
    if (i.stopped.exchange(true)) return;
    asio::post(i.io, [&i] {
        asio::error_code ec;
        i.acceptor.close(ec);
    });
    i.io.stop();
    for (auto& t : i.threads)
        if (t.joinable()) t.join();
}

std::uint16_t NetworkFront::port() const { return impl_->boundPort; }
int NetworkFront::openConnections() const { return impl_->open.load(); }

}  // namespace server
