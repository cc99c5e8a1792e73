#pragma once
// The SQLite implementation of Storage: one connection per thread on a WAL database, prepared
// statements cached per connection, every change inside one transaction.

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "server/Sql.h"
#include "server/Rules.h"
#include "server/Storage.h"

namespace server {

class SqliteStorage final : public Storage {
public:
    // Opens the database, creating the schema when it is missing.
    explicit SqliteStorage(std::string path);
    ~SqliteStorage() override;

    static void createSchema(sql::Connection& db);
    const std::string& path() const { return path_; }

    std::optional<User> userByComputer(const std::string& computerId) override;
    std::optional<User> user(int id) override;
    std::optional<User> userByName(const std::string& name) override;
    void bindComputer(const std::string& computerId, int userId) override;
    std::string computerOfUser(int userId) override;

    std::optional<SalesRep> salesRep(int id) override;
    std::optional<Customer> customer(int carino) override;
    std::vector<CustomerSummary> searchCustomers(const std::string& foldedText, int repId) override;
    std::vector<CustomerSummary> customersByState(int state, int repId) override;
    int customersWithCart(int repId) override;
    std::array<int, 6> orderStateCounts(int repId) override;
    std::pair<double, double> debitCredit(int carino) override;
    std::pair<double, double> overdue(int carino, double today) override;

    std::vector<Stock> searchStockRows(const std::vector<std::string>& foldedWords, int limit) override;
    std::optional<Stock> stock(int stokno) override;
    std::vector<Stock> newStocks(int limit) override;
    std::vector<Stock> campaignStocks(int limit) override;
    int newStockCount() override;
    int campaignStockCount() override;
    std::optional<Picture> picture(int stokno) override;
    bool campaignsAllowed(int carino) override;

    std::vector<CartLine> cart(int carino) override;
    std::optional<CartLine> cartLine(int sirano) override;
    int addCartLine(const CartLine& line) override;
    bool updateCartLine(const CartLine& line) override;
    bool setCartSelection(int sirano, int selected) override;
    bool deleteCartLine(int sirano, int carino) override;
    int clearCart(int carino) override;
    std::optional<int> saveOrder(const Order& header) override;

    std::vector<Order> orders(int carino) override;
    std::optional<Order> order(int idno) override;
    std::vector<OrderLine> orderLines(int idno) override;
    std::vector<OrderLine> balances(int carino) override;
    std::vector<OrderLine> orderLinesOf(int carino, int stokno) override;
    std::optional<OrderLine> orderLine(int id) override;
    bool closeBalance(int lineId) override;
    bool setBalance(int lineId, double outstanding) override;
    bool setLinePrice(int lineId, double price, double discount1) override;
    std::vector<Order> ordersBetween(double from, double to, int repId) override;
    std::vector<OrderLine> orderLinesBetween(double from, double to, int repId) override;
    std::vector<Kind> deliveryKinds() override;
    std::vector<Kind> cargoKinds() override;
    std::vector<Kind> cargoCompanies(int cargoKind) override;

    std::vector<Movement> movements(int carino) override;
    std::optional<Invoice> invoice(int idno) override;
    std::vector<InvoiceLine> invoiceLinesOf(int carino, int stokno) override;
    std::vector<CollectionEntry> collection(int idno) override;
    std::optional<CardPayment> cardPayment(int sirano) override;

    int recordCardPayment(const CardPayment& payment) override;
    std::vector<Announcement> announcements(bool advertisements) override;
    int announcementCount(bool advertisements) override;
    std::optional<Picture> banner(int slot) override;
    std::string setting(const std::string& key) override;

    int storeMessage(const OutboxMessage& m) override;

private:
    // A cached statement in use; reset when the use ends, so that no finished read keeps its
    // snapshot open (a stale snapshot would make the next write on this connection fail).
    class Use {
    public:
        explicit Use(sql::Statement& s) : s_(&s) {}
        Use(Use&& o) noexcept : s_(std::exchange(o.s_, nullptr)) {}
        Use(const Use&) = delete;
        ~Use() {
            if (s_) s_->reset();
        }
        template <class... T>
        Use& bindAll(const T&... v) {
            s_->bindAll(v...);
            return *this;
        }
        template <class T>
        Use& bind(int i, const T& v) {
            s_->bind(i, v);
            return *this;
        }
        Use& bindNull(int i) {
            s_->bindNull(i);
            return *this;
        }
        Use& bindBlob(int i, std::string_view b) {
            s_->bindBlob(i, b);
            return *this;
        }
        bool step() { return s_->step(); }
        void run() { s_->run(); }
        int int32(int c) const { return s_->int32(c); }
        std::int64_t int64(int c) const { return s_->int64(c); }
        double real(int c) const { return s_->real(c); }
        std::string text(int c) const { return s_->text(c); }
        std::string blob(int c) const { return s_->blob(c); }
        operator const sql::Statement&() const { return *s_; }

    private:
        sql::Statement* s_;
    };

    struct Conn;
    Conn& conn();
    Use st(std::string_view sqlText);
    std::vector<OrderLine> readOrderLines(std::string_view where, int a, int b = 0);
    std::vector<CustomerSummary> readSummaries(std::string_view sqlText, const std::vector<std::string>& args,
                                               int repId);

    std::string path_;
    std::uint64_t id_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Conn>> conns_;
};

}  // namespace server
