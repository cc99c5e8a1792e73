#include "catalogue/Pricing.h"

#include <cmath>
#include <string>

#include "data/NumberFormat.h"

namespace catalogue {

namespace {

data::NumberLocale separatorsOf(const QLocale& locale) {
    data::NumberLocale n;
    n.decimalSeparator = QString(locale.decimalPoint()).toStdString();
    n.groupSeparator = QString(locale.groupSeparator()).toStdString();
    return n;
}

}  // namespace

double Yuvarla2(double x, const QLocale& locale) {
    const data::NumberLocale n = separatorsOf(locale);
    std::string text = data::formatNumber(x, data::kRoundingFormat, n);
    // Drop the thousands separators, then read the text back in the same locale.
    if (!n.groupSeparator.empty()) {
        for (auto pos = text.find(n.groupSeparator); pos != std::string::npos; pos = text.find(n.groupSeparator))
            text.erase(pos, n.groupSeparator.size());
    }
    double out = 0;
    if (!data::parseNumber(text, n, out)) return data::roundHalfAwayFromZero(x, 2);
    return out;
}

IndirimSonucu IndirimHesapla(double P, const Indirimler& d, double miktar, const QLocale& locale) {
    double g = P;
    for (double rate : d)
        if (rate > 0) g = g - g * rate / 100;
    IndirimSonucu r;
    r.indirimTutari = P - g;
    r.netTutar = Yuvarla2(g, locale);
    if (miktar == 0 || !std::isfinite(r.netTutar / miktar))
        r.netBirimFiyat = 0;
    else
        r.netBirimFiyat = Yuvarla2(r.netTutar / miktar, locale);
    return r;
}

Tutarlar TutarlariHesapla(double F, double q, const Indirimler& d, double v, const QLocale& locale) {
    const IndirimSonucu s = IndirimHesapla(F * q, d, q, locale);
    Tutarlar t;
    t.indtutar = Yuvarla2(s.indirimTutari, locale);
    t.kdvdahiltutar = Yuvarla2(s.netBirimFiyat * (v / 100 + 1), locale);
    t.geneltutar = Yuvarla2(t.kdvdahiltutar * q, locale);
    return t;
}

bool IndirimVarmi(const Indirimler& d) {
    return d[0] + d[1] + d[2] + d[3] > 1;
}

double KdvCikar(double fiyat, const QLocale& locale) {
    return Yuvarla2(fiyat / 1.18, locale);
}

std::optional<long long> tamSayiOku(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 18) return std::nullopt;
    int i = 0;
    if (t[0] == u'+' || t[0] == u'-') i = 1;
    if (i == t.size()) return std::nullopt;
    for (int k = i; k < t.size(); ++k)
        if (t[k] < u'0' || t[k] > u'9') return std::nullopt;
    bool ok = false;
    const long long v = t.toLongLong(&ok);
    if (!ok) return std::nullopt;
    return v;
}

double hesapAdedi(const QString& text) {
    const auto v = tamSayiOku(text);
    return v ? static_cast<double>(*v) : 1.0;
}

std::optional<double> gonderilecekAdet(const QString& text, QString* hata) {
    const auto v = tamSayiOku(text);
    if (!v || *v < kAdetEnAz || *v > kAdetEnCok) {
        if (hata)
            *hata = QStringLiteral("Adet %1 ile %2 arasında bir tam sayı olmalıdır. Girilen: \"%3\"")
                        .arg(kAdetEnAz)
                        .arg(kAdetEnCok)
                        .arg(text.trimmed());
        return std::nullopt;
    }
    return static_cast<double>(*v);
}

QString adetAraligaCek(const QString& text) {
    const auto v = tamSayiOku(text);
    if (!v) return text;
    if (*v < kAdetEnAz) return QString::number(kAdetEnAz);
    if (*v > kAdetEnCok) return QString::number(kAdetEnCok);
    return text;
}

}  // namespace catalogue
