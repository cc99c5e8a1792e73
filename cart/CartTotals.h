#pragma once
// The cart's plain computations: the totals over the selected lines, the line description sent
// with a delete, and a snapshot of one cart line for the line change.

#include <QString>
#include <functional>

#include "data/MemTable.h"
#include "data/NumberFormat.h"

namespace cart {

// The five totals of the selected lines.
struct SepetToplamlari {
    double aratoplam = 0;    // A: sum of TUTAR
    double indirim = 0;      // I: sum of INDIRIMTUTAR
    double vergi = 0;        // V: sum of VERGITUTARI
    double nettutar = 0;     // N = A - I
    double geneltoplam = 0;  // G = N + V
};

using Rounding = std::function<double(double)>;

// Sums the lines whose SEC is 1 in table order, rounding after every addition with `round`. An
// empty amount counts as 0. The table's current line stays where it is (a walk of the cursor
// would drag the grid's focus to the last line). A closed or empty table gives zeros.
SepetToplamlari sepetToplamlari(const data::MemTable& sepet, const Rounding& round);

// BARKOD + "-" + STOKADI, no spaces added.
QString satirAciklamasi(const QString& barkod, const QString& stokadi);

// What the line change reads from the current cart line, taken before any dialog opens so a
// reload of the table cannot change what is sent.
struct SepetSatiri {
    int sirano = 0;
    int stokno = 0;
    QString barkod, stokadi, marka, finishkod, model;
    double kdv = 0;
    double indirim[4] = {0, 0, 0, 0};
    double birimfiyat = 0;
    double miktar = 0;
};

// The current line of the table (which must not be empty).
SepetSatiri currentLine(const data::MemTable& sepet);

// The display text of a field of the current line (its display format applied to numbers).
QString displayText(const data::MemTable& table, const char* field, const data::NumberLocale& locale);

}  // namespace cart
