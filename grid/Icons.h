#pragma once
// The small pictures of icon cells, drawn with QPainter, and their meanings. The main window's
// status legend uses the same pictures and texts.

#include <QPixmap>
#include <QRect>
#include <QString>

#include "data/MemTable.h"
#include "grid/GridColumn.h"

class QPainter;

namespace grid {

// Stock availability codes. kStockStateEmpty stands for an empty (null) code.
enum StockState { StockNone = 0, StockAvailable = 1, StockCallUs = 2, StockOnTheWay = 3,
                  StockSpecialOrder = 4, StockInProcurement = 5 };
inline constexpr int kStockStateEmpty = -1;

// "Yok", "Var", "Telefon Açınız", "Yolda", "Özel Sipariş", "Tedarik Sürecinde"; empty text for the
// empty code and for codes outside 0..5.
QString stockStateMeaning(int code);

// The icon's code for a cell of the set: -1 for null, the integer value otherwise;
// for Warehouse 1 for "VAR", 0 for "YOK", -2 for anything else.
int iconCode(IconSet set, const data::Cell& cell);
// Whether the cell shows a picture at all.
bool hasIcon(IconSet set, const data::Cell& cell);
// What the picture means (accessible description, export text, filter entry).
QString iconMeaning(IconSet set, const data::Cell& cell);

// Draws the cell's icon centred in rect, at most `size` pixels.
void paintIcon(QPainter* painter, const QRect& rect, IconSet set, const data::Cell& cell, int size = 20);
// The stock state picture (kStockStateEmpty for the empty code) as a pixmap, for legends.
QPixmap stockStatePixmap(int code, int size = 20);

}  // namespace grid
