#include "grid/DataGrid.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QResizeEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "grid/ColumnFitting.h"
#include "grid/GridModel.h"
#include "grid/GridParts.h"
#include "grid/SpreadsheetExport.h"
#include "platform/Services.h"

namespace grid {

DataGrid::DataGrid(QWidget* parent) : QWidget(parent) {
    model_ = new GridModel(this);
    view_ = new GridTableView(this, this);
    view_->setObjectName(QStringLiteral("gridView"));
    header_ = new GridHeader(this, model_, view_);
    view_->setHorizontalHeader(header_);
    view_->setModel(model_);
    delegate_ = new GridDelegate(this, model_, view_);
    view_->setItemDelegate(delegate_);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setShowGrid(false);
    view_->setWordWrap(false);
    view_->setCornerButtonEnabled(false);
    view_->setTabKeyNavigation(false);
    view_->setVerticalHeader(new RowIndicator(this, view_));
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setVisible(false);
    view_->verticalHeader()->setFixedWidth(14);
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view_->horizontalHeader()->setMinimumSectionSize(8);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    header_->setContextMenuPolicy(Qt::CustomContextMenu);
    view_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    footer_ = new FooterView(this, model_, view_, this);
    footer_->setObjectName(QStringLiteral("gridFooter"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_);
    layout->addWidget(footer_);
    setFocusProxy(view_);

    connect(model_, &QAbstractItemModel::modelReset, this, &DataGrid::onModelReset);
    connect(model_, &GridModel::footersChanged, footer_, qOverload<>(&QWidget::update));
    connect(model_, &QAbstractItemModel::dataChanged, this, [this] { delegate_->clearPictures(); });
    connect(model_, &GridModel::tableCursorMoved, this, &DataGrid::onTableCursorMoved);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) { onCurrentChanged(current); });
    connect(view_, &QAbstractItemView::doubleClicked, this, &DataGrid::onDoubleClicked);
    connect(view_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { emit contextMenuRequested(view_->viewport()->mapToGlobal(pos)); });
    connect(header_, &QWidget::customContextMenuRequested, this, &DataGrid::onHeaderMenu);
    connect(header_, &QHeaderView::sectionClicked, this, &DataGrid::onHeaderClicked);
    connect(header_, &GridHeader::filterButtonClicked, this, &DataGrid::onFilterButton);
    const auto repaintFooter = [this] { footer_->update(); };
    connect(header_, &QHeaderView::sectionResized, footer_, repaintFooter);
    connect(header_, &QHeaderView::sectionMoved, footer_, repaintFooter);
    connect(header_, &QHeaderView::geometriesChanged, footer_, repaintFooter);
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, footer_, repaintFooter);

    applyStyle();
    footer_->setVisible(false);
}

DataGrid::~DataGrid() {
    if (popup_) popup_->close();
    model_->setTable(nullptr);
    // The view and footer read this grid's style while they go; let them go first.
    header_->disconnect(this);
    delete footer_;
    footer_ = nullptr;
    delete view_;
    view_ = nullptr;
}

QTableView* DataGrid::view() const { return view_; }

int DataGrid::col(const QString& field) const { return model_->columnOf(field); }

// --- columns -----------------------------------------------------------------------------

void DataGrid::setColumns(const QVector<GridColumn>& columns) {
    model_->setColumns(columns);
    offered_.resize(columns.size());
    visible_.resize(columns.size());
    for (int i = 0; i < columns.size(); ++i) {
        const auto v = columns[i].visibility;
        const bool staff = v == Visibility::StaffOnly && staffMode_;
        visible_[i] = v == Visibility::Shown || staff;
        offered_[i] = v == Visibility::Shown || v == Visibility::HiddenOffered || staff;
    }
    applyColumnStates();
    footer_->setVisible(footerVisible_ && model_->hasFooters());
}

const QVector<GridColumn>& DataGrid::columns() const { return model_->columns(); }

bool DataGrid::hasColumn(const QString& field) const { return col(field) >= 0; }

void DataGrid::applyColumnStates() {
    for (int i = 0; i < model_->columnCount(); ++i) {
        const bool visible = i < visible_.size() ? visible_[i] : true;
        header_->setSectionHidden(i, !visible);
        const auto& def = model_->column(i);
        if (def.fixedWidth > 0) header_->resizeSection(i, def.fixedWidth);
    }
    footer_->update();
}

