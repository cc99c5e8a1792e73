#pragma once
// Plain rules of the stock list page: the search box's key filter, the length rule of a
// search, the tab caption, the column layout switch and the text of the price summary cell.

#include <QChar>
#include <QLocale>
#include <QString>
#include <QVector>

#include "grid/GridColumn.h"

namespace catalogue {

// The character a key press puts into the search box: Turkish letters become plain Latin
// (ğ g, ü u, ş s, ö o, ç c, ı I, and their capitals, İ I), then upper case.
QChar aramaKarakteri(QChar typed);
QString aramaMetniCevir(const QString& typed);

// Fewest characters a search needs after trimming.
inline constexpr int kEnAzAramaUzunlugu = 3;
bool aramaMetniYeterli(const QString& text);
// "Lütfen en az 3 harf giriniz !"
QString kisaAramaUyarisi();

// "Stok Listesi" and "<count>=Stok Listesi".
QString stokListesiBasligi();
QString stokListesiBasligi(int rowCount);

// Windows at least this wide use the wide column layout; narrower ones the narrow one.
inline constexpr int kGenisDuzenEnAz = 1153;
inline bool genisDuzen(int windowWidth) { return windowWidth >= kGenisDuzenEnAz; }
inline constexpr int kGenisSatirYuksekligi = 60;
inline constexpr int kDarSatirYuksekligi = 100;

// The text of the "Fiyat Bilgisi" cell, every line ending with CR LF; the campaign line only
// for a campaign price greater than 0. Amounts with "#,###,##0.00" in the locale.
QString fiyatBilgisiYazisi(double liste, double kampanya, double net, double kdvli, const QLocale& locale = QLocale());

// Field name of the unbound price summary column.
inline const QString kFiyatBilgisi = QStringLiteral("FiyatBilgisi");

// The stock grid's columns in order.
QVector<grid::GridColumn> stokKolonlari();

}  // namespace catalogue
