#pragma once
// The data grid every list window uses: a read-only table view over a data::MemTable with
// columns declared by field name, header filter buttons, a column chooser, footer aggregates,
// incremental search, grouping, column fitting and spreadsheet export.
//
// A window declares its columns and hooks once:
//   grid->setColumns({
//       {.field = "DURUM", .caption = "Durum", .kind = CellKind::Icon, .iconSet = IconSet::StockState},
//       {.field = "OEM1", .caption = "Oem1", .weight = 2, .visibility = Visibility::HiddenOffered},
//       {.field = "KALAN", .visibility = Visibility::StaffOnly},
//       {.field = "FIYATBILGISI", .caption = "Fiyat Bilgisi", .weight = 2, .kind = CellKind::Custom},
//   });
//   grid->setCustomDrawHook("FIYATBILGISI", drawPriceSummary);
//   grid->addFooter("OEM1", Aggregate::Count);
//   grid->setGridStyle(style);     // colours, fonts, header and row heights
//   grid->attach(&stok);           // detach() before a background load writes the table
//
// The grid's focused row is the table's current row: moving one moves the other.

#include <QLocale>
#include <QPointer>
#include <QVector>
#include <QWidget>
#include <optional>

#include "data/MemTable.h"
#include "grid/GridColumn.h"

class QMenu;
class QTableView;

namespace grid {

class GridModel;
class GridHeader;
class FooterView;
class GridDelegate;
class GridTableView;
class FilterPopup;

class DataGrid : public QWidget {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    // --- columns -----------------------------------------------------------------------
    // Replaces the columns (and drops filters, sorting, grouping and footers).
    void setColumns(const QVector<GridColumn>& columns);
    const QVector<GridColumn>& columns() const;
    bool hasColumn(const QString& field) const;

    // Staff mode shows the StaffOnly columns and offers them in the chooser.
    void setStaffMode(bool on);
    bool staffMode() const { return staffMode_; }
    void setColumnVisible(const QString& field, bool visible);
    bool isColumnVisible(const QString& field) const;
    // Whether the column chooser offers the column.
    void setColumnOffered(const QString& field, bool offered);
    bool isColumnOffered(const QString& field) const;
    // Fields the column chooser offers, in column order.
    QStringList chooserFields() const;
    // Fields of the visible columns in their on-screen order.
    QStringList visibleFields() const;
    // The header's context menu: one checkable entry per offered column, then the commands.
    QMenu* buildHeaderMenu(QWidget* parent);

    void setColumnWidth(const QString& field, int width);
    int columnWidth(const QString& field) const;

    void setCustomDrawHook(const QString& field, CustomDrawHook hook);
    // Text of a custom column for export, accessibility and incremental search.
    void setCustomTextHook(const QString& field, CustomTextHook hook);

    // --- binding -----------------------------------------------------------------------
    // A detached grid shows no rows. Attaching shows the table and follows its changes.
    void attach(data::MemTable* table);
    void detach();
    bool isAttached() const;
    data::MemTable* table() const;

    // Suspends painting until the matching endUpdate().
    void beginUpdate();
    void endUpdate();
    bool isUpdating() const { return updateDepth_ > 0; }

    // --- focus -------------------------------------------------------------------------
    // Table row of the focused data row, -1 when none (no rows, detached or a group row).
    int focusedRow() const;
    bool hasFocusedRow() const { return focusedRow() >= 0; }
    // A value of the focused row (null when there is none).
    data::Cell focusedValue(const QString& field) const;
    RowValues focusedValues() const;
    // Focuses the first shown row whose field equals the value; expands its group.
    bool focusRowWhere(const QString& field, const data::Cell& value);
    bool focusRow(int tableRow);
    QString focusedField() const;
    void setFocusedField(const QString& field);

    // Incremental search: focuses the next row (from the focused one) whose focused column
    // starts with the text, ignoring case. Typing into the grid extends the text.
    bool incrementalSearch(const QString& text);
    QString searchText() const { return searchText_; }
    void clearSearch() { searchText_.clear(); }

    // --- footers -----------------------------------------------------------------------
    // Aggregates over the rows passing the filters, shown under the named column.
    void addFooter(const QString& field, Aggregate kind, const QString& format = {});
    // Aggregates per group, shown in a footer row under each group.
    void addGroupFooter(const QString& field, Aggregate kind, const QString& format = {});
    void clearFooters();
    std::optional<double> footerValue(const QString& field) const;
    QString footerText(const QString& field) const;
    void setFooterVisible(bool visible);
    bool isFooterVisible() const;