void DataGrid::setStaffMode(bool on) {
    staffMode_ = on;
    for (int i = 0; i < model_->columnCount() && i < visible_.size(); ++i) {
        if (model_->column(i).visibility != Visibility::StaffOnly) continue;
        visible_[i] = on;
        offered_[i] = on;
    }
    applyColumnStates();
}

void DataGrid::setColumnVisible(const QString& field, bool visible) {
    const int c = col(field);
    if (c < 0 || c >= visible_.size()) return;
    visible_[c] = visible;
    header_->setSectionHidden(c, !visible);
    if (visible && header_->sectionSize(c) < 8) header_->resizeSection(c, header_->defaultSectionSize());
    if (autoWidth_) fitByWeight(view_->viewport()->width() + 30);
    footer_->update();
}

bool DataGrid::isColumnVisible(const QString& field) const {
    const int c = col(field);
    return c >= 0 && !header_->isSectionHidden(c);
}

void DataGrid::setColumnOffered(const QString& field, bool offered) {
    const int c = col(field);
    if (c < 0 || c >= offered_.size()) return;
    offered_[c] = offered;
}

bool DataGrid::isColumnOffered(const QString& field) const {
    const int c = col(field);
    return c >= 0 && c < offered_.size() && offered_[c];
}

QStringList DataGrid::chooserFields() const {
    QStringList out;
    for (int i = 0; i < model_->columnCount() && i < offered_.size(); ++i)
        if (offered_[i]) out << model_->column(i).field;
    return out;
}

QStringList DataGrid::visibleFields() const {
    QStringList out;
    for (int v = 0; v < header_->count(); ++v) {
        const int logical = header_->logicalIndex(v);
        if (!header_->isSectionHidden(logical)) out << model_->column(logical).field;
    }
    return out;
}

QMenu* DataGrid::buildHeaderMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("columnChooser"));
    for (const QString& field : chooserFields()) {
        const int c = col(field);
        QAction* a = menu->addAction(model_->column(c).headerText());
        a->setCheckable(true);
        a->setChecked(!header_->isSectionHidden(c));
        a->setData(field);
        connect(a, &QAction::toggled, this, [this, field](bool on) { setColumnVisible(field, on); });
    }
    menu->addSeparator();
    QAction* fit = menu->addAction(QStringLiteral("En Uygun Genişlik"));
    connect(fit, &QAction::triggered, this, &DataGrid::bestFit);
    QAction* clear = menu->addAction(QStringLiteral("Filtreleri Temizle"));
    clear->setEnabled(model_->anyFilter());
    connect(clear, &QAction::triggered, this, &DataGrid::clearFilters);
    return menu;
}

void DataGrid::onHeaderMenu(const QPoint& pos) {
    if (!chooserEnabled_) return;
    QMenu* menu = buildHeaderMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(header_->mapToGlobal(pos));
}

void DataGrid::setColumnWidth(const QString& field, int width) {
    const int c = col(field);
    if (c >= 0) header_->resizeSection(c, width);
}

int DataGrid::columnWidth(const QString& field) const {
    const int c = col(field);
    return c >= 0 ? header_->sectionSize(c) : 0;
}

void DataGrid::setCustomDrawHook(const QString& field, CustomDrawHook hook) {
    delegate_->setDrawHook(field, std::move(hook));
    view_->viewport()->update();
}

void DataGrid::setCustomTextHook(const QString& field, CustomTextHook hook) {
    model_->setCustomText(field, std::move(hook));
}

// --- binding -----------------------------------------------------------------------------

void DataGrid::attach(data::MemTable* table) {
    model_->setTable(table);
    if (model_->columns().size() != visible_.size()) {  // generated columns
        visible_.fill(true, model_->columnCount());
        offered_.fill(true, model_->columnCount());
        applyColumnStates();
    }
}

void DataGrid::detach() { model_->setTable(nullptr); }

bool DataGrid::isAttached() const { return model_->table() != nullptr; }

data::MemTable* DataGrid::table() const { return model_->table(); }

