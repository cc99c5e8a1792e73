#pragma once
// The price arithmetic of the stock detail dialog: rounding to two decimals, cascaded
// discounts, the VAT-inclusive unit price and total, and the quantity box's reading rules.
// Plain functions, so the dialog and the cart line change compute the same way.

#include <QLocale>
#include <QString>
#include <array>
#include <optional>

namespace catalogue {

using Indirimler = std::array<double, 4>;  // discount rates in percent, applied in order

// x rounded to two decimals by formatting with "#,###,##.00" in the locale and reading the
// text back: halves away from zero on the stored value (0.125 -> 0.13, 32.805 -> 32.80).
double Yuvarla2(double x, const QLocale& locale = QLocale());

struct IndirimSonucu {
    double indirimTutari = 0;  // P - g, not rounded
    double netTutar = 0;       // Yuvarla2(g)
    double netBirimFiyat = 0;  // Yuvarla2(netTutar / miktar); 0 for a zero quantity
};

// Cascaded discounts on the gross amount P; rates of 0 or less are skipped.
IndirimSonucu IndirimHesapla(double P, const Indirimler& d, double miktar, const QLocale& locale = QLocale());

struct Tutarlar {
    double indtutar = 0;       // discount over the whole quantity
    double kdvdahiltutar = 0;  // net unit price including VAT
    double geneltutar = 0;     // the VAT-inclusive unit price times the quantity
};

// The dialog's recalculation from unit price F, quantity q, rates d and VAT rate v (percent).
// The unit price is rounded before it is multiplied by the quantity.
Tutarlar TutarlariHesapla(double F, double q, const Indirimler& d, double v, const QLocale& locale = QLocale());

// Whether the discount row is shown: the rates add up to more than 1.
bool IndirimVarmi(const Indirimler& d);

// F4: a price including 18 % VAT turned into the net price (whatever the item's rate).
double KdvCikar(double fiyat, const QLocale& locale = QLocale());

// Quantity box limits.
inline constexpr int kAdetEnAz = 1;
inline constexpr int kAdetEnCok = 10000;

// The whole number the text holds (sign allowed, surrounding spaces ignored), or nothing.
std::optional<long long> tamSayiOku(const QString& text);

// The quantity the recalculation uses: the whole number in the box, 1 for any other text.
double hesapAdedi(const QString& text);

// The quantity an add or a line change sends. Only whole numbers from 1 to 10000 are taken;
// anything else (empty, not a number, a fraction, out of range) gives nothing and the reason
// in *hata, so the recalculation and what is sent never differ.
std::optional<double> gonderilecekAdet(const QString& text, QString* hata = nullptr);

// The box's own range rule on leaving it: a whole number outside 1..10000 is pulled into the
// range; other texts stay as they are.
QString adetAraligaCek(const QString& text);

}  // namespace catalogue
