#pragma once
// Small tables for the grid tests.

#include <initializer_list>
#include <string>
#include <vector>

#include "data/MemTable.h"

namespace grid_test {

using data::Cell;
using wire::Column;
using wire::FieldType;

inline Cell I(std::int64_t v) { return Cell{v}; }
inline Cell D(double v) { return Cell{v}; }
inline Cell S(const char* v) { return Cell{std::string(v)}; }
inline Cell N() { return Cell{}; }

inline void load(data::MemTable& t, std::vector<Column> columns, std::vector<std::vector<Cell>> rows) {
    wire::Table table;
    table.columns = std::move(columns);
    for (auto& r : rows) table.appendRow(std::move(r));
    t.load(std::move(table));
}

}  // namespace grid_test
