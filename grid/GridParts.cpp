#include "grid/GridParts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "grid/DataGrid.h"
#include "grid/GridModel.h"
#include "grid/Icons.h"

namespace grid {

// --- GridTableView -----------------------------------------------------------------------

GridTableView::GridTableView(DataGrid* grid, QWidget* parent) : QTableView(parent), grid_(grid) {}

void GridTableView::keyPressEvent(QKeyEvent* event) {
    const auto mods = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    const QString text = event->text();
    auto* model = grid_->model_;
    const QModelIndex current = currentIndex();
    const bool groupRow = current.isValid() && model->rowKind(current.row()) == GridModel::RowKind::Group;
    if (groupRow && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right ||
                     event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus)) {
        const bool expand = event->key() == Qt::Key_Right || event->key() == Qt::Key_Plus;
        grid_->setGroupExpanded(model->groupOf(current.row()), expand);
        return;
    }
    if (event->key() == Qt::Key_Backspace && !grid_->searchText_.isEmpty()) {
        grid_->searchText_.chop(1);
        if (!grid_->searchText_.isEmpty()) grid_->incrementalSearch(grid_->searchText_);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        grid_->clearSearch();
        QTableView::keyPressEvent(event);
        return;
    }
    if (mods == Qt::NoModifier && !text.isEmpty() && text.at(0).isPrint()) {
        grid_->typeSearchKey(text);
        return;
    }
    grid_->clearSearch();
    QTableView::keyPressEvent(event);
}

void GridTableView::mousePressEvent(QMouseEvent* event) {
    grid_->clearSearch();
    QTableView::mousePressEvent(event);
    // A click on a group row's arrow opens or closes the group.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() &&
        grid_->model_->rowKind(index.row()) == GridModel::RowKind::Group &&
        event->position().x() + horizontalHeader()->offset() < 24) {
        const int g = grid_->model_->groupOf(index.row());
        grid_->setGroupExpanded(g, !grid_->model_->isGroupExpanded(g));
    }
}

// --- GridDelegate ------------------------------------------------------------------------

GridDelegate::GridDelegate(DataGrid* grid, GridModel* model, QObject* parent)
    : QStyledItemDelegate(parent), grid_(grid), model_(model) {
    pictures_.setMaxCost(64 * 1024);  // kilobytes
}

QColor GridDelegate::rowBackground(int displayRow, bool focused) const {
    const auto& st = grid_->style_;
    if (focused) return st.focusedRow;
    return displayRow % 2 == 0 ? st.evenRow : st.oddRow;
}

void GridDelegate::paintGridLines(QPainter* p, const QRect& r) const {
    const auto& st = grid_->style_;
    if (!st.showGridLines) return;
    p->setPen(st.gridLines);
    p->drawLine(r.topRight(), r.bottomRight());
    p->drawLine(r.bottomLeft(), r.bottomRight());
}

