#include "catalogue/StockListRules.h"

#include "data/NumberFormat.h"

namespace catalogue {

QChar aramaKarakteri(QChar c) {
    switch (c.unicode()) {
    case 0x011F: return u'G';  // ğ
    case 0x011E: return u'G';  // Ğ
    case 0x00FC: return u'U';  // ü
    case 0x00DC: return u'U';  // Ü
    case 0x015F: return u'S';  // ş
    case 0x015E: return u'S';  // Ş
    case 0x00F6: return u'O';  // ö
    case 0x00D6: return u'O';  // Ö
    case 0x00E7: return u'C';  // ç
    case 0x00C7: return u'C';  // Ç
    case 0x0131: return u'I';  // ı
    case 0x0130: return u'I';  // İ
    default: break;
    }
    return c.toUpper();  // not by locale: 'i' becomes 'I', never a dotted capital
}

QString aramaMetniCevir(const QString& typed) {
    QString out;
    out.reserve(typed.size());
    for (QChar c : typed) out += aramaKarakteri(c);
    return out;
}

bool aramaMetniYeterli(const QString& text) {
    return text.trimmed().size() >= kEnAzAramaUzunlugu;
}

QString kisaAramaUyarisi() {
    return QStringLiteral("Lütfen en az 3 harf giriniz !");
}

QString stokListesiBasligi() {
    return QStringLiteral("Stok Listesi");
}

QString stokListesiBasligi(int rowCount) {
    return QString::number(rowCount) + QStringLiteral("=Stok Listesi");
}

QString fiyatBilgisiYazisi(double liste, double kampanya, double net, double kdvli, const QLocale& locale) {
    data::NumberLocale n;
    n.decimalSeparator = QString(locale.decimalPoint()).toStdString();
    n.groupSeparator = QString(locale.groupSeparator()).toStdString();
    auto amount = [&](double v) { return QString::fromStdString(data::formatNumber(v, data::kAmountFormat, n)); };
    const QString crlf = QStringLiteral("\r\n");
    QString s = QStringLiteral("Liste Fiyatı: ") + amount(liste) + crlf;
    if (kampanya > 0) s += QStringLiteral("Kampanyalı Fiyat: ") + amount(kampanya) + crlf;
    s += QStringLiteral("NetFiyat: ") + amount(net) + crlf;
    s += QStringLiteral("KDV li Fiyat: ") + amount(kdvli) + crlf;
    return s;
}

QVector<grid::GridColumn> stokKolonlari() {
    using grid::CellKind;
    using grid::GridColumn;
    using grid::IconSet;
    using V = grid::Visibility;
    const Qt::Alignment centre = Qt::AlignCenter;
    auto text = [](const char* f, const char* caption, int w, V v) {
        GridColumn c;
        c.field = QString::fromLatin1(f);
        c.caption = QString::fromUtf8(caption);
        c.weight = w;
        c.visibility = v;
        return c;
    };
    auto icon = [&](const char* f, const char* caption, int w, V v, IconSet set) {
        GridColumn c = text(f, caption, w, v);
        c.kind = CellKind::Icon;
        c.iconSet = set;
        c.alignment = centre;
        return c;
    };
    auto number = [&](const char* f, const char* caption, int w, V v) {
        GridColumn c = text(f, caption, w, v);
        c.kind = CellKind::Number;
        return c;
    };
    QVector<GridColumn> cols{
        icon("DURUM", "Durum", 1, V::Shown, IconSet::StockState),
        icon("DEPO2", "Depo", 1, V::Shown, IconSet::Warehouse),
        text("OEM1", "Oem1", 2, V::HiddenOffered),
        text("OEM2", "Oem2", 2, V::HiddenOffered),
        text("OEM3", "Oem3", 2, V::HiddenOffered),
        text("BARKOD", "Barkod", 2, V::Shown),
        text("ADI", "Açıklama", 3, V::Shown),
        text("OEM4", "Oem4", 2, V::HiddenOffered),
        text("STOK_STOKNO", "", 1, V::Never),
        text("FINISHKOD", "Finish Kod", 2, V::HiddenOffered),
        text("URETICIKODU", "Üretici Kod", 2, V::HiddenOffered),
        icon("RESIM", "Resim", 1, V::Shown, IconSet::Camera),
        text("BARKOD_BARKODNO", "", 1, V::Never),
        text("DIGERADI", "Diğer Adı", 3, V::HiddenOffered),
        text("DPKOD", "", 2, V::Never),
        text("OEMNO", "Oem No", 2, V::HiddenOffered),
        text("BIRIM", "Birim", 1, V::HiddenOffered),
        text("MARKA", "Marka", 2, V::Shown),
        text("MODEL", "Model", 2, V::Shown),
        text("ANAGRUP", "Ana Grup", 2, V::HiddenOffered),
        text("OZELKOD", "Özel Kod", 2, V::Shown),
        number("KALAN", "", 1, V::StaffOnly),
        text("PKOD", "", 1, V::Never),
        number("KDV", "", 1, V::HiddenOffered),
        number("ALINANSIPARIS", "", 1, V::StaffOnly),
        number("VERILENSIPARIS", "", 1, V::StaffOnly),
        number("LISTEFIYAT1", "Liste Fiyatı", 2, V::HiddenOffered),
        number("KAMPFIYAT", "Kampanyalı Fiyat", 2, V::HiddenOffered),
        number("FIYAT", "Liste Fiyatı", 2, V::HiddenOffered),
        icon("Y", "Yeni", 1, V::Shown, IconSet::Tick),
        icon("K", "Kampanyalı", 1, V::Shown, IconSet::Tick),
        text("INDIRIMYAZI", "İndirim Oran", 2, V::Shown),
        number("NETFIYAT", "Net Fiyatı", 2, V::HiddenOffered),
        number("KDVDAHIL", "KDV Dahil Fiyat", 3, V::HiddenOffered),
    };
    cols.last().alignment = Qt::AlignRight | Qt::AlignVCenter;
    for (GridColumn& c : cols)
        if (c.field == QLatin1String("INDIRIMYAZI")) c.alignment = centre;
    GridColumn fiyat = text("", "Fiyat Bilgisi", 2, V::HiddenOffered);
    fiyat.field = kFiyatBilgisi;
    fiyat.kind = CellKind::Custom;
    cols.push_back(fiyat);
    return cols;
}

}  // namespace catalogue
