#include "wire/Client.h"

#include <cerrno>
#include <chrono>
#include <cstring>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace wire {
namespace {

std::string where(const Endpoint& e) { return e.host + ":" + std::to_string(e.port); }

// Waits for `events` on fd; returns false on timeout. Retries on EINTR with the time left.
bool waitFor(int fd, short events, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd p{fd, events, 0};
        int left = timeoutMs < 0 ? -1
                                 : static_cast<int>(std::max<long long>(
                                       0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count()));
        int r = ::poll(&p, 1, left);
        if (r > 0) return true;
        if (r == 0) return false;
        if (errno != EINTR) throw Error(std::string("poll failed: ") + std::strerror(errno));
    }
}

// Non-blocking connect with a timeout; returns the connected socket or -1 with `err` set.
int connectOne(const addrinfo* ai, int timeoutMs, int& err, bool& timedOut) {
    int fd = ::socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, ai->ai_protocol);
    if (fd < 0) {
        err = errno;
        return -1;
    }
    if (::connect(fd, ai->ai_addr, ai->ai_addrlen) == 0) return fd;
    if (errno != EINPROGRESS) {
        err = errno;
        ::close(fd);
        return -1;
    }
    if (!waitFor(fd, POLLOUT, timeoutMs)) {
        timedOut = true;
        err = ETIMEDOUT;
        ::close(fd);
        return -1;
    }
    int soErr = 0;
    socklen_t len = sizeof soErr;
    ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soErr, &len);
    if (soErr != 0) {
        err = soErr;
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

Client::Client() = default;

Client::~Client() { close(); }

bool Client::connected() const { return fd_ >= 0; }

void Client::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    helloSent_ = false;
    helloReceived_ = false;
    decoder_ = FrameDecoder();
}

void Client::fail(const std::string& text) {
    close();
    throw Error(text);
}

void Client::connect(const Endpoint& e) {
    close();
    endpoint_ = e;
    if (e.host.empty()) throw Error("No server host given");
    int err = 0;
    bool timedOut = false;
    int fd = -1;
    // Literal addresses skip the resolver.
    sockaddr_in v4{};
    sockaddr_in6 v6{};
    addrinfo literal{};
    literal.ai_socktype = SOCK_STREAM;
    if (::inet_pton(AF_INET, e.host.c_str(), &v4.sin_addr) == 1) {
        v4.sin_family = AF_INET;
        v4.sin_port = htons(e.port);
        literal.ai_family = AF_INET;
        literal.ai_addr = reinterpret_cast<sockaddr*>(&v4);
        literal.ai_addrlen = sizeof v4;
        fd = connectOne(&literal, e.connectTimeoutMs, err, timedOut);
    } else if (::inet_pton(AF_INET6, e.host.c_str(), &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(e.port);
        literal.ai_family = AF_INET6;
        literal.ai_addr = reinterpret_cast<sockaddr*>(&v6);
        literal.ai_addrlen = sizeof v6;
        fd = connectOne(&literal, e.connectTimeoutMs, err, timedOut);
    } else {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_NUMERICSERV;
        addrinfo* list = nullptr;
        std::string port = std::to_string(e.port);
        int rc = ::getaddrinfo(e.host.c_str(), port.c_str(), &hints, &list);
        if (rc != 0) throw Error("Unknown host \"" + e.host + "\": " + ::gai_strerror(rc));
        for (const addrinfo* ai = list; ai && fd < 0; ai = ai->ai_next) fd = connectOne(ai, e.connectTimeoutMs, err, timedOut);
        ::freeaddrinfo(list);
    }
    if (fd < 0) {
        if (timedOut && err == ETIMEDOUT)
            throw Error("Connection timed out after " + std::to_string(e.connectTimeoutMs) + " ms (" + where(e) + ")");
        throw Error(std::string(std::strerror(err)) + " (" + where(e) + ")");
    }
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    fd_ = fd;
}

void Client::sendAll(const std::string& bytes) {
    std::size_t off = 0;
    while (off < bytes.size()) {
        ssize_t n = ::send(fd_, bytes.data() + off, bytes.size() - off, MSG_NOSIGNAL);
        if (n > 0) {
            off += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitFor(fd_, POLLOUT, endpoint_.readTimeoutMs))
                fail("Sending to the server timed out after " + std::to_string(endpoint_.readTimeoutMs) + " ms (" + where(endpoint_) + ")");
            continue;
        }
        fail(std::string("Sending to the server failed: ") + std::strerror(errno) + " (" + where(endpoint_) + ")");
    }
}

Message Client::readMessage() {
    std::string payload;
    char buf[64 * 1024];
    for (;;) {
        try {
            if (decoder_.next(payload)) return decodeMessage(payload);
        } catch (const Error& ex) {
            fail(std::string("Invalid data from the server: ") + ex.what());
        }
        if (!waitFor(fd_, POLLIN, endpoint_.readTimeoutMs))
            fail("No answer from the server within " + std::to_string(endpoint_.readTimeoutMs) + " ms (" + where(endpoint_) + ")");
        ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
        if (n == 0) fail("The server closed the connection before answering (" + where(endpoint_) + ")");
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
            fail(std::string("Receiving from the server failed: ") + std::strerror(errno) + " (" + where(endpoint_) + ")");
        }
        try {
            decoder_.feed(std::string_view(buf, static_cast<std::size_t>(n)));
        } catch (const Error& ex) {
            fail(std::string("Invalid data from the server: ") + ex.what());
        }
    }
}

Answer Client::call(const Call& c) {
    if (fd_ < 0) throw Error("Not connected to the server");
    std::string out;
    if (!helloSent_) out = encodeHelloFrame();
    out += encodeCallFrame(c);
    sendAll(out);
    helloSent_ = true;
    for (;;) {
        Message m = readMessage();
        switch (m.type) {
        case MessageType::Hello:
            if (helloReceived_) fail("Invalid data from the server: a second handshake");
            try {
                checkHello(m.hello);
            } catch (const Error& ex) {
                fail(std::string("The server does not speak this protocol: ") + ex.what());
            }
            helloReceived_ = true;
            break;
        case MessageType::Abort: fail("The server ended the connection: " + m.abortText);
        case MessageType::Answer:
            if (!helloReceived_) fail("Invalid data from the server: answer before the handshake");
            return std::move(m.answer);
        case MessageType::Call: fail("Invalid data from the server: unexpected call message");
        }
    }
}

}  // namespace wire