void GridDelegate::paintGroupRow(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const auto& st = grid_->style_;
    const bool focused = option.state & QStyle::State_Selected;
    const QRect r = option.rect;
    p->save();
    p->setClipRect(r);
    p->fillRect(r, focused ? st.focusedRow : st.groupRow);
    // The group's caption runs across the whole row; every cell paints its slice of it.
    auto* view = static_cast<QTableView*>(grid_->view());
    const QRect rowRect(-view->horizontalHeader()->offset(), r.top(), view->horizontalHeader()->length(), r.height());
    const int g = model_->groupOf(index.row());
    const bool expanded = g >= 0 && model_->isGroupExpanded(g);
    const int a = 5;
    const QPoint c(rowRect.left() + 12, r.center().y());
    QPolygon arrow;
    if (expanded)
        arrow << QPoint(c.x() - a, c.y() - a / 2) << QPoint(c.x() + a, c.y() - a / 2) << QPoint(c.x(), c.y() + a);
    else
        arrow << QPoint(c.x() - a / 2, c.y() - a) << QPoint(c.x() - a / 2, c.y() + a) << QPoint(c.x() + a, c.y());
    p->setRenderHint(QPainter::Antialiasing, true);
    p->setPen(Qt::NoPen);
    p->setBrush(st.text);
    p->drawPolygon(arrow);
    p->setRenderHint(QPainter::Antialiasing, false);
    const QString caption = model_->data(model_->index(index.row(), 0), Qt::DisplayRole).toString();
    QFont f = option.font;
    f.setBold(true);
    p->setFont(f);
    p->setPen(focused ? st.focusedText : st.text);
    p->drawText(rowRect.adjusted(26, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, caption);
    if (st.showGridLines) {
        p->setPen(st.gridLines);
        p->drawLine(r.bottomLeft(), r.bottomRight());
    }
    p->restore();
}

void GridDelegate::paintGroupFooter(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const auto& st = grid_->style_;
    const QRect r = option.rect;
    p->fillRect(r, st.footerBackground);
    const QString text = model_->data(index, Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        QFont f = option.font;
        f.setBold(true);
        p->setFont(f);
        p->setPen(st.text);
        p->drawText(r.adjusted(4, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, text);
    }
    paintGridLines(p, r);
}

const QImage* GridDelegate::picture(int sourceRow, int column) const {
    const quint64 key = (static_cast<quint64>(static_cast<quint32>(sourceRow)) << 16) | static_cast<quint16>(column);
    if (const QImage* cached = pictures_.object(key)) return cached;
    const auto& c = model_->cell(sourceRow, column);
    QByteArray bytes;
    if (const auto* b = std::get_if<wire::Blob>(&c))
        bytes = QByteArray(b->bytes.data(), static_cast<qsizetype>(b->bytes.size()));
    else if (const auto* s = std::get_if<std::string>(&c))
        bytes = QByteArray(s->data(), static_cast<qsizetype>(s->size()));
    auto* image = new QImage(QImage::fromData(bytes));
    const int cost = qMax<int>(1, static_cast<int>(image->sizeInBytes() / 1024));
    pictures_.insert(key, image, cost);
    return pictures_.object(key);
}

void GridDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const auto kind = model_->rowKind(index.row());
    if (kind == GridModel::RowKind::Group) return paintGroupRow(p, option, index);
    if (kind == GridModel::RowKind::GroupFooter) return paintGroupFooter(p, option, index);

    const auto& st = grid_->style_;
    const bool focused = option.state & QStyle::State_Selected;
    const QRect r = option.rect;
    const QColor bg = rowBackground(index.row(), focused);
    const QColor fg = focused ? st.focusedText : st.text;
    const int column = index.column();
    const auto& def = model_->column(column);
    const int src = model_->sourceRow(index.row());

    p->save();
    p->setClipRect(r);
    if (def.kind == CellKind::Custom && hooks_.contains(def.field.toUpper())) {
        QStyleOptionViewItem opt(option);
        opt.backgroundBrush = bg;
        opt.palette.setColor(QPalette::Text, fg);
        opt.palette.setColor(QPalette::Base, bg);
        if (index.row() % 2 == 1) opt.features |= QStyleOptionViewItem::Alternate;
        p->setPen(fg);
        p->setFont(option.font);
        p->setBrush(Qt::NoBrush);
        hooks_.value(def.field.toUpper())(p, r, model_->rowValues(src), opt);
        p->restore();
        p->save();
        paintGridLines(p, r);
        p->restore();
        return;
    }
    p->fillRect(r, bg);
    const auto alignment = Qt::Alignment(model_->data(index, Qt::TextAlignmentRole).toInt());
    switch (def.kind) {
    case CellKind::Icon: {
        const int size = qMin(24, r.height() - 4);
        QRect target = r;
        if (alignment & Qt::AlignLeft) target.setWidth(size + 8);
        paintIcon(p, target, def.iconSet, model_->cell(src, column), size);
        break;
    }
    case CellKind::CheckBox: {
        QStyleOptionButton box;
        const int s = 16;
        box.rect = QRect(r.left() + (r.width() - s) / 2, r.top() + (r.height() - s) / 2, s, s);
        const bool on = model_->data(index, Qt::CheckStateRole).toInt() == Qt::Checked;
        box.state = QStyle::State_Enabled | (on ? QStyle::State_On : QStyle::State_Off);
        box.palette = option.palette;
        QWidget* w = grid_->view();
        w->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, p, w);
        break;
    }
    case CellKind::Picture: {
        const QImage* image = picture(src, column);
        if (image && !image->isNull()) {
            const QRect area = r.adjusted(2, 2, -2, -2);
            QSize s = image->size().scaled(area.size(), Qt::KeepAspectRatio);
            if (image->width() <= area.width() && image->height() <= area.height()) s = image->size();
            const QRect target(area.left() + (area.width() - s.width()) / 2,
                               area.top() + (area.height() - s.height()) / 2, s.width(), s.height());
            p->setRenderHint(QPainter::SmoothPixmapTransform, true);
            p->drawImage(target, *image);
        }
        break;
    }
    default: {
        const QString text = model_->cellText(src, column);
        if (!text.isEmpty()) {
            p->setFont(option.font);
            p->setPen(fg);
            const QRect tr = r.adjusted(4, 1, -4, -1);
            if (def.kind == CellKind::MultiLine) {
                p->drawText(tr, int(alignment) | Qt::TextWordWrap, text);
            } else {
                const QString shown = option.fontMetrics.elidedText(text, Qt::ElideRight, tr.width());
                p->drawText(tr, int(alignment), shown);
            }
        }
        break;
    }
    }
    paintGridLines(p, r);
    p->restore();
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return QSize(option.fontMetrics.horizontalAdvance(model_->data(index, Qt::DisplayRole).toString()) + 8,
                 grid_->style_.rowHeight);
}

