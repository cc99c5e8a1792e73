#pragma once
// The web side on its own port: product pictures, the access-request form, the card payment
// page, the installer download and the caller's IP address as plain text.

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "server/Storage.h"

namespace httplib {
class Server;
}

namespace server {

// Escapes & < > " ' for HTML text and attribute values.
std::string htmlEscape(const std::string& s);

class WebSite {
public:
    WebSite(Storage& storage, std::string installerPath, bool logRequests = true);
    ~WebSite();

    // Binds and serves on a thread of its own; false when the port cannot be bound.
    bool start(const std::string& host, std::uint16_t port);
    void stop();
    std::uint16_t port() const { return port_; }

private:
    void routes();

    Storage& db_;
    std::string installer_;
    bool log_;
    std::unique_ptr<httplib::Server> http_;
    std::thread thread_;
    std::uint16_t port_ = 0;
};

}  // namespace server
