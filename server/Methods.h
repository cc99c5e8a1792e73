#pragma once
// The remote methods of TServerMethods1: argument checking, business rules over Storage, and
// answers in the column names, kinds and positions the client reads.

#include <functional>
#include <map>
#include <string>

#include "server/Storage.h"
#include "wire/Value.h"

namespace server {

// Rows returned by a catalogue search at most.
inline constexpr int kSearchRowCap = 500;
// The client version the server announces.
inline constexpr int kClientVersion = 3;

class ServerMethods final : public wire::Dispatcher {
public:
    explicit ServerMethods(Storage& storage, bool logCalls = true);

    // Checks the command and its argument kinds, runs the method and logs one line to stderr.
    wire::Answer dispatch(const wire::Call& call) override;

    struct Method;
    using Handler = std::function<wire::Value(const wire::Call&)>;

private:
    void add(const char* name, const char* signature, Handler h);
    void registerAll();

    Storage& db_;
    bool log_;
    std::map<std::string, std::pair<std::string, Handler>, std::less<>> methods_;
};

}  // namespace server