// --- GridHeader --------------------------------------------------------------------------

namespace {
constexpr int kFilterButtonWidth = 14;
}

GridHeader::GridHeader(DataGrid* grid, GridModel* model, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), grid_(grid), model_(model) {
    setSectionsClickable(true);
    setHighlightSections(false);
    setSectionsMovable(true);
    setSortIndicatorShown(false);
    setDefaultAlignment(Qt::AlignCenter);
}

void GridHeader::setFilterButtonsVisible(bool on) {
    filterButtons_ = on;
    viewport()->update();
}

bool GridHeader::hasFilterButton(int logicalIndex) const {
    if (!filterButtons_ || logicalIndex < 0 || logicalIndex >= model_->columnCount()) return false;
    const auto kind = model_->column(logicalIndex).kind;
    return kind != CellKind::Picture && kind != CellKind::Custom;
}

QRect GridHeader::filterButtonRect(int logicalIndex) const {
    if (!hasFilterButton(logicalIndex) || isSectionHidden(logicalIndex)) return {};
    const int x = sectionViewportPosition(logicalIndex);
    const int w = sectionSize(logicalIndex);
    if (w < kFilterButtonWidth * 2) return {};
    return QRect(x + w - kFilterButtonWidth - 2, 2, kFilterButtonWidth, height() - 4);
}

void GridHeader::paintSection(QPainter* p, const QRect& rect, int logicalIndex) const {
    const auto& st = grid_->gridStyle();
    p->save();
    p->fillRect(rect, st.headerBackground);
    p->setPen(st.headerBackground.lighter(150));
    p->drawLine(rect.topRight(), rect.bottomRight());
    QRect textRect = rect.adjusted(4, 2, -4, -2);
    if (hasFilterButton(logicalIndex)) {
        const QRect b(rect.right() - kFilterButtonWidth - 1, rect.top() + 2, kFilterButtonWidth, rect.height() - 4);
        textRect.setRight(b.left() - 1);
        const bool active = model_->hasFilter(logicalIndex);
        const QPoint c = b.center();
        QPolygon arrow;
        arrow << QPoint(c.x() - 4, c.y() - 2) << QPoint(c.x() + 4, c.y() - 2) << QPoint(c.x(), c.y() + 3);
        p->setRenderHint(QPainter::Antialiasing, true);
        p->setPen(Qt::NoPen);
        p->setBrush(active ? QColor(255, 200, 40) : st.headerText.darker(130));
        p->drawPolygon(arrow);
        p->setRenderHint(QPainter::Antialiasing, false);
    }
    if (model_->sortColumn() == logicalIndex) {
        const QPoint c(textRect.left() + 5, rect.center().y());
        QPolygon tri;
        if (model_->sortOrder() == Qt::AscendingOrder)
            tri << QPoint(c.x() - 4, c.y() + 2) << QPoint(c.x() + 4, c.y() + 2) << QPoint(c.x(), c.y() - 3);
        else
            tri << QPoint(c.x() - 4, c.y() - 2) << QPoint(c.x() + 4, c.y() - 2) << QPoint(c.x(), c.y() + 3);
        p->setPen(Qt::NoPen);
        p->setBrush(st.headerText);
        p->drawPolygon(tri);
        textRect.setLeft(textRect.left() + 11);
    }
    p->setFont(st.headerFont.value_or(font()));
    p->setPen(st.headerText);
    QString text = model_->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString();
    const QFontMetrics fm(p->font());
    // Wrap at spaces; a single word too long for the column is cut with an ellipsis.
    const QRect needed = fm.boundingRect(textRect, Qt::AlignCenter | Qt::TextWordWrap, text);
    if (needed.width() > textRect.width() || needed.height() > textRect.height())
        text = fm.elidedText(text, Qt::ElideRight, textRect.width());
    p->drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap, text);
    p->restore();
}

