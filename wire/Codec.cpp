#include "wire/Codec.h"

#include <bit>
#include <cstring>
#include <limits>

namespace wire {
namespace {

static_assert(std::endian::native == std::endian::little || std::endian::native == std::endian::big);

template <class T>
T fromLittle(T v) {
    if constexpr (std::endian::native == std::endian::big) {
        unsigned char b[sizeof(T)];
        std::memcpy(b, &v, sizeof(T));
        for (std::size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(b[i], b[sizeof(T) - 1 - i]);
        std::memcpy(&v, b, sizeof(T));
    }
    return v;
}

template <class T>
void put(std::string& out, T v) {
    v = fromLittle(v);
    char b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    out.append(b, sizeof(T));
}

void putU8(std::string& out, std::uint8_t v) { out.push_back(static_cast<char>(v)); }
void putU32(std::string& out, std::uint32_t v) { put(out, v); }

std::uint32_t checkedLength(std::size_t n, const char* what) {
    if (n > std::numeric_limits<std::uint32_t>::max())
        throw Error(std::string(what) + " is too long to send");
    return static_cast<std::uint32_t>(n);
}

void putBytes(std::string& out, std::string_view s, const char* what) {
    putU32(out, checkedLength(s.size(), what));
    out.append(s);
}

void putText(std::string& out, std::string_view s, const char* what) {
    if (!isValidUtf8(s)) throw Error(std::string("cannot send ") + what + ": not valid UTF-8");
    putBytes(out, s, what);
}

// Bounds-checked little-endian reader over one payload.
class Reader {
public:
    Reader(std::string_view data, const Limits& limits) : p_(data.data()), end_(data.data() + data.size()), begin_(data.data()), limits_(limits) {}

    std::size_t remaining() const { return static_cast<std::size_t>(end_ - p_); }
    const Limits& limits() const { return limits_; }

    void need(std::size_t n, const char* what) const {
        if (remaining() < n)
            throw Error(std::string("truncated message: ") + what + " needs " + std::to_string(n) +
                        " bytes at offset " + std::to_string(p_ - begin_) + ", " + std::to_string(remaining()) +
                        " left");
    }
    template <class T>
    T get(const char* what) {
        need(sizeof(T), what);
        T v;
        std::memcpy(&v, p_, sizeof(T));
        p_ += sizeof(T);
        return fromLittle(v);
    }
    std::uint8_t u8(const char* what) { return get<std::uint8_t>(what); }
    std::uint32_t u32(const char* what) { return get<std::uint32_t>(what); }
    bool boolean(const char* what) {
        std::uint8_t b = u8(what);
        if (b > 1) throw Error(std::string("malformed message: ") + what + " must be 0 or 1, got " + std::to_string(b));
        return b == 1;
    }
    std::string_view bytes(const char* what) {
        std::uint32_t n = u32(what);
        need(n, what);
        std::string_view s(p_, n);
        p_ += n;
        return s;
    }
    std::string text(const char* what) {
        std::string_view s = bytes(what);
        if (!isValidUtf8(s)) throw Error(std::string("malformed message: ") + what + " is not valid UTF-8");
        return std::string(s);
    }
    // A declared element count, checked against the bytes left (each element takes at least
    // `minBytes`), so nothing is reserved for elements that cannot be there.
    std::size_t count(const char* what, std::size_t minBytes) {
        std::uint32_t n = u32(what);
        if (static_cast<std::uint64_t>(n) * minBytes > remaining())
            throw Error(std::string("malformed message: ") + what + " " + std::to_string(n) + " exceeds the data present");
        return n;
    }
    void finish() const {
        if (p_ != end_)
            throw Error("malformed message: " + std::to_string(remaining()) + " unexpected trailing bytes");
    }

private:
    const char* p_;
    const char* end_;
    const char* begin_;
    const Limits& limits_;
};

// Rejects JSON nested deeper than kMaxJsonDepth before the parser sees it.
void checkJsonDepth(std::string_view s) {
    std::size_t depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxJsonDepth) throw Error("malformed message: object JSON is nested too deeply");
        } else if (c == ']' || c == '}') {
            if (depth > 0) --depth;
        }
    }
}

