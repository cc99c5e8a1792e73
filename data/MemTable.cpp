#include "MemTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace data {

namespace {
template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;
}  // namespace

bool cellIsNull(const Cell& c) { return std::holds_alternative<std::monostate>(c); }

std::int64_t cellToInteger(const Cell& c) {
    return std::visit(Overloaded{
                          [](std::monostate) -> std::int64_t { return 0; },
                          [](std::int64_t v) -> std::int64_t { return v; },
                          [](double v) -> std::int64_t { return static_cast<std::int64_t>(std::llround(v)); },
                          [](bool v) -> std::int64_t { return v ? 1 : 0; },
                          [](const std::string& s) -> std::int64_t {
                              std::int64_t v = 0;
                              auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
                              if (ec != std::errc()) throw std::invalid_argument("'" + s + "' is not an integer");
                              return v;
                          },
                          [](const wire::Blob&) -> std::int64_t { throw std::invalid_argument("blob is not an integer"); },
                      },
                      c);
}

double cellToFloat(const Cell& c) {
    return std::visit(Overloaded{
                          [](std::monostate) { return 0.0; },
                          [](std::int64_t v) { return static_cast<double>(v); },
                          [](double v) { return v; },
                          [](bool v) { return v ? 1.0 : 0.0; },
                          [](const std::string& s) {
                              double v = 0;
                              auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
                              if (ec != std::errc()) throw std::invalid_argument("'" + s + "' is not a number");
                              return v;
                          },
                          [](const wire::Blob&) -> double { throw std::invalid_argument("blob is not a number"); },
                      },
                      c);
}

std::string cellToString(const Cell& c) {
    return std::visit(Overloaded{
                          [](std::monostate) { return std::string(); },
                          [](std::int64_t v) { return std::to_string(v); },
                          [](double v) {
                              char buf[64];
                              auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
                              return std::string(buf, p);
                          },
                          [](bool v) { return std::string(v ? "True" : "False"); },
                          [](const std::string& s) { return s; },
                          [](const wire::Blob& b) { return b.bytes; },
                      },
                      c);
}

bool cellEquals(const Cell& a, const Cell& b) {
    auto numeric = [](const Cell& c) {
        return std::holds_alternative<std::int64_t>(c) || std::holds_alternative<double>(c) ||
               std::holds_alternative<bool>(c);
    };
    if (numeric(a) && numeric(b)) {
        if (std::holds_alternative<std::int64_t>(a) && std::holds_alternative<std::int64_t>(b))
            return std::get<std::int64_t>(a) == std::get<std::int64_t>(b);
        return cellToFloat(a) == cellToFloat(b);
    }
    return a == b;
}

MemTable::~MemTable() {
    const auto observers = observers_;  // observers detach themselves while told
    for (auto* o : observers) o->tableDestroyed();
}

void MemTable::open() {
    active_ = true;
    resetCursor();
    notifyReset();
}

void MemTable::close() {
    active_ = false;
    editing_ = false;
    table_.cells.clear();
    resetCursor();
    notifyReset();
}

void MemTable::load(wire::Table table) {
    editing_ = false;
    table_ = std::move(table);
    fields_.clear();
    fields_.reserve(table_.columns.size());
    for (const auto& c : table_.columns) fields_.push_back(Field{c.name, c.type, c.size, {}});
    active_ = true;
    resetCursor();
    notifyReset();
}

void MemTable::defineFields(std::vector<wire::Column> columns) {
    wire::Table t;
    t.columns = std::move(columns);
    load(std::move(t));
}

void MemTable::emptyDataSet() {
    editing_ = false;
    table_.cells.clear();
    resetCursor();
    notifyReset();
}

void MemTable::appendRow(std::vector<Cell> row) {
    table_.appendRow(std::move(row));
    active_ = true;
    cursor_ = rowCount() - 1;
    eof_ = bof_ = false;
    notifyReset();
}

void MemTable::setDisplayFormat(std::string_view fieldName, std::string format) {
    setDisplayFormat(requireField(fieldName), std::move(format));
}

void MemTable::setDisplayFormat(std::size_t fieldIndex, std::string format) {
    fields_.at(fieldIndex).displayFormat = std::move(format);
    notifyReset();
}

const Cell& MemTable::cell(std::size_t row, std::string_view fieldName) const {
    return table_.at(row, requireField(fieldName));
}