QSize GridHeader::sectionSizeFromContents(int logicalIndex) const {
    QSize s = QHeaderView::sectionSizeFromContents(logicalIndex);
    const QFontMetrics fm(grid_->gridStyle().headerFont.value_or(font()));
    const QString text = model_->headerData(logicalIndex, Qt::Horizontal, Qt::DisplayRole).toString();
    s.setWidth(fm.horizontalAdvance(text) + 12 + (hasFilterButton(logicalIndex) ? kFilterButtonWidth + 2 : 0));
    return s;
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
    const int logical = logicalIndexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && logical >= 0 &&
        filterButtonRect(logical).contains(event->position().toPoint())) {
        swallowRelease_ = true;
        emit filterButtonClicked(logical, mapToGlobal(QPoint(sectionViewportPosition(logical), height())));
        event->accept();
        return;
    }
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseReleaseEvent(QMouseEvent* event) {
    if (swallowRelease_) {
        swallowRelease_ = false;
        event->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
}

// --- RowIndicator ------------------------------------------------------------------------

RowIndicator::RowIndicator(DataGrid* grid, QWidget* parent) : QHeaderView(Qt::Vertical, parent), grid_(grid) {
    setSectionsClickable(false);
    setHighlightSections(false);
}

void RowIndicator::paintSection(QPainter* p, const QRect& rect, int logicalIndex) const {
    const auto& st = grid_->gridStyle();
    p->save();
    p->fillRect(rect, st.footerBackground);
    p->setPen(st.gridLines);
    p->drawLine(rect.topRight(), rect.bottomRight());
    p->drawLine(rect.bottomLeft(), rect.bottomRight());
    if (grid_->view()->currentIndex().row() == logicalIndex) {
        const QPoint c = rect.center();
        QPolygon tri;
        tri << QPoint(c.x() - 3, c.y() - 5) << QPoint(c.x() - 3, c.y() + 5) << QPoint(c.x() + 3, c.y());
        p->setRenderHint(QPainter::Antialiasing, true);
        p->setPen(Qt::NoPen);
        p->setBrush(st.text);
        p->drawPolygon(tri);
    }
    p->restore();
}

// --- FooterView --------------------------------------------------------------------------

FooterView::FooterView(DataGrid* grid, GridModel* model, QTableView* view, QWidget* parent)
    : QWidget(parent), grid_(grid), model_(model), view_(view) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize FooterView::sizeHint() const {
    const QFontMetrics fm(grid_->gridStyle().headerFont.value_or(font()));
    return QSize(100, fm.height() + 10);
}

void FooterView::paintEvent(QPaintEvent*) {
    const auto& st = grid_->gridStyle();
    QPainter p(this);
    p.fillRect(rect(), st.footerBackground);
    p.setPen(st.gridLines);
    p.drawLine(rect().topLeft(), rect().topRight());
    const QHeaderView* header = view_->horizontalHeader();
    // Sections are placed like the table's viewport, which sits right of the row indicator.
    const int originX = view_->viewport()->mapTo(parentWidget(), QPoint(0, 0)).x() - x();
    const int clipRight = originX + view_->viewport()->width();
    p.setClipRect(QRect(originX, 0, qMax(0, clipRight - originX), height()));
    p.setFont(st.headerFont.value_or(font()));
    for (int logical = 0; logical < header->count(); ++logical) {
        if (header->isSectionHidden(logical)) continue;
        const QString text = model_->footerText(logical);
        const int left = originX + header->sectionViewportPosition(logical);
        const QRect cell(left, 2, header->sectionSize(logical), height() - 4);
        if (text.isEmpty()) continue;
        p.setPen(st.gridLines.darker(120));
        p.drawRect(cell.adjusted(1, 0, -2, -1));
        p.setPen(st.text);
        p.drawText(cell.adjusted(4, 0, -5, 0), Qt::AlignRight | Qt::AlignVCenter, text);
    }
}

// --- FilterPopup -------------------------------------------------------------------------

QString FilterPopup::emptyLabel() { return QStringLiteral("(Boş)"); }
QString FilterPopup::allLabel() { return QStringLiteral("(Tümü)"); }

FilterValuesModel::FilterValuesModel(QStringList values, const QStringList& checked, QObject* parent)
    : QAbstractListModel(parent), values_(std::move(values)), checked_(values_.size(), false) {
    const QSet<QString> chosen(checked.begin(), checked.end());
    for (int i = 0; i < values_.size(); ++i) checked_[i] = chosen.contains(values_[i]);
}

int FilterValuesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : values_.size() + 1;
}