const char* fieldTypeName(FieldType t) {
    switch (t) {
    case FieldType::Integer: return "integer";
    case FieldType::LargeInt: return "large integer";
    case FieldType::Float: return "float";
    case FieldType::Text: return "text";
    case FieldType::DateTime: return "date-time";
    case FieldType::Boolean: return "boolean";
    case FieldType::Blob: return "blob";
    }
    return "unknown";
}

bool validFieldType(std::uint8_t t) { return t >= 1 && t <= 7; }

[[noreturn]] void cellMismatch(const Table& t, std::size_t index) {
    const Column& c = t.columns[index % t.columns.size()];
    throw Error("cannot send table: row " + std::to_string(index / t.columns.size()) + " column \"" + c.name + "\" (" +
                fieldTypeName(c.type) + ") holds a value of another type");
}

void appendCell(std::string& out, const Table& t, std::size_t index) {
    const Cell& cell = t.cells[index];
    if (std::holds_alternative<std::monostate>(cell)) {
        putU8(out, 0);
        return;
    }
    putU8(out, 1);
    switch (t.columns[index % t.columns.size()].type) {
    case FieldType::Integer: {
        const auto* v = std::get_if<std::int64_t>(&cell);
        if (!v) cellMismatch(t, index);
        if (*v < std::numeric_limits<std::int32_t>::min() || *v > std::numeric_limits<std::int32_t>::max())
            throw Error("cannot send table: value " + std::to_string(*v) + " does not fit the 32-bit column \"" +
                        t.columns[index % t.columns.size()].name + "\"");
        put(out, static_cast<std::int32_t>(*v));
        break;
    }
    case FieldType::LargeInt: {
        const auto* v = std::get_if<std::int64_t>(&cell);
        if (!v) cellMismatch(t, index);
        put(out, *v);
        break;
    }
    case FieldType::Float:
    case FieldType::DateTime: {
        double d;
        if (const auto* v = std::get_if<double>(&cell)) d = *v;
        else if (const auto* i = std::get_if<std::int64_t>(&cell)) d = static_cast<double>(*i);
        else cellMismatch(t, index);
        put(out, d);
        break;
    }
    case FieldType::Text: {
        const auto* v = std::get_if<std::string>(&cell);
        if (!v) cellMismatch(t, index);
        putText(out, *v, "text cell");
        break;
    }
    case FieldType::Boolean: {
        const auto* v = std::get_if<bool>(&cell);
        if (!v) cellMismatch(t, index);
        putU8(out, *v ? 1 : 0);
        break;
    }
    case FieldType::Blob: {
        const auto* v = std::get_if<Blob>(&cell);
        if (!v) cellMismatch(t, index);
        putBytes(out, v->bytes, "blob cell");
        break;
    }
    default: throw Error("cannot send table: column has an unknown type");
    }
}