void DataGrid::beginUpdate() {
    if (updateDepth_++ == 0) setUpdatesEnabled(false);
}

void DataGrid::endUpdate() {
    if (updateDepth_ == 0) return;
    if (--updateDepth_ == 0) {
        setUpdatesEnabled(true);
        footer_->update();
        view_->viewport()->update();
    }
}

void DataGrid::onModelReset() {
    delegate_->clearPictures();
    if (model_->columns().size() != visible_.size()) {
        visible_.fill(true, model_->columnCount());
        offered_.fill(true, model_->columnCount());
        applyColumnStates();
    }
    footer_->setVisible(footerVisible_ && model_->hasFooters());
    footer_->update();
    // Focus follows the table's current row, as the windows read it.
    auto* t = model_->table();
    if (!t || model_->rowCount() == 0) return;
    int display = t->isEmpty() ? -1 : model_->displayRowOf(static_cast<int>(t->recNo()));
    if (display < 0) display = 0;
    setCurrentDisplayRow(display);
}

// --- focus -------------------------------------------------------------------------------

int DataGrid::firstVisibleColumn() const {
    for (int v = 0; v < header_->count(); ++v) {
        const int logical = header_->logicalIndex(v);
        if (!header_->isSectionHidden(logical)) return logical;
    }
    return 0;
}

void DataGrid::setCurrentDisplayRow(int displayRow) {
    if (displayRow < 0 || displayRow >= model_->rowCount()) return;
    int column = view_->currentIndex().isValid() ? view_->currentIndex().column() : firstVisibleColumn();
    if (column < 0 || column >= model_->columnCount() || header_->isSectionHidden(column)) column = firstVisibleColumn();
    const QModelIndex idx = model_->index(displayRow, column);
    view_->selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view_->scrollTo(idx);
}

int DataGrid::focusedRow() const {
    const QModelIndex current = view_->currentIndex();
    if (!current.isValid() || !model_->table()) return -1;
    return model_->sourceRow(current.row());
}

data::Cell DataGrid::focusedValue(const QString& field) const {
    const int row = focusedRow();
    if (row < 0) return {};
    return RowValues(model_->table(), row).value(field.toStdString());
}

RowValues DataGrid::focusedValues() const { return RowValues(model_->table(), focusedRow()); }

bool DataGrid::focusRow(int tableRow) {
    auto* t = model_->table();
    if (!t || tableRow < 0 || static_cast<std::size_t>(tableRow) >= t->rowCount()) return false;
    int display = model_->displayRowOf(tableRow);
    if (display < 0 && model_->groupColumn() >= 0) {
        // The row may sit in a collapsed group.
        const QString key = model_->cellText(tableRow, model_->groupColumn());
        for (int g = 0; g < model_->groupCount(); ++g)
            if (model_->groupKey(g) == key) model_->setGroupExpanded(g, true);
        display = model_->displayRowOf(tableRow);
    }
    if (display < 0) return false;
    setCurrentDisplayRow(display);
    return true;
}

bool DataGrid::focusRowWhere(const QString& field, const data::Cell& value) {
    auto* t = model_->table();
    if (!t) return false;
    const int f = t->fieldIndex(field.toStdString());
    if (f < 0) return false;
    for (int r : model_->rowsInOrder()) {
        if (data::cellEquals(t->cell(static_cast<std::size_t>(r), static_cast<std::size_t>(f)), value))
            return focusRow(r);
    }
    return false;
}

QString DataGrid::focusedField() const {
    const QModelIndex current = view_->currentIndex();
    const int c = current.isValid() ? current.column() : firstVisibleColumn();
    return c >= 0 && c < model_->columnCount() ? model_->column(c).field : QString();
}

