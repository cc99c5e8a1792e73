#include "grid/GridModel.h"

#include <QCollator>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "grid/Icons.h"

namespace grid {

// --- RowValues ---------------------------------------------------------------------------

namespace {
const data::Cell kNullCell{};

bool isNumericCell(const data::Cell& c) {
    return std::holds_alternative<std::int64_t>(c) || std::holds_alternative<double>(c) ||
           std::holds_alternative<bool>(c);
}

std::optional<double> numericValue(const data::Cell& c) {
    if (isNumericCell(c)) return data::cellToFloat(c);
    if (const auto* s = std::get_if<std::string>(&c)) {
        if (s->empty()) return std::nullopt;
        try {
            return data::cellToFloat(c);
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}
}  // namespace

const data::Cell& RowValues::value(std::string_view field) const {
    if (!table_ || row_ < 0 || static_cast<std::size_t>(row_) >= table_->rowCount()) return kNullCell;
    const int col = table_->fieldIndex(field);
    if (col < 0) return kNullCell;
    return table_->cell(static_cast<std::size_t>(row_), static_cast<std::size_t>(col));
}

double RowValues::asFloat(std::string_view field) const { return numericValue(value(field)).value_or(0.0); }

std::int64_t RowValues::asInteger(std::string_view field) const {
    return static_cast<std::int64_t>(std::llround(asFloat(field)));
}

QString RowValues::asString(std::string_view field) const {
    return QString::fromStdString(data::cellToString(value(field)));
}

bool RowValues::isNull(std::string_view field) const { return data::cellIsNull(value(field)); }

// --- GridModel ---------------------------------------------------------------------------

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

GridModel::~GridModel() {
    if (table_) table_->removeObserver(this);
}

void GridModel::setColumns(QVector<GridColumn> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    autoColumns_ = columns_.isEmpty();
    filters_.clear();
    sortColumn_ = -1;
    groupColumn_ = -1;
    footers_.clear();
    groupFooters_.clear();
    resolveFields();
    rebuild();
    endResetModel();
    emit footersChanged();
}

int GridModel::columnOf(const QString& field) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].field.compare(field, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int GridModel::fieldIndex(int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= fieldIndex_.size()) return -1;
    return fieldIndex_[column];
}

void GridModel::setTable(data::MemTable* table) {
    if (table == table_) return;
    if (table_) table_->removeObserver(this);
    table_ = table;
    if (table_) table_->addObserver(this);
    resetAll();
}

void GridModel::setLocale(const QLocale& locale) {
    beginResetModel();
    ctx_.locale = locale;
    ctx_.numbers = numberLocaleOf(locale);
    endResetModel();
    emit footersChanged();
}

void GridModel::setCustomText(const QString& field, CustomTextHook hook) {
    customText_.insert(field.toUpper(), std::move(hook));
}

void GridModel::resolveFields() {
    if (autoColumns_) {
        QVector<GridColumn> generated;
        if (table_) {
            for (const auto& f : table_->fields()) {
                GridColumn def;
                def.field = QString::fromStdString(f.name);
                def.kind = isNumericField(f) ? CellKind::Number : CellKind::Text;
                generated.push_back(def);
            }
        }
        bool same = generated.size() == columns_.size();
        for (int i = 0; same && i < generated.size(); ++i) same = generated[i].field == columns_[i].field;
        if (!same) {
            columns_ = generated;
            filters_.clear();
            sortColumn_ = -1;
            groupColumn_ = -1;
        }
    }
    fieldIndex_.assign(columns_.size(), -1);
    if (!table_) return;
    for (int i = 0; i < columns_.size(); ++i) {
        const auto& def = columns_[i];
        if (def.kind == CellKind::Custom && !table_->hasField(def.field.toStdString())) continue;
        fieldIndex_[i] = table_->fieldIndex(def.field.toStdString());
    }
}

void GridModel::resetAll() {
    beginResetModel();
    resolveFields();
    rebuild();
    endResetModel();
    emit footersChanged();
}

// --- cells -------------------------------------------------------------------------------

const data::Cell& GridModel::cell(int sourceRow, int column) const {
    const int f = fieldIndex(column);
    if (!table_ || f < 0 || static_cast<std::size_t>(f) >= table_->fieldCount() || sourceRow < 0 ||
        static_cast<std::size_t>(sourceRow) >= table_->rowCount())
        return kNullCell;
    return table_->cell(static_cast<std::size_t>(sourceRow), static_cast<std::size_t>(f));
}

QString GridModel::cellText(int sourceRow, int column) const {
    const auto& def = columns_.at(column);
    if (def.kind == CellKind::Custom) {
        const auto it = customText_.constFind(def.field.toUpper());
        return it != customText_.constEnd() && *it ? (*it)(rowValues(sourceRow)) : QString();
    }
    const int f = fieldIndex(column);
    if (f < 0 || static_cast<std::size_t>(f) >= table_->fieldCount()) return {};
    return grid::cellText(cell(sourceRow, column), table_->field(static_cast<std::size_t>(f)), ctx_);
}

QString GridModel::filterText(int sourceRow, int column) const {
    const auto& def = columns_.at(column);
    switch (def.kind) {
    case CellKind::Icon: return iconMeaning(def.iconSet, cell(sourceRow, column));
    case CellKind::CheckBox: {
        const auto v = numericValue(cell(sourceRow, column));
        return v && *v != 0 ? QStringLiteral("Seçili") : QStringLiteral("Seçili değil");
    }
    case CellKind::Picture: return {};
    default: return cellText(sourceRow, column);
    }
}

// --- shown rows --------------------------------------------------------------------------

GridModel::RowKind GridModel::rowKind(int displayRow) const {
    if (display_.empty()) return RowKind::Data;
    return display_.at(displayRow).kind;
}

int GridModel::sourceRow(int displayRow) const {
    if (displayRow < 0) return -1;
    if (groupColumn_ < 0) {
        return static_cast<std::size_t>(displayRow) < passing_.size() ? passing_[displayRow] : -1;
    }
    if (static_cast<std::size_t>(displayRow) >= display_.size()) return -1;
    const auto& d = display_[displayRow];
    return d.kind == RowKind::Data ? d.index : -1;
}

int GridModel::displayRowOf(int source) const {
    if (!table_ || source < 0 || static_cast<std::size_t>(source) >= table_->rowCount()) return -1;
    if (!reverseValid_) {
        reverse_.assign(table_->rowCount(), -1);
        if (groupColumn_ < 0) {
            for (std::size_t i = 0; i < passing_.size(); ++i) reverse_[passing_[i]] = static_cast<int>(i);
        } else {
            for (std::size_t i = 0; i < display_.size(); ++i)
                if (display_[i].kind == RowKind::Data) reverse_[display_[i].index] = static_cast<int>(i);
        }
        reverseValid_ = true;
    }
    return static_cast<std::size_t>(source) < reverse_.size() ? reverse_[source] : -1;
}

int GridModel::groupOf(int displayRow) const {
    if (groupColumn_ < 0 || displayRow < 0 || static_cast<std::size_t>(displayRow) >= display_.size()) return -1;
    const auto& d = display_[displayRow];
    if (d.kind != RowKind::Data) return d.index;
    // Data rows: the nearest group header above.
    for (int r = displayRow; r >= 0; --r)
        if (display_[r].kind == RowKind::Group) return display_[r].index;
    return -1;
}

std::vector<int> GridModel::rowsInOrder() const {
    if (groupColumn_ < 0) return passing_;
    std::vector<int> out;
    out.reserve(passing_.size());
    for (const auto& g : groups_) out.insert(out.end(), g.rows.begin(), g.rows.end());
    return out;
}

// --- rebuilding --------------------------------------------------------------------------

bool GridModel::passesFilters(int sourceRow, int skipColumn) const {
    for (auto it = filters_.constBegin(); it != filters_.constEnd(); ++it) {
        if (it.key() == skipColumn) continue;
        if (!it.value().contains(filterText(sourceRow, it.key()))) return false;
    }
    return true;
}

namespace {

// Orders cells: empty first, then numbers by value, then text by the collator.
struct CellOrder {
    const QCollator& collator;
    int operator()(const data::Cell& a, const data::Cell& b, const QString& ta, const QString& tb) const {
        const bool na = data::cellIsNull(a), nb = data::cellIsNull(b);
        if (na || nb) return na == nb ? 0 : (na ? -1 : 1);
        if (isNumericCell(a) && isNumericCell(b)) {
            const double x = data::cellToFloat(a), y = data::cellToFloat(b);
            return x < y ? -1 : (y < x ? 1 : 0);
        }
        return collator.compare(ta, tb);
    }
};

QCollator makeCollator(const QLocale& locale) {
    QCollator c(locale);
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
}

}  // namespace

void GridModel::sortRows(std::vector<int>& rows) const {
    if (sortColumn_ < 0 || !table_) return;
    const int col = sortColumn_;
    const bool numeric = fieldIndex(col) >= 0 && isNumericField(table_->field(fieldIndex(col))) &&
                         columns_[col].kind != CellKind::Icon;
    if (numeric || columns_[col].kind == CellKind::CheckBox) {
        std::vector<double> keys(table_->rowCount());
        for (int r : rows) keys[r] = numericValue(cell(r, col)).value_or(-HUGE_VAL);
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    } else {
        const QCollator collator = makeCollator(ctx_.locale);
        std::vector<QCollatorSortKey> keys;
        keys.reserve(rows.size());
        std::vector<int> slot(table_->rowCount(), 0);  // table row -> its key
        for (int r : rows) {
            slot[r] = static_cast<int>(keys.size());
            keys.push_back(collator.sortKey(filterText(r, col)));
        }
        std::stable_sort(rows.begin(), rows.end(),
                         [&](int a, int b) { return keys[slot[a]].compare(keys[slot[b]]) < 0; });
    }
    if (sortOrder_ == Qt::DescendingOrder) std::reverse(rows.begin(), rows.end());
}

void GridModel::rebuild() {
    reverseValid_ = false;
    passing_.clear();
    display_.clear();
    groups_.clear();
    if (table_ && table_->active()) {
        const int n = static_cast<int>(table_->rowCount());
        passing_.reserve(n);
        if (filters_.isEmpty()) {
            passing_.resize(n);
            std::iota(passing_.begin(), passing_.end(), 0);
        } else {
            for (int r = 0; r < n; ++r)
                if (passesFilters(r, -1)) passing_.push_back(r);
        }
        sortRows(passing_);
    }
    if (groupColumn_ >= 0) {
        QHash<QString, int> byKey;
        for (int r : passing_) {
            const QString key = cellText(r, groupColumn_);
            auto it = byKey.find(key);
            if (it == byKey.end()) {
                it = byKey.insert(key, static_cast<int>(groups_.size()));
                Group g;
                g.key = key;
                g.value = cell(r, groupColumn_);
                g.expanded = !collapsedGroups_.contains(key);
                groups_.push_back(std::move(g));
            }
            groups_[*it].rows.push_back(r);
        }
        const QCollator collator = makeCollator(ctx_.locale);
        const CellOrder order{collator};
        std::stable_sort(groups_.begin(), groups_.end(), [&](const Group& a, const Group& b) {
            return order(a.value, b.value, a.key, b.key) < 0;
        });
        display_.reserve(passing_.size() + groups_.size() * 2);
        for (std::size_t g = 0; g < groups_.size(); ++g) {
            groups_[g].headerRow = static_cast<int>(display_.size());
            display_.push_back({RowKind::Group, static_cast<int>(g)});
            if (groups_[g].expanded)
                for (int r : groups_[g].rows) display_.push_back({RowKind::Data, r});
            if (!groupFooters_.empty()) display_.push_back({RowKind::GroupFooter, static_cast<int>(g)});
        }
    }
    computeFooters();
}

// --- filters -----------------------------------------------------------------------------

void GridModel::setFilter(int column, const QStringList& values) {
    if (column < 0 || column >= columns_.size()) return;
    if (values.isEmpty()) {
        clearFilter(column);
        return;
    }
    beginResetModel();
    filters_.insert(column, QSet<QString>(values.begin(), values.end()));
    rebuild();
    endResetModel();
    emit footersChanged();
}

void GridModel::clearFilter(int column) {
    if (!filters_.contains(column)) return;
    beginResetModel();
    filters_.remove(column);
    rebuild();
    endResetModel();
    emit footersChanged();
}

void GridModel::clearFilters() {
    if (filters_.isEmpty()) return;
    beginResetModel();
    filters_.clear();
    rebuild();
    endResetModel();
    emit footersChanged();
}

QStringList GridModel::filterValues(int column) const {
    const auto it = filters_.constFind(column);
    if (it == filters_.constEnd()) return {};
    QStringList out(it->begin(), it->end());
    out.sort();
    return out;
}

QStringList GridModel::distinctValues(int column) const {
    if (!table_ || column < 0 || column >= columns_.size()) return {};
    QHash<QString, int> seen;
    std::vector<QString> texts;
    std::vector<int> holder;  // a row holding each text
    const int n = static_cast<int>(table_->rowCount());
    for (int r = 0; r < n; ++r) {
        if (!filters_.isEmpty() && !passesFilters(r, column)) continue;
        QString t = filterText(r, column);
        if (seen.contains(t)) continue;
        seen.insert(t, static_cast<int>(texts.size()));
        texts.push_back(std::move(t));
        holder.push_back(r);
    }
    std::vector<int> order(texts.size());
    std::iota(order.begin(), order.end(), 0);
    const auto& def = columns_[column];
    const int f = fieldIndex(column);
    const bool numeric = f >= 0 && isNumericField(table_->field(f)) && def.kind != CellKind::Icon &&
                         def.kind != CellKind::CheckBox;
    if (numeric) {
        // Empty first, then by value.
        std::vector<double> keys(texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i)
            keys[i] = numericValue(cell(holder[i], column)).value_or(-HUGE_VAL);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
    } else {
        const QCollator collator = makeCollator(ctx_.locale);
        std::vector<QCollatorSortKey> keys;
        keys.reserve(texts.size());
        for (const QString& t : texts) keys.push_back(collator.sortKey(t));
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });
    }
    QStringList out;
    out.reserve(static_cast<qsizetype>(order.size()));
    for (int i : order) out << texts[i];
    return out;
}

