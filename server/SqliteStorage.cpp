#include "server/SqliteStorage.h"

#include <algorithm>
#include <ctime>
#include <stdexcept>
#include <unordered_map>

#include "server/Schema.sql.h"

namespace server {

const char* orderStateName(int state) {
    switch (state) {
    case kReceived: return "Alındı";
    case kApproved: return "Onaylandı";
    case kSeen: return "Görüldü";
    case kPartlyPrepared: return "Parçalı Hazırlandı";
    case kPrepared: return "Hazırlandı";
    case kShipped: return "Sevk Edildi";
    default: return "Bilinmiyor";
    }
}


namespace {
std::atomic<std::uint64_t> nextStorageId{1};

constexpr const char* kStockSelect =
    "SELECT s.stokno, s.barcode_no, s.code, s.name, s.other_name, s.finish_code, s.maker_code, s.oem1, s.oem2, "
    "s.oem3, s.oem4, s.oem_no, s.special_code, s.dept_code, s.product_code, COALESCE(b.name,''), "
    "COALESCE(m.name,''), COALESCE(g.name,''), s.unit, s.vat, s.list_price, s.campaign_price, s.state, "
    "s.warehouse2, s.on_hand, s.supplier_orders, s.is_new, s.is_campaign, "
    "EXISTS(SELECT 1 FROM picture p WHERE p.stokno = s.stokno), "
    "(SELECT COALESCE(SUM(ol.qty - ol.delivered), 0) FROM order_line ol "
    " WHERE ol.stokno = s.stokno AND ol.closed = 0 AND ol.qty > ol.delivered) "
    "FROM stock s LEFT JOIN brand b ON b.id = s.brand_id LEFT JOIN vehicle_model m ON m.id = s.model_id "
    "LEFT JOIN stock_group g ON g.id = s.group_id ";

Stock readStock(const sql::Statement& q) {
    Stock s;
    int i = 0;
    s.stokno = q.int32(i++);
    s.barcodeNo = q.int64(i++);
    s.code = q.text(i++);
    s.name = q.text(i++);
    s.otherName = q.text(i++);
    s.finishCode = q.text(i++);
    s.makerCode = q.text(i++);
    for (auto& o : s.oem) o = q.text(i++);
    s.oemNo = q.text(i++);
    s.specialCode = q.text(i++);
    s.deptCode = q.text(i++);
    s.productCode = q.text(i++);
    s.brand = q.text(i++);
    s.model = q.text(i++);
    s.group = q.text(i++);
    s.unit = q.text(i++);
    s.vat = q.int32(i++);
    s.listPrice = q.real(i++);
    s.campaignPrice = q.real(i++);
    s.state = q.int32(i++);
    s.warehouse2 = q.int32(i++) != 0;
    s.onHand = q.real(i++);
    s.supplierOrders = q.real(i++);
    s.isNew = q.int32(i++) != 0;
    s.isCampaign = q.int32(i++) != 0;
    s.hasPicture = q.int32(i++) != 0;
    s.customerOrders = q.real(i++);
    return s;
}

constexpr const char* kUserSelect = "SELECT id, name, password, email, active, type, COALESCE(carino,0), "
                                    "COALESCE(rep_id,0) FROM app_user ";

User readUser(const sql::Statement& q) {
    User u;
    u.id = q.int32(0);
    u.name = q.text(1);
    u.password = q.text(2);
    u.email = q.text(3);
    u.active = q.int32(4);
    u.type = q.int32(5);
    u.carino = q.int32(6);
    u.repId = q.int32(7);
    return u;
}

constexpr const char* kCustomerSelect =
    "SELECT c.carino, c.code, c.name, c.special_code, c.main_group, c.sub_group, c.addr1, c.addr2, c.district, "
    "c.city, c.country, c.tel1, c.tel2, c.fax1, c.fax2, c.gsm, c.email, c.contact, c.tax_office, c.tax_no, "
    "c.kod1, c.kod2, c.kod3, c.kod4, c.kod5, COALESCE(c.rep_id,0), c.d1, c.d2, c.d3, c.d4, c.due_days, "
    "COALESCE(r.name,''), COALESCE(r.phone,''), COALESCE(r.email,'') ";
constexpr const char* kCustomerFrom = "FROM customer c LEFT JOIN sales_rep r ON r.id = c.rep_id ";
constexpr int kCustomerCols = 34;

Customer readCustomer(const sql::Statement& q) {
    Customer c;
    int i = 0;
    c.carino = q.int32(i++);
    for (std::string* f : {&c.code, &c.name, &c.specialCode, &c.mainGroup, &c.subGroup, &c.addr1, &c.addr2,
                           &c.district, &c.city, &c.country, &c.tel1, &c.tel2, &c.fax1, &c.fax2, &c.gsm,
                           &c.email, &c.contact, &c.taxOffice, &c.taxNo})
        *f = q.text(i++);
    for (auto& k : c.kod) k = q.text(i++);
    c.repId = q.int32(i++);
    for (auto& d : c.discounts) d = q.real(i++);
    c.dueDays = q.int32(i++);
    c.rep.id = c.repId;
    c.rep.name = q.text(i++);
    c.rep.phone = q.text(i++);
    c.rep.email = q.text(i++);
    return c;
}

constexpr const char* kOrderSelect =
    "SELECT o.idno, o.carino, o.date, o.state, COALESCE(o.delivery_kind,0), COALESCE(o.cargo_kind,0), "
    "COALESCE(o.cargo_company,0), COALESCE(dk.name,''), COALESCE(ck.name,''), COALESCE(cc.name,''), o.message, "
    "o.note, o.seller_note, COALESCE(o.given_by,0), COALESCE(u.name,''), c.code, c.name, COALESCE(r.name,'') "
    "FROM customer_order o JOIN customer c ON c.carino = o.carino "
    "LEFT JOIN sales_rep r ON r.id = c.rep_id "
    "LEFT JOIN delivery_kind dk ON dk.id = o.delivery_kind LEFT JOIN cargo_kind ck ON ck.id = o.cargo_kind "
    "LEFT JOIN cargo_company cc ON cc.id = o.cargo_company LEFT JOIN app_user u ON u.id = o.given_by ";

Order readOrder(const sql::Statement& q) {
    Order o;
    o.idno = q.int32(0);
    o.carino = q.int32(1);
    o.date = q.real(2);
    o.state = q.int32(3);
    o.deliveryKind = q.int32(4);
    o.cargoKind = q.int32(5);
    o.cargoCompany = q.int32(6);
    o.deliveryName = q.text(7);
    o.cargoKindName = q.text(8);
    o.cargoCompanyName = q.text(9);
    o.message = q.text(10);
    o.note = q.text(11);
    o.sellerNote = q.text(12);
    o.givenBy = q.int32(13);
    o.givenByName = q.text(14);
    o.customerCode = q.text(15);
    o.customerName = q.text(16);
    o.repName = q.text(17);
    return o;
}

constexpr const char* kOrderLineSelect =
    "SELECT ol.id, ol.idno, ol.line_no, ol.cart_sirano, ol.stokno, o.carino, ol.code, ol.name, ol.qty, "
    "ol.delivered, ol.price, ol.first_price, ol.vat, ol.d1, ol.d2, ol.d3, ol.d4, ol.campaign, ol.closed, o.date, "
    "COALESCE(o.given_by,0), COALESCE(u.name,''), c.code, c.name, o.state "
    "FROM order_line ol JOIN customer_order o ON o.idno = ol.idno JOIN customer c ON c.carino = o.carino "
    "LEFT JOIN app_user u ON u.id = o.given_by ";

OrderLine readOrderLine(const sql::Statement& q) {
    OrderLine l;
    int i = 0;
    l.id = q.int32(i++);
    l.idno = q.int32(i++);
    l.lineNo = q.int32(i++);
    l.cartSirano = q.int32(i++);
    l.stokno = q.int32(i++);
    l.carino = q.int32(i++);
    l.code = q.text(i++);
    l.name = q.text(i++);
    l.qty = q.real(i++);
    l.delivered = q.real(i++);
    l.price = q.real(i++);
    l.firstPrice = q.real(i++);
    l.vat = q.int32(i++);
    for (auto& d : l.discounts) d = q.real(i++);
    l.campaign = q.int32(i++);
    l.closed = q.int32(i++) != 0;
    l.orderDate = q.real(i++);
    l.givenBy = q.int32(i++);
    l.givenByName = q.text(i++);
    l.customerCode = q.text(i++);
    l.customerName = q.text(i++);
    l.orderState = q.int32(i++);
    return l;
}

constexpr const char* kCartSelect =
    "SELECT c.sirano, c.carino, c.stokno, c.code, c.name, c.qty, c.price, c.vat, c.d1, c.d2, c.d3, c.d4, "
    "c.campaign, c.selected, COALESCE(c.added_by,0), COALESCE(u.name,''), c.added_at, c.note "
    "FROM cart_line c LEFT JOIN app_user u ON u.id = c.added_by ";

CartLine readCartLine(const sql::Statement& q) {
    CartLine l;
    int i = 0;
    l.sirano = q.int32(i++);
    l.carino = q.int32(i++);
    l.stokno = q.int32(i++);
    l.code = q.text(i++);
    l.name = q.text(i++);
    l.qty = q.real(i++);
    l.price = q.real(i++);
    l.vat = q.int32(i++);
    for (auto& d : l.discounts) d = q.real(i++);
    l.campaign = q.int32(i++);
    l.selected = q.int32(i++);
    l.addedBy = q.int32(i++);
    l.addedByName = q.text(i++);
    l.addedAt = q.real(i++);
    l.note = q.text(i++);
    return l;
}

constexpr const char* kMovementSelect =
    "SELECT idno, carino, date, due_date, type, doc_no, currency, description, debit, credit FROM movement ";

Movement readMovement(const sql::Statement& q) {
    Movement m;
    m.idno = q.int32(0);
    m.carino = q.int32(1);
    m.date = q.real(2);
    m.dueDate = q.real(3);
    m.type = q.text(4);
    m.docNo = q.text(5);
    m.currency = q.text(6);
    m.description = q.text(7);
    m.debit = q.real(8);
    m.credit = q.real(9);
    return m;
}
}  // namespace

struct SqliteStorage::Conn {
    explicit Conn(const std::string& path) : db(path) {}
    sql::Connection db;
    std::unordered_map<std::string, sql::Statement> cache;
};

SqliteStorage::SqliteStorage(std::string path) : path_(std::move(path)), id_(nextStorageId++) {
    auto& c = conn();
    createSchema(c.db);
}

SqliteStorage::~SqliteStorage() = default;

void SqliteStorage::createSchema(sql::Connection& db) {
    db.exec(kSchemaSql);
}

SqliteStorage::Conn& SqliteStorage::conn() {
    thread_local std::unordered_map<std::uint64_t, Conn*> mine;
    auto it = mine.find(id_);
    if (it != mine.end()) return *it->second;
    auto c = std::make_unique<Conn>(path_);
    Conn* raw = c.get();
    {
        std::lock_guard lock(mutex_);
        conns_.push_back(std::move(c));
    }
    mine.emplace(id_, raw);
    return *raw;
}

SqliteStorage::Use SqliteStorage::st(std::string_view sqlText) {
    auto& c = conn();
    auto key = std::string(sqlText);
    auto it = c.cache.find(key);
    if (it == c.cache.end()) it = c.cache.emplace(key, c.db.prepare(sqlText)).first;
    it->second.reset();
    return Use(it->second);
}

// ---------------------------------------------------------------- users

std::optional<User> SqliteStorage::userByComputer(const std::string& computerId) {
    auto&& q = st(std::string(kUserSelect) +
                 "WHERE id = (SELECT user_id FROM computer WHERE computer_id = ?1)");
    q.bind(1, computerId);
    if (!q.step()) return std::nullopt;
    return readUser(q);
}

std::optional<User> SqliteStorage::user(int id) {
    auto&& q = st(std::string(kUserSelect) + "WHERE id = ?1");
    q.bind(1, id);
    if (!q.step()) return std::nullopt;
    return readUser(q);
}

std::optional<User> SqliteStorage::userByName(const std::string& name) {
    auto&& q = st(std::string(kUserSelect) + "WHERE name = ?1");
    q.bind(1, name);
    if (!q.step()) return std::nullopt;
    return readUser(q);
}

void SqliteStorage::bindComputer(const std::string& computerId, int userId) {
    auto& c = conn();
    sql::Transaction t(c.db);
    auto&& q = st("INSERT INTO computer(computer_id, user_id) VALUES(?1, ?2) "
                 "ON CONFLICT(computer_id) DO UPDATE SET user_id = excluded.user_id");
    q.bindAll(computerId, userId);
    q.run();
    t.commit();
}

std::string SqliteStorage::computerOfUser(int userId) {
    auto&& q = st("SELECT computer_id FROM computer WHERE user_id = ?1 ORDER BY computer_id LIMIT 1");
    q.bind(1, userId);
    return q.step() ? q.text(0) : std::string();
}

// ---------------------------------------------------------------- customers

std::optional<SalesRep> SqliteStorage::salesRep(int id) {
    auto&& q = st("SELECT id, name, phone, email FROM sales_rep WHERE id = ?1");
    q.bind(1, id);
    if (!q.step()) return std::nullopt;
    return SalesRep{q.int32(0), q.text(1), q.text(2), q.text(3)};
}

std::optional<Customer> SqliteStorage::customer(int carino) {
    auto&& q = st(std::string(kCustomerSelect) + kCustomerFrom + "WHERE c.carino = ?1");
    q.bind(1, carino);
    if (!q.step()) return std::nullopt;
    return readCustomer(q);
}

std::vector<CustomerSummary> SqliteStorage::readSummaries(std::string_view where,
                                                          const std::vector<std::string>& args, int repId) {
    std::string sqlText = std::string(kCustomerSelect) +
                          ", (SELECT COALESCE(SUM(debit),0) FROM movement m WHERE m.carino = c.carino)"
                          ", (SELECT COALESCE(SUM(credit),0) FROM movement m WHERE m.carino = c.carino)"
                          ", (SELECT COUNT(*) FROM cart_line l WHERE l.carino = c.carino)";
    for (int s = kReceived; s <= kShipped; ++s)
        sqlText += ", (SELECT COUNT(*) FROM customer_order o WHERE o.carino = c.carino AND o.state = " +
                   std::to_string(s) + ")";
    sqlText += " ";
    sqlText += kCustomerFrom;
    sqlText += "WHERE (?1 = 0 OR c.rep_id = ?1) ";
    sqlText += where;
    sqlText += " ORDER BY c.name";
    auto&& q = st(sqlText);
    q.bind(1, repId);
    for (std::size_t i = 0; i < args.size(); ++i) q.bind(static_cast<int>(i) + 2, args[i]);
    std::vector<CustomerSummary> out;
    while (q.step()) {
        CustomerSummary s;
        s.customer = readCustomer(q);
        s.debit = q.real(kCustomerCols);
        s.credit = q.real(kCustomerCols + 1);
        s.cartLines = q.int32(kCustomerCols + 2);
        for (int i = 0; i < 6; ++i) s.states[static_cast<std::size_t>(i)] = q.int32(kCustomerCols + 3 + i);
        out.push_back(std::move(s));
    }
    return out;
}

std::vector<CustomerSummary> SqliteStorage::searchCustomers(const std::string& foldedText, int repId) {
    return readSummaries("AND instr(c.search, ?2) > 0", {foldedText}, repId);
}

std::vector<CustomerSummary> SqliteStorage::customersByState(int state, int repId) {
    if (state == 1)
        return readSummaries("AND EXISTS(SELECT 1 FROM cart_line l WHERE l.carino = c.carino)", {}, repId);
    return readSummaries("AND EXISTS(SELECT 1 FROM customer_order o WHERE o.carino = c.carino AND o.state = ?2)",
                         {std::to_string(state)}, repId);
}

int SqliteStorage::customersWithCart(int repId) {
    auto&& q = st("SELECT COUNT(DISTINCT l.carino) FROM cart_line l JOIN customer c ON c.carino = l.carino "
                 "WHERE (?1 = 0 OR c.rep_id = ?1)");
    q.bind(1, repId);
    q.step();
    return q.int32(0);
}

std::array<int, 6> SqliteStorage::orderStateCounts(int repId) {
    auto&& q = st("SELECT o.state, COUNT(*) FROM customer_order o JOIN customer c ON c.carino = o.carino "
                 "WHERE (?1 = 0 OR c.rep_id = ?1) GROUP BY o.state");
    q.bind(1, repId);
    std::array<int, 6> out{};
    while (q.step()) {
        int s = q.int32(0);
        if (s >= kReceived && s <= kShipped) out[static_cast<std::size_t>(s - kReceived)] = q.int32(1);
    }
    return out;
}

std::pair<double, double> SqliteStorage::debitCredit(int carino) {
    auto&& q = st("SELECT COALESCE(SUM(debit),0), COALESCE(SUM(credit),0) FROM movement WHERE carino = ?1");
    q.bind(1, carino);
    q.step();
    return {q.real(0), q.real(1)};
}

std::pair<double, double> SqliteStorage::overdue(int carino, double today) {
    // Credits pay the oldest debits first; what remains of debits already due is overdue.
    auto&& q = st("SELECT debit, credit, due_date FROM movement WHERE carino = ?1 ORDER BY due_date, idno");
    q.bind(1, carino);
    std::vector<std::pair<double, double>> debits;  // amount, due date
    double credits = 0;
    while (q.step()) {
        if (q.real(0) > 0) debits.emplace_back(q.real(0), q.real(2));
        credits += q.real(1);
    }
    double overdueAmount = 0, oldest = 0;
    for (auto& [amount, due] : debits) {
        double paid = std::min(credits, amount);
        credits -= paid;
        double open = amount - paid;
        if (open > 0.005 && due < today) {
            overdueAmount += open;
            if (oldest == 0) oldest = due;
        }
    }
    return {overdueAmount, oldest};
}

// ---------------------------------------------------------------- stock

// Exact code or barcode of a one-word search first, then the trigram index narrowed by instr().
std::vector<Stock> SqliteStorage::searchStockRows(const std::vector<std::string>& words, int limit) {
    std::vector<Stock> out;
    if (words.empty() || limit <= 0) return out;
    std::vector<std::string> longWords;
    for (auto& w : words)
        if (w.size() >= 3) longWords.push_back(w);
    std::size_t exact = 0;  // the exact matches found first; later rows may repeat only these
    auto take = [&out, &exact](const sql::Statement& q) {
        Stock s = readStock(q);
        for (std::size_t k = 0; k < exact; ++k)
            if (out[k].stokno == s.stokno) return;
        out.push_back(std::move(s));
    };
    if (words.size() == 1) {
        auto&& q = st(std::string(kStockSelect) +
                      "WHERE s.stokno IN (SELECT stokno FROM stock WHERE code = ?1 UNION "
                      "SELECT stokno FROM barcode WHERE barcode = ?1) LIMIT ?2");
        q.bind(1, words[0]).bind(2, limit);
        while (q.step()) take(q);
        exact = out.size();
    }
    if (longWords.empty()) return out;  // every word under three letters: nothing indexable
    // The index keeps no positions, so a word becomes its trigrams joined with AND (every third
    // one and the last suffice); instr() then checks the word itself.
    std::string match;
    auto term = [&match](std::string_view tri) {
        if (!match.empty()) match += " AND ";
        match += '"';
        for (char ch : tri) {
            if (ch == '"') match += '"';
            match += ch;
        }
        match += '"';
    };
    for (auto& w : longWords) {
        for (std::size_t p = 0; p + 3 <= w.size(); p += 3) term(std::string_view(w).substr(p, 3));
        if (w.size() % 3 != 0) term(std::string_view(w).substr(w.size() - 3));
    }
    // Joined, not IN (...): the index streams its matches and LIMIT stops it early.
    std::string sqlText = kStockSelect;
    sqlText.replace(sqlText.find("FROM stock s "), 13, "FROM stock_search f JOIN stock s ON s.stokno = f.rowid ");
    sqlText += "WHERE stock_search MATCH ?1";
    for (std::size_t i = 0; i < words.size(); ++i)
        sqlText += " AND instr(s.search_text, ?" + std::to_string(i + 3) + ") > 0";
    sqlText += " LIMIT ?2";
    auto&& q = st(sqlText);
    q.bind(1, match).bind(2, limit + static_cast<int>(out.size()));
    for (std::size_t i = 0; i < words.size(); ++i) q.bind(static_cast<int>(i) + 3, words[i]);
    while (static_cast<int>(out.size()) < limit && q.step()) take(q);
    return out;
}

std::optional<Stock> SqliteStorage::stock(int stokno) {
    auto&& q = st(std::string(kStockSelect) + "WHERE s.stokno = ?1");
    q.bind(1, stokno);
    if (!q.step()) return std::nullopt;
    return readStock(q);
}

std::vector<Stock> SqliteStorage::newStocks(int limit) {
    auto&& q = st(std::string(kStockSelect) + "WHERE s.is_new = 1 ORDER BY s.stokno DESC LIMIT ?1");
    q.bind(1, limit);
    std::vector<Stock> out;
    while (q.step()) out.push_back(readStock(q));
    return out;
}

std::vector<Stock> SqliteStorage::campaignStocks(int limit) {
    auto&& q = st(std::string(kStockSelect) + "WHERE s.is_campaign = 1 ORDER BY s.stokno LIMIT ?1");
    q.bind(1, limit);
    std::vector<Stock> out;
    while (q.step()) out.push_back(readStock(q));
    return out;
}

int SqliteStorage::newStockCount() {
    auto&& q = st("SELECT COUNT(*) FROM stock WHERE is_new = 1");
    q.step();
    return q.int32(0);
}

int SqliteStorage::campaignStockCount() {
    auto&& q = st("SELECT COUNT(*) FROM stock WHERE is_campaign = 1");
    q.step();
    return q.int32(0);
}

std::optional<Picture> SqliteStorage::picture(int stokno) {
    auto&& q = st("SELECT mime, bytes FROM picture WHERE stokno = ?1");
    q.bind(1, stokno);
    if (!q.step()) return std::nullopt;
    return Picture{q.text(0), q.blob(1)};
}

bool SqliteStorage::campaignsAllowed(int carino) {
    auto&& q = st("SELECT NOT EXISTS(SELECT 1 FROM app_user WHERE carino = ?1 AND type = 4)");
    q.bind(1, carino);
    q.step();
    return q.int32(0) != 0;
}

// ---------------------------------------------------------------- cart

std::vector<CartLine> SqliteStorage::cart(int carino) {
    std::vector<CartLine> out;
    {
        auto&& q = st(std::string(kCartSelect) + "WHERE c.carino = ?1 ORDER BY c.sirano");
        q.bind(1, carino);
        while (q.step()) out.push_back(readCartLine(q));
    }
    for (auto& l : out)
        if (auto s = stock(l.stokno)) l.item = std::move(*s);
    return out;
}

std::optional<CartLine> SqliteStorage::cartLine(int sirano) {
    std::optional<CartLine> out;
    {
        auto&& q = st(std::string(kCartSelect) + "WHERE c.sirano = ?1");
        q.bind(1, sirano);
        if (!q.step()) return std::nullopt;
        out = readCartLine(q);
    }
    if (auto s = stock(out->stokno)) out->item = std::move(*s);
    return out;
}

int SqliteStorage::addCartLine(const CartLine& l) {
    auto& c = conn();
    sql::Transaction t(c.db);
    auto&& q = st("INSERT INTO cart_line(carino, stokno, code, name, qty, price, vat, d1, d2, d3, d4, campaign, "
                 "selected, added_by, added_at, note) VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14,?15,?16)");
    q.bindAll(l.carino, l.stokno, l.code, l.name, l.qty, l.price, l.vat, l.discounts[0], l.discounts[1],
              l.discounts[2], l.discounts[3], l.campaign, l.selected);
    if (l.addedBy > 0)
        q.bind(14, l.addedBy);
    else
        q.bindNull(14);
    q.bind(15, l.addedAt).bind(16, l.note);
    q.run();
    int id = static_cast<int>(c.db.lastInsertId());
    t.commit();
    return id;
}

bool SqliteStorage::updateCartLine(const CartLine& l) {
    auto& c = conn();
    sql::Transaction t(c.db);
    auto&& q = st("UPDATE cart_line SET qty = ?1, price = ?2, vat = ?3, d1 = ?4, d2 = ?5, d3 = ?6, d4 = ?7 "
                 "WHERE sirano = ?8 AND carino = ?9");
    q.bindAll(l.qty, l.price, l.vat, l.discounts[0], l.discounts[1], l.discounts[2], l.discounts[3], l.sirano,
              l.carino);
    q.run();
    bool changed = c.db.changes() > 0;
    t.commit();
    return changed;
}

bool SqliteStorage::setCartSelection(int sirano, int selected) {
    auto& c = conn();
    sql::Transaction t(c.db);
    auto&& q = st("UPDATE cart_line SET selected = ?1 WHERE sirano = ?2");
    q.bindAll(selected, sirano);
    q.run();
    bool changed = c.db.changes() > 0;
    t.commit();
    return changed;
}

bool SqliteStorage::deleteCartLine(int sirano, int carino) {
    auto& c = conn();
    sql::Transaction t(c.db);
    auto&& q = st("DELETE FROM cart_line WHERE sirano = ?1 AND carino = ?2");
    q.bindAll(sirano, carino);
    q.run();
    bool changed = c.db.changes() > 0;
    t.commit();
    return changed;
}

int SqliteStorage::clearCart(int carino) {
    auto& c = conn();
    sql::Transaction t(c.db);
    auto&& q = st("DELETE FROM cart_line WHERE carino = ?1");
    q.bind(1, carino);
    q.run();
    int n = c.db.changes();
    t.commit();
    return n;
}

std::optional<int> SqliteStorage::saveOrder(const Order& h) {
    auto& c = conn();
    sql::Transaction t(c.db);
    std::vector<CartLine> lines;
    {
        auto&& q = st(std::string(kCartSelect) + "WHERE c.carino = ?1 AND c.selected = 1 ORDER BY c.sirano");
        q.bind(1, h.carino);
        while (q.step()) lines.push_back(readCartLine(q));
    }
    if (lines.empty()) return std::nullopt;
    {
        auto&& q = st("INSERT INTO customer_order(carino, date, state, delivery_kind, cargo_kind, cargo_company, "
                     "message, note, seller_note, given_by) VALUES(?1,?2,?3,?4,?5,?6,?7,'','',?8)");
        q.bindAll(h.carino, h.date, static_cast<int>(kReceived));
        auto bindRef = [&](int i, int v) {
            if (v > 0)
                q.bind(i, v);
            else
                q.bindNull(i);
        };
        bindRef(4, h.deliveryKind);
        bindRef(5, h.cargoKind);
        bindRef(6, h.cargoCompany);
        q.bind(7, h.message);
        bindRef(8, h.givenBy);
        q.run();
    }
    int idno = static_cast<int>(c.db.lastInsertId());
    int lineNo = 0;
    for (auto& l : lines) {
        auto&& q = st("INSERT INTO order_line(idno, line_no, cart_sirano, stokno, code, name, qty, delivered, price, "
                     "first_price, vat, d1, d2, d3, d4, campaign) VALUES(?1,?2,?3,?4,?5,?6,?7,0,?8,?8,?9,?10,?11,"
                     "?12,?13,?14)");
        q.bindAll(idno, ++lineNo, l.sirano, l.stokno, l.code, l.name, l.qty, l.price, l.vat, l.discounts[0],
                  l.discounts[1], l.discounts[2], l.discounts[3], l.campaign);
        q.run();
        auto&& d = st("DELETE FROM cart_line WHERE sirano = ?1");
        d.bind(1, l.sirano);
        d.run();
    }
    t.commit();
    return idno;
}

// ---------------------------------------------------------------- orders

std::vector<Order> SqliteStorage::orders(int carino) {
    auto&& q = st(std::string(kOrderSelect) + "WHERE o.carino = ?1 ORDER BY o.idno DESC");
    q.bind(1, carino);
    std::vector<Order> out;
    while (q.step()) out.push_back(readOrder(q));
    return out;
}

std::optional<Order> SqliteStorage::order(int idno) {
    auto&& q = st(std::string(kOrderSelect) + "WHERE o.idno = ?1");
    q.bind(1, idno);
    if (!q.step()) return std::nullopt;
    return readOrder(q);
}

std::vector<OrderLine> SqliteStorage::readOrderLines(std::string_view where, int a, int b) {
    std::vector<OrderLine> out;
    {
        auto&& q = st(std::string(kOrderLineSelect) + std::string(where));
        q.bind(1, a);
        if (where.find("?2") != std::string_view::npos) q.bind(2, b);
        while (q.step()) out.push_back(readOrderLine(q));
    }
    for (auto& l : out)
        if (auto s = stock(l.stokno)) l.item = std::move(*s);
    return out;
}

std::vector<OrderLine> SqliteStorage::orderLines(int idno) {
    return readOrderLines("WHERE ol.idno = ?1 ORDER BY ol.line_no", idno);
}

std::vector<OrderLine> SqliteStorage::balances(int carino) {
    return readOrderLines("WHERE o.carino = ?1 AND ol.closed = 0 AND ol.qty > ol.delivered "
                          "ORDER BY o.date, ol.idno, ol.line_no",
                          carino);
}

std::vector<OrderLine> SqliteStorage::orderLinesOf(int carino, int stokno) {
    return readOrderLines("WHERE o.carino = ?1 AND (?2 = 0 OR ol.stokno = ?2) ORDER BY o.date DESC, ol.line_no",
                          carino, stokno);
}

std::optional<OrderLine> SqliteStorage::orderLine(int id) {
    auto v = readOrderLines("WHERE ol.id = ?1", id);
    if (v.empty()) return std::nullopt;
    return v.front();
}

bool SqliteStorage::closeBalance(int lineId) {
    auto& c = conn();
    sql::Transaction t(c.db);
    auto&& q = st("UPDATE order_line SET closed = 1 WHERE id = ?1 AND closed = 0");
    q.bind(1, lineId);
    q.run();
    bool changed = c.db.changes() > 0;
    t.commit();
    return changed;
}

bool SqliteStorage::setBalance(int lineId, double outstanding) {
    auto& c = conn();
    sql::Transaction t(c.db);
    auto&& q = st("UPDATE order_line SET qty = delivered + ?1 WHERE id = ?2 AND closed = 0");
    q.bindAll(outstanding, lineId);
    q.run();
    bool changed = c.db.changes() > 0;
    t.commit();
    return changed;
}

bool SqliteStorage::setLinePrice(int lineId, double price, double discount1) {
    auto& c = conn();
    sql::Transaction t(c.db);
    auto&& q = st("UPDATE order_line SET price = ?1, d1 = ?2 WHERE id = ?3 AND closed = 0");
    q.bindAll(price, discount1, lineId);
    q.run();
    bool changed = c.db.changes() > 0;
    t.commit();
    return changed;
}

std::vector<Order> SqliteStorage::ordersBetween(double from, double to, int repId) {
    auto&& q = st(std::string(kOrderSelect) +
                 "WHERE o.date >= ?1 AND o.date < ?2 AND (?3 = 0 OR c.rep_id = ?3) ORDER BY r.name, o.date");
    q.bindAll(from, to, repId);
    std::vector<Order> out;
    while (q.step()) out.push_back(readOrder(q));
    return out;
}

std::vector<OrderLine> SqliteStorage::orderLinesBetween(double from, double to, int repId) {
    std::vector<OrderLine> out;
    {
        auto&& q = st(std::string(kOrderLineSelect) +
                     "WHERE o.date >= ?1 AND o.date < ?2 AND (?3 = 0 OR c.rep_id = ?3) ORDER BY ol.stokno");
        q.bindAll(from, to, repId);
        while (q.step()) out.push_back(readOrderLine(q));
    }
    for (auto& l : out)
        if (auto s = stock(l.stokno)) l.item = std::move(*s);
    return out;
}

std::vector<Kind> SqliteStorage::deliveryKinds() {
    auto&& q = st("SELECT id, name FROM delivery_kind ORDER BY id");
    std::vector<Kind> out;
    while (q.step()) out.push_back({q.int32(0), q.text(1), {}});
    return out;
}

std::vector<Kind> SqliteStorage::cargoKinds() {
    auto&& q = st("SELECT id, name FROM cargo_kind ORDER BY id");
    std::vector<Kind> out;
    while (q.step()) out.push_back({q.int32(0), q.text(1), {}});
    return out;
}

std::vector<Kind> SqliteStorage::cargoCompanies(int cargoKind) {
    auto&& q = st("SELECT id, name, warning FROM cargo_company WHERE kind_id = ?1 ORDER BY name");
    q.bind(1, cargoKind);
    std::vector<Kind> out;
    while (q.step()) out.push_back({q.int32(0), q.text(1), q.text(2)});
    return out;
}

// ---------------------------------------------------------------- account

std::vector<Movement> SqliteStorage::movements(int carino) {
    auto&& q = st(std::string(kMovementSelect) + "WHERE carino = ?1 ORDER BY date, idno");
    q.bind(1, carino);
    std::vector<Movement> out;
    while (q.step()) out.push_back(readMovement(q));
    return out;
}

std::optional<Invoice> SqliteStorage::invoice(int idno) {
    Invoice inv;
    {
        auto&& q = st("SELECT m.idno, m.carino, m.date, m.due_date, m.type, m.doc_no, m.currency, m.description, "
                     "m.debit, m.credit, COALESCE(r.name,'') FROM movement m "
                     "LEFT JOIN sales_rep r ON r.id = m.rep_id WHERE m.idno = ?1");
        q.bind(1, idno);
        if (!q.step()) return std::nullopt;
        inv.movement = readMovement(q);
        inv.repName = q.text(10);
    }
    inv.dueDays = static_cast<int>(inv.movement.dueDate - inv.movement.date + 0.5);
    {
        auto&& q = st("SELECT id, idno, stokno, qty, price, vat, d1, d2, d3, d4 FROM invoice_line "
                     "WHERE idno = ?1 ORDER BY id");
        q.bind(1, idno);
        while (q.step()) {
            InvoiceLine l;
            l.id = q.int32(0);
            l.idno = q.int32(1);
            l.stokno = q.int32(2);
            l.qty = q.real(3);
            l.price = q.real(4);
            l.vat = q.int32(5);
            for (int i = 0; i < 4; ++i) l.discounts[static_cast<std::size_t>(i)] = q.real(6 + i);
            inv.lines.push_back(std::move(l));
        }
    }
    for (auto& l : inv.lines)
        if (auto s = stock(l.stokno)) l.item = std::move(*s);
    return inv;
}

std::vector<InvoiceLine> SqliteStorage::invoiceLinesOf(int carino, int stokno) {
    std::vector<InvoiceLine> out;
    {
        auto&& q = st("SELECT l.id, l.idno, l.stokno, l.qty, l.price, l.vat, l.d1, l.d2, l.d3, l.d4 "
                     "FROM invoice_line l JOIN movement m ON m.idno = l.idno "
                     "WHERE l.stokno = ?2 AND (?1 = 0 OR m.carino = ?1) ORDER BY m.date, l.id");
        q.bindAll(carino, stokno);
        while (q.step()) {
            InvoiceLine l;
            l.id = q.int32(0);
            l.idno = q.int32(1);
            l.stokno = q.int32(2);
            l.qty = q.real(3);
            l.price = q.real(4);
            l.vat = q.int32(5);
            for (int i = 0; i < 4; ++i) l.discounts[static_cast<std::size_t>(i)] = q.real(6 + i);
            out.push_back(std::move(l));
        }
    }
    return out;
}

std::vector<CollectionEntry> SqliteStorage::collection(int idno) {
    auto&& q = st("SELECT idno, date, due_date, kind, doc_no, description, ref, amount, card_sirano "
                 "FROM collection_entry WHERE idno = ?1 ORDER BY id");
    q.bind(1, idno);
    std::vector<CollectionEntry> out;
    while (q.step()) {
        CollectionEntry e;
        e.idno = q.int32(0);
        e.date = q.real(1);
        e.dueDate = q.real(2);
        e.kind = q.text(3);
        e.docNo = q.text(4);
        e.description = q.text(5);
        e.ref = q.text(6);
        e.amount = q.real(7);
        e.cardSirano = q.int32(8);
        out.push_back(std::move(e));
    }
    return out;
}

std::optional<CardPayment> SqliteStorage::cardPayment(int sirano) {
    auto&& q = st("SELECT sirano, collection_idno, carino, date, amount, holder, card_masked, auth_code, bank, "
                 "installments FROM card_payment WHERE sirano = ?1");
    q.bind(1, sirano);
    if (!q.step()) return std::nullopt;
    CardPayment p;
    p.sirano = q.int32(0);
    p.collectionIdno = q.int32(1);
    p.carino = q.int32(2);
    p.date = q.real(3);
    p.amount = q.real(4);
    p.holder = q.text(5);
    p.cardMasked = q.text(6);
    p.authCode = q.text(7);
    p.bank = q.text(8);
    p.installments = q.int32(9);
    return p;
}

int SqliteStorage::recordCardPayment(const CardPayment& p) {
    auto& c = conn();
    sql::Transaction t(c.db);
    int movementId = 0, sirano = 0;
    {
        auto&& q = st("SELECT COALESCE(MAX(idno),0) + 1 FROM movement");
        q.step();
        movementId = q.int32(0);
    }
    {
        auto&& q = st("SELECT COALESCE(MAX(sirano),0) + 1 FROM card_payment");
        q.step();
        sirano = q.int32(0);
    }
    std::string doc = "POS" + std::to_string(sirano);
    {
        auto&& q = st("INSERT INTO movement(idno, carino, date, due_date, type, doc_no, description, debit, credit, rep_id) "
                     "SELECT ?1, carino, ?2, ?2, 'Tahsilat', ?3, 'Sanal pos kredi kartı tahsilatı', 0, ?4, rep_id "
                     "FROM customer WHERE carino = ?5");
        q.bindAll(movementId, p.date, doc, p.amount, p.carino);
        q.run();
        if (c.db.changes() == 0) throw std::invalid_argument("Cari bulunamadı: " + std::to_string(p.carino));
    }
    {
        auto&& q = st("INSERT INTO card_payment(sirano, collection_idno, carino, date, amount, holder, card_masked, "
                     "auth_code, bank, installments) VALUES(?1,?2,?3,?4,?5,?6,?7,?8,?9,?10)");
        q.bindAll(sirano, movementId, p.carino, p.date, p.amount, p.holder, p.cardMasked, p.authCode, p.bank,
                  p.installments);
        q.run();
    }
    {
        auto&& q = st("INSERT INTO collection_entry(idno, date, due_date, kind, doc_no, description, ref, amount, "
                     "card_sirano) VALUES(?1, ?2, ?2, 'Kredi Kartı', ?3, 'Sanal pos ödemesi', ?4, ?5, ?6)");
        q.bindAll(movementId, p.date, doc, "POS" + std::to_string(sirano), p.amount, sirano);
        q.run();
    }
    t.commit();
    return sirano;
}

// ---------------------------------------------------------------- notices

std::vector<Announcement> SqliteStorage::announcements(bool advertisements) {
    auto&& q = st("SELECT sira, title, target, COALESCE(jpeg, x'') FROM announcement WHERE is_ad = ?1 ORDER BY sira, id");
    q.bind(1, advertisements ? 1 : 0);
    std::vector<Announcement> out;
    while (q.step()) out.push_back({q.int32(0), q.text(1), q.text(2), q.blob(3)});
    return out;
}

int SqliteStorage::announcementCount(bool advertisements) {
    auto&& q = st("SELECT COUNT(*) FROM announcement WHERE is_ad = ?1");
    q.bind(1, advertisements ? 1 : 0);
    q.step();
    return q.int32(0);
}

std::optional<Picture> SqliteStorage::banner(int slot) {
    auto&& q = st("SELECT mime, bytes FROM banner WHERE slot = ?1");
    q.bind(1, slot);
    if (!q.step()) return std::nullopt;
    return Picture{q.text(0), q.blob(1)};
}

std::string SqliteStorage::setting(const std::string& key) {
    auto&& q = st("SELECT value FROM meta WHERE key = ?1");
    q.bind(1, key);
    return q.step() ? q.text(0) : std::string();
}

int SqliteStorage::storeMessage(const OutboxMessage& m) {
    auto& c = conn();
    sql::Transaction t(c.db);
    auto&& q = st("INSERT INTO outbox(kind, computer_id, subject, body, created) VALUES(?1,?2,?3,?4,?5)");
    q.bindAll(m.kind, m.computerId, m.subject, m.body, nowAsDays());
    q.run();
    int id = static_cast<int>(c.db.lastInsertId());
    t.commit();
    return id;
}

}  // namespace server
