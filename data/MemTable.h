#pragma once
// The client's in-memory table: fields recreated by each load, display formats per field,
// a current row moved by first()/next()/locate(), edit()/post() of single values, and
// change notifications that can be suspended with disableControls()/enableControls().
// Free of Qt; the grid's model observes it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wire/Value.h"

namespace data {

using wire::Cell;
using wire::FieldType;

struct Field {
    std::string name;
    FieldType type = FieldType::Text;
    std::int32_t size = 0;
    std::string displayFormat;  // mask such as "#,###,##0.00"; empty: plain
};

// Notified on the thread that changes the table. A grid attaches only on the UI thread and
// detaches before a background load writes the table.
class TableObserver {
public:
    virtual ~TableObserver() = default;
    virtual void tableReset() = 0;                       // structure or all rows changed
    virtual void rowChanged(std::size_t row) = 0;        // one row's values changed
    virtual void currentRowChanged(std::size_t row) {}   // cursor moved
    virtual void tableDestroyed() {}                     // the table is going away; drop it
};

class MemTable {
public:
    MemTable() = default;
    explicit MemTable(std::string name) : name_(std::move(name)) {}
    ~MemTable();
    MemTable(const MemTable&) = delete;
    MemTable& operator=(const MemTable&) = delete;

    const std::string& name() const { return name_; }

    // Open/closed. A closed table has no rows; loading opens it.
    bool active() const { return active_; }
    void open();
    void close();

    // Replaces fields and rows in one step (a data packet or a row set); opens the table,
    // puts the cursor on the first row and drops the display formats.
    void load(wire::Table table);
    // Defines the fields of an empty open table (for tables filled row by row).
    void defineFields(std::vector<wire::Column> columns);
    // Removes every row, keeps the fields.
    void emptyDataSet();
    void appendRow(std::vector<Cell> row);

    // Fields.
    std::size_t fieldCount() const { return table_.columns.size(); }
    const std::vector<Field>& fields() const { return fields_; }
    const Field& field(std::size_t i) const { return fields_.at(i); }
    int fieldIndex(std::string_view name) const { return table_.columnIndex(name); }
    bool hasField(std::string_view name) const { return fieldIndex(name) >= 0; }
    void setDisplayFormat(std::string_view fieldName, std::string format);
    void setDisplayFormat(std::size_t fieldIndex, std::string format);

    // Rows and cells.
    std::size_t rowCount() const { return table_.rowCount(); }
    bool isEmpty() const { return rowCount() == 0; }
    const Cell& cell(std::size_t row, std::size_t col) const { return table_.at(row, col); }
    const Cell& cell(std::size_t row, std::string_view fieldName) const;
    const wire::Table& raw() const { return table_; }

    // Cursor.
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    std::size_t recNo() const { return cursor_; }  // 0-based; meaningless on an empty table
    void setRecNo(std::size_t row);
    // Moves to the first row whose field equals the value (numbers compare by value, text exactly).
    bool locate(std::string_view fieldName, const Cell& value);

    // Values of the current row.
    const Cell& value(std::string_view fieldName) const;
    std::int64_t asInteger(std::string_view fieldName) const;
    double asFloat(std::string_view fieldName) const;
    std::string asString(std::string_view fieldName) const;
    bool asBoolean(std::string_view fieldName) const;

    // Editing the current row: edit(), setValue()..., post().
    void edit();
    void setValue(std::string_view fieldName, Cell value);
    void post();
    void cancel();
    bool editing() const { return editing_; }

    // Change notifications: while disabled none are sent; enableControls() sends one reset.
    void disableControls() { ++disabled_; }
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }
    void addObserver(TableObserver* o);
    void removeObserver(TableObserver* o);

private:
    void resetCursor();
    void notifyReset();
    void notifyRow(std::size_t row);
    void notifyCursor();
    std::size_t requireField(std::string_view name) const;
    const Cell& currentCell(std::size_t col) const;

    std::string name_;
    bool active_ = false;
    wire::Table table_;
    std::vector<Field> fields_;
    std::size_t cursor_ = 0;
    bool eof_ = true;
    bool bof_ = true;
    bool editing_ = false;
    std::vector<Cell> editBuffer_;
    int disabled_ = 0;
    bool pendingReset_ = false;
    std::vector<TableObserver*> observers_;
};

// Cell conversions shared by the table and its users.
std::int64_t cellToInteger(const Cell& c);
double cellToFloat(const Cell& c);
std::string cellToString(const Cell& c);
bool cellIsNull(const Cell& c);
// Numeric cells compare by value across int/double; text exactly; null equals null.
bool cellEquals(const Cell& a, const Cell& b);

}  // namespace data
