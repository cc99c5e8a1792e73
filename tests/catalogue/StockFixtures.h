#pragma once
// Small stock tables shaped like the search result, for the catalogue tests.

#include <string>
#include <vector>

#include <QString>
#include <ostream>

#include "wire/Value.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace catalogue_test {

struct StockRow {
    int stokno = 1;
    std::string barkod = "A1";
    std::string adi = "YAG FILTRESI";
    double fiyat = 100.0;
    double ind[4] = {0, 0, 0, 0};
    double kdv = 18;
    int k = 0;
    std::string indirimyazi = "";
    double liste = 100.0;
    double kamp = 0;
    double net = 100.0;
    double kdvdahil = 118.0;
    int durum = 1;
    std::string marka = "MARKA";
    std::string model = "MODEL";
    std::string finish = "F-1";
};

// Every column of the search result, in the result's order.
inline wire::Table stockTable(const std::vector<StockRow>& rows) {
    using wire::FieldType;
    wire::Table t;
    const std::pair<const char*, FieldType> cols[] = {
        {"DURUM", FieldType::Integer},      {"DEPO2", FieldType::Text},        {"OEM1", FieldType::Text},
        {"OEM2", FieldType::Text},          {"OEM3", FieldType::Text},         {"BARKOD", FieldType::Text},
        {"ADI", FieldType::Text},           {"OEM4", FieldType::Text},         {"STOK_STOKNO", FieldType::Integer},
        {"FINISHKOD", FieldType::Text},     {"URETICIKODU", FieldType::Text},  {"RESIM", FieldType::Integer},
        {"BARKOD_BARKODNO", FieldType::Integer}, {"DIGERADI", FieldType::Text}, {"DPKOD", FieldType::Text},
        {"OEMNO", FieldType::Text},         {"BIRIM", FieldType::Text},        {"MARKA", FieldType::Text},
        {"MODEL", FieldType::Text},         {"ANAGRUP", FieldType::Text},      {"OZELKOD", FieldType::Text},
        {"KALAN", FieldType::Float},        {"PKOD", FieldType::Text},         {"KDV", FieldType::Float},
        {"ALINANSIPARIS", FieldType::Float}, {"VERILENSIPARIS", FieldType::Float}, {"LISTEFIYAT1", FieldType::Float},
        {"KAMPFIYAT", FieldType::Float},    {"FIYAT", FieldType::Float},       {"Y", FieldType::Integer},
        {"K", FieldType::Integer},          {"INDIRIMYAZI", FieldType::Text},  {"NETFIYAT", FieldType::Float},
        {"KDVDAHIL", FieldType::Float},     {"IND1", FieldType::Float},        {"IND2", FieldType::Float},
        {"IND3", FieldType::Float},         {"IND4", FieldType::Float},
    };
    for (const auto& [name, type] : cols) t.columns.push_back({name, type, type == FieldType::Text ? 60 : 0});
    for (const StockRow& r : rows) {
        using C = wire::Cell;
        t.appendRow({C(std::int64_t(r.durum)), C(std::string("VAR")), C(std::string("OEM-") + r.barkod), C(std::string()),
                     C(std::string()), C(r.barkod), C(r.adi), C(std::string()), C(std::int64_t(r.stokno)), C(r.finish),
                     C(std::string("U1")), C(std::int64_t(1)), C(std::int64_t(r.stokno)), C(std::string()),
                     C(std::string()), C(std::string()), C(std::string("ADET")), C(r.marka), C(r.model),
                     C(std::string("FILTRE")), C(std::string()), C(5.0), C(std::string()), C(r.kdv), C(0.0), C(0.0),
                     C(r.liste), C(r.kamp), C(r.fiyat), C(std::int64_t(0)), C(std::int64_t(r.k)), C(r.indirimyazi),
                     C(r.net), C(r.kdvdahil), C(r.ind[0]), C(r.ind[1]), C(r.ind[2]), C(r.ind[3])});
    }
    return t;
}

}  // namespace catalogue_test