Table readTable(Reader& r) {
    Table t;
    // A column takes at least 4 (name length) + 1 (type) + 4 (size) bytes.
    std::size_t ncols = r.count("column count", 9);
    t.columns.reserve(ncols);
    for (std::size_t i = 0; i < ncols; ++i) {
        Column c;
        c.name = r.text("column name");
        std::uint8_t type = r.u8("column type");
        if (!validFieldType(type)) throw Error("malformed message: unknown column type " + std::to_string(type));
        c.type = static_cast<FieldType>(type);
        c.size = r.get<std::int32_t>("column size");
        t.columns.push_back(std::move(c));
    }
    std::uint32_t rows = r.u32("row count");
    if (ncols == 0) {
        if (rows != 0) throw Error("malformed message: a table without columns cannot have rows");
        return t;
    }
    std::uint64_t cells = static_cast<std::uint64_t>(rows) * ncols;
    if (cells > r.limits().maxTableCells)
        throw Error("table too large: " + std::to_string(rows) + " rows x " + std::to_string(ncols) +
                    " columns exceeds the limit of " + std::to_string(r.limits().maxTableCells) + " cells");
    // Every cell takes at least its presence byte.
    if (cells > r.remaining())
        throw Error("malformed message: row count " + std::to_string(rows) + " exceeds the data present");
    t.cells.reserve(static_cast<std::size_t>(cells));
    for (std::uint32_t row = 0; row < rows; ++row) {
        for (std::size_t col = 0; col < ncols; ++col) {
            if (!r.boolean("cell presence")) {
                t.cells.emplace_back();
                continue;
            }
            switch (t.columns[col].type) {
            case FieldType::Integer: t.cells.emplace_back(std::in_place_type<std::int64_t>, r.get<std::int32_t>("integer cell")); break;
            case FieldType::LargeInt: t.cells.emplace_back(std::in_place_type<std::int64_t>, r.get<std::int64_t>("large integer cell")); break;
            case FieldType::Float:
            case FieldType::DateTime: t.cells.emplace_back(std::in_place_type<double>, r.get<double>("float cell")); break;
            case FieldType::Text: {
                std::string_view s = r.bytes("text cell");
                if (!isValidUtf8(s)) throw Error("malformed message: text cell is not valid UTF-8");
                t.cells.emplace_back(std::in_place_type<std::string>, s);
                break;
            }
            case FieldType::Boolean: t.cells.emplace_back(std::in_place_type<bool>, r.boolean("boolean cell")); break;
            case FieldType::Blob: t.cells.emplace_back(std::in_place_type<Blob>, Blob{std::string(r.bytes("blob cell"))}); break;
            }
        }
    }
    return t;
}

Value readValue(Reader& r) {
    std::uint8_t kind = r.u8("value kind");
    switch (static_cast<Kind>(kind)) {
    case Kind::Null: return Value();
    case Kind::Int32: return Value::int32(r.get<std::int32_t>("int32"));
    case Kind::Int64: return Value::int64(r.get<std::int64_t>("int64"));
    case Kind::Double: return Value::real(r.get<double>("double"));
    case Kind::Bool: return Value::boolean(r.boolean("bool"));
    case Kind::Text: return Value::text(r.text("text"));
    case Kind::Object: {
        std::string_view json = r.bytes("object");
        checkJsonDepth(json);
        auto parsed = nlohmann::ordered_json::parse(json.begin(), json.end(), nullptr, false);
        if (parsed.is_discarded()) throw Error("malformed message: object is not valid JSON");
        if (!parsed.is_object() && !parsed.is_null())
            throw Error("malformed message: object must be a JSON object or null");
        return Value::object(std::move(parsed));
    }
    case Kind::RowSet: return Value::rowSet(readTable(r));
    case Kind::DataPacket: return Value::dataPacket(readTable(r));
    case Kind::Stream: return Value::stream(std::string(r.bytes("stream")));
    }
    throw Error("malformed message: unknown value kind " + std::to_string(kind));
}

std::vector<Value> readValues(Reader& r) {
    std::size_t n = r.count("value count", 1);
    std::vector<Value> values;
    values.reserve(n);
    for (std::size_t i = 0; i < n; ++i) values.push_back(readValue(r));
    return values;
}

void appendValues(std::string& out, const std::vector<Value>& values) {
    putU32(out, checkedLength(values.size(), "value list"));
    for (const auto& v : values) appendValue(out, v);
}

// Writes a placeholder length prefix; finishFrame fills it in.
std::string startFrame(MessageType type) {
    std::string out(4, '\0');
    putU8(out, static_cast<std::uint8_t>(type));
    return out;
}

std::string finishFrame(std::string out) {
    std::uint32_t len = checkedLength(out.size() - 4, "message");
    if (len > kMaxFrameSize) throw Error("message of " + std::to_string(len) + " bytes exceeds the frame limit of " + std::to_string(kMaxFrameSize) + " bytes");
    len = fromLittle(len);
    std::memcpy(out.data(), &len, 4);
    return out;
}

}  // namespace

