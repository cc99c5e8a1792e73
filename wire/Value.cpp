#include "Value.h"

#include <cctype>

namespace wire {

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

int Table::columnIndex(std::string_view name) const {
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (equalsIgnoreCase(columns[i].name, name)) return static_cast<int>(i);
    return -1;
}

void Table::appendRow(std::vector<Cell> row) {
    if (row.size() > columns.size()) throw Error("row has more cells than the table has columns");
    row.resize(columns.size());
    for (auto& c : row) cells.push_back(std::move(c));
}

const char* kindName(Kind k) {
    switch (k) {
    case Kind::Null: return "null";
    case Kind::Int32: return "int32";
    case Kind::Int64: return "int64";
    case Kind::Double: return "double";
    case Kind::Bool: return "bool";
    case Kind::Text: return "text";
    case Kind::Object: return "object";
    case Kind::RowSet: return "row set";
    case Kind::DataPacket: return "data packet";
    case Kind::Stream: return "stream";
    }
    return "unknown";
}

void Value::expect(Kind k) const {
    if (kind_ != k)
        throw Error(std::string("expected a value of kind ") + kindName(k) + ", got " + kindName(kind_));
}

std::int32_t Value::asInt32() const { expect(Kind::Int32); return std::get<std::int32_t>(v_); }
std::int64_t Value::asInt64() const { expect(Kind::Int64); return std::get<std::int64_t>(v_); }
double Value::asDouble() const { expect(Kind::Double); return std::get<double>(v_); }
bool Value::asBool() const { expect(Kind::Bool); return std::get<bool>(v_); }
const std::string& Value::asText() const { expect(Kind::Text); return std::get<std::string>(v_); }
const nlohmann::ordered_json& Value::asObject() const { expect(Kind::Object); return std::get<nlohmann::ordered_json>(v_); }
const std::string& Value::asStream() const { expect(Kind::Stream); return std::get<Bytes>(v_).data; }

const Table& Value::asTable() const { return *tablePtr(); }

std::shared_ptr<Table> Value::tablePtr() const {
    if (kind_ != Kind::RowSet && kind_ != Kind::DataPacket)
        throw Error(std::string("expected a table, got ") + kindName(kind_));
    return std::get<std::shared_ptr<Table>>(v_);
}

bool Value::operator==(const Value& o) const {
    if (kind_ != o.kind_) return false;
    if (kind_ == Kind::RowSet || kind_ == Kind::DataPacket) return asTable() == o.asTable();
    return v_ == o.v_;
}

}  // namespace wire