// --- sorting and grouping ----------------------------------------------------------------

void GridModel::sort(int column, Qt::SortOrder order) {
    if (column >= columns_.size()) return;
    beginResetModel();
    sortColumn_ = column;
    sortOrder_ = order;
    rebuild();
    endResetModel();
}

void GridModel::setGroupColumn(int column) {
    if (column >= columns_.size()) column = -1;
    beginResetModel();
    groupColumn_ = column;
    collapsedGroups_.clear();
    rebuild();
    endResetModel();
    emit footersChanged();
}

QString GridModel::groupKey(int group) const { return groups_.at(group).key; }
int GridModel::groupRowCount(int group) const { return static_cast<int>(groups_.at(group).rows.size()); }
bool GridModel::isGroupExpanded(int group) const { return groups_.at(group).expanded; }
int GridModel::groupHeaderRow(int group) const { return groups_.at(group).headerRow; }

void GridModel::setGroupExpanded(int group, bool expanded) {
    if (group < 0 || group >= groupCount() || groups_[group].expanded == expanded) return;
    beginResetModel();
    if (expanded)
        collapsedGroups_.remove(groups_[group].key);
    else
        collapsedGroups_.insert(groups_[group].key);
    rebuild();
    endResetModel();
}

void GridModel::setAllGroupsExpanded(bool expanded) {
    beginResetModel();
    collapsedGroups_.clear();
    if (!expanded)
        for (const auto& g : groups_) collapsedGroups_.insert(g.key);
    rebuild();
    endResetModel();
}

