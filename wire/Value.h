#pragma once
// Values that travel between client and server: scalars, objects in their JSON form,
// tables (row sets and data packets) and byte streams. Free of Qt.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

namespace wire {

// Any protocol-level failure: malformed input, wrong kinds, a server error text.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Column types of a table.
enum class FieldType : std::uint8_t {
    Integer = 1,   // 32-bit integer
    LargeInt = 2,  // 64-bit integer
    Float = 3,     // double
    Text = 4,      // UTF-8 text; Column::size is the declared width
    DateTime = 5,  // double: days since 1899-12-30, time of day as the fraction
    Boolean = 6,
    Blob = 7,      // bytes (pictures)
};

struct Blob {
    std::string bytes;
    bool operator==(const Blob&) const = default;
};

// One table cell. Integer and LargeInt cells hold int64_t, Float and DateTime hold double.
using Cell = std::variant<std::monostate, std::int64_t, double, bool, std::string, Blob>;

struct Column {
    std::string name;
    FieldType type = FieldType::Text;
    std::int32_t size = 0;
    bool operator==(const Column&) const = default;
};

// Ordered columns and row-major cells.
struct Table {
    std::vector<Column> columns;
    std::vector<Cell> cells;

    std::size_t columnCount() const { return columns.size(); }
    std::size_t rowCount() const { return columns.empty() ? 0 : cells.size() / columns.size(); }
    Cell& at(std::size_t row, std::size_t col) { return cells[row * columns.size() + col]; }
    const Cell& at(std::size_t row, std::size_t col) const { return cells[row * columns.size() + col]; }
    // Index of the column with this name (ASCII case-insensitive), or -1.
    int columnIndex(std::string_view name) const;
    // Appends one row; missing trailing cells are null, extra cells are an error.
    void appendRow(std::vector<Cell> row);
    bool operator==(const Table&) const = default;
};

bool equalsIgnoreCase(std::string_view a, std::string_view b);

enum class Kind : std::uint8_t {
    Null = 0,
    Int32 = 1,
    Int64 = 2,
    Double = 3,
    Bool = 4,
    Text = 5,
    Object = 6,      // JSON object form {"type","id","fields"}; JSON null means "no object"
    RowSet = 7,
    DataPacket = 8,
    Stream = 9,      // raw bytes; the announced length travels as a separate Int64 value
};

const char* kindName(Kind k);

class Value {
public:
    Value() = default;  // Null

    static Value int32(std::int32_t v) { return Value(Kind::Int32, v); }
    static Value int64(std::int64_t v) { return Value(Kind::Int64, v); }
    static Value real(double v) { return Value(Kind::Double, v); }
    static Value boolean(bool v) { return Value(Kind::Bool, v); }
    static Value text(std::string v) { return Value(Kind::Text, std::move(v)); }
    static Value object(nlohmann::ordered_json v) { return Value(Kind::Object, std::move(v)); }
    static Value rowSet(Table t) { return Value(Kind::RowSet, std::make_shared<Table>(std::move(t))); }
    static Value dataPacket(Table t) { return Value(Kind::DataPacket, std::make_shared<Table>(std::move(t))); }
    static Value stream(std::string bytes) { return Value(Kind::Stream, Bytes{std::move(bytes)}); }

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::Null; }

    // Accessors throw wire::Error when the kind does not match.
    std::int32_t asInt32() const;
    std::int64_t asInt64() const;
    double asDouble() const;
    bool asBool() const;
    const std::string& asText() const;
    const nlohmann::ordered_json& asObject() const;
    const Table& asTable() const;        // RowSet or DataPacket
    std::shared_ptr<Table> tablePtr() const;
    const std::string& asStream() const;

    bool operator==(const Value& o) const;

private:
    struct Bytes {
        std::string data;
        bool operator==(const Bytes&) const = default;
    };
    using Storage = std::variant<std::monostate, std::int32_t, std::int64_t, double, bool, std::string,
                                 nlohmann::ordered_json, std::shared_ptr<Table>, Bytes>;
    template <class T>
    Value(Kind k, T&& v) : kind_(k), v_(std::forward<T>(v)) {}
    void expect(Kind k) const;

    Kind kind_ = Kind::Null;
    Storage v_;
};

// One remote call: the command text "TServerMethods1.<Method>" and the parameters by position.
// Output parameters occupy their positions with a Null value.
struct Call {
    std::string command;
    std::vector<Value> params;
};

// The answer: either an error text, or values by position: output parameters at their
// positions (inputs are Null there) and the result at the position after the last parameter.
struct Answer {
    bool ok = true;
    std::string error;
    std::vector<Value> values;

    static Answer failure(std::string text) {
        Answer a;
        a.ok = false;
        a.error = std::move(text);
        return a;
    }
};

// What a server implements: one call in, one answer out. Called concurrently from several
// connection threads. An exception escaping dispatch() becomes an error answer.
class Dispatcher {
public:
    virtual ~Dispatcher() = default;
    virtual Answer dispatch(const Call& call) = 0;
};

}  // namespace wire