void DataGrid::setFocusedField(const QString& field) {
    const int c = col(field);
    if (c < 0) return;
    const QModelIndex current = view_->currentIndex();
    const int row = current.isValid() ? current.row() : 0;
    if (row >= model_->rowCount()) return;
    view_->selectionModel()->setCurrentIndex(model_->index(row, c),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void DataGrid::onCurrentChanged(const QModelIndex& current) {
    if (!current.isValid()) return;
    const int src = model_->sourceRow(current.row());
    auto* t = model_->table();
    if (src >= 0 && t && !t->editing() && t->recNo() != static_cast<std::size_t>(src) && !syncingCursor_) {
        syncingCursor_ = true;
        t->setRecNo(static_cast<std::size_t>(src));
        syncingCursor_ = false;
    }
    if (view_->verticalHeader()->isVisible()) view_->verticalHeader()->viewport()->update();
    emit focusedRowChanged(src);
}

void DataGrid::onTableCursorMoved(int row) {
    if (syncingCursor_) return;
    syncingCursor_ = true;
    focusRow(row);
    syncingCursor_ = false;
}

void DataGrid::onDoubleClicked(const QModelIndex& index) {
    if (!index.isValid()) return;
    if (model_->rowKind(index.row()) == GridModel::RowKind::Group) {
        const int g = model_->groupOf(index.row());
        setGroupExpanded(g, !model_->isGroupExpanded(g));
        return;
    }
    const int src = model_->sourceRow(index.row());
    if (src >= 0) emit rowDoubleClicked(src, model_->column(index.column()).field);
}

// --- incremental search ------------------------------------------------------------------

bool DataGrid::incrementalSearch(const QString& text) {
    if (text.isEmpty() || model_->rowCount() == 0) return false;
    const QModelIndex current = view_->currentIndex();
    int column = current.isValid() ? current.column() : firstVisibleColumn();
    if (header_->isSectionHidden(column)) column = firstVisibleColumn();
    const QLocale& locale = model_->textContext().locale;
    const QString wanted = locale.toUpper(text);
    const int rows = model_->rowCount();
    const int start = current.isValid() ? current.row() : 0;
    for (int i = 0; i < rows; ++i) {
        const int r = (start + i) % rows;
        const int src = model_->sourceRow(r);
        if (src < 0) continue;
        const QString cell = model_->filterText(src, column);
        if (cell.size() < text.size()) continue;
        if (locale.toUpper(cell.left(text.size())) == wanted) {
            view_->selectionModel()->setCurrentIndex(model_->index(r, column),
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            view_->scrollTo(model_->index(r, column));
            return true;
        }
    }
    return false;
}

bool DataGrid::typeSearchKey(const QString& text) {
    const QString extended = searchText_ + text;
    if (!incrementalSearch(extended)) return false;
    searchText_ = extended;
    return true;
}

// --- footers -----------------------------------------------------------------------------

void DataGrid::addFooter(const QString& field, Aggregate kind, const QString& format) {
    model_->setFooter(col(field), kind, format);
    footer_->setVisible(footerVisible_ && model_->hasFooters());
}

void DataGrid::addGroupFooter(const QString& field, Aggregate kind, const QString& format) {
    model_->setGroupFooter(col(field), kind, format);
}

void DataGrid::clearFooters() {
    model_->clearFooters();
    footer_->setVisible(false);
}

std::optional<double> DataGrid::footerValue(const QString& field) const { return model_->footerValue(col(field)); }

QString DataGrid::footerText(const QString& field) const { return model_->footerText(col(field)); }

void DataGrid::setFooterVisible(bool visible) {
    footerVisible_ = visible;
    footer_->setVisible(visible && model_->hasFooters());
}

bool DataGrid::isFooterVisible() const { return !footer_->isHidden(); }

// --- filters and sorting -----------------------------------------------------------------

void DataGrid::setFilter(const QString& field, const QStringList& values) { model_->setFilter(col(field), values); }

void DataGrid::clearFilter(const QString& field) { model_->clearFilter(col(field)); }

void DataGrid::clearFilters() { model_->clearFilters(); }

QStringList DataGrid::filterValues(const QString& field) const { return model_->filterValues(col(field)); }

QStringList DataGrid::distinctValues(const QString& field) const { return model_->distinctValues(col(field)); }

void DataGrid::setFilterButtonsVisible(bool visible) { header_->setFilterButtonsVisible(visible); }

FilterPopup* DataGrid::showFilterPopup(const QString& field) {
    const int c = col(field);
    if (c < 0 || !model_->table()) return nullptr;
    onFilterButton(c, header_->mapToGlobal(QPoint(header_->sectionViewportPosition(c), header_->height())));
    return popup_;
}

void DataGrid::onFilterButton(int section, const QPoint& globalPos) {
    if (popup_) popup_->close();
    popup_ = new FilterPopup(model_, section, this);
    popup_->move(globalPos);
    popup_->show();
}

void DataGrid::setSortingEnabled(bool enabled) { sortingEnabled_ = enabled; }

void DataGrid::sortBy(const QString& field, Qt::SortOrder order) { model_->sort(col(field), order); }

void DataGrid::onHeaderClicked(int section) {
    if (!sortingEnabled_) return;
    const Qt::SortOrder order = model_->sortColumn() == section && model_->sortOrder() == Qt::AscendingOrder
                                    ? Qt::DescendingOrder
                                    : Qt::AscendingOrder;
    model_->sort(section, order);
}

int DataGrid::rowCount() const { return model_->dataRowCount(); }

// --- grouping ----------------------------------------------------------------------------

void DataGrid::setGroupBy(const QString& field) { model_->setGroupColumn(field.isEmpty() ? -1 : col(field)); }

QString DataGrid::groupField() const {
    const int g = model_->groupColumn();
    return g >= 0 ? model_->column(g).field : QString();
}

int DataGrid::groupCount() const { return model_->groupCount(); }
QString DataGrid::groupKey(int group) const { return model_->groupKey(group); }
int DataGrid::groupRowCount(int group) const { return model_->groupRowCount(group); }
bool DataGrid::isGroupExpanded(int group) const { return model_->isGroupExpanded(group); }

void DataGrid::setGroupExpanded(int group, bool expanded) {
    if (group < 0 || group >= model_->groupCount()) return;
    model_->setGroupExpanded(group, expanded);
    setCurrentDisplayRow(model_->groupHeaderRow(group));
}

std::optional<double> DataGrid::groupFooterValue(int group, const QString& field) const {
    return model_->groupFooterValue(group, col(field));
}

void DataGrid::collapseAll() { model_->setAllGroupsExpanded(false); }
void DataGrid::expandAll() { model_->setAllGroupsExpanded(true); }

// --- appearance --------------------------------------------------------------------------

void DataGrid::applyStyle() {
    view_->setFont(style_.font.value_or(QApplication::font()));
    QFont hf = style_.headerFont.value_or([] {
        QFont f = QApplication::font();
        f.setBold(true);
        return f;
    }());
    header_->setFont(hf);
    footer_->setFont(hf);
    header_->setFixedHeight(style_.headerHeight);
    view_->verticalHeader()->setMinimumSectionSize(1);
    view_->verticalHeader()->setDefaultSectionSize(style_.rowHeight);
    footer_->setFixedHeight(footer_->sizeHint().height());
    QPalette pal = view_->palette();
    pal.setColor(QPalette::Base, style_.oddRow);
    view_->setPalette(pal);
    header_->viewport()->update();
    view_->viewport()->update();
    footer_->update();
}

void DataGrid::setGridStyle(const GridStyle& style) {
    style_ = style;
    applyStyle();
}

void DataGrid::setHeaderHeight(int px) {
    style_.headerHeight = px;
    header_->setFixedHeight(px);
}

void DataGrid::setRowHeight(int px) {
    style_.rowHeight = px;
    view_->verticalHeader()->setDefaultSectionSize(px);
}

void DataGrid::setHeaderVisible(bool visible) { header_->setVisible(visible); }

void DataGrid::setRowIndicatorVisible(bool visible) { view_->verticalHeader()->setVisible(visible); }

void DataGrid::setGridLinesVisible(bool visible) {
    style_.showGridLines = visible;
    view_->viewport()->update();
}

void DataGrid::setPixelScrolling(bool on) {
    view_->setVerticalScrollMode(on ? QAbstractItemView::ScrollPerPixel : QAbstractItemView::ScrollPerItem);
}

void DataGrid::setColumnsMovable(bool on) { header_->setSectionsMovable(on); }

void DataGrid::setColumnsResizable(bool on) {
    header_->setSectionResizeMode(on ? QHeaderView::Interactive : QHeaderView::Fixed);
}

void DataGrid::setColumnChooserEnabled(bool on) { chooserEnabled_ = on; }

void DataGrid::setDisplayLocale(const QLocale& locale) { model_->setLocale(locale); }

QString DataGrid::cellText(int tableRow, const QString& field) const {
    const int c = col(field);
    return c >= 0 ? model_->cellText(tableRow, c) : QString();
}

// --- column widths -----------------------------------------------------------------------

void DataGrid::fitColumns(int screenWidth) {
    if (fitsByWeight(screenWidth))
        fitByWeight();
    else
        bestFit();
}

void DataGrid::fitByWeight(int gridWidth) {
    if (gridWidth < 0) gridWidth = width();
    std::vector<int> weights;
    std::vector<int> sections;
    int fixedTotal = 0;  // visible fixed-width columns keep their room
    for (int i = 0; i < model_->columnCount(); ++i) {
        if (header_->isSectionHidden(i)) continue;
        if (model_->column(i).fixedWidth > 0) {
            fixedTotal += model_->column(i).fixedWidth;
            continue;
        }
        weights.push_back(model_->column(i).weight);
        sections.push_back(i);
    }
    const std::vector<int> widths = fitColumnWidths(weights, gridWidth - fixedTotal);
    beginUpdate();
    for (std::size_t k = 0; k < sections.size(); ++k) header_->resizeSection(sections[k], widths[k]);
    endUpdate();
}

int DataGrid::preferredWidth(int column) const {
    const auto& def = model_->column(column);
    int width = header_->sectionSizeHint(column);
    const QFontMetrics fm(view_->font());
    switch (def.kind) {
    case CellKind::Icon: return std::max(width, 32);
    case CellKind::CheckBox: return std::max(width, 28);
    case CellKind::Picture: return std::max(width, header_->sectionSize(column));
    default: break;
    }
    // Measures the rows at the top; a long list is judged by its first thousand rows.
    const int rows = std::min(model_->rowCount(), 1000);
    for (int r = 0; r < rows; ++r) {
        const int src = model_->sourceRow(r);
        if (src < 0) continue;
        const QString text = model_->cellText(src, column);
        int w = 0;
        if (def.kind == CellKind::MultiLine) {
            for (const QString& line : text.split(QLatin1Char('\n'))) w = std::max(w, fm.horizontalAdvance(line));
            w = std::min(w, 400);
        } else {
            w = fm.horizontalAdvance(text);
        }
        width = std::max(width, w + 10);
    }
    const QString foot = model_->footerText(column);
    if (!foot.isEmpty()) width = std::max(width, QFontMetrics(footer_->font()).horizontalAdvance(foot) + 12);
    return width;
}

void DataGrid::bestFit() {
    beginUpdate();
    for (int i = 0; i < model_->columnCount(); ++i) {
        if (header_->isSectionHidden(i) || model_->column(i).fixedWidth > 0) continue;
        header_->resizeSection(i, preferredWidth(i));
    }
    endUpdate();
}

void DataGrid::setAutoWidth(bool on) {
    autoWidth_ = on;
    if (on) fitByWeight(view_->viewport()->width() + 30);
}

void DataGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (autoWidth_) fitByWeight(view_->viewport()->width() + 30);
}

// --- export ------------------------------------------------------------------------------

bool DataGrid::writeSpreadsheet(const QString& path, QString* error) const {
    QVector<ExportColumn> cols;
    for (int v = 0; v < header_->count(); ++v) {
        const int logical = header_->logicalIndex(v);
        if (!header_->isSectionHidden(logical)) cols.push_back({logical, header_->sectionSize(logical)});
    }
    return writeGridSpreadsheet(*model_, cols, path, error);
}

bool DataGrid::exportToSpreadsheet(const QString& suggestedName) {
    const QString chosen =
        platform::services().getSaveFileName(QStringLiteral("Excel|*.xls*"), QStringLiteral("xlsx"), suggestedName);
    if (chosen.isEmpty()) return false;
    const QString path = spreadsheetFileName(chosen);
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = writeSpreadsheet(path, &error);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        platform::MessageRequest request;
        request.text = error;
        request.kind = platform::MsgKind::Error;
        platform::services().showMessage(request);
    }
    return ok;
}

}  // namespace grid