bool isValidUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const auto* end = p + s.size();
    while (p < end) {
        // ASCII fast path, eight bytes at a time.
        while (end - p >= 8) {
            std::uint64_t w;
            std::memcpy(&w, p, 8);
            if (w & 0x8080808080808080ull) break;
            p += 8;
        }
        if (p >= end) break;
        unsigned char c = *p;
        if (c < 0x80) { ++p; continue; }
        std::size_t n;
        std::uint32_t cp;
        if (c >= 0xC2 && c <= 0xDF) { n = 1; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { n = 2; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { n = 3; cp = c & 0x07; }
        else return false;
        if (static_cast<std::size_t>(end - p) <= n) return false;
        for (std::size_t i = 1; i <= n; ++i) {
            if ((p[i] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if (n == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) return false;
        if (n == 3 && (cp < 0x10000 || cp > 0x10FFFF)) return false;
        p += n + 1;
    }
    return true;
}

std::string toValidUtf8(std::string_view s) {
    if (isValidUtf8(s)) return std::string(s);
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        // Longest valid sequence starting here, else one replacement character.
        std::size_t n = 0;
        for (std::size_t len = 1; len <= 4 && i + len <= s.size(); ++len)
            if (isValidUtf8(s.substr(i, len))) { n = len; break; }
        if (n) {
            out.append(s.substr(i, n));
            i += n;
        } else {
            out.append("\xEF\xBF\xBD");
            ++i;
        }
    }
    return out;
}

void appendTable(std::string& out, const Table& t) {
    if (!t.columns.empty() && t.cells.size() % t.columns.size() != 0)
        throw Error("cannot send table: cell count is not a multiple of the column count");
    if (t.columns.empty() && !t.cells.empty()) throw Error("cannot send table: cells without columns");
    // Rough size so a large table is not copied through many reallocations.
    out.reserve(out.size() + 16 + t.columns.size() * 24 + t.cells.size() * 9);
    putU32(out, checkedLength(t.columns.size(), "column list"));
    for (const auto& c : t.columns) {
        putText(out, c.name, "column name");
        putU8(out, static_cast<std::uint8_t>(c.type));
        put(out, c.size);
    }
    putU32(out, checkedLength(t.rowCount(), "row list"));
    for (std::size_t i = 0; i < t.cells.size(); ++i) appendCell(out, t, i);
}

std::string encodeTable(const Table& t) {
    std::string out;
    appendTable(out, t);
    return out;
}

Table decodeTable(std::string_view bytes, const Limits& limits) {
    Reader r(bytes, limits);
    Table t = readTable(r);
    r.finish();
    return t;
}

void appendValue(std::string& out, const Value& v) {
    putU8(out, static_cast<std::uint8_t>(v.kind()));
    switch (v.kind()) {
    case Kind::Null: break;
    case Kind::Int32: put(out, v.asInt32()); break;
    case Kind::Int64: put(out, v.asInt64()); break;
    case Kind::Double: put(out, v.asDouble()); break;
    case Kind::Bool: putU8(out, v.asBool() ? 1 : 0); break;
    case Kind::Text: putText(out, v.asText(), "text"); break;
    case Kind::Object: {
        std::string json;
        try {
            json = v.asObject().dump();
        } catch (const nlohmann::json::exception& e) {
            throw Error(std::string("cannot send object: ") + e.what());
        }
        putBytes(out, json, "object");
        break;
    }
    case Kind::RowSet:
    case Kind::DataPacket: appendTable(out, v.asTable()); break;
    case Kind::Stream: putBytes(out, v.asStream(), "stream"); break;
    }
}

Value decodeValue(std::string_view bytes, const Limits& limits) {
    Reader r(bytes, limits);
    Value v = readValue(r);
    r.finish();
    return v;
}

std::string frame(std::string_view payload) {
    std::string out;
    out.reserve(payload.size() + 4);
    putU32(out, checkedLength(payload.size(), "message"));
    out.append(payload);
    return out;
}

std::string encodeHelloFrame() { return encodeHelloFrame(kProtocolName, kProtocolVersion); }

std::string encodeHelloFrame(std::string_view protocol, std::uint16_t version) {
    std::string out = startFrame(MessageType::Hello);
    putBytes(out, protocol, "protocol name");
    put(out, version);
    return finishFrame(std::move(out));
}

std::string encodeCallFrame(const Call& call) {
    std::string out = startFrame(MessageType::Call);
    putText(out, call.command, "command");
    appendValues(out, call.params);
    return finishFrame(std::move(out));
}

std::string encodeAnswerFrame(const Answer& answer) {
    std::string out = startFrame(MessageType::Answer);
    if (answer.ok) {
        putU8(out, 0);
        appendValues(out, answer.values);
    } else {
        putU8(out, 1);
        putBytes(out, toValidUtf8(answer.error), "error text");
    }
    return finishFrame(std::move(out));
}

std::string encodeAbortFrame(std::string_view text) {
    std::string out = startFrame(MessageType::Abort);
    putBytes(out, toValidUtf8(text), "abort text");
    return finishFrame(std::move(out));
}

Message decodeMessage(std::string_view payload, const Limits& limits) {
    Reader r(payload, limits);
    Message m;
    std::uint8_t type = r.u8("message type");
    switch (static_cast<MessageType>(type)) {
    case MessageType::Hello: {
        m.type = MessageType::Hello;
        std::string_view name = r.bytes("protocol name");
        // Keep garbage out of error texts.
        m.hello.protocol = isValidUtf8(name) && name.size() <= 64 ? std::string(name) : std::string("(unreadable)");
        m.hello.version = r.get<std::uint16_t>("protocol version");
        break;
    }
    case MessageType::Call:
        m.type = MessageType::Call;
        m.call.command = r.text("command");
        m.call.params = readValues(r);
        break;
    case MessageType::Answer: {
        m.type = MessageType::Answer;
        std::uint8_t status = r.u8("answer status");
        if (status == 0) {
            m.answer.values = readValues(r);
        } else if (status == 1) {
            m.answer.ok = false;
            m.answer.error = r.text("error text");
        } else {
            throw Error("malformed message: unknown answer status " + std::to_string(status));
        }
        break;
    }
    case MessageType::Abort:
        m.type = MessageType::Abort;
        m.abortText = r.text("abort text");
        break;
    default: throw Error("malformed message: unknown message type " + std::to_string(type));
    }
    r.finish();
    return m;
}

void checkHello(const Hello& h) {
    if (h.protocol != kProtocolName)
        throw Error("protocol mismatch: peer speaks \"" + h.protocol + "\", expected \"" + std::string(kProtocolName) + "\"");
    if (h.version != kProtocolVersion)
        throw Error("protocol version mismatch: peer speaks " + std::string(kProtocolName) + " version " +
                    std::to_string(h.version) + ", this side speaks version " + std::to_string(kProtocolVersion));
}

void FrameDecoder::feed(std::string_view bytes) {
    if (failed_) throw Error("frame decoder used after an error");
    if (start_ > 0 && start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    } else if (start_ > 0 && start_ >= buffer_.size() / 2) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    buffer_.append(bytes);
    checkHeader();
}

void FrameDecoder::checkHeader() {
    if (pending() < 4) return;
    std::uint32_t len;
    std::memcpy(&len, buffer_.data() + start_, 4);
    len = fromLittle(len);
    if (len > maxFrameSize_) {
        failed_ = true;
        throw Error("frame of " + std::to_string(len) + " bytes exceeds the limit of " + std::to_string(maxFrameSize_) + " bytes");
    }
    if (len == 0) {
        failed_ = true;
        throw Error("malformed frame: empty payload");
    }
}

bool FrameDecoder::next(std::string& payload) {
    if (failed_ || pending() < 4) return false;
    checkHeader();
    std::uint32_t len;
    std::memcpy(&len, buffer_.data() + start_, 4);
    len = fromLittle(len);
    if (pending() - 4 < len) return false;
    payload.assign(buffer_, start_ + 4, len);
    start_ += 4 + static_cast<std::size_t>(len);
    if (start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    }
    return true;
}

}  // namespace wire