// --- footers -----------------------------------------------------------------------------

void GridModel::setFooter(int column, Aggregate kind, const QString& format) {
    if (column < 0 || column >= columns_.size()) return;
    footers_[column] = FooterItem{kind, format};
    computeFooters();
    emit footersChanged();
}

void GridModel::setGroupFooter(int column, Aggregate kind, const QString& format) {
    if (column < 0 || column >= columns_.size()) return;
    beginResetModel();
    groupFooters_[column] = FooterItem{kind, format};
    rebuild();
    endResetModel();
}

void GridModel::clearFooters() {
    beginResetModel();
    footers_.clear();
    groupFooters_.clear();
    rebuild();
    endResetModel();
    emit footersChanged();
}

std::optional<double> GridModel::aggregate(const std::vector<int>& rows, int column, Aggregate kind) const {
    if (kind == Aggregate::Count) return static_cast<double>(rows.size());
    double sum = 0;
    int counted = 0;
    if (fieldIndex(column) >= 0) {
        for (int r : rows) {
            if (const auto v = numericValue(cell(r, column))) {
                sum += *v;
                ++counted;
            }
        }
    }
    if (kind == Aggregate::Sum) return sum;
    if (counted == 0) return std::nullopt;
    return sum / counted;
}

QString GridModel::aggregateText(int column, const FooterItem& item, std::optional<double> value) const {
    if (!value) return {};
    if (item.kind == Aggregate::Count) return QString::number(static_cast<qlonglong>(*value));
    if (!item.format.isEmpty()) return numberText(*value, item.format.toStdString(), false, ctx_);
    const int f = fieldIndex(column);
    if (f < 0) return numberText(*value, {}, false, ctx_);
    const auto& field = table_->field(static_cast<std::size_t>(f));
    const bool integral = item.kind == Aggregate::Sum &&
                          (field.type == data::FieldType::Integer || field.type == data::FieldType::LargeInt);
    return numberText(*value, field.displayFormat, integral, ctx_);
}