QVariant FilterValuesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (index.row() == 0) return role == Qt::DisplayRole ? QVariant(FilterPopup::allLabel()) : QVariant();
    const int i = index.row() - 1;
    switch (role) {
    case Qt::DisplayRole: return values_[i].isEmpty() ? FilterPopup::emptyLabel() : values_[i];
    case Qt::CheckStateRole: return checked_[i] ? Qt::Checked : Qt::Unchecked;
    default: return {};
    }
}

bool FilterValuesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() == 0 || role != Qt::CheckStateRole) return false;
    setChecked(index.row() - 1, value.toInt() == Qt::Checked);
    return true;
}

void FilterValuesModel::setChecked(int valueIndex, bool on) {
    checked_.at(valueIndex) = on;
    const QModelIndex idx = index(valueIndex + 1);
    emit dataChanged(idx, idx, {Qt::CheckStateRole});
}

Qt::ItemFlags FilterValuesModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    if (index.row() == 0) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
}

FilterPopup::FilterPopup(GridModel* model, int column, QWidget* parent)
    : QFrame(parent, Qt::Popup), model_(model), column_(column) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    values_ = new FilterValuesModel(model_->distinctValues(column_), model_->filterValues(column_), this);
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("filterValues"));
    list_->setAccessibleName(QStringLiteral("Filtre değerleri"));
    list_->setUniformItemSizes(true);
    list_->setModel(values_);
    layout->addWidget(list_);
    connect(list_, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (index.row() == 0) showAll();
    });

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("Tamam"), this);
    auto* cancel = new QPushButton(QStringLiteral("Vazgeç"), this);
    ok->setObjectName(QStringLiteral("filterOk"));
    cancel->setObjectName(QStringLiteral("filterCancel"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &FilterPopup::apply);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    resize(260, 320);
}

QStringList FilterPopup::labels() const {
    QStringList out;
    for (int r = 0; r < values_->rowCount(); ++r) out << values_->data(values_->index(r), Qt::DisplayRole).toString();
    return out;
}

void FilterPopup::setValueChecked(const QString& value, bool checked) {
    const int i = values_->values().indexOf(value);
    if (i >= 0) values_->setChecked(i, checked);
}

bool FilterPopup::isValueChecked(const QString& value) const {
    const int i = values_->values().indexOf(value);
    return i >= 0 && values_->isChecked(i);
}

void FilterPopup::apply() {
    QStringList chosen;
    const QStringList& all = values_->values();
    for (int i = 0; i < all.size(); ++i)
        if (values_->isChecked(i)) chosen << all[i];
    // Nothing or everything checked filters nothing out.
    if (chosen.isEmpty() || chosen.size() == all.size())
        model_->clearFilter(column_);
    else
        model_->setFilter(column_, chosen);
    close();
}

void FilterPopup::showAll() {
    model_->clearFilter(column_);
    close();
}

}  // namespace grid
