#include "server/Methods.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <unordered_map>

#include "remote/objects/TransferObjects.h"
#include "server/Documents.h"
#include "server/Rules.h"
#include "session/records/Records.h"

namespace server {

using wire::Cell;
using wire::FieldType;
using wire::Table;
using wire::Value;

namespace {

// A failure the caller caused; its text goes back as the error answer.
struct CallError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void refuse(const std::string& text) { throw CallError(text); }

constexpr double kMaxQuantity = 100000;
constexpr double kMaxPrice = 1e9;
constexpr std::size_t kMaxText = 65536;

// ----- cells
Cell I(std::int64_t v) { return Cell(v); }
Cell F(double v) { return Cell(v); }
Cell S(std::string v) { return Cell(std::move(v)); }
Cell D(double days) { return Cell(days); }

struct Col {
    const char* name;
    FieldType type;
    int size = 0;
};
constexpr FieldType kInt = FieldType::Integer, kFloat = FieldType::Float, kText = FieldType::Text,
                    kDate = FieldType::DateTime;

Table makeTable(std::initializer_list<Col> cols) {
    Table t;
    for (auto& c : cols) t.columns.push_back({c.name, c.type, c.type == kText ? (c.size ? c.size : 100) : 0});
    return t;
}

std::string timeOfDay(double days) {
    double frac = days - std::floor(days);
    int minutes = static_cast<int>(std::lround(frac * 24 * 60)) % (24 * 60);
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", minutes / 60, minutes % 60);
    return buf;
}

// ----- arguments
const Value& arg(const wire::Call& c, std::size_t i) { return c.params[i]; }
int argInt(const wire::Call& c, std::size_t i) { return c.params[i].asInt32(); }
double argDouble(const wire::Call& c, std::size_t i) {
    double v = c.params[i].asDouble();
    if (!std::isfinite(v)) refuse(std::to_string(i + 1) + ". parametre geçerli bir sayı değil");
    return v;
}
const std::string& argText(const wire::Call& c, std::size_t i) { return c.params[i].asText(); }

TSonucBilgisi argSession(const wire::Call& c, std::size_t i) {
    const Value& v = arg(c, i);
    if (v.isNull() || v.asObject().is_null()) refuse("Oturum bilgisi gönderilmedi");
    try {
        return TSonucBilgisi::fromJson(v.asObject());
    } catch (const std::exception& e) {
        refuse(std::string("Oturum bilgisi okunamadı: ") + e.what());
    }
}

void checkQuantity(double q) {
    if (!(q > 0)) refuse("Miktar sıfırdan büyük olmalı");
    if (q > kMaxQuantity) refuse("Miktar çok büyük (en fazla 100000)");
}
void checkPrice(double p) {
    if (p < 0) refuse("Fiyat negatif olamaz");
    if (p > kMaxPrice) refuse("Fiyat çok büyük");
}
void checkVat(double v) {
    if (v < 0 || v > 100) refuse("KDV oranı 0 ile 100 arasında olmalı");
}
void checkRate(double r) {
    if (r < -100 || r > 100) refuse("İndirim oranı -100 ile 100 arasında olmalı");
}

std::string typeName(char k) {
    switch (k) {
    case 'i': return "int";
    case 'd': return "double";
    case 't': return "text";
    case 'o': return "TSonucBilgisi";
    case 'L': return "out int64";
    default: return "?";
    }
}

bool kindMatches(char k, const Value& v) {
    switch (k) {
    case 'i': return v.kind() == wire::Kind::Int32;
    case 'd': return v.kind() == wire::Kind::Double;
    case 't': return v.kind() == wire::Kind::Text;
    case 'o': return v.kind() == wire::Kind::Object || v.kind() == wire::Kind::Null;
    case 'L': return v.kind() == wire::Kind::Null || v.kind() == wire::Kind::Int64;
    default: return false;
    }
}

// ----- stock table (search, new products, campaign products)
Table stockTable() {
    return makeTable({{"DURUM", kInt},        {"DEPO2", kText, 3},       {"OEM1", kText, 50},
                      {"OEM2", kText, 50},    {"OEM3", kText, 50},       {"BARKOD", kText, 50},
                      {"ADI", kText, 150},    {"OEM4", kText, 50},       {"STOK_STOKNO", kInt},
                      {"FINISHKOD", kText, 50}, {"URETICIKODU", kText, 50}, {"RESIM", kInt},
                      {"BARKOD_BARKODNO", kInt}, {"DIGERADI", kText, 150}, {"DPKOD", kText, 25},
                      {"OEMNO", kText, 50},   {"BIRIM", kText, 20},      {"MARKA", kText, 50},
                      {"MODEL", kText, 50},   {"ANAGRUP", kText, 50},    {"OZELKOD", kText, 25},
                      {"KALAN", kFloat},      {"PKOD", kText, 25},       {"KDV", kFloat},
                      {"ALINANSIPARIS", kFloat}, {"VERILENSIPARIS", kFloat}, {"LISTEFIYAT1", kFloat},
                      {"KAMPFIYAT", kFloat},  {"FIYAT", kFloat},         {"ESKIFIYAT", kFloat},
                      {"Y", kInt},            {"K", kInt},               {"INDIRIMYAZI", kText, 30},
                      {"INDIRIM", kFloat},    {"NETFIYAT", kFloat},      {"KDVDAHIL", kFloat},
                      {"IND1", kFloat},       {"IND2", kFloat},          {"IND3", kFloat},
                      {"IND4", kFloat}});
}

void appendStockRow(Table& t, const Stock& s, const Rates& customerRates, bool campaignsAllowed) {
    CustomerPrice p = customerPrice(s, customerRates, campaignsAllowed);
    bool showCampaign = campaignsAllowed && s.isCampaign && s.campaignPrice > 0;
    double effective = p.price > 0 ? round2((1.0 - p.net / p.price) * 100.0) : 0;
    t.appendRow({I(s.state), S(s.warehouse2 ? "VAR" : "YOK"), S(s.oem[0]), S(s.oem[1]), S(s.oem[2]), S(s.code),
                 S(s.name), S(s.oem[3]), I(s.stokno), S(s.finishCode), S(s.makerCode), I(s.hasPicture ? 1 : 0),
                 I(s.barcodeNo), S(s.otherName), S(s.deptCode), S(s.oemNo), S(s.unit), S(s.brand), S(s.model),
                 S(s.group), S(s.specialCode), F(s.onHand), S(s.productCode), F(s.vat), F(s.customerOrders),
                 F(s.supplierOrders), F(s.listPrice), F(showCampaign ? s.campaignPrice : 0), F(p.price),
                 F(s.listPrice), I(s.isNew ? 1 : 0), I(showCampaign ? 1 : 0), S(ratesText(p.rates)), F(effective),
                 F(p.net), F(p.withVat), F(p.rates[0]), F(p.rates[1]), F(p.rates[2]), F(p.rates[3])});
}

// ----- order-line tables (cart, order detail, balances, all order lines)
struct LineRow {
    int sirano = 0, carino = 0, stokno = 0, siparisno = 0, stokharNo = 0, verenId = 0, selected = 0;
    double date = 0, qty = 0, price = 0, firstPrice = 0, delivered = 0, remaining = 0;
    int vat = 0;
    Rates rates{};
    std::string code, name, veren, note, customerCode, customerName, delivery, cargo;
    const Stock* item = nullptr;
};

Table lineTable() {
    return makeTable({{"SEC", kInt},           {"SIRANO", kInt},          {"CARINO", kInt},
                      {"STOKNO", kInt},        {"STOK_STOKNO", kInt},     {"SIPARISNO", kInt},
                      {"IDNO", kInt},          {"STOKHAR_NO", kInt},      {"TARIH", kDate},
                      {"VERILISTARIHI", kDate}, {"SAAT", kText, 5},       {"KUR", kText, 5},
                      {"KURTL", kFloat},       {"BARKOD", kText, 50},     {"FINISHKOD", kText, 50},
                      {"OEMNO", kText, 50},    {"OEM1", kText, 50},       {"OEM2", kText, 50},
                      {"OEM3", kText, 50},     {"OEM4", kText, 50},       {"STOKADI", kText, 150},
                      {"DIGERADI", kText, 150}, {"DPKOD", kText, 25},     {"MARKA", kText, 50},
                      {"MODEL", kText, 50},    {"ANAGRUP", kText, 50},    {"OZELKOD", kText, 25},
                      {"PKOD", kText, 25},     {"URETICIKODU", kText, 50}, {"MIKTAR", kFloat},
                      {"BIRIMFIYAT", kFloat},  {"ILKFIYAT", kFloat},      {"TUTAR", kFloat},
                      {"INDIRIMORANI1", kFloat}, {"INDIRIMORANI2", kFloat}, {"INDIRIMORANI3", kFloat},
                      {"INDIRIMORANI4", kFloat}, {"INDIRIMYAZI", kText, 30}, {"INDIRIMTUTAR", kFloat},
                      {"NETBIRIMFIYAT", kFloat}, {"KDV", kInt},           {"VERGITUTARI", kFloat},
                      {"NETTUTAR", kFloat},    {"VEREN", kText, 50},      {"VERENIDNO", kInt},
                      {"VERENSIRANO", kInt},   {"TESLIMEDILEN", kFloat},  {"KALAN", kFloat},
                      {"ELDEKI", kText, 20},   {"ALINANSIPARIS", kFloat}, {"VERILENSIPARIS", kFloat},
                      {"DURUM", kInt},         {"ACIKLAMA", kText, 250},  {"AKTAR", kInt},
                      {"TESLIMID", kInt},      {"KARGOID", kInt},         {"TESLIM", kText, 50},
                      {"KARGO", kText, 50},    {"CARIKOD", kText, 25},    {"CARIADI", kText, 100}});
}

std::string plainNumber(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

void appendLineRow(Table& t, const LineRow& r, bool cartKalanIsStock) {
    static const Stock none;
    const Stock& s = r.item ? *r.item : none;
    LineAmounts a = lineAmounts(r.qty, r.price, r.rates, r.vat);
    t.appendRow({I(r.selected), I(r.sirano), I(r.carino), I(r.stokno), I(r.stokno), I(r.siparisno), I(r.siparisno),
                 I(r.stokharNo), D(std::floor(r.date)), D(r.date), S(timeOfDay(r.date)), S("TL"), F(1.0),
                 S(r.code), S(s.finishCode), S(s.oemNo), S(s.oem[0]), S(s.oem[1]), S(s.oem[2]), S(s.oem[3]),
                 S(r.name), S(s.otherName), S(s.deptCode), S(s.brand), S(s.model), S(s.group), S(s.specialCode),
                 S(s.productCode), S(s.makerCode), F(r.qty), F(r.price), F(r.firstPrice), F(a.gross),
                 F(r.rates[0]), F(r.rates[1]), F(r.rates[2]), F(r.rates[3]), S(ratesText(r.rates)), F(a.discount),
                 F(a.netUnit), I(r.vat), F(a.vat), F(a.net), S(r.veren), I(r.verenId), I(r.verenId),
                 F(r.delivered), F(cartKalanIsStock ? s.onHand : r.remaining), S(plainNumber(s.onHand)),
                 F(s.customerOrders), F(s.supplierOrders), I(s.state), S(r.note), I(0), I(0), I(0), S(r.delivery),
                 S(r.cargo), S(r.customerCode), S(r.customerName)});
}

LineRow fromCart(const CartLine& l, const Customer& c) {
    LineRow r;
    r.selected = l.selected;
    r.sirano = l.sirano;
    r.carino = l.carino;
    r.stokno = l.stokno;
    r.date = l.addedAt;
    r.qty = l.qty;
    r.price = l.price;
    r.firstPrice = l.price;
    r.vat = l.vat;
    r.rates = l.discounts;
    r.code = l.code;
    r.name = l.name;
    r.veren = l.addedByName;
    r.verenId = l.addedBy;
    r.note = l.note;
    r.customerCode = c.code;
    r.customerName = c.name;
    r.item = &l.item;
    return r;
}

LineRow fromOrderLine(const OrderLine& l, const std::string& delivery = {}, const std::string& cargo = {}) {
    LineRow r;
    r.selected = 0;
    r.sirano = l.cartSirano;
    r.carino = l.carino;
    r.stokno = l.stokno;
    r.siparisno = l.idno;
    r.stokharNo = l.id;
    r.date = l.orderDate;
    r.qty = l.qty;
    r.price = l.price;
    r.firstPrice = l.firstPrice;
    r.delivered = l.delivered;
    r.remaining = l.closed ? 0 : std::max(0.0, l.qty - l.delivered);
    r.vat = l.vat;
    r.rates = l.discounts;
    r.code = l.code;
    r.name = l.name;
    r.veren = l.givenByName;
    r.verenId = l.givenBy;
    r.note = l.name;
    r.customerCode = l.customerCode;
    r.customerName = l.customerName;
    r.delivery = delivery;
    r.cargo = cargo;
    r.item = &l.item;
    return r;
}

// ----- customers
Table customerTable() {
    return makeTable({{"CARINO", kInt},      {"CARIKOD", kText, 25},   {"CARIADI", kText, 100},
                      {"SATICISI", kText, 50}, {"TLBAKIYE", kFloat},   {"DURUM", kText, 1},
                      {"OZELKOD", kText, 25}, {"KOD1", kText, 25},     {"KOD2", kText, 25},
                      {"KOD3", kText, 25},   {"KOD4", kText, 25},      {"KOD5", kText, 25},
                      {"TEL1", kText, 25},   {"TEL2", kText, 25},      {"ILCE", kText, 50},
                      {"IL", kText, 50},     {"GSM", kText, 25},       {"SEPET", kInt},
                      {"YETKILI", kText, 50}, {"INDIRIM", kText, 30},  {"VADE", kInt},
                      {"VADEKONTROLGUN", kInt}, {"VADEKONTROLAY", kInt}, {"VERGIDAIRESI", kText, 50},
                      {"VERGINO", kText, 20}, {"ADRES1", kText, 100},  {"ADRES2", kText, 100},
                      {"ANAGRUP", kText, 50}, {"ALTGRUP", kText, 50},  {"FAX1", kText, 25},
                      {"FAX2", kText, 25},   {"EMAIL", kText, 100},    {"ALINDI", kInt},
                      {"ONAYLANDI", kInt},   {"GORULDU", kInt},        {"HAZIRLANDI", kInt},
                      {"PARCALIHAZIRLANDI", kInt}});
}

std::string balanceMarker(double balance) {
    if (balance > 0.005) return "B";
    if (balance < -0.005) return "A";
    return " ";
}

void appendCustomerRow(Table& t, const CustomerSummary& s) {
    const Customer& c = s.customer;
    double balance = round2(s.debit - s.credit);
    auto st = [&](int state) { return I(s.states[static_cast<std::size_t>(state - kReceived)]); };
    t.appendRow({I(c.carino), S(c.code), S(c.name), S(c.rep.name), F(balance), S(balanceMarker(balance)),
                 S(c.specialCode), S(c.kod[0]), S(c.kod[1]), S(c.kod[2]), S(c.kod[3]), S(c.kod[4]), S(c.tel1),
                 S(c.tel2), S(c.district), S(c.city), S(c.gsm), I(s.cartLines), S(c.contact),
                 S(ratesText(c.discounts)), I(c.dueDays), I(c.dueDays), I(c.dueDays / 30), S(c.taxOffice),
                 S(c.taxNo), S(c.addr1), S(c.addr2), S(c.mainGroup), S(c.subGroup), S(c.fax1), S(c.fax2),
                 S(c.email), st(kReceived), st(kApproved), st(kSeen), st(kPrepared), st(kPartlyPrepared)});
}

Value kindRows(const std::vector<Kind>& kinds) {
    Table t = makeTable({{"SIRANO", kInt}, {"ADI", kText, 50}});
    for (auto& k : kinds) t.appendRow({I(k.id), S(k.name)});
    return Value::rowSet(std::move(t));
}

std::string toHex(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

TAcilisEkran screenEntry(const Announcement& a) {
    TAcilisEkran e;
    e.SetSiraNo(a.sira);
    e.SetResim(toHex(a.jpeg));
    e.SetBaslik(a.title);
    e.SetArama(a.target);
    return e;
}

}  // namespace

ServerMethods::ServerMethods(Storage& storage, bool logCalls) : db_(storage), log_(logCalls) { registerAll(); }

void ServerMethods::add(const char* name, const char* signature, Handler h) {
    methods_.emplace(std::string("TServerMethods1.") + name, std::make_pair(std::string(signature), std::move(h)));
}

wire::Answer ServerMethods::dispatch(const wire::Call& call) {
    auto started = std::chrono::steady_clock::now();
    wire::Answer answer;
    auto it = methods_.find(call.command);
    if (it == methods_.end()) {
        answer = wire::Answer::failure("Bilinmeyen metot: " + call.command.substr(0, 200));
    } else {
        const std::string& sig = it->second.first;
        std::string shortName = call.command.substr(16);
        try {
            if (call.params.size() != sig.size())
                refuse(shortName + ": parametre sayısı hatalı (beklenen " + std::to_string(sig.size()) + ", gelen " +
                       std::to_string(call.params.size()) + ")");
            for (std::size_t i = 0; i < sig.size(); ++i) {
                if (!kindMatches(sig[i], call.params[i]))
                    refuse(shortName + ": " + std::to_string(i + 1) + ". parametrenin tipi hatalı (beklenen " +
                           typeName(sig[i]) + ", gelen " + wire::kindName(call.params[i].kind()) + ")");
                if (sig[i] == 't' && call.params[i].asText().size() > kMaxText)
                    refuse(shortName + ": " + std::to_string(i + 1) + ". parametre çok uzun");
            }
            Value result = it->second.second(call);
            answer.ok = true;
            answer.values.assign(sig.size() + 1, Value());
            for (std::size_t i = 0; i < sig.size(); ++i)
                if (sig[i] == 'L')
                    answer.values[i] = Value::int64(result.kind() == wire::Kind::Stream
                                                        ? static_cast<std::int64_t>(result.asStream().size())
                                                        : 0);
            answer.values[sig.size()] = std::move(result);
        } catch (const CallError& e) {
            answer = wire::Answer::failure(e.what());
        } catch (const wire::Error& e) {
            answer = wire::Answer::failure(shortName + ": " + e.what());
        } catch (const std::exception& e) {
            answer = wire::Answer::failure(shortName + ": sunucu hatası: " + e.what());
        }
    }
    if (log_) {
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
        char buf[64];
        std::snprintf(buf, sizeof buf, " %.2f ms ", ms);
        // One write per line, so that lines of concurrent calls never interleave.
        std::string line = "call " + call.command.substr(0, 80) + buf + (answer.ok ? "ok" : "error: " + answer.error) + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
    }
    return answer;
}

void ServerMethods::registerAll() {
    Storage& db = db_;

    auto customerOf = [&db](int carino) -> Customer {
        if (carino <= 0) refuse("Cari seçilmedi");
        auto c = db.customer(carino);
        if (!c) refuse("Cari bulunamadı: " + std::to_string(carino));
        return *c;
    };
    // The user behind a session record: the stored user when Sirano names one.
    auto userOf = [&db](const TSonucBilgisi& s) -> User {
        if (auto u = db.user(s.Sirano())) return *u;
        User u;
        u.id = 0;
        u.type = s.MusteriTipi();
        u.carino = s.CARINO();
        return u;
    };
    auto isStaff = [](const User& u) { return u.type == 1 || u.type == 2; };
    // Changes need the session of an active user as the login handed it out (name and password
    // as stored), not just any record.
    auto activeUser = [&db](const TSonucBilgisi& s) -> User {
        auto u = db.user(s.Sirano());
        if (!u || u->active != 1 || u->password != s.SIFRE() || u->name != s.ADI())
            refuse("Oturum geçersiz, lütfen yeniden giriş yapınız");
        return *u;
    };
    // Customers act only on their own account; staff on any.
    auto checkActsFor = [isStaff](const User& u, int carino) {
        if (u.id > 0 && !isStaff(u) && u.carino != carino) refuse("Bu cari için yetkiniz yok");
    };
    auto staffOnly = [isStaff, activeUser](const TSonucBilgisi& s) -> User {
        User u = activeUser(s);
        if (!isStaff(u)) refuse("Bu işlem yalnız satış personeli içindir");
        return u;
    };
    auto repFilter = [](const User& u) { return u.type == 1 ? u.repId : 0; };

    // ------------------------------------------------------------ login
    add("BuyukGetir", "t", [&db](const wire::Call& c) {
        const std::string& id = argText(c, 0);
        TSonucBilgisi s;
        s.SetBILGISAYARID(id);
        s.SetVersion(kClientVersion);
        auto u = id.empty() ? std::nullopt : db.userByComputer(id);
        if (!u) {
            s.SetVarmi(false);
            return Value::object(s.toJson());
        }
        s.SetVarmi(true);
        s.SetSirano(u->id);
        s.SetADI(u->name);
        s.SetSIFRE(u->password);
        s.SetAKTIF(u->active);
        s.SetKullanicimail(u->email);
        s.SetMusteriTipi(u->type);
        int repId = u->repId;
        if (u->carino > 0 && u->type >= 3) {
            if (auto cu = db.customer(u->carino)) {
                s.SetCARINO(cu->carino);
                s.Setcarikod(cu->code);
                s.SetCariAdi(cu->name);
                repId = cu->repId;
                s.SetSaticiNo(cu->rep.id);
                s.SetSaticiAdi(cu->rep.name);
                s.SetSaticiTelefon(cu->rep.phone);
                s.SetSaticiMail(cu->rep.email);
            }
        } else if (repId > 0) {
            // Staff: their own representative record heads the header until a customer is picked.
            if (auto r = db.salesRep(repId)) {
                s.SetSaticiNo(r->id);
                s.SetSaticiAdi(r->name);
                s.SetSaticiTelefon(r->phone);
                s.SetSaticiMail(r->email);
            }
        }
        return Value::object(s.toJson());
    });

    // ------------------------------------------------------------ catalogue
    auto priceContext = [&db, userOf, isStaff, checkActsFor](const TSonucBilgisi& s, Rates& rates, bool& campaigns) {
        User u = userOf(s);
        checkActsFor(u, s.CARINO());
        rates = {};
        campaigns = u.type != 4;
        if (s.CARINO() > 0) {
            auto cu = db.customer(s.CARINO());
            if (!cu) refuse("Cari bulunamadı: " + std::to_string(s.CARINO()));
            rates = cu->discounts;
            campaigns = campaigns && db.campaignsAllowed(cu->carino);
        } else if (!isStaff(u)) {
            refuse("Cari seçilmedi");
        }
    };

    add("StokAraGetirTarvo", "to", [&db, priceContext](const wire::Call& c) {
        TSonucBilgisi s = argSession(c, 1);
        Rates rates;
        bool campaigns = true;
        priceContext(s, rates, campaigns);
        auto words = searchWords(argText(c, 0));
        Table t = stockTable();
        for (const Stock& st : db.searchStockRows(words, kSearchRowCap)) appendStockRow(t, st, rates, campaigns);
        return Value::dataPacket(std::move(t));
    });

    add("ResimVer5", "iL", [&db](const wire::Call& c) {
        int stokno = argInt(c, 0);
        if (stokno <= 0) refuse("Geçersiz stok numarası: " + std::to_string(stokno));
        auto p = db.picture(stokno);
        if (!p || p->mime != "image/jpeg") return Value::stream({});
        return Value::stream(std::move(p->bytes));
    });

    add("StokHareketVer", "ii", [&db, customerOf](const wire::Call& c) {
        Customer cu = customerOf(argInt(c, 0));
        int stokno = argInt(c, 1);
        auto item = db.stock(stokno);
        if (!item) refuse("Stok bulunamadı: " + std::to_string(stokno));
        Table t = makeTable({{"BARKOD", kText, 50},      {"TARIH", kDate},          {"TURU", kText, 50},
                             {"EVRAKSERI", kText, 10},   {"EVRAKSIRA", kText, 20},  {"MIKTAR", kFloat},
                             {"TLBIRIMFIYAT", kFloat},   {"TLVERGI", kFloat},       {"TLTUTAR", kFloat},
                             {"INDIRIM1", kFloat},       {"INDIRIM2", kFloat},      {"INDIRIM3", kFloat},
                             {"INDIRIM4", kFloat},       {"INDIRIM5", kFloat},      {"INDIRIM6", kFloat},
                             {"INDIRIM7", kFloat},       {"INDIRIM8", kFloat},      {"TOPLAMINDIRIM", kFloat},
                             {"MASRAF1", kFloat},        {"MASRAF2", kFloat},       {"TOPLAMMASRAF", kFloat},
                             {"NETBIRIMFIYAT", kFloat},  {"NETTLTUTAR", kFloat},    {"VADE", kDate},
                             {"STOKCARIKOD", kText, 25}, {"KDVDAHILBIRIMFIYAT", kFloat},
                             {"KDVDAHILTUTAR", kFloat},  {"SATICI", kText, 50}});
        std::unordered_map<int, std::optional<Invoice>> docs;
        for (const InvoiceLine& l : db.invoiceLinesOf(cu.carino, stokno)) {
            auto& doc = docs[l.idno];
            if (!doc) doc = db.invoice(l.idno);
            if (!doc) continue;
            const Movement& m = doc->movement;
            LineAmounts a = lineAmounts(l.qty, l.price, l.discounts, l.vat);
            // Each cascaded rate's own amount.
            std::array<double, 8> steps{};
            double g = a.gross;
            for (std::size_t i = 0; i < 4; ++i)
                if (l.discounts[i] > 0) {
                    steps[i] = round2(g * l.discounts[i] / 100.0);
                    g -= g * l.discounts[i] / 100.0;
                }
            std::string series = m.docNo.substr(0, std::min<std::size_t>(3, m.docNo.size()));
            std::string number = m.docNo.size() > 3 ? m.docNo.substr(3) : m.docNo;
            double unitWithVat = l.qty != 0 ? round2(a.total / l.qty) : 0;
            t.appendRow({S(item->code), D(m.date), S(m.type), S(series), S(number), F(l.qty), F(l.price), F(a.vat),
                         F(a.gross), F(steps[0]), F(steps[1]), F(steps[2]), F(steps[3]), F(0), F(0), F(0), F(0),
                         F(a.discount), F(0), F(0), F(0), F(a.netUnit), F(a.net), D(m.dueDate), S(cu.code),
                         F(unitWithVat), F(a.total), S(doc->repName)});
        }
        return Value::dataPacket(std::move(t));
    });

    add("YenilerVer2", "i", [&db, customerOf](const wire::Call& c) {
        Customer cu = customerOf(argInt(c, 0));
        bool campaigns = db.campaignsAllowed(cu.carino);
        Table t = stockTable();
        for (const Stock& s : db.newStocks(kSearchRowCap)) appendStockRow(t, s, cu.discounts, campaigns);
        return Value::dataPacket(std::move(t));
    });

    add("KampanyaliVer2", "ii", [&db, customerOf](const wire::Call& c) {
        Customer cu = customerOf(argInt(c, 0));
        int type = argInt(c, 1);
        Table t = stockTable();
        if (type != 4 && db.campaignsAllowed(cu.carino))
            for (const Stock& s : db.campaignStocks(1000)) appendStockRow(t, s, cu.discounts, true);
        return Value::dataPacket(std::move(t));
    });

    // ------------------------------------------------------------ cart
    // SepetEkle2 and SepetGuncelle2 share their argument layout; `sirano` 0 adds a line.
    auto cartWrite = [&db, customerOf, activeUser, isStaff, checkActsFor](const wire::Call& c, bool add) {
        TSonucBilgisi s = argSession(c, 0);
        User u = activeUser(s);
        Customer cu = customerOf(argInt(c, 1));
        checkActsFor(u, cu.carino);
        double qty = argDouble(c, 5), vat = argDouble(c, 6), price = argDouble(c, 7);
        Rates rates{argDouble(c, 8), argDouble(c, 11), argDouble(c, 12), argDouble(c, 13)};
        int verenId = argInt(c, 9);
        checkQuantity(qty);
        checkPrice(price);
        checkVat(vat);
        for (double r : rates) checkRate(r);
        if (verenId > 0 && !db.user(verenId)) refuse("Kullanıcı bulunamadı: " + std::to_string(verenId));
        bool staff = isStaff(u);
        if (add) {
            int stokno = argInt(c, 2);
            auto item = db.stock(stokno);
            if (!item) refuse("Stok bulunamadı: " + std::to_string(stokno));
            CartLine l;
            l.carino = cu.carino;
            l.stokno = stokno;
            l.code = item->code;
            l.name = item->name;
            l.qty = qty;
            l.vat = item->vat;
            CustomerPrice p = customerPrice(*item, cu.discounts, u.type != 4 && db.campaignsAllowed(cu.carino));
            l.campaign = p.campaign ? 1 : 0;
            if (staff) {
                l.price = price;
                l.discounts = rates;
                l.vat = static_cast<int>(std::lround(vat));
            } else {
                // Customers get the prices the server gives them, whatever the client sent.
                l.price = p.price;
                l.discounts = p.rates;
            }
            l.selected = 1;
            l.addedBy = verenId > 0 ? verenId : u.id;
            l.addedAt = nowAsDays();
            db.addCartLine(l);
            return Value::int32(1);
        }
        int sirano = argInt(c, 10);
        auto line = db.cartLine(sirano);
        if (!line || line->carino != cu.carino) refuse("Sepet satırı bulunamadı: " + std::to_string(sirano));
        line->qty = qty;
        if (staff) {
            line->price = price;
            line->discounts = rates;
            line->vat = static_cast<int>(std::lround(vat));
        }
        return Value::int32(db.updateCartLine(*line) ? 1 : 0);
    };
    add("SepetEkle2", "oiittddddiiddd", [cartWrite](const wire::Call& c) { return cartWrite(c, true); });
    add("SepetGuncelle2", "oiittddddiiddd", [cartWrite](const wire::Call& c) { return cartWrite(c, false); });

    add("SepetVer2", "i", [&db, customerOf](const wire::Call& c) {
        Customer cu = customerOf(argInt(c, 0));
        Table t = lineTable();
        auto lines = db.cart(cu.carino);
        for (const CartLine& l : lines) appendLineRow(t, fromCart(l, cu), true);
        return Value::dataPacket(std::move(t));
    });

    add("SepetSecimGuncelle", "ii", [&db](const wire::Call& c) {
        int sirano = argInt(c, 0), secim = argInt(c, 1);
        if (secim != 0 && secim != 1) refuse("Seçim 0 ya da 1 olmalı");
        if (!db.setCartSelection(sirano, secim)) refuse("Sepet satırı bulunamadı: " + std::to_string(sirano));
        return Value();
    });

    add("SepetSatirSil", "oit", [&db, customerOf, activeUser, checkActsFor](const wire::Call& c) {
        TSonucBilgisi s = argSession(c, 0);
        User u = activeUser(s);
        Customer cu = customerOf(s.CARINO());
        checkActsFor(u, cu.carino);
        int sirano = argInt(c, 1);
        if (sirano <= 0) refuse("Geçersiz sepet satırı: " + std::to_string(sirano));
        // A line someone else already removed is no error: the cart is as the caller wanted it.
        return Value::int32(db.deleteCartLine(sirano, cu.carino) ? 1 : 0);
    });

    add("SepetHepsiniSil", "o", [&db, customerOf, activeUser, checkActsFor](const wire::Call& c) {
        TSonucBilgisi s = argSession(c, 0);
        User u = activeUser(s);
        Customer cu = customerOf(s.CARINO());
        checkActsFor(u, cu.carino);
        return Value::int32(db.clearCart(cu.carino));
    });

    add("TeslimVer", "", [&db](const wire::Call&) { return kindRows(db.deliveryKinds()); });
    add("KargoVer", "", [&db](const wire::Call&) { return kindRows(db.cargoKinds()); });
    add("KargolarVer", "i", [&db](const wire::Call& c) {
        int kind = argInt(c, 0);
        bool known = false;
        for (auto& k : db.cargoKinds()) known = known || k.id == kind;
        if (!known) refuse("Kargo türü bulunamadı: " + std::to_string(kind));
        Table t = makeTable({{"ADI", kText, 50}, {"SIRANO", kInt}, {"UYARI", kText, 250}});
        for (auto& k : db.cargoCompanies(kind)) t.appendRow({S(k.name), I(k.id), S(k.warning)});
        return Value::rowSet(std::move(t));
    });

    add("SiparisKaydet", "oiiitii", [&db, customerOf, activeUser, checkActsFor](const wire::Call& c) {
        TSonucBilgisi s = argSession(c, 0);
        User u = activeUser(s);
        Customer cu = customerOf(argInt(c, 1));
        checkActsFor(u, cu.carino);
        Order o;
        o.carino = cu.carino;
        o.deliveryKind = argInt(c, 2);
        o.cargoKind = argInt(c, 3);
        o.message = argText(c, 4);
        int verenId = argInt(c, 5);
        o.cargoCompany = argInt(c, 6);
        if (o.message.size() > 4000) refuse("Mesaj çok uzun (en fazla 4000 karakter)");
        bool known = false;
        for (auto& k : db.deliveryKinds()) known = known || k.id == o.deliveryKind;
        if (!known) refuse("Teslim şekli bulunamadı: " + std::to_string(o.deliveryKind));
        known = false;
        for (auto& k : db.cargoKinds()) known = known || k.id == o.cargoKind;
        if (!known) refuse("Kargo türü bulunamadı: " + std::to_string(o.cargoKind));
        known = false;
        for (auto& k : db.cargoCompanies(o.cargoKind)) known = known || k.id == o.cargoCompany;
        if (!known) refuse("Kargo firması bu kargo türünde yok: " + std::to_string(o.cargoCompany));
        if (verenId > 0 && !db.user(verenId)) refuse("Kullanıcı bulunamadı: " + std::to_string(verenId));
        o.givenBy = verenId > 0 ? verenId : u.id;
        o.date = nowAsDays();
        return Value::boolean(db.saveOrder(o).has_value());
    });

    // ------------------------------------------------------------ orders
    add("OncekiSiparisler", "i", [&db, customerOf](const wire::Call& c) {
        Customer cu = customerOf(argInt(c, 0));
        Table t = makeTable({{"CARINO", kInt},       {"IDNO", kInt},            {"TARIH", kDate},
                             {"KUR", kText, 5},      {"KURTL", kFloat},         {"VERENIDNO", kInt},
                             {"KARGO", kText, 50},   {"TESLIM", kText, 50},     {"VEREN", kText, 50},
                             {"CARIKOD", kText, 25}, {"CARIADI", kText, 100},   {"VERGI", kFloat},
                             {"NETTUTAR", kFloat},   {"TUTAR", kFloat},         {"DURUM", kText, 50},
                             {"KARGOADI", kText, 50}, {"VERENINNOTU", kText, 4000}, {"ALANNOTU", kText, 4000}});
        for (const Order& o : db.orders(cu.carino)) {
            double gross = 0, net = 0, vat = 0;
            for (const OrderLine& l : db.orderLines(o.idno)) {
                LineAmounts a = lineAmounts(l.qty, l.price, l.discounts, l.vat);
                gross += a.gross;
                net += a.net;
                vat += a.vat;
            }
            t.appendRow({I(o.carino), I(o.idno), D(o.date), S("TL"), F(1.0), I(o.givenBy), S(o.cargoKindName),
                         S(o.deliveryName), S(o.givenByName), S(o.customerCode), S(o.customerName), F(round2(vat)),
                         F(round2(net)), F(round2(gross)), S(orderStateName(o.state)), S(o.cargoCompanyName),
                         S(o.message), S(o.note)});
        }
        return Value::rowSet(std::move(t));
    });

    add("SiparisAyrintisi2", "ii", [&db, customerOf](const wire::Call& c) {
        Customer cu = customerOf(argInt(c, 0));
        int idno = argInt(c, 1);
        auto o = db.order(idno);
        if (!o || o->carino != cu.carino) refuse("Sipariş bulunamadı: " + std::to_string(idno));
        Table t = lineTable();
        auto lines = db.orderLines(idno);
        for (const OrderLine& l : lines) appendLineRow(t, fromOrderLine(l, o->deliveryName, o->cargoKindName), false);
        return Value::rowSet(std::move(t));
    });

    add("SiparisAytintisiDip", "ii", [&db](const wire::Call& c) {
        int carino = argInt(c, 0), idno = argInt(c, 1);
        auto o = db.order(idno);
        if (!o || (carino > 0 && o->carino != carino)) refuse("Sipariş bulunamadı: " + std::to_string(idno));
        TSiparisDipAyrinti d;
        d.SetDurumu(orderStateName(o->state));
        d.SetTeslimCinsi(o->deliveryName);
        d.SetKargoCinsi(o->cargoKindName);
        d.SetKargo(o->cargoCompanyName);
        d.SetVeren(o->givenByName);
        d.SetSizinMesaj(o->message);
        d.SetBizimMesaj(o->note);
        d.SetSaticiNotu(o->sellerNote);
        return Value::object(d.toJson());
    });

    add("BakiyelerVer2", "i", [&db, customerOf](const wire::Call& c) {
        Customer cu = customerOf(argInt(c, 0));
        Table t = lineTable();
        auto lines = db.balances(cu.carino);
        for (const OrderLine& l : lines) appendLineRow(t, fromOrderLine(l), false);
        return Value::rowSet(std::move(t));
    });

    // The three balance commands find the order line by `siparissirano` within the session's customer.
    auto balanceLine = [&db, customerOf, activeUser, checkActsFor](const wire::Call& c) -> OrderLine {
        TSonucBilgisi s = argSession(c, 0);
        User u = activeUser(s);
        Customer cu = customerOf(s.CARINO());
        checkActsFor(u, cu.carino);
        int id = argInt(c, 3), stokno = argInt(c, 1);
        auto l = db.orderLine(id);
        if (!l || l->carino != cu.carino || (stokno > 0 && l->stokno != stokno))
            refuse("Sipariş satırı bulunamadı: " + std::to_string(id));
        if (l->closed) refuse("Bu sipariş bakiyesi kapatılmış: " + std::to_string(id));
        return *l;
    };
    add("BakiyeDuzenle", "oiiiddt", [&db, balanceLine](const wire::Call& c) {
        OrderLine l = balanceLine(c);
        return Value::int32(db.closeBalance(l.id) ? 1 : 0);
    });
    add("BakiyeDegistir", "oiiiddt", [&db, balanceLine](const wire::Call& c) {
        OrderLine l = balanceLine(c);
        double q = argDouble(c, 5);
        checkQuantity(q);
        return Value::int32(db.setBalance(l.id, q) ? 1 : 0);
    });
    add("BakiyeFiyatDegistir", "oiiiddtdd", [&db, balanceLine, activeUser](const wire::Call& c) {
        if (activeUser(argSession(c, 0)).type != 2) refuse("Fiyat değiştirme yetkiniz yok");
        OrderLine l = balanceLine(c);
        double price = argDouble(c, 7), rate = argDouble(c, 8);
        checkPrice(price);
        if (rate < 0 || rate > 100) refuse("İndirim oranı 0 ile 100 arasında olmalı");
        return Value::int32(db.setLinePrice(l.id, price, rate) ? 1 : 0);
    });

    add("TumSiparislerVer", "ii", [&db, customerOf](const wire::Call& c) {
        Customer cu = customerOf(argInt(c, 0));
        int stokno = argInt(c, 1);
        if (stokno < 0) refuse("Geçersiz stok numarası: " + std::to_string(stokno));
        Table t = lineTable();
        auto lines = db.orderLinesOf(cu.carino, stokno);
        for (const OrderLine& l : lines) appendLineRow(t, fromOrderLine(l), false);
        return Value::rowSet(std::move(t));
    });

    // ------------------------------------------------------------ account
    add("CariEkstreVer", "i", [&db, customerOf](const wire::Call& c) {
        Customer cu = customerOf(argInt(c, 0));
        Table t = makeTable({{"CARINO", kInt}, {"TARIH", kDate}, {"TURADI", kText, 50}, {"EVRAK", kText, 30},
                             {"BORC", kFloat}, {"ALACAK", kFloat}, {"KUR", kText, 5}, {"BAKIYE", kFloat},
                             {"D", kText, 1}, {"IDNO", kInt}, {"ACIKLAMA", kText, 250}});
        double balance = 0;
        for (const Movement& m : db.movements(cu.carino)) {
            balance += m.debit - m.credit;
            t.appendRow({I(m.carino), D(m.date), S(m.type), S(m.docNo), F(m.debit), F(m.credit), S(m.currency),
                         F(round2(balance)), S(balanceMarker(balance)), I(m.idno), S(m.description)});
        }
        return Value::rowSet(std::move(t));
    });

    add("FaturaGetir", "ii", [&db, customerOf](const wire::Call& c) {
        Customer cu = customerOf(argInt(c, 0));
        int idno = argInt(c, 1);
        auto inv = db.invoice(idno);
        if (!inv || inv->movement.carino != cu.carino || inv->movement.type.find("Fatura") == std::string::npos)
            refuse("Fatura bulunamadı: " + std::to_string(idno));
        Table t = makeTable({
            {"OEMNO", kText, 50}, {"STOKADI", kText, 150}, {"FINISHKOD", kText, 50}, {"MARKA", kText, 50},
            {"MODEL", kText, 50}, {"ANAGRUP", kText, 50}, {"OZELKOD", kText, 25}, {"BIRIM", kText, 20},
            {"BARKOD", kText, 50}, {"STOKHAR_HAREKETTARIHI", kDate}, {"STOKHAR_HAREKETTIPI2", kText, 50},
            {"EVRAKNO", kText, 30}, {"STOKHAR_MIKTAR", kFloat}, {"STOKHAR_TLBIRIMFIYATI", kFloat},
            {"STOKHAR_TLVERGI", kFloat}, {"STOKHAR_TLTUTAR", kFloat}, {"STOKHAR_INDIRIM1", kFloat},
            {"STOKHAR_INDIRIM2", kFloat}, {"STOKHAR_INDIRIM3", kFloat}, {"STOKHAR_INDIRIM4", kFloat},
            {"STOKHAR_INDIRIM5", kFloat}, {"STOKHAR_INDIRIM6", kFloat}, {"STOKHAR_INDIRIM7", kFloat},
            {"STOKHAR_INDIRIM8", kFloat}, {"STOKHAR_DOVIZBIRIMFIYATI", kFloat}, {"STOKHAR_DOVIZVERGI", kFloat},
            {"STOKHAR_DOVIZTUTAR", kFloat}, {"IRSALIYEEVRAKNO", kText, 30}, {"STOKHAR_IRSTARIHI", kDate},
            {"KDV", kFloat}, {"STOKHAR_PARTI", kText, 20}, {"STOKHAR_BEDEN", kText, 20}, {"STOKHAR_RENK", kText, 20},
            {"SATIRACIKLMASI", kText, 100}, {"STOKHAR_TOPLAMINDIRIM", kFloat}, {"STOKHAR_MASRAF1", kFloat},
            {"STOKHAR_MASRAF2", kFloat}, {"STOKHAR_TOPLAMMASRAF", kFloat}, {"STOKHAR_DOVIZTOPLAMINDIRIM", kFloat},
            {"STOKHAR_DOVIZTOPLAMMASRAF", kFloat}, {"STOKHAR_SAAT", kText, 5}, {"STOKHAR_NETTLBIRIMFIYATI", kFloat},
            {"STOKHAR_NETDOVIZBIRIMFIYATI", kFloat}, {"STOKHAR_NETTLTUTAR", kFloat}, {"STOKHAR_NETDOVIZTUTAR", kFloat},
            {"STOKHAR_KURTL", kFloat}, {"STOKHAR_VADE", kInt}, {"SIPARISTIPI", kText, 20},
            {"SIPARISEVRAKNO", kText, 30}, {"SIPARISTARIHI", kDate}, {"IRSALIYETIPINO", kInt},
            {"IRSALIYETIP2", kText, 30}, {"STOKCARIKOD", kText, 25}, {"SUBE_NO", kInt}, {"STOKHAR_CARINO", kInt},
            {"KUR_KURSIMGE", kText, 5}, {"SATICIADI", kText, 50}, {"URETICIKODU", kText, 50}, {"DPKOD", kText, 25},
            {"ENADI", kText, 50}, {"PKOD", kText, 25}, {"BELGENO", kText, 30}, {"IDNO", kInt}});
        const Movement& m = inv->movement;
        for (const InvoiceLine& l : inv->lines) {
            const Stock& s = l.item;
            LineAmounts a = lineAmounts(l.qty, l.price, l.discounts, l.vat);
            std::string waybill = "IRS" + m.docNo.substr(std::min<std::size_t>(3, m.docNo.size()));
            t.appendRow({S(s.oemNo), S(s.name), S(s.finishCode), S(s.brand), S(s.model), S(s.group), S(s.specialCode),
                         S(s.unit), S(s.code), D(m.date), S(m.type), S(m.docNo), F(l.qty), F(l.price), F(a.vat),
                         F(a.gross), F(l.discounts[0]), F(l.discounts[1]), F(l.discounts[2]), F(l.discounts[3]),
                         F(0), F(0), F(0), F(0), F(0), F(0), F(0), S(waybill), D(std::floor(m.date)), F(l.vat), S(""),
                         S(""), S(""), S(""), F(a.discount), F(0), F(0), F(0), F(0), F(0), S(timeOfDay(m.date)),
                         F(a.netUnit), F(0), F(a.net), F(0), F(1.0), I(inv->dueDays), S("Normal"), S(""),
                         D(std::floor(m.date)), I(1), S("Satış İrsaliyesi"), S(cu.code), I(0), I(cu.carino), S("TL"),
                         S(inv->repName), S(s.makerCode), S(s.deptCode), S(""), S(s.productCode), S(m.docNo),
                         I(m.idno)});
        }
        return Value::rowSet(std::move(t));
    });

    add("FaturaAltGetir", "i", [&db](const wire::Call& c) {
        int idno = argInt(c, 0);
        auto inv = db.invoice(idno);
        if (!inv || inv->movement.type.find("Fatura") == std::string::npos)
            refuse("Fatura bulunamadı: " + std::to_string(idno));
        double gross = 0, disc = 0, net = 0, vat = 0;
        for (const InvoiceLine& l : inv->lines) {
            LineAmounts a = lineAmounts(l.qty, l.price, l.discounts, l.vat);
            gross += a.gross;
            disc += a.discount;
            net += a.net;
            vat += a.vat;
        }
        Table t = makeTable({{"TOPLAM", kFloat}, {"TOPLAMINDIRIM", kFloat}, {"MATRAH", kFloat},
                             {"KDVTUTAR", kFloat}, {"KDVDAHIL", kFloat}});
        t.appendRow({F(round2(gross)), F(round2(disc)), F(round2(net)), F(round2(vat)), F(round2(net + vat))});
        return Value::rowSet(std::move(t));
    });

    add("Tahsilat", "i", [&db](const wire::Call& c) {
        int idno = argInt(c, 0);
        Table t = makeTable({{"Tarih", kDate}, {"Türü", kText, 30}, {"Cins", kText, 30}, {"EvrakNo", kText, 30},
                             {"Vade", kDate}, {"Tutar", kFloat}, {"Kur", kText, 5}, {"KurTL", kFloat},
                             {"Açıklama", kText, 250}, {"Döviz Tutar", kFloat}, {"Ref", kText, 30},
                             {"Saat", kText, 5}});
        auto entries = db.collection(idno);
        if (entries.empty()) refuse("Tahsilat bulunamadı: " + std::to_string(idno));
        for (const CollectionEntry& e : entries)
            t.appendRow({D(e.date), S("Tahsilat"), S(e.kind), S(e.docNo), D(e.dueDate), F(e.amount), S("TL"), F(1.0),
                         S(e.description), F(0), S(e.ref), S(timeOfDay(e.date))});
        return Value::rowSet(std::move(t));
    });

    add("SanalposSiranoVer", "i", [&db](const wire::Call& c) {
        int sirano = 0;
        for (const CollectionEntry& e : db.collection(argInt(c, 0)))
            if (e.cardSirano > 0) sirano = e.cardSirano;
        return Value::int32(sirano);
    });

    add("SAnalPosPdfVer", "iL", [&db](const wire::Call& c) {
        auto p = db.cardPayment(argInt(c, 0));
        if (!p) return Value::stream({});
        auto cu = db.customer(p->carino);
        if (!cu) return Value::stream({});
        return Value::stream(receiptPdf(*p, *cu));
    });

    // ------------------------------------------------------------ customer picker
    add("CariAra", "ot", [&db, staffOnly, repFilter](const wire::Call& c) {
        User u = staffOnly(argSession(c, 0));
        Table t = customerTable();
        for (auto& s : db.searchCustomers(foldSearchText(argText(c, 1)), repFilter(u))) appendCustomerRow(t, s);
        return Value::rowSet(std::move(t));
    });
    add("SepetSayisi", "o", [&db, staffOnly, repFilter](const wire::Call& c) {
        User u = staffOnly(argSession(c, 0));
        return Value::int32(db.customersWithCart(repFilter(u)));
    });
    add("TusSonuclariVer", "o", [&db, staffOnly, repFilter](const wire::Call& c) {
        User u = staffOnly(argSession(c, 0));
        auto n = db.orderStateCounts(repFilter(u));
        TTusSonuclari r;
        r.SetAlindi(n[0]);
        r.SetOnaylandi(n[1]);
        r.SetGoruldu(n[2]);
        r.SetParcaliHazirlandi(n[3]);
        r.SetHazirlandi(n[4]);
        r.SetSevkEdildi(n[5]);
        return Value::object(r.toJson());
    });
    add("CariSepetVer", "oi", [&db, staffOnly, repFilter](const wire::Call& c) {
        User u = staffOnly(argSession(c, 0));
        int n = argInt(c, 1);
        if (n < 1 || n > 7) refuse("Durum 1 ile 7 arasında olmalı");
        // Buttons 2..7 list by order state: received, approved, seen, partly prepared, prepared, shipped.
        static const int stateOfButton[8] = {0, 1, kReceived, kApproved, kSeen, kPartlyPrepared, kPrepared, kShipped};
        Table t = customerTable();
        for (auto& s : db.customersByState(stateOfButton[n], repFilter(u))) appendCustomerRow(t, s);
        return Value::rowSet(std::move(t));
    });

    add("RaporGetir", "iiiitddL", [&db](const wire::Call& c) {
        int report = argInt(c, 0);
        int carino = argInt(c, 3);
        double d1 = argDouble(c, 5), d2 = argDouble(c, 6);
        if (report != 6 && report != 7) refuse("Bilinmeyen rapor: " + std::to_string(report));
        if (carino < 0 || (carino > 0 && !db.customer(carino))) refuse("Cari bulunamadı: " + std::to_string(carino));
        if (std::fabs(d1) > 2958465 || std::fabs(d2) > 2958465) refuse("Geçersiz tarih");
        return Value::stream(reportPdf(db, report, carino, argText(c, 4), d1, d2));
    });

    // ------------------------------------------------------------ status and warning
    add("CariDurumVer", "i", [&db, customerOf](const wire::Call& c) {
        Customer cu = customerOf(argInt(c, 0));
        auto [debit, credit] = db.debitCredit(cu.carino);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.2f", round2(debit - credit));
        return Value::text(buf);
    });

    add("CariVadeGunGecmismiBul", "i", [&db, customerOf](const wire::Call& c) {
        Customer cu = customerOf(argInt(c, 0));
        double today = std::floor(nowAsDays());
        auto [amount, oldest] = db.overdue(cu.carino, today);
        if (amount < 0.01) return Value::text("");
        int days = static_cast<int>(today - std::floor(oldest));
        return Value::text("Vadesi geçmiş " + formatMoneyTr(amount) + " TL bakiyeniz var (en eski vade " +
                           std::to_string(days) + " gün önce). Lütfen ödemenizi yapınız.");
    });

    // ------------------------------------------------------------ reports
    add("RaporAlinanSiparisler", "odd", [&db, staffOnly, repFilter](const wire::Call& c) {
        User u = staffOnly(argSession(c, 0));
        double d1 = std::floor(argDouble(c, 1)), d2 = std::floor(argDouble(c, 2)) + 1;
        Table t = makeTable({{"SATICIADI", kText, 50}, {"IDNO", kFloat}, {"CARINO", kInt}, {"TARIH", kDate},
                             {"KUR", kText, 5}, {"KURTL", kFloat}, {"VERENIDNO", kInt}, {"KARGO", kText, 50},
                             {"TESLIM", kText, 50}, {"VEREN", kText, 50}, {"CARIKOD", kText, 25},
                             {"CARIADI", kText, 100}, {"DURUM", kText, 100}, {"KARGOADI", kText, 50},
                             {"VERGI", kFloat}, {"NETTUTAR", kFloat}, {"TUTAR", kFloat}});
        for (const Order& o : db.ordersBetween(d1, d2, repFilter(u))) {
            double gross = 0, net = 0, vat = 0;
            for (const OrderLine& l : db.orderLines(o.idno)) {
                LineAmounts a = lineAmounts(l.qty, l.price, l.discounts, l.vat);
                gross += a.gross;
                net += a.net;
                vat += a.vat;
            }
            t.appendRow({S(o.repName), F(o.idno), I(o.carino), D(o.date), S("TL"), F(1.0), I(o.givenBy),
                         S(o.cargoKindName), S(o.deliveryName), S(o.givenByName), S(o.customerCode),
                         S(o.customerName), S(orderStateName(o.state)), S(o.cargoCompanyName), F(round2(vat)),
                         F(round2(net)), F(round2(gross))});
        }
        return Value::rowSet(std::move(t));
    });

    add("RaporEnCokSatilanStoklar", "odd", [&db, staffOnly, repFilter](const wire::Call& c) {
        User u = staffOnly(argSession(c, 0));
        double d1 = std::floor(argDouble(c, 1)), d2 = std::floor(argDouble(c, 2)) + 1;
        std::map<int, SoldStock> sold;
        for (const OrderLine& l : db.orderLinesBetween(d1, d2, repFilter(u))) {
            auto& s = sold[l.stokno];
            s.code = l.item.code;
            s.name = l.item.name;
            s.group = l.item.group;
            LineAmounts a = lineAmounts(l.qty, l.price, l.discounts, l.vat);
            s.qty += l.qty;
            s.net += a.net;
            s.vat += a.vat;
            s.gross += a.gross;
        }
        std::vector<std::pair<int, SoldStock>> rows(sold.begin(), sold.end());
        std::stable_sort(rows.begin(), rows.end(), [](auto& a, auto& b) { return a.second.qty > b.second.qty; });
        Table t = makeTable({{"BARKOD", kText, 50}, {"KOD", kText, 50}, {"ADI", kText, 100}, {"DEPARTMAN", kText, 50},
                             {"MIKTAR", kFloat}, {"NETTUTAR", kFloat}, {"TLVERGI", kFloat}, {"TUTAR", kFloat}});
        for (auto& [stokno, s] : rows)
            t.appendRow({S(s.code), S(std::to_string(stokno)), S(s.name), S(s.group), F(s.qty), F(round2(s.net)),
                         F(round2(s.vat)), F(round2(s.gross))});
        return Value::rowSet(std::move(t));
    });

    // ------------------------------------------------------------ notices
    add("BalonGetir", "o", [&db, userOf](const wire::Call& c) {
        TSonucBilgisi s = argSession(c, 0);
        User u = userOf(s);
        int carino = s.CARINO();
        int cartLines = 0, balanceLines = 0;
        bool campaigns = u.type != 4;
        if (carino > 0 && db.customer(carino)) {
            cartLines = static_cast<int>(db.cart(carino).size());
            balanceLines = static_cast<int>(db.balances(carino).size());
            campaigns = campaigns && db.campaignsAllowed(carino);
        }
        Table t = makeTable({{"SEPET", kInt}, {"YENI", kInt}, {"KAMPANYA", kInt}, {"DUYURU", kInt}, {"BAKIYE", kFloat}});
        t.appendRow({I(cartLines), I(std::min(db.newStockCount(), kSearchRowCap)),
                     I(campaigns ? std::min(db.campaignStockCount(), 1000) : 0),
                     I(db.announcementCount(false)), F(balanceLines)});
        return Value::rowSet(std::move(t));
    });

    add("AcilisEkranlarVer2", "", [&db](const wire::Call&) {
        std::vector<TAcilisEkran> entries;
        for (auto& a : db.announcements(false)) entries.push_back(screenEntry(a));
        TAcilisEkranlariki w;
        w.SetEkranlar(std::move(entries));
        return Value::object(w.toJson());
    });

    add("KayanYaziGetir", "", [&db](const wire::Call&) { return Value::text(db.setting("scrolling_text")); });

    auto bannerMethod = [&db](int slot) {
        return [&db, slot](const wire::Call&) {
            auto b = db.banner(slot);
            return Value::stream(b ? b->bytes : std::string());
        };
    };
    add("BannerResimVer", "L", bannerMethod(1));
    add("BannerResimVer2", "L", bannerMethod(2));
    add("BannerResimVer3", "L", bannerMethod(3));

    add("AcilisReklamAdet", "", [&db](const wire::Call&) {
        return Value::int32(db.announcementCount(true));
    });
    add("AcilisREklamVer", "i", [&db](const wire::Call& c) {
        int i = argInt(c, 0);
        auto ads = db.announcements(true);
        if (i < 0 || i >= static_cast<int>(ads.size())) return Value::object(nlohmann::ordered_json());
        return Value::object(screenEntry(ads[static_cast<std::size_t>(i)]).toJson());
    });

    // ------------------------------------------------------------ messages and requests
    add("MobilCariBilgisiGetir", "it", [&db](const wire::Call& c) {
        const std::string& id = argText(c, 1);
        auto u = id.empty() ? std::nullopt : db.userByComputer(id);
        if (!u || u->carino <= 0) return Value::object(nlohmann::ordered_json());
        auto cu = db.customer(u->carino);
        if (!cu) return Value::object(nlohmann::ordered_json());
        auto [debit, credit] = db.debitCredit(cu->carino);
        TMobilCariBilgisi m;
        m.SetCARINO(cu->carino);
        m.SetCARIKOD(cu->code);
        m.SetCARIADI(cu->name);
        m.SetOzelKod(cu->specialCode);
        m.SetAnaGrup(cu->mainGroup);
        m.SetAltGrup(cu->subGroup);
        m.SetADRES1(cu->addr1);
        m.SetADRES2(cu->addr2);
        m.SetILCE(cu->district);
        m.SetTEL1(cu->tel1);
        m.SetTEL2(cu->tel2);
        m.SetFAX1(cu->fax1);
        m.SetFAX2(cu->fax2);
        m.SetGSM(cu->gsm);
        m.SetEMAIL(cu->email);
        m.SetYETKILI(cu->contact);
        m.SetSEHIR(cu->city);
        m.SetULKE(cu->country);
        m.SetSATICIADI(cu->rep.name);
        m.SetSATICITELEFON(cu->rep.phone);
        m.SetSATICIMAIL(cu->rep.email);
        m.SetVERGIDAIRESI(cu->taxOffice);
        m.SetVERGINO(cu->taxNo);
        m.SetTLBORC(round2(debit));
        m.SetTLALACAK(round2(credit));
        m.SetTLBAKIYE(round2(debit - credit));
        m.SetKULLANICIADI(u->name);
        m.SetSIFRE(u->password);
        m.SetMAIL(u->email);
        m.SetBILGISAYARID(id);
        return Value::object(m.toJson());
    });

    auto mailMethod = [&db](const char* kind) {
        return [&db, kind](const wire::Call& c) {
            static const char* names[] = {"idsi", "baslik", "firmaadi", "adres1", "adres2", "ilce", "sehir",
                                          "telefon", "fax", "vd", "vn", "yetkili", "kullaniciadi", "sifre",
                                          "mail", "kargoambar", "konu"};
            nlohmann::ordered_json body;
            for (std::size_t i = 0; i < c.params.size() && i < 17; ++i) body[names[i]] = argText(c, i);
            OutboxMessage m;
            m.kind = kind;
            m.computerId = argText(c, 0);
            m.subject = argText(c, 1);
            m.body = body.dump();
            db.storeMessage(m);
            return Value::int32(1);
        };
    };
    add("MailGonserCari", "tttttttttttttttt", mailMethod("password-request"));
    add("MailGonserCariNormal", "ttttttttttttttttt", mailMethod("message"));
}

}  // namespace server
