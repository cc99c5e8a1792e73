#include "wire/TestServer.h"

#include <cerrno>
#include <cstring>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace wire {

TestServer::TestServer(Dispatcher& d, Limits limits) : dispatcher_(d), limits_(limits) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) throw Error(std::string("socket: ") + std::strerror(errno));
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    int one = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listenFd_, 128) != 0) {
        int err = errno;
        ::close(listenFd_);
        throw Error(std::string("cannot listen: ") + std::strerror(err));
    }
    socklen_t len = sizeof addr;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        ::close(listenFd_);
        throw Error(std::string("pipe: ") + std::strerror(errno));
    }
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    acceptThread_ = std::thread([this] { acceptLoop(); });
}

TestServer::~TestServer() { stop(); }

void TestServer::stop() {
    if (stopping_.exchange(true)) return;
    char b = 1;
    (void)!::write(wakeWrite_, &b, 1);
    if (acceptThread_.joinable()) acceptThread_.join();
    std::list<Connection> conns;
    {
        std::lock_guard lock(mutex_);
        conns.swap(connections_);
    }
    for (auto& c : conns)
        if (c.thread.joinable()) c.thread.join();
    ::close(listenFd_);
    ::close(wakeRead_);
    ::close(wakeWrite_);
}

void TestServer::reapFinished() {
    std::lock_guard lock(mutex_);
    for (auto it = connections_.begin(); it != connections_.end();) {
        if (it->done.load()) {
            it->thread.join();
            it = connections_.erase(it);
        } else {
            ++it;
        }
    }
}

void TestServer::acceptLoop() {
    for (;;) {
        pollfd p[2] = {{listenFd_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (p[1].revents) return;
        int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        ++accepted_;
        reapFinished();
        std::lock_guard lock(mutex_);
        Connection& c = connections_.emplace_back();
        c.fd = fd;
        c.thread = std::thread([this, &c] { serve(c); });
    }
}

void TestServer::serve(Connection& c) {
    ServerSession session(dispatcher_, limits_);
    char buf[64 * 1024];
    for (;;) {
        pollfd p[2] = {{c.fd, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (p[1].revents) break;
        ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        std::string out = session.feed(std::string_view(buf, static_cast<std::size_t>(n)));
        // One write per batch of answers.
        std::size_t off = 0;
        while (off < out.size()) {
            ssize_t w = ::send(c.fd, out.data() + off, out.size() - off, MSG_NOSIGNAL);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) break;
            off += static_cast<std::size_t>(w);
        }
        if (off < out.size()) break;
        if (session.wantsClose()) {
            // Half-close and drain briefly so the peer reads the abort message instead of a reset.
            ::shutdown(c.fd, SHUT_WR);
            pollfd d{c.fd, POLLIN, 0};
            while (::poll(&d, 1, 1000) > 0 && ::recv(c.fd, buf, sizeof buf, 0) > 0) {
            }
            break;
        }
    }
    ::close(c.fd);
    c.done = true;
}

}  // namespace wire
