#include "cart/CartTotals.h"

#include "data/NumberFormat.h"

namespace cart {

namespace {
// An amount of a row; an empty amount counts as 0.
double amount(const data::MemTable& t, std::size_t row, int col) {
    return col < 0 ? 0 : data::cellToFloat(t.cell(row, static_cast<std::size_t>(col)));
}
// Whether the row's SEC is 1; anything that is not a number counts as not selected.
bool selected(const data::MemTable& t, std::size_t row, int col) {
    if (col < 0) return false;
    const data::Cell& c = t.cell(row, static_cast<std::size_t>(col));
    try {
        return !data::cellIsNull(c) && data::cellToInteger(c) == 1;
    } catch (const std::exception&) {
        return false;
    }
}
}  // namespace

SepetToplamlari sepetToplamlari(const data::MemTable& sepet, const Rounding& R) {
    SepetToplamlari t;
    if (!sepet.active() || sepet.isEmpty()) return t;
    const int sec = sepet.fieldIndex("SEC"), tutar = sepet.fieldIndex("TUTAR"),
              indirim = sepet.fieldIndex("INDIRIMTUTAR"), vergi = sepet.fieldIndex("VERGITUTARI");
    double A = 0, I = 0, V = 0;
    for (std::size_t row = 0; row < sepet.rowCount(); ++row) {
        if (!selected(sepet, row, sec)) continue;
        A = R(A + amount(sepet, row, tutar));
        I = R(I + amount(sepet, row, indirim));
        V = R(V + amount(sepet, row, vergi));
    }
    t.aratoplam = A;
    t.indirim = I;
    t.vergi = V;
    t.nettutar = R(A - I);
    t.geneltoplam = R(t.nettutar + V);
    return t;
}

QString satirAciklamasi(const QString& barkod, const QString& stokadi) {
    return barkod + QLatin1Char('-') + stokadi;
}

QString displayText(const data::MemTable& table, const char* field, const data::NumberLocale& locale) {
    const int index = table.fieldIndex(field);
    if (index < 0) return {};
    const data::Cell& c = table.value(field);
    if (data::cellIsNull(c)) return {};
    const data::Field& f = table.field(static_cast<std::size_t>(index));
    if (!f.displayFormat.empty() && (std::holds_alternative<double>(c) || std::holds_alternative<std::int64_t>(c)))
        return QString::fromStdString(data::formatNumber(data::cellToFloat(c), f.displayFormat, locale));
    return QString::fromStdString(data::cellToString(c));
}

SepetSatiri currentLine(const data::MemTable& t) {
    const data::NumberLocale none;  // texts only; numbers are read as numbers
    SepetSatiri s;
    auto integer = [&](const char* f) { return t.hasField(f) ? static_cast<int>(t.asInteger(f)) : 0; };
    auto number = [&](const char* f) { return t.hasField(f) ? data::cellToFloat(t.value(f)) : 0.0; };
    s.sirano = integer("SIRANO");
    s.stokno = integer("STOKNO");
    s.barkod = displayText(t, "BARKOD", none);
    s.stokadi = displayText(t, "STOKADI", none);
    s.marka = displayText(t, "MARKA", none);
    s.finishkod = displayText(t, "FINISHKOD", none);
    s.model = displayText(t, "MODEL", none);
    s.kdv = number("KDV");
    s.indirim[0] = number("INDIRIMORANI1");
    s.indirim[1] = number("INDIRIMORANI2");
    s.indirim[2] = number("INDIRIMORANI3");
    s.indirim[3] = number("INDIRIMORANI4");
    s.birimfiyat = number("BIRIMFIYAT");
    s.miktar = number("MIKTAR");
    return s;
}

}  // namespace cart
