#pragma once
// A large generated stock table with a column of every cell kind, for the demo and the benchmark.

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <random>
#include <string>

#include "data/MemTable.h"
#include "grid/GridColumn.h"

namespace grid::demo {

inline std::string smallPicture(QColor colour) {
    QImage image(48, 32, QImage::Format_RGB32);
    image.fill(colour);
    QPainter p(&image);
    p.setPen(Qt::white);
    p.drawEllipse(8, 4, 32, 24);
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// 35 columns: codes and texts, prices with the amount format, icon codes, ticks, a check box,
// a date, a note over several lines and (every 500th row) a picture.
inline void fillStockTable(data::MemTable& table, int rows) {
    using wire::FieldType;
    wire::Table t;
    t.columns = {
        {"DURUM", FieldType::Integer}, {"DEPO2", FieldType::Text, 3}, {"OEM1", FieldType::Text, 30},
        {"OEM2", FieldType::Text, 30}, {"OEM3", FieldType::Text, 30}, {"BARKOD", FieldType::Text, 30},
        {"ADI", FieldType::Text, 100}, {"OEM4", FieldType::Text, 30}, {"STOK_STOKNO", FieldType::Integer},
        {"FINISHKOD", FieldType::Text, 30}, {"URETICIKODU", FieldType::Text, 30}, {"RESIM", FieldType::Integer},
        {"DIGERADI", FieldType::Text, 100}, {"OEMNO", FieldType::Text, 30}, {"BIRIM", FieldType::Text, 10},
        {"MARKA", FieldType::Text, 30}, {"MODEL", FieldType::Text, 30}, {"ANAGRUP", FieldType::Text, 30},
        {"OZELKOD", FieldType::Text, 30}, {"KALAN", FieldType::Float}, {"KDV", FieldType::Float},
        {"ALINANSIPARIS", FieldType::Float}, {"VERILENSIPARIS", FieldType::Float},
        {"LISTEFIYAT1", FieldType::Float}, {"KAMPFIYAT", FieldType::Float}, {"FIYAT", FieldType::Float},
        {"Y", FieldType::Integer}, {"K", FieldType::Integer}, {"INDIRIMYAZI", FieldType::Text, 30},
        {"NETFIYAT", FieldType::Float}, {"KDVDAHIL", FieldType::Float}, {"SEC", FieldType::Integer},
        {"TARIH", FieldType::DateTime}, {"NOT", FieldType::Text, 200}, {"FOTO", FieldType::Blob},
    };
    static const char* brands[] = {"BOSCH", "VALEO", "SACHS", "MANN", "FEBI", "LEMFÖRDER", "ŞAHİN", "ÇELİK"};
    static const char* models[] = {"DOBLO", "FOCUS", "CORSA", "MEGANE", "PASSAT", "CLIO", "EGEA", "GOLF"};
    static const char* groups[] = {"FREN", "FİLTRE", "SÜSPANSİYON", "MOTOR", "ELEKTRİK", "KAPORTA"};
    static const char* items[] = {"Fren balatası", "Yağ filtresi", "Hava filtresi", "Amortisör", "Debriyaj seti",
                                  "Triger kayışı", "Buji", "Rot başı", "Şanzıman yağı", "Ön cam"};
    const std::string picture = smallPicture(QColor(60, 120, 200));
    std::mt19937 rng(42);
    t.cells.reserve(static_cast<std::size_t>(rows) * t.columns.size());
    for (int r = 0; r < rows; ++r) {
        const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        const double list = 5 + pick(500000) / 100.0;
        const double camp = pick(4) == 0 ? list * 0.9 : 0.0;
        const double net = (camp > 0 ? camp : list) * 0.75;
        const std::string code = std::to_string(100000 + r);
        const int state = pick(7);
        std::vector<data::Cell> row = {
            state == 6 ? data::Cell{} : data::Cell{std::int64_t{state}},
            std::string(pick(2) ? "VAR" : "YOK"),
            "OE" + code, "OX" + code, "OY" + code, "BR" + code,
            std::string(items[pick(10)]) + " " + brands[pick(8)],
            "OZ" + code, std::int64_t{r + 1}, "F" + code, "U" + code, std::int64_t{pick(2)},
            std::string(items[pick(10)]), "N" + code, std::string("ADET"), std::string(brands[pick(8)]),
            std::string(models[pick(8)]), std::string(groups[pick(6)]), "K" + std::to_string(pick(50)),
            double(pick(300)), 18.0, double(pick(20)), double(pick(20)),
            list, camp, list, std::int64_t{pick(5) == 0}, std::int64_t{camp > 0},
            "%25+%" + std::to_string(pick(10)), net, net * 1.18, std::int64_t{pick(2)},
            45000.0 + pick(1500), std::string("Satır ") + std::to_string(r + 1) + "\nikinci satır",
            r % 500 == 0 ? data::Cell{wire::Blob{picture}} : data::Cell{},
        };
        for (auto& c : row) t.cells.push_back(std::move(c));
    }
    table.load(std::move(t));
    for (const auto& f : table.fields())
        if (f.type == wire::FieldType::Float) table.setDisplayFormat(f.name, "#,###,##0.00");
}

// Columns of the stock list, plus one column of each remaining kind.
inline QVector<GridColumn> stockColumns() {
    using V = Visibility;
    using K = CellKind;
    return {
        {"DURUM", "Durum", 1, {}, V::Shown, K::Icon, IconSet::StockState},
        {"DEPO2", "Depo", 1, {}, V::Shown, K::Icon, IconSet::Warehouse},
        {"OEM1", "Oem1", 2, {}, V::HiddenOffered},
        {"OEM2", "Oem2", 2, {}, V::HiddenOffered},
        {"OEM3", "Oem3", 2, {}, V::HiddenOffered},
        {"BARKOD", "Barkod", 2},
        {"ADI", "Açıklama", 3},
        {"OEM4", "Oem4", 2, {}, V::HiddenOffered},
        {"STOK_STOKNO", "", 1, {}, V::Never},
        {"FINISHKOD", "Finish Kod", 2, {}, V::HiddenOffered},
        {"URETICIKODU", "Üretici Kod", 2, {}, V::HiddenOffered},
        {"RESIM", "Resim", 1, {}, V::Shown, K::Icon, IconSet::Camera},
        {"DIGERADI", "Diğer Adı", 3, {}, V::HiddenOffered},
        {"OEMNO", "Oem No", 2, {}, V::HiddenOffered},
        {"BIRIM", "Birim", 1, {}, V::HiddenOffered},
        {"MARKA", "Marka", 2},
        {"MODEL", "Model", 2},
        {"ANAGRUP", "Ana Grup", 2, {}, V::HiddenOffered},
        {"OZELKOD", "Özel Kod", 2},
        {"KALAN", "", 1, {}, V::StaffOnly},
        {"KDV", "", 1, {}, V::HiddenOffered},
        {"ALINANSIPARIS", "", 1, {}, V::StaffOnly},
        {"VERILENSIPARIS", "", 1, {}, V::StaffOnly},
        {"LISTEFIYAT1", "Liste Fiyatı", 2, {}, V::Shown, K::Number},
        {"KAMPFIYAT", "Kampanyalı Fiyat", 2, {}, V::Shown, K::Number},
        {"FIYAT", "Liste Fiyatı", 2, {}, V::HiddenOffered, K::Number},
        {"Y", "Yeni", 1, {}, V::Shown, K::Icon, IconSet::Tick},
        {"K", "Kampanyalı", 1, {}, V::Shown, K::Icon, IconSet::Tick},
        {"INDIRIMYAZI", "İndirim Oran", 2, Qt::AlignCenter},
        {"NETFIYAT", "Net Fiyatı", 2, {}, V::Shown, K::Number},
        {"KDVDAHIL", "KDV Dahil Fiyat", 3, {}, V::Shown, K::Number},
        {"FIYATBILGISI", "Fiyat Bilgisi", 2, {}, V::Shown, K::Custom},
        {"SEC", "Seç", 1, {}, V::Shown, K::CheckBox},
        {"TARIH", "Tarih", 2},
        {"NOT", "Not", 3, {}, V::Shown, K::MultiLine},
        {"FOTO", "Foto", 2, {}, V::Shown, K::Picture},
    };
}

}  // namespace grid::demo