void GridModel::computeFooters() {
    footerValues_.clear();
    for (const auto& [col, item] : footers_) footerValues_[col] = aggregate(passing_, col, item.kind);
    groupFooterValues_.assign(groups_.size(), {});
    for (std::size_t g = 0; g < groups_.size(); ++g)
        for (const auto& [col, item] : groupFooters_)
            groupFooterValues_[g][col] = aggregate(groups_[g].rows, col, item.kind);
}

std::optional<double> GridModel::footerValue(int column) const {
    const auto it = footerValues_.find(column);
    return it == footerValues_.end() ? std::nullopt : it->second;
}

QString GridModel::footerText(int column) const {
    const auto it = footers_.find(column);
    if (it == footers_.end()) return {};
    return aggregateText(column, it->second, footerValue(column));
}

std::optional<double> GridModel::groupFooterValue(int group, int column) const {
    if (group < 0 || static_cast<std::size_t>(group) >= groupFooterValues_.size()) return std::nullopt;
    const auto& m = groupFooterValues_[group];
    const auto it = m.find(column);
    return it == m.end() ? std::nullopt : it->second;
}

QString GridModel::groupFooterText(int group, int column) const {
    const auto it = groupFooters_.find(column);
    if (it == groupFooters_.end()) return {};
    return aggregateText(column, it->second, groupFooterValue(group, column));
}

