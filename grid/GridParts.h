#pragma once
// The pieces DataGrid is built from: the table view, its cell painter, the header with filter
// buttons, the footer row and the filter popup.

#include <QAbstractListModel>
#include <QCache>
#include <QFrame>
#include <QHash>
#include <QHeaderView>
#include <QImage>
#include <QStyledItemDelegate>
#include <QTableView>

#include "grid/GridColumn.h"

class QListView;

namespace grid {

class DataGrid;
class GridModel;

class GridTableView final : public QTableView {
public:
    GridTableView(DataGrid* grid, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    DataGrid* grid_;
};

class GridDelegate final : public QStyledItemDelegate {
public:
    GridDelegate(DataGrid* grid, GridModel* model, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setDrawHook(const QString& field, CustomDrawHook hook) { hooks_.insert(field.toUpper(), std::move(hook)); }
    bool hasDrawHook(const QString& field) const { return hooks_.contains(field.toUpper()); }
    void clearPictures() { pictures_.clear(); }
    // The row's background colour as the grid paints it.
    QColor rowBackground(int displayRow, bool focused) const;

private:
    void paintGroupRow(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void paintGroupFooter(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void paintGridLines(QPainter* p, const QRect& r) const;
    const QImage* picture(int sourceRow, int column) const;

    DataGrid* grid_;
    GridModel* model_;
    QHash<QString, CustomDrawHook> hooks_;
    mutable QCache<quint64, QImage> pictures_;
};

class GridHeader final : public QHeaderView {
    Q_OBJECT
public:
    GridHeader(DataGrid* grid, GridModel* model, QWidget* parent);
    void setFilterButtonsVisible(bool on);
    bool filterButtonsVisible() const { return filterButtons_; }
    // The filter button's rectangle of a section in header coordinates (empty when none).
    QRect filterButtonRect(int logicalIndex) const;

signals:
    void filterButtonClicked(int logicalIndex, const QPoint& globalPos);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    bool hasFilterButton(int logicalIndex) const;
    DataGrid* grid_;
    GridModel* model_;
    bool filterButtons_ = true;
    bool swallowRelease_ = false;
};

// The row indicator column: marks the focused row.
class RowIndicator final : public QHeaderView {
public:
    RowIndicator(DataGrid* grid, QWidget* parent);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    DataGrid* grid_;
};

// The footer row under the table: one cell per visible column, at the table's section
// positions and scroll offset.
class FooterView final : public QWidget {
public:
    FooterView(DataGrid* grid, GridModel* model, QTableView* view, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DataGrid* grid_;
    GridModel* model_;
    QTableView* view_;
};

// The filter popup's list: "(Tümü)" and then one check box per distinct value.
class FilterValuesModel final : public QAbstractListModel {
public:
    FilterValuesModel(QStringList values, const QStringList& checked, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    const QStringList& values() const { return values_; }
    bool isChecked(int valueIndex) const { return checked_.at(valueIndex); }
    void setChecked(int valueIndex, bool on);

private:
    QStringList values_;
    std::vector<bool> checked_;
};

// Popup listing a column's distinct values as check boxes.
class FilterPopup final : public QFrame {
    Q_OBJECT
public:
    FilterPopup(GridModel* model, int column, QWidget* parent);
    QListView* list() const { return list_; }
    // The entries as shown: "(Tümü)", then the values ("(Boş)" for the empty one).
    QStringList labels() const;
    void setValueChecked(const QString& value, bool checked);
    bool isValueChecked(const QString& value) const;
    // Applies the checked values (all or none checked: no filter) and closes.
    void apply();
    // Removes the column's filter and closes.
    void showAll();

    static QString emptyLabel();  // "(Boş)"
    static QString allLabel();    // "(Tümü)"

private:
    GridModel* model_;
    int column_;
    FilterValuesModel* values_;
    QListView* list_;
};

}  // namespace grid
