#pragma once
// The grid's model over a data::MemTable. Cells are computed when asked for; the model keeps
// only the order of the rows it shows (after filters, sorting and grouping), the footer
// aggregates and the group state.

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVector>
#include <map>
#include <optional>
#include <vector>

#include "data/MemTable.h"
#include "grid/CellText.h"
#include "grid/GridColumn.h"

namespace grid {

class GridModel final : public QAbstractTableModel, public data::TableObserver {
    Q_OBJECT
public:
    enum class RowKind { Data, Group, GroupFooter };

    explicit GridModel(QObject* parent = nullptr);
    ~GridModel() override;

    // Columns. An empty declaration shows every field of the table under its name.
    void setColumns(QVector<GridColumn> columns);
    const QVector<GridColumn>& columns() const { return columns_; }
    int columnOf(const QString& field) const;  // -1 when not declared
    const GridColumn& column(int c) const { return columns_.at(c); }
    int fieldIndex(int column) const;           // table field index of the column, -1 when none

    // Binding. A detached model has no rows.
    void setTable(data::MemTable* table);
    data::MemTable* table() const { return table_; }

    void setLocale(const QLocale& locale);
    const CellTextContext& textContext() const { return ctx_; }

    void setCustomText(const QString& field, CustomTextHook hook);

    // Shown rows.
    RowKind rowKind(int displayRow) const;
    int sourceRow(int displayRow) const;      // table row of a data row, -1 otherwise
    int displayRowOf(int sourceRow) const;    // -1 when filtered out, collapsed or unknown
    int groupOf(int displayRow) const;        // group index of any row, -1 without grouping
    int dataRowCount() const { return static_cast<int>(passing_.size()); }  // rows passing filters
    // Table rows passing the filters, in shown order, groups expanded.
    std::vector<int> rowsInOrder() const;

    // Cell texts.
    const data::Cell& cell(int sourceRow, int column) const;
    QString cellText(int sourceRow, int column) const;   // what the cell shows as text
    QString filterText(int sourceRow, int column) const; // what filters and searches compare
    RowValues rowValues(int sourceRow) const { return RowValues(table_, sourceRow); }

    // Filters: a column keeps the rows whose filter text is one of the values.
    void setFilter(int column, const QStringList& values);
    void clearFilter(int column);
    void clearFilters();
    bool hasFilter(int column) const { return filters_.contains(column); }
    bool anyFilter() const { return !filters_.isEmpty(); }
    QStringList filterValues(int column) const;
    // Distinct filter texts of the column over the rows that pass the other columns' filters,
    // sorted (numbers by value).
    QStringList distinctValues(int column) const;

    // Sorting (column -1: table order).
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }

    // Grouping by one column (-1: none). Groups are ordered by their value, ascending.
    void setGroupColumn(int column);
    int groupColumn() const { return groupColumn_; }
    int groupCount() const { return static_cast<int>(groups_.size()); }
    QString groupKey(int group) const;
    int groupRowCount(int group) const;
    bool isGroupExpanded(int group) const;
    void setGroupExpanded(int group, bool expanded);
    void setAllGroupsExpanded(bool expanded);
    int groupHeaderRow(int group) const;

    // Footer aggregates over the rows passing the filters; group footers per group.
    void setFooter(int column, Aggregate kind, const QString& format = {});
    void setGroupFooter(int column, Aggregate kind, const QString& format = {});
    void clearFooters();
    bool hasFooters() const { return !footers_.empty(); }
    bool hasGroupFooters() const { return !groupFooters_.empty(); }
    std::optional<double> footerValue(int column) const;
    QString footerText(int column) const;
    std::optional<double> groupFooterValue(int group, int column) const;
    QString groupFooterText(int group, int column) const;

    // QAbstractItemModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // data::TableObserver
    void tableReset() override;
    void rowChanged(std::size_t row) override;
    void currentRowChanged(std::size_t row) override;
    void tableDestroyed() override;

signals:
    void footersChanged();
    void tableCursorMoved(int sourceRow);

private:
    struct DisplayRow {
        RowKind kind;
        int index;  // table row for Data, group index otherwise
    };
    struct Group {
        QString key;
        data::Cell value;
        std::vector<int> rows;
        bool expanded = true;
        int headerRow = 0;
    };
    struct FooterItem {
        Aggregate kind;
        QString format;
    };

    void resolveFields();
    void rebuild();  // recomputes rows, groups and footers; callers wrap it in a reset
    void resetAll();
    bool changedOffThread();
    bool passesFilters(int sourceRow, int skipColumn) const;
    void sortRows(std::vector<int>& rows) const;
    std::optional<double> aggregate(const std::vector<int>& rows, int column, Aggregate kind) const;
    QString aggregateText(int column, const FooterItem& item, std::optional<double> value) const;
    void computeFooters();

    QVector<GridColumn> columns_;
    bool autoColumns_ = true;
    std::vector<int> fieldIndex_;
    data::MemTable* table_ = nullptr;
    CellTextContext ctx_;
    QHash<QString, CustomTextHook> customText_;

    QHash<int, QSet<QString>> filters_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    int groupColumn_ = -1;
    QSet<QString> collapsedGroups_;

    std::vector<int> passing_;            // rows passing filters, in sorted order
    std::vector<DisplayRow> display_;     // empty when display equals passing_
    mutable bool reverseValid_ = false;
    mutable std::vector<int> reverse_;
    std::vector<Group> groups_;

    std::map<int, FooterItem> footers_;
    std::map<int, FooterItem> groupFooters_;
    std::map<int, std::optional<double>> footerValues_;
    std::vector<std::map<int, std::optional<double>>> groupFooterValues_;
};

}  // namespace grid