// --- QAbstractItemModel ------------------------------------------------------------------

int GridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return static_cast<int>(groupColumn_ < 0 ? passing_.size() : display_.size());
}

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_.size(); }

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int col = index.column();
    const auto kind = rowKind(index.row());
    if (kind == RowKind::Group) {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
            if (col != 0 && role == Qt::DisplayRole) return {};
            const int g = display_[index.row()].index;
            return columns_[groupColumn_].headerText() + QStringLiteral(": ") + groups_[g].key;
        }
        return {};
    }
    if (kind == RowKind::GroupFooter) {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return groupFooterText(display_[index.row()].index, col);
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    const int src = sourceRow(index.row());
    const auto& def = columns_[col];
    switch (role) {
    case Qt::DisplayRole:
        if (def.kind == CellKind::Icon || def.kind == CellKind::CheckBox || def.kind == CellKind::Picture)
            return {};
        return cellText(src, col);
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        if (def.kind == CellKind::Picture) return role == Qt::ToolTipRole ? QVariant() : QStringLiteral("Resim");
        if (role == Qt::ToolTipRole && def.kind != CellKind::Icon) return {};
        return filterText(src, col);
    case Qt::AccessibleDescriptionRole:
        if (def.kind == CellKind::Icon) return iconMeaning(def.iconSet, cell(src, col));
        return {};
    case Qt::CheckStateRole:
        if (def.kind != CellKind::CheckBox) return {};
        return numericValue(cell(src, col)).value_or(0) != 0 ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole: {
        if (def.alignment) return QVariant::fromValue(def.alignment);
        const int f = fieldIndex(col);
        const bool numeric = def.kind == CellKind::Number ||
                             (def.kind == CellKind::Text && f >= 0 && isNumericField(table_->field(f)));
        if (def.kind == CellKind::Icon || def.kind == CellKind::CheckBox || def.kind == CellKind::Picture)
            return QVariant::fromValue(Qt::AlignCenter);
        if (def.kind == CellKind::MultiLine) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignTop);
        return QVariant::fromValue((numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < columns_.size()) {
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return columns_[section].headerText();
        if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole) return QString();
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

// --- table notifications -----------------------------------------------------------------

bool GridModel::changedOffThread() {
    if (QThread::currentThread() == thread()) return false;
    // Windows detach their grid before a background task writes the table; should one forget,
    // the view is refreshed on its own thread instead of being touched from the worker.
    qWarning("grid: table '%s' changed off the user-interface thread while attached",
             table_ ? table_->name().c_str() : "");
    QMetaObject::invokeMethod(this, [this] { resetAll(); }, Qt::QueuedConnection);
    return true;
}

void GridModel::tableReset() {
    if (!changedOffThread()) resetAll();
}

void GridModel::rowChanged(std::size_t row) {
    if (changedOffThread()) return;
    if (filters_.isEmpty() && sortColumn_ < 0 && groupColumn_ < 0 && row < passing_.size()) {
        const int r = static_cast<int>(row);
        emit dataChanged(index(r, 0), index(r, columnCount() - 1));
        computeFooters();
        emit footersChanged();
        return;
    }
    resetAll();
}

void GridModel::tableDestroyed() {
    if (table_) table_->removeObserver(this);
    table_ = nullptr;
    resetAll();
}

void GridModel::currentRowChanged(std::size_t row) {
    if (QThread::currentThread() != thread()) return;
    emit tableCursorMoved(static_cast<int>(row));
}

}  // namespace grid
