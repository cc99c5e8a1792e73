#include "server/DemoData.h"

#include <chrono>
#include <cctype>
#include <initializer_list>
#include <tuple>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

#include "server/Images.h"
#include "server/Rules.h"
#include "server/Sql.h"
#include "server/SqliteStorage.h"

namespace server {

namespace {

// A small portable generator so the same seed gives the same data everywhere.
class Random {
public:
    explicit Random(unsigned seed) : s_(seed * 2654435761u + 1) {}
    std::uint32_t next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 7;
        s_ ^= s_ << 17;
        return static_cast<std::uint32_t>(s_ >> 16);
    }
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T, std::size_t N>
    const T& pick(const T (&a)[N]) {
        return a[below(static_cast<int>(N))];
    }
    template <class T>
    T oneOf(std::initializer_list<T> l) {
        return *(l.begin() + below(static_cast<int>(l.size())));
    }
    std::string digits(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>('0' + below(10));
        return s;
    }
    std::string letters(int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += static_cast<char>('A' + below(26));
        return s;
    }

private:
    std::uint64_t s_;
};

struct BrandInfo {
    const char* name;
    const char* prefix;
};
const BrandInfo kBrands[] = {
    {"BOSCH", "BSC"},  {"VALEO", "VAL"},  {"MANN-FILTER", "MAN"}, {"SACHS", "SAC"},  {"TRW", "TRW"},
    {"FEBI", "FEB"},   {"LEMFÖRDER", "LEM"}, {"MAHLE", "MAH"},   {"NGK", "NGK"},    {"SKF", "SKF"},
    {"GATES", "GAT"},  {"CONTINENTAL", "CON"}, {"ELRING", "ELR"}, {"HELLA", "HEL"},  {"BREMBO", "BRE"},
    {"FERODO", "FER"}, {"MAGNETI MARELLI", "MMA"}, {"NISSENS", "NIS"}, {"DAYCO", "DAY"}, {"KORVEL", "KRV"}};

struct MakeInfo {
    const char* make;
    const char* models[4];
    int oemStyle;  // how this maker writes part numbers
};
const MakeInfo kMakes[] = {
    {"FIAT", {"DOBLO 1.3 MJT", "LINEA 1.3 MJT", "EGEA 1.4", "FIORINO 1.3 MJT"}, 0},
    {"RENAULT", {"CLIO IV 1.5 DCI", "MEGANE III 1.5 DCI", "FLUENCE 1.6", "KANGOO 1.5 DCI"}, 1},
    {"FORD", {"TRANSIT 2.2 TDCI", "FOCUS III 1.6", "FIESTA 1.4", "CONNECT 1.8 TDCI"}, 2},
    {"VOLKSWAGEN", {"PASSAT B7 1.6 TDI", "GOLF VII 1.4 TSI", "CADDY 1.6 TDI", "POLO 1.2"}, 3},
    {"TOYOTA", {"COROLLA 1.6", "AURIS 1.4 D-4D", "HILUX 2.5 D-4D", "YARIS 1.33"}, 4},
    {"HYUNDAI", {"ACCENT BLUE 1.6", "I20 1.4", "TUCSON 1.7 CRDI", "H100 2.5"}, 4},
    {"OPEL", {"ASTRA J 1.6", "CORSA D 1.3 CDTI", "INSIGNIA 2.0 CDTI", "COMBO 1.3 CDTI"}, 0},
    {"PEUGEOT", {"301 1.6 HDI", "PARTNER 1.6 HDI", "308 1.6", "BOXER 2.2 HDI"}, 1},
    {"DACIA", {"DUSTER 1.5 DCI", "SANDERO 1.2", "LOGAN 1.5 DCI", "LODGY 1.5 DCI"}, 1},
    {"MERCEDES", {"SPRINTER 2.2 CDI", "VITO 2.2 CDI", "C180", "E220 CDI"}, 3}};

struct GroupInfo {
    const char* group;
    const char* parts[6];
    int priceLo, priceHi;
    int shape;
};
const GroupInfo kGroups[] = {
    {"FREN SİSTEMİ", {"ÖN FREN BALATASI", "ARKA FREN BALATASI", "ÖN FREN DİSKİ", "ARKA FREN KAMPANASI",
                      "FREN MERKEZİ", "ABS SENSÖRÜ"}, 250, 2400, 2},
    {"FİLTRE", {"YAĞ FİLTRESİ", "HAVA FİLTRESİ", "POLEN FİLTRESİ", "YAKIT FİLTRESİ", "MAZOT FİLTRESİ",
                "ŞANZIMAN FİLTRESİ"}, 80, 650, 1},
    {"SÜSPANSİYON", {"ÖN AMORTİSÖR", "ARKA AMORTİSÖR", "ROTİL", "SALINCAK", "Z ROT", "AKS KÖRÜĞÜ"}, 300, 3800, 3},
    {"MOTOR", {"TRİGER SETİ", "DEVİRDAİM POMPASI", "SİLİNDİR KAPAK CONTASI", "KRANK KEÇESİ", "MOTOR TAKOZU",
               "V KAYIŞI"}, 150, 6500, 0},
    {"ELEKTRİK", {"BUJİ", "ATEŞLEME BOBİNİ", "MARŞ MOTORU", "ŞARJ DİNAMOSU", "KIZDIRMA BUJİSİ",
                  "OKSİJEN SENSÖRÜ"}, 90, 9000, 0},
    {"DEBRİYAJ", {"DEBRİYAJ SETİ", "DEBRİYAJ RULMANI", "VOLAN", "DEBRİYAJ MERKEZİ", "DEBRİYAJ TELİ",
                  "BASKI BALATA"}, 400, 12000, 0},
    {"SOĞUTMA", {"RADYATÖR", "TERMOSTAT", "FAN MOTORU", "KALORİFER RADYATÖRÜ", "GENLEŞME KABI",
                 "RADYATÖR HORTUMU"}, 120, 5500, 1},
    {"AYDINLATMA", {"SOL FAR", "SAĞ FAR", "STOP LAMBASI", "SİS FARI", "SİNYAL LAMBASI", "H7 AMPUL"}, 60, 7500, 2},
    {"ŞANZIMAN", {"ŞANZIMAN TAKOZU", "VİTES TELİ", "AKS MİLİ", "DİFERANSİYEL KEÇESİ", "VİTES TOPUZU",
                  "ŞANZIMAN YAĞI"}, 150, 8000, 3},
    {"EGZOZ", {"EGZOZ SUSTURUCU", "KATALİTİK KONVERTÖR", "EGZOZ MANİFOLD CONTASI", "DPF FİLTRESİ",
               "EGZOZ KELEPÇESİ", "EGR VALFİ"}, 70, 15000, 1}};

const char* kFirstNames[] = {"Ahmet", "Mehmet", "Ayşe", "Fatma", "Mustafa", "Emine", "Hüseyin", "Zeynep",
                             "İbrahim", "Elif", "Hasan", "Özlem", "Murat", "Gülşen", "Kemal", "Şükrü"};
const char* kLastNames[] = {"Yılmaz", "Kaya", "Demir", "Çelik", "Şahin", "Yıldız", "Yıldırım", "Öztürk",
                            "Aydın", "Özdemir", "Arslan", "Doğan", "Kılıç", "Aslan", "Çetin", "Koç"};
const char* kFirmWords[] = {"Yıldız", "Güneş", "Anadolu", "Ege", "Marmara", "Toros", "Kartal", "Doğuş",
                            "Özgür", "Başkent", "Karadeniz", "Akdeniz", "Uğur", "Çağdaş", "Işık", "Şimşek"};
const char* kFirmKinds[] = {"Oto Yedek Parça", "Otomotiv", "Oto Servis", "Oto Elektrik", "Motorlu Araçlar",
                            "Oto Sanayi"};
const char* kFirmForms[] = {"Ltd. Şti.", "San. ve Tic. Ltd. Şti.", "A.Ş.", "Tic. Ltd. Şti."};
struct City {
    const char* city;
    const char* districts[3];
    const char* phone;
};
const City kCities[] = {{"İSTANBUL", {"İkitelli", "Bayrampaşa", "Kartal"}, "212"},
                        {"ANKARA", {"Ostim", "Siteler", "Yenimahalle"}, "312"},
                        {"İZMİR", {"Bornova", "Karabağlar", "Çiğli"}, "232"},
                        {"BURSA", {"Nilüfer", "Osmangazi", "Yıldırım"}, "224"},
                        {"KONYA", {"Karatay", "Selçuklu", "Meram"}, "332"},
                        {"ANTALYA", {"Muratpaşa", "Kepez", "Konyaaltı"}, "242"},
                        {"GAZİANTEP", {"Şehitkamil", "Şahinbey", "Nizip"}, "342"},
                        {"KAYSERİ", {"Melikgazi", "Kocasinan", "Talas"}, "352"}};

std::string ascii(std::string_view s) {
    std::string f = foldSearchText(s);
    std::string out;
    for (char c : f)
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) out += c;
    return out;
}