    // --- filters and sorting -----------------------------------------------------------
    void setFilter(const QString& field, const QStringList& values);
    void clearFilter(const QString& field);
    void clearFilters();
    QStringList filterValues(const QString& field) const;
    QStringList distinctValues(const QString& field) const;
    void setFilterButtonsVisible(bool visible);
    // Opens the filter popup of the column under its header (the header's filter button does it).
    FilterPopup* showFilterPopup(const QString& field);
    void setSortingEnabled(bool enabled);
    void sortBy(const QString& field, Qt::SortOrder order = Qt::AscendingOrder);
    // Rows shown (data rows only, passing the filters).
    int rowCount() const;

    // --- grouping ----------------------------------------------------------------------
    void setGroupBy(const QString& field);  // empty: no grouping
    QString groupField() const;
    int groupCount() const;
    QString groupKey(int group) const;
    int groupRowCount(int group) const;
    bool isGroupExpanded(int group) const;
    void setGroupExpanded(int group, bool expanded);
    std::optional<double> groupFooterValue(int group, const QString& field) const;
    void collapseAll();
    void expandAll();

    // --- appearance --------------------------------------------------------------------
    void setGridStyle(const GridStyle& style);
    const GridStyle& gridStyle() const { return style_; }
    void setHeaderHeight(int px);
    void setRowHeight(int px);
    void setHeaderVisible(bool visible);
    void setRowIndicatorVisible(bool visible);
    void setGridLinesVisible(bool visible);
    void setPixelScrolling(bool on);
    // What the user may do with the columns (all allowed by default).
    void setColumnsMovable(bool on);
    void setColumnsResizable(bool on);
    void setColumnChooserEnabled(bool on);
    // The locale numbers and dates are shown in; the system locale by default.
    void setDisplayLocale(const QLocale& locale);

    // --- column widths -----------------------------------------------------------------
    // Screen width above 1152: widths by weight over the grid's width; otherwise best fit.
    void fitColumns(int screenWidth);
    void fitByWeight(int gridWidth = -1);
    void bestFit();
    // Columns follow the grid's width by weight on every resize.
    void setAutoWidth(bool on);

    // --- export ------------------------------------------------------------------------
    // Asks for a file name ("Excel|*.xls*") and writes the grid; false when cancelled or failed
    // (a failure is reported to the user).
    bool exportToSpreadsheet(const QString& suggestedName = {});
    // Writes every shown row (groups expanded) with the visible columns; error text on failure.
    bool writeSpreadsheet(const QString& path, QString* error = nullptr) const;

    // Text a data cell shows (for tests and accessibility).
    QString cellText(int tableRow, const QString& field) const;

    QTableView* view() const;
    GridModel* model() const { return model_; }

signals:
    void rowDoubleClicked(int row, const QString& field);
    void contextMenuRequested(const QPoint& globalPos);
    void focusedRowChanged(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class GridTableView;
    friend class GridDelegate;
    int col(const QString& field) const;
    void applyColumnStates();
    void applyStyle();
    void onModelReset();
    void onCurrentChanged(const QModelIndex& current);
    void onTableCursorMoved(int row);
    void onDoubleClicked(const QModelIndex& index);
    void onHeaderClicked(int section);
    void onHeaderMenu(const QPoint& pos);
    void onFilterButton(int section, const QPoint& globalPos);
    void setCurrentDisplayRow(int displayRow);
    bool typeSearchKey(const QString& text);  // from the view's key handler
    int firstVisibleColumn() const;
    int preferredWidth(int column) const;

    GridModel* model_;
    GridTableView* view_;
    GridHeader* header_;
    FooterView* footer_;
    GridDelegate* delegate_;
    QPointer<FilterPopup> popup_;
    GridStyle style_;
    QVector<bool> offered_;
    QVector<bool> visible_;
    bool staffMode_ = false;
    bool footerVisible_ = true;
    bool sortingEnabled_ = true;
    bool autoWidth_ = false;
    bool chooserEnabled_ = true;
    bool syncingCursor_ = false;
    int updateDepth_ = 0;
    QString searchText_;
};

}  // namespace grid
