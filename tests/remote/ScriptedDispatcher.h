#pragma once
// A server side for proxy tests: answers each command as scripted and records every call.

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "wire/Value.h"

namespace testing_support {

class ScriptedDispatcher final : public wire::Dispatcher {
public:
    using Handler = std::function<wire::Answer(const wire::Call&)>;

    // Scripts the answer to a command text ("TServerMethods1.X"); replaces an earlier script.
    void on(const std::string& command, Handler h) {
        std::lock_guard lock(mutex_);
        handlers_[command] = std::move(h);
    }
    // Answers every command without a script of its own.
    void otherwise(Handler h) {
        std::lock_guard lock(mutex_);
        fallback_ = std::move(h);
    }
    std::vector<wire::Call> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    wire::Call lastCall() const {
        std::lock_guard lock(mutex_);
        return calls_.empty() ? wire::Call{} : calls_.back();
    }

    wire::Answer dispatch(const wire::Call& call) override {
        Handler h;
        {
            std::lock_guard lock(mutex_);
            calls_.push_back(call);
            auto it = handlers_.find(call.command);
            h = it != handlers_.end() ? it->second : fallback_;
        }
        if (!h) return wire::Answer::failure("unknown method " + call.command);
        return h(call);
    }

    // An answer with the result after the parameters; every output parameter (sent as null)
    // gets outValue.
    static wire::Answer reply(const wire::Call& call, wire::Value result, std::int64_t outValue = 0) {
        wire::Answer a;
        for (const auto& p : call.params) a.values.push_back(p.isNull() ? wire::Value::int64(outValue) : wire::Value());
        a.values.push_back(std::move(result));
        return a;
    }

private:
    mutable std::mutex mutex_;
    std::map<std::string, Handler> handlers_;
    Handler fallback_;
    std::vector<wire::Call> calls_;
};

}  // namespace testing_support