std::string oemNumber(Random& r, int style) {
    switch (style) {
    case 0: return "5" + r.digits(7);                                          // 55238172
    case 1: return "77" + r.digits(8);                                         // 7701208174
    case 2: return r.digits(1) + " " + r.digits(3) + " " + r.digits(3);        // 1 234 567
    case 3: return r.digits(1) + r.letters(1) + r.digits(1) + " " + r.digits(3) + " " + r.digits(3) +
                   (r.chance(50) ? " " + r.letters(1) : "");                   // 1K0 615 301 A
    default: return r.digits(5) + "-" + r.digits(5);                           // 04465-02220
    }
}

std::string ean13(Random& r) {
    std::string s = "869" + r.digits(9);
    int sum = 0;
    for (int i = 0; i < 12; ++i) sum += (s[static_cast<std::size_t>(i)] - '0') * (i % 2 ? 3 : 1);
    s += static_cast<char>('0' + (10 - sum % 10) % 10);
    return s;
}

double money(double v) { return round2(v); }

}  // namespace

DemoResult generateDemoData(const std::string& path, const DemoOptions& opt) {
    auto started = std::chrono::steady_clock::now();
    DemoResult result;
    sql::Connection db(path);
    SqliteStorage::createSchema(db);
    {
        auto q = db.prepare("SELECT (SELECT COUNT(*) FROM stock) + (SELECT COUNT(*) FROM app_user)");
        q.step();
        if (q.int64(0) > 0) {
            auto n = db.prepare("SELECT COUNT(*) FROM stock");
            n.step();
            result.parts = n.int32(0);
            return result;
        }
    }
    Random r(opt.seed);
    const double today = std::floor(nowAsDays());
    // Bulk load: references are checked once at the end instead of row by row.
    // A rollback journal costs next to nothing on a new file (new pages are not journalled),
    // where WAL would write every page twice.
    db.exec("PRAGMA journal_mode=DELETE; PRAGMA synchronous=OFF; PRAGMA foreign_keys=OFF; PRAGMA cache_size=-262144");
    sql::Transaction tx(db);

    db.exec("INSERT INTO meta(key, value) VALUES('scrolling_text', '<b>Korvel Otomotiv</b> &nbsp; Fren balatalarında "
            "<font color=\"red\">%15 kampanya</font> devam ediyor! &nbsp; Saat 16:00''ya kadar verilen siparişler "
            "aynı gün kargoda. &nbsp; Yeni ürünler için <b>Yeni Stoklar</b> sayfasına göz atın.')");

    // Sales representatives.
    const int reps = 5;
    {
        auto q = db.prepare("INSERT INTO sales_rep(id, name, phone, email) VALUES(?1, ?2, ?3, ?4)");
        for (int i = 1; i <= reps; ++i) {
            std::string name = std::string(r.pick(kFirstNames)) + " " + r.pick(kLastNames);
            std::string mail = ascii(name);
            for (auto& c : mail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            q.bindAll(i, name, "0532 " + r.digits(3) + " " + r.digits(2) + " " + r.digits(2),
                      mail + "@korvelotomotiv.com.tr");
            q.run();
        }
    }

    // Customers.
    struct Cust {
        int carino;
        Rates disc;
    };
    std::vector<Cust> customers;
    {
        auto q = db.prepare(
            "INSERT INTO customer(carino, code, name, special_code, main_group, sub_group, addr1, addr2, district, "
            "city, tel1, tel2, fax1, gsm, email, contact, tax_office, tax_no, kod1, kod2, rep_id, d1, d2, d3, d4, "
            "due_days, search) VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14,?15,?16,?17,?18,?19,?20,?21,"
            "?22,?23,?24,?25,?26,?27)");
        for (int i = 1; i <= opt.customers; ++i) {
            const City& city = r.pick(kCities);
            std::string district = city.districts[r.below(3)];
            std::string firm = std::string(kFirmWords[(i - 1) % 16]) + " " + r.pick(kFirmKinds) + " " + r.pick(kFirmForms);
            if (i > 16) firm = std::string(r.pick(kLastNames)) + " " + firm;
            if (i == 1) firm = "Yıldız Oto Yedek Parça San. ve Tic. Ltd. Şti.";
            if (i == 2) firm = "Güneş Otomotiv Tic. Ltd. Şti.";
            char code[16];
            std::snprintf(code, sizeof code, "120.%03d", i);
            std::string contact = std::string(r.pick(kFirstNames)) + " " + r.pick(kLastNames);
            Rates d{static_cast<double>(r.oneOf<int>({0, 5, 10, 10, 15, 20})),
                    static_cast<double>(r.oneOf<int>({0, 0, 3, 5})), 0, 0};
            std::string mail = ascii(kFirmWords[(i - 1) % 16]);
            for (auto& c : mail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            mail += std::to_string(i) + "@example.com.tr";
            std::string tel = "0" + std::string(city.phone) + " " + r.digits(3) + " " + r.digits(2) + " " + r.digits(2);
            q.bindAll(i, std::string(code), firm, r.oneOf<const char*>({"A", "B", "C"}),
                      "BAYİ", r.oneOf<const char*>({"SERVİS", "PERAKENDE", "TOPTAN"}),
                      std::string(r.oneOf<const char*>({"Sanayi Sitesi", "Oto Sanayi", "Yedek Parçacılar Çarşısı"})) +
                          " " + std::to_string(r.between(1, 40)) + ". Blok No:" + std::to_string(r.between(1, 120)),
                      std::string(r.oneOf<const char*>({"Atatürk Cad.", "Cumhuriyet Mah.", "Fatih Sok.", "İnönü Bulvarı"})),
                      district, std::string(city.city), tel,
                      "0" + std::string(city.phone) + " " + r.digits(3) + " " + r.digits(2) + " " + r.digits(2),
                      "0" + std::string(city.phone) + " " + r.digits(3) + " " + r.digits(2) + " " + r.digits(2),
                      "05" + r.digits(2) + " " + r.digits(3) + " " + r.digits(2) + " " + r.digits(2), mail, contact,
                      std::string(city.city) == "İSTANBUL" ? std::string("İkitelli V.D.") : std::string(district) + " V.D.",
                      r.digits(10), "K" + std::to_string(r.between(1, 9)), "BÖLGE " + std::to_string(r.between(1, 4)),
                      1 + (i - 1) % reps, d[0], d[1], d[2], d[3], r.oneOf<int>({30, 45, 60, 90}),
                      foldSearchText(std::string(code) + " " + firm + " " + city.city + " " + district + " " + contact));
            q.run();
            customers.push_back({i, d});
        }
    }

    // Users. Passwords are upper case: the client's login edits deliver upper case.
    {
        auto q = db.prepare("INSERT INTO app_user(id, name, password, email, active, type, carino, rep_id) "
                            "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
        auto add = [&](int id, const char* name, const char* pass, int active, int type, int carino, int rep) {
            q.bindAll(id, name, pass, std::string(name) + "@example.com.tr", active, type);
            if (carino > 0)
                q.bind(7, carino);
            else
                q.bindNull(7);
            if (rep > 0)
                q.bind(8, rep);
            else
                q.bindNull(8);
            q.run();
        };
        add(1, "DEMO", "DEMO123", 1, 3, 1, 0);
        add(2, "KAMPANYASIZ", "KAMPANYASIZ123", 1, 4, 2, 0);
        add(3, "PERSONEL", "PERSONEL123", 1, 1, 0, 1);
        add(4, "MUDUR", "MUDUR123", 1, 2, 0, 1);
        add(5, "PASIF", "PASIF123", 0, 3, 3, 0);
        for (int i = 4; i <= std::min(opt.customers, 20); ++i) {
            char name[16], pass[16];
            std::snprintf(name, sizeof name, "CARI%03d", i);
            std::snprintf(pass, sizeof pass, "SIFRE%03d", i);
            add(2 + i, name, pass, 1, 3, i, 0);
        }
    }

    // Brands, models, groups.
    {
        auto qb = db.prepare("INSERT INTO brand(id, name) VALUES(?1, ?2)");
        int id = 0;
        for (auto& b : kBrands) {
            qb.bindAll(++id, b.name);
            qb.run();
        }
        auto qm = db.prepare("INSERT INTO vehicle_model(id, brand, name) VALUES(?1, ?2, ?3)");
        id = 0;
        for (auto& m : kMakes)
            for (auto* model : m.models) {
                qm.bindAll(++id, m.make, std::string(m.make) + " " + model);
                qm.run();
            }
        auto qg = db.prepare("INSERT INTO stock_group(id, name) VALUES(?1, ?2)");
        id = 0;
        for (auto& g : kGroups) {
            qg.bindAll(++id, g.group);
            qg.run();
        }
    }

    // Stock.
    const int nBrands = static_cast<int>(std::size(kBrands));
    const int nMakes = static_cast<int>(std::size(kMakes));
    const int nGroups = static_cast<int>(std::size(kGroups));
    std::vector<double> listPrices(static_cast<std::size_t>(opt.parts) + 1);
    std::vector<int> vats(static_cast<std::size_t>(opt.parts) + 1, 20);
    {
        auto qs = db.prepare(
            "INSERT INTO stock(stokno, barcode_no, code, name, other_name, finish_code, maker_code, oem1, oem2, oem3, "
            "oem4, oem_no, special_code, dept_code, product_code, brand_id, model_id, group_id, unit, vat, list_price, "
            "campaign_price, state, warehouse2, on_hand, supplier_orders, is_new, is_campaign, search_text) "
            "VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14,?15,?16,?17,?18,?19,?20,?21,?22,?23,?24,?25,?26,?27,"
            "?28,?29)");
        auto qbar = db.prepare("INSERT INTO barcode(id, stokno, barcode) VALUES(?1, ?2, ?3)");
        for (int s = 1; s <= opt.parts; ++s) {
            int gi = r.below(nGroups), bi = r.below(nBrands), mi = r.below(nMakes), mo = r.below(4);
            const GroupInfo& g = kGroups[gi];
            const MakeInfo& mk = kMakes[mi];
            std::string part = g.parts[r.below(6)];
            std::string name = part + " " + mk.make + " " + mk.models[mo];
            char code[24];
            std::snprintf(code, sizeof code, "%s-%06d", kBrands[bi].prefix, 100000 + (s * 7919) % 900000);
            std::array<std::string, 4> oem;
            int nOem = r.between(1, 4);
            for (int k = 0; k < nOem; ++k) oem[static_cast<std::size_t>(k)] = oemNumber(r, mk.oemStyle);
            std::string maker = std::string(kBrands[bi].prefix) + " " + r.digits(3) + " " + r.digits(3);
            std::string finish = "F" + r.digits(5);
            std::string ean = ean13(r);
            double price = money(g.priceLo + (g.priceHi - g.priceLo) * std::pow(r.below(1000) / 1000.0, 2.0));
            int vat = 20;
            bool isNew = r.chance(1) || (s % 97 == 0);
            bool isCampaign = r.chance(1) || (s % 89 == 0);
            double campaign = isCampaign ? money(price * (r.oneOf<int>({80, 85, 90})) / 100.0) : 0;
            int stateRoll = r.below(100);
            int state = stateRoll < 60 ? 1 : stateRoll < 75 ? 0 : stateRoll < 80 ? 2 : stateRoll < 90 ? 3
                        : stateRoll < 95 ? 4 : 5;
            double onHand = state == 1 ? r.between(1, 250) : 0;
            std::string otherName = r.chance(30) ? part + " (" + kBrands[bi].name + ")" : "";
            std::string oemText;
            for (auto& o : oem)
                if (!o.empty()) oemText += o + " " + compactCode(o) + " ";
            std::string search = foldSearchText(std::string(code) + " " + compactCode(code) + " " + ean + " " + oemText +
                                                name + " " + otherName + " " + kBrands[bi].name + " " + maker + " " +
                                                compactCode(maker) + " " + finish);
            qs.bindAll(s, s, std::string(code), name, otherName, finish, maker, oem[0], oem[1], oem[2], oem[3], oem[0],
                       std::string(r.oneOf<const char*>({"A", "B", "C", "D"})),
                       std::string("D") + std::to_string(gi + 1), "P" + std::to_string(1000 + gi * 10 + bi), bi + 1,
                       mi * 4 + mo + 1, gi + 1, std::string(part.find("SETİ") != std::string::npos ? "SET" : "ADET"),
                       vat, price, campaign, state, r.chance(40) ? 1 : 0, onHand,
                       static_cast<double>(r.chance(20) ? r.between(5, 100) : 0), isNew ? 1 : 0, isCampaign ? 1 : 0,
                       search);
            qs.run();
            qbar.bindAll(s, s, ean);
            qbar.run();
            listPrices[static_cast<std::size_t>(s)] = price;
            vats[static_cast<std::size_t>(s)] = vat;
        }
        db.exec("INSERT INTO stock_search(stock_search) VALUES('rebuild')");
    }

    // Pictures for the first parts, every new and campaign part among the first thousands.
    {
        auto q = db.prepare("INSERT INTO picture(stokno, mime, bytes) VALUES(?1, 'image/jpeg', ?2)");
        auto info = db.prepare("SELECT s.code, b.name FROM stock s JOIN brand b ON b.id = s.brand_id WHERE s.stokno = ?1");
        int made = 0;
        for (int s = 1; s <= opt.parts && made < 240; ++s) {
            if (s > 150 && s % 97 != 0 && s % 89 != 0) continue;
            info.bind(1, s);
            info.step();
            std::string code = info.text(0), brand = info.text(1);
            info.reset();
            auto jpeg = images::encodeJpeg(images::drawPartPicture(s, code, brand), 80);
            q.bind(1, s).bindBlob(2, jpeg);
            q.run();
            ++made;
        }
    }

    // Delivery kinds, cargo kinds and companies.
    db.exec("INSERT INTO delivery_kind(id, name) VALUES(1, 'Kargo ile Gönderim'), (2, 'Mağazadan Teslim'), "
            "(3, 'Servis Aracı ile'), (4, 'Ambar ile');"
            "INSERT INTO cargo_kind(id, name) VALUES(1, 'Anlaşmalı Kargo'), (2, 'Alıcı Ödemeli'), (3, 'Ambar');"
            "INSERT INTO cargo_company(id, kind_id, name, warning) VALUES"
            "(1, 1, 'Yurtiçi Kargo', 'Saat 16:00''dan sonra verilen siparişler ertesi gün kargoya verilir.'),"
            "(2, 1, 'Aras Kargo', ''),"
            "(3, 1, 'MNG Kargo', 'Doğu illerine teslim süresi 3 iş günüdür.'),"
            "(4, 2, 'Sürat Kargo', 'Alıcı ödemeli gönderimlerde kargo ücreti teslimde tahsil edilir.'),"
            "(5, 2, 'PTT Kargo', ''),"
            "(6, 3, 'Öz Ankara Ambarı', 'Ambar teslimleri hafta içi 09:00-17:00 arasındadır.');");

    // Orders over the last year, in every state; delivered quantities make balances.
    {
        auto qo = db.prepare("INSERT INTO customer_order(idno, carino, date, state, delivery_kind, cargo_kind, "
                             "cargo_company, message, note, seller_note, given_by) "
                             "VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11)");
        auto ql = db.prepare("INSERT INTO order_line(idno, line_no, cart_sirano, stokno, code, name, qty, delivered, "
                             "price, first_price, vat, d1, d2, d3, d4, campaign) "
                             "VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?9,?10,?11,?12,0,0,0)");
        auto qsInfo = db.prepare("SELECT code, name FROM stock WHERE stokno = ?1");
        auto qm = db.prepare("INSERT INTO movement(idno, carino, date, due_date, type, doc_no, description, debit, "
                             "credit, rep_id) VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10)");
        auto qil = db.prepare("INSERT INTO invoice_line(idno, stokno, qty, price, vat, d1, d2) "
                              "VALUES(?1,?2,?3,?4,?5,?6,?7)");
        auto qce = db.prepare("INSERT INTO collection_entry(idno, date, due_date, kind, doc_no, description, ref, "
                              "amount, card_sirano) VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9)");
        auto qcp = db.prepare("INSERT INTO card_payment(sirano, collection_idno, carino, date, amount, holder, "
                              "card_masked, auth_code, bank, installments) VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10)");
        const char* messages[] = {"", "", "Acil lütfen.", "Öğleden önce teslim rica ederiz.",
                                  "Faturayı şirket adına kesiniz.", ""};
        const char* notes[] = {"", "Sipariş alındı, hazırlanıyor.", "Eksik ürünler tedarik edilince gönderilecek.",
                               "Kargoya verildi.", ""};
        int idno = 0, movementId = 0, cardNo = 0, invoiceNo = 0, collectionNo = 0;
        for (const Cust& c : customers) {
            int repId = 1 + (c.carino - 1) % reps;
            // Opening balance at the start of the year.
            double opening = money(r.between(0, 20) * 500.0);
            qm.bindAll(++movementId, c.carino, today - 365, today - 365, std::string("Devir"), std::string("DVR000001"),
                       std::string("Önceki dönemden devir"), opening, 0.0, repId);
            qm.run();
            int orderCount = c.carino <= 3 ? 14 : r.between(2, 8);
            for (int k = 0; k < orderCount; ++k) {
                double date = today - 360 + (360.0 * (k + 1)) / (orderCount + 1) + r.below(100) / 100.0;
                int age = static_cast<int>(today - date);
                int state = age > 60 ? kShipped : age > 30 ? r.oneOf<int>({kShipped, kPartlyPrepared, kPrepared})
                                                           : r.between(kReceived, kShipped);
                if (k == orderCount - 1 && c.carino <= 3) state = kReceived;
                if (k == orderCount - 2 && c.carino <= 3) state = kApproved;
                if (k == orderCount - 3 && c.carino <= 3) state = kSeen;
                if (k == orderCount - 4 && c.carino <= 3) state = kPartlyPrepared;
                int dk = r.between(1, 4), ck = r.between(1, 3);
                int cc = ck == 1 ? r.between(1, 3) : ck == 2 ? r.between(4, 5) : 6;
                qo.bindAll(++idno, c.carino, date, state, dk, ck, cc, std::string(r.pick(messages)),
                           std::string(r.pick(notes)), std::string(r.chance(20) ? "Müşteri fiyat onayı alındı." : ""),
                           c.carino <= 20 ? (c.carino == 1 ? 1 : c.carino == 2 ? 2 : c.carino == 3 ? 5 : 2 + c.carino)
                                          : 3);
                qo.run();
                int lines = r.between(1, 8);
                double invoiceGross = 0, invoiceNet = 0, invoiceVat = 0;
                std::vector<std::tuple<int, double, double, int>> delivered;  // stokno, qty, price, vat
                for (int ln = 1; ln <= lines; ++ln) {
                    int stokno = 1 + r.below(std::min(opt.parts, 5000));
                    qsInfo.bind(1, stokno);
                    qsInfo.step();
                    std::string code = qsInfo.text(0), name = qsInfo.text(1);
                    qsInfo.reset();
                    double qty = r.between(1, 20);
                    double price = listPrices[static_cast<std::size_t>(stokno)];
                    double del = state == kShipped ? (r.chance(85) ? qty : std::floor(qty / 2))
                                 : state == kPartlyPrepared ? std::floor(qty * r.below(90) / 100.0)
                                                            : 0;
                    ql.bindAll(idno, ln, 0, stokno, code, name, qty, del, price, vats[static_cast<std::size_t>(stokno)],
                               c.disc[0], c.disc[1]);
                    ql.run();
                    if (del > 0) delivered.emplace_back(stokno, del, price, vats[static_cast<std::size_t>(stokno)]);
                }
                if (!delivered.empty()) {
                    ++movementId;
                    ++invoiceNo;
                    for (auto& [stokno, qty, price, vat] : delivered) {
                        LineAmounts a = lineAmounts(qty, price, c.disc, vat);
                        invoiceGross += a.gross;
                        invoiceNet += a.net;
                        invoiceVat += a.vat;
                        qil.bindAll(movementId, stokno, qty, price, vat, c.disc[0], c.disc[1]);
                        qil.run();
                    }
                    char doc[16];
                    std::snprintf(doc, sizeof doc, "KRV%06d", invoiceNo);
                    double invDate = std::min(today, date + 2);
                    qm.bindAll(movementId, c.carino, invDate, invDate + 30 + 15 * r.below(3), std::string("Satış Faturası"),
                               std::string(doc), "Sipariş " + std::to_string(idno) + " sevkiyatı",
                               money(invoiceNet + invoiceVat), 0.0, repId);
                    qm.run();
                }
            }
            // Collections: monthly, some by card through the virtual POS.
            // What is open on the day of the collection: movements up to that day only.
            auto qsum = db.prepare("SELECT COALESCE(SUM(debit - credit), 0) FROM movement WHERE carino = ?1 "
                                   "AND date <= ?2");
            for (int month = 11; month >= 0; --month) {
                double date = today - month * 30 - r.between(0, 10);
                qsum.bind(1, c.carino).bind(2, date);
                qsum.step();
                double open = qsum.real(0);
                qsum.reset();
                if (open < 100) continue;
                double amount = money(open * (c.carino % 4 == 0 ? 0.4 : 0.7) * (r.between(50, 100) / 100.0));
                if (month < 2 && c.carino % 3 == 0) continue;  // some customers fall behind
                bool byCard = r.chance(35);
                ++movementId;
                ++collectionNo;
                char doc[16];
                std::snprintf(doc, sizeof doc, "THS%06d", collectionNo);
                qm.bindAll(movementId, c.carino, date, date, std::string("Tahsilat"), std::string(doc),
                           std::string(byCard ? "Sanal pos kredi kartı tahsilatı" : "Havale / EFT tahsilatı"), 0.0,
                           amount, repId);
                qm.run();
                int sirano = 0;
                if (byCard) {
                    sirano = ++cardNo;
                    std::string holder = std::string(r.pick(kFirstNames)) + " " + r.pick(kLastNames);
                    qcp.bindAll(sirano, movementId, c.carino, date, amount, holder,
                                "4" + r.digits(3) + " **** **** " + r.digits(4), r.digits(6),
                                std::string(r.oneOf<const char*>({"Ziraat Bankası", "İş Bankası", "Garanti BBVA",
                                                                         "Yapı Kredi", "Akbank"})),
                                r.oneOf<int>({1, 1, 3, 6}));
                    qcp.run();
                }
                qce.bindAll(movementId, date, date, std::string(byCard ? "Kredi Kartı" : "Havale"), std::string(doc),
                            std::string(byCard ? "Sanal pos ödemesi" : "Banka havalesi"),
                            byCard ? "POS" + std::to_string(sirano) : "EFT" + r.digits(6), amount, sirano);
                qce.run();
            }
        }
        // A few carts so the picker's cart button and the balloons have something to show.
        auto qc = db.prepare("INSERT INTO cart_line(carino, stokno, code, name, qty, price, vat, d1, d2, campaign, "
                             "selected, added_by, added_at) SELECT ?1, stokno, code, name, ?2, list_price, vat, ?3, ?4, 0, "
                             "1, NULL, ?5 FROM stock WHERE stokno = ?6");
        for (const Cust& c : customers) {
            if (c.carino == 1 || c.carino % 5 != 0) continue;
            for (int k = 0; k < r.between(1, 4); ++k) {
                qc.bindAll(c.carino, static_cast<double>(r.between(1, 10)), c.disc[0], c.disc[1], today - r.below(5),
                           1 + r.below(std::min(opt.parts, 5000)));
                qc.run();
            }
        }
    }

    // Announcements and advertisements (JPEG), banners (two GIF, one BMP).
    {
        auto q = db.prepare("INSERT INTO announcement(is_ad, sira, title, target, jpeg) VALUES(?1, ?2, ?3, ?4, ?5)");
        struct Ann {
            int ad;
            const char* title;
            const char* sub;
            const char* target;
        };
        const Ann anns[] = {
            {0, "Kampanyalı Ürünler", "Seçili ürünlerde %20'ye varan indirim", "#KAMPANYA#"},
            {0, "Yeni Gelen Ürünler", "Bu ay kataloğa eklenen parçalar", "#YENİ#"},
            {0, "Fren Balatalarında Fırsat", "Tüm balata çeşitleri stokta", "BALATA"},
            {0, "Kargo Bilgilendirmesi", "16:00'ya kadar verilen siparişler aynı gün kargoda", ""},
            {1, "Bahar Kampanyası", "Kampanyalı ürünleri görmek için tıklayın", "#KAMPANYA#"},
            {1, "Yeni Ürünler", "Yeni stoklarımızı inceleyin", "#YENİ#"},
            {1, "Filtre Haftası", "Yağ ve hava filtrelerinde özel fiyatlar", "FILTRE"}};
        int sira = 0;
        for (auto& a : anns) {
            q.bindAll(a.ad, ++sira, a.title, a.target);
            q.bindBlob(5, images::encodeJpeg(images::drawCard(sira, a.title, a.sub), 82));
            q.run();
        }
        auto qb = db.prepare("INSERT INTO banner(slot, mime, bytes) VALUES(?1, ?2, ?3)");
        std::vector<images::Rgb> frames1, frames2;
        for (int p = 0; p < 3; ++p)
            frames1.push_back(images::drawBanner(409, 100, "KORVEL OTOMOTİV", "Orijinal ve muadil yedek parça", p));
        for (int p = 0; p < 2; ++p)
            frames2.push_back(images::drawBanner(1200, 60, "Kampanyalı ürünlerde %20 indirim", "Stoklarla sınırlıdır", p));
        qb.bindAll(1, "image/gif");
        qb.bindBlob(3, images::encodeGif(frames1, 100));
        qb.run();
        qb.bindAll(2, "image/gif");
        qb.bindBlob(3, images::encodeGif(frames2, 120));
        qb.run();
        qb.bindAll(3, "image/bmp");
        qb.bindBlob(3, images::encodeBmp(images::drawBanner(1200, 60, "Korvel Otomotiv B2B", "7/24 online sipariş", 1)));
        qb.run();
    }

    {
        auto check = db.prepare("PRAGMA foreign_key_check");
        if (check.step())
            throw sql::Error("demo data breaks a reference: " + check.text(0) + " row " + check.text(1) + " -> " +
                             check.text(2));
    }
    tx.commit();
    db.exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON; PRAGMA cache_size=-2000");
    db.exec("ANALYZE");
    result.created = true;
    result.parts = opt.parts;
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result;
}

}  // namespace server