void MemTable::resetCursor() {
    cursor_ = 0;
    bof_ = true;
    eof_ = rowCount() == 0;
}

void MemTable::first() {
    resetCursor();
    notifyCursor();
}

void MemTable::last() {
    if (rowCount() == 0) {
        resetCursor();
        return;
    }
    cursor_ = rowCount() - 1;
    bof_ = false;
    eof_ = true;  // like the classic datasets: last() leaves eof set
    notifyCursor();
}

void MemTable::next() {
    bof_ = false;
    if (rowCount() == 0 || cursor_ + 1 >= rowCount()) {
        eof_ = true;
        return;
    }
    ++cursor_;
    eof_ = false;
    notifyCursor();
}

void MemTable::prior() {
    eof_ = false;
    if (cursor_ == 0) {
        bof_ = true;
        return;
    }
    --cursor_;
    bof_ = false;
    notifyCursor();
}

void MemTable::setRecNo(std::size_t row) {
    if (row >= rowCount()) throw std::out_of_range("row " + std::to_string(row) + " is out of range");
    cursor_ = row;
    eof_ = false;
    bof_ = row == 0;
    notifyCursor();
}

bool MemTable::locate(std::string_view fieldName, const Cell& value) {
    const std::size_t col = requireField(fieldName);
    for (std::size_t r = 0; r < rowCount(); ++r) {
        if (cellEquals(table_.at(r, col), value)) {
            setRecNo(r);
            return true;
        }
    }
    return false;
}

std::size_t MemTable::requireField(std::string_view name) const {
    const int i = fieldIndex(name);
    if (i < 0) throw std::out_of_range("field '" + std::string(name) + "' not found in " + name_);
    return static_cast<std::size_t>(i);
}

const Cell& MemTable::currentCell(std::size_t col) const {
    if (editing_) return editBuffer_.at(col);
    if (rowCount() == 0) throw std::out_of_range("table " + name_ + " has no current row");
    return table_.at(cursor_, col);
}

const Cell& MemTable::value(std::string_view fieldName) const { return currentCell(requireField(fieldName)); }
std::int64_t MemTable::asInteger(std::string_view f) const { return cellToInteger(value(f)); }
double MemTable::asFloat(std::string_view f) const { return cellToFloat(value(f)); }
std::string MemTable::asString(std::string_view f) const { return cellToString(value(f)); }
bool MemTable::asBoolean(std::string_view f) const { return cellToInteger(value(f)) != 0; }

void MemTable::edit() {
    if (rowCount() == 0) throw std::out_of_range("table " + name_ + " has no row to edit");
    if (editing_) return;
    editBuffer_.assign(table_.cells.begin() + static_cast<std::ptrdiff_t>(cursor_ * fieldCount()),
                       table_.cells.begin() + static_cast<std::ptrdiff_t>((cursor_ + 1) * fieldCount()));
    editing_ = true;
}

void MemTable::setValue(std::string_view fieldName, Cell value) {
    if (!editing_) edit();
    editBuffer_.at(requireField(fieldName)) = std::move(value);
}

void MemTable::post() {
    if (!editing_) return;
    std::move(editBuffer_.begin(), editBuffer_.end(),
              table_.cells.begin() + static_cast<std::ptrdiff_t>(cursor_ * fieldCount()));
    editing_ = false;
    editBuffer_.clear();
    notifyRow(cursor_);
}

void MemTable::cancel() {
    editing_ = false;
    editBuffer_.clear();
}

void MemTable::enableControls() {
    if (disabled_ == 0) return;
    if (--disabled_ == 0) {
        pendingReset_ = false;
        for (auto* o : observers_) o->tableReset();
    }
}

void MemTable::addObserver(TableObserver* o) {
    if (std::find(observers_.begin(), observers_.end(), o) == observers_.end()) observers_.push_back(o);
}

void MemTable::removeObserver(TableObserver* o) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

void MemTable::notifyReset() {
    if (disabled_ > 0) {
        pendingReset_ = true;
        return;
    }
    for (auto* o : observers_) o->tableReset();
}

void MemTable::notifyRow(std::size_t row) {
    if (disabled_ > 0) return;
    for (auto* o : observers_) o->rowChanged(row);
}

void MemTable::notifyCursor() {
    if (disabled_ > 0) return;
    for (auto* o : observers_) o->currentRowChanged(cursor_);
}

}  // namespace data
