#pragma once
// What a window declares about one grid column, and the small value types around it.

#include <QColor>
#include <QFont>
#include <QString>
#include <Qt>
#include <functional>
#include <optional>

#include "data/MemTable.h"

class QPainter;
class QRect;
class QStyleOptionViewItem;

namespace grid {

// Who may see a column.
enum class Visibility {
    Shown,          // visible, offered in the column chooser
    HiddenOffered,  // hidden, the user may switch it on in the column chooser
    Never,          // hidden and not offered
    StaffOnly,      // like Never, until staff mode turns it into Shown
};

// The pictures an icon cell can show for its code.
enum class IconSet {
    None,
    StockState,  // 0..5 and empty: the stock availability states
    Warehouse,   // "VAR" green ball, "YOK" red ball
    Camera,      // 1: a picture exists
    Tick,        // 1: green tick
};

enum class CellKind {
    Text,       // text; numeric and date fields are shown by their field type and display format
    Number,     // like Text, right-aligned by default
    MultiLine,  // wrapped text over several lines
    Icon,       // a picture chosen by the cell's code (see IconSet)
    CheckBox,   // read-only check box, checked for non-zero
    Picture,    // bytes decoded as JPEG/PNG/BMP
    Custom,     // drawn by the window's hook
};

struct GridColumn {
    QString field = {};    // table field name; for Custom cells any unique name
    QString caption = {};  // header text; the field name when empty
    int weight = 1;   // width weight used by the fitting rule
    Qt::Alignment alignment = {};  // default: numbers right, icons/check boxes centred, text left
    Visibility visibility = Visibility::Shown;
    CellKind kind = CellKind::Text;
    IconSet iconSet = IconSet::None;
    int fixedWidth = 0;  // > 0: this width, left alone by fitting and best fit

    QString headerText() const { return caption.isEmpty() ? field : caption; }
};

// Footer aggregates.
enum class Aggregate { Count, Sum, Average };

// Read access to one table row, by field name, hidden columns included.
class RowValues {
public:
    RowValues(const data::MemTable* table, int row) : table_(table), row_(row) {}
    int row() const { return row_; }
    bool has(std::string_view field) const { return table_ && table_->hasField(field); }
    // The cell; a null cell when the table has no such field.
    const data::Cell& value(std::string_view field) const;
    double asFloat(std::string_view field) const;     // 0 for null or non-numbers
    std::int64_t asInteger(std::string_view field) const;
    QString asString(std::string_view field) const;
    bool isNull(std::string_view field) const;

private:
    const data::MemTable* table_;
    int row_;
};

using CustomDrawHook =
    std::function<void(QPainter*, const QRect&, const RowValues&, const QStyleOptionViewItem&)>;
// Text of a custom cell where a picture cannot go: export, accessibility, incremental search.
using CustomTextHook = std::function<QString(const RowValues&)>;

// Colours, fonts and sizes a window gives its grid.
struct GridStyle {
    QColor evenRow = QColor(239, 239, 239);  // rows 0, 2, 4, ...
    QColor oddRow = Qt::white;
    QColor focusedRow = QColor(210, 240, 249);
    QColor focusedText = Qt::black;
    QColor text = Qt::black;
    QColor headerBackground = QColor(53, 64, 81);
    QColor headerText = Qt::white;
    QColor groupRow = QColor(222, 226, 232);
    QColor footerBackground = QColor(230, 232, 236);
    QColor gridLines = QColor(208, 208, 208);
    bool showGridLines = true;
    std::optional<QFont> font;        // cells; the application font when not set
    std::optional<QFont> headerFont;  // header and footer; bold application font when not set
    int headerHeight = 40;
    int rowHeight = 24;
};

// The list windows' common look: the default colours with cells in the given font and a bold
// header in the same font.
inline GridStyle listStyle(const QString& family, int pixelSize) {
    GridStyle style;
    QFont font(family);
    font.setPixelSize(pixelSize);
    style.font = font;
    font.setBold(true);
    style.headerFont = font;
    return style;
}

}  // namespace grid
