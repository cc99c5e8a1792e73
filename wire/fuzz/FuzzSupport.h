#pragma once
// Shared by the protocol fuzzer and its seed-corpus generator.

#include "wire/Codec.h"

namespace wire::fuzz {

// Encodes a decoded message again as a whole frame.
inline std::string reencode(const Message& m) {
    switch (m.type) {
    case MessageType::Hello: return encodeHelloFrame(m.hello.protocol, m.hello.version);
    case MessageType::Call: return encodeCallFrame(m.call);
    case MessageType::Answer: return encodeAnswerFrame(m.answer);
    case MessageType::Abort: return encodeAbortFrame(m.abortText);
    }
    return {};
}

// Answers every call with its own parameters; some commands fail.
class EchoDispatcher : public Dispatcher {
public:
    Answer dispatch(const Call& c) override {
        if (c.command.size() % 5 == 0) throw Error("rejected " + c.command);
        Answer a;
        a.values = c.params;
        return a;
    }
};

}  // namespace wire::fuzz
