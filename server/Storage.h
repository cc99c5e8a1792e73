#pragma once
// What the method handlers need from the database. The SQLite implementation is the default;
// every method is one unit of work (a change is one transaction, all or nothing), and an
// implementation must be safe to call from several threads at once.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "server/Model.h"

namespace server {

class Storage {
public:
    virtual ~Storage() = default;

    // --- users and computers
    virtual std::optional<User> userByComputer(const std::string& computerId) = 0;
    virtual std::optional<User> user(int id) = 0;
    virtual std::optional<User> userByName(const std::string& name) = 0;
    // Binds a computer ID to a user (replacing an earlier binding of that computer).
    virtual void bindComputer(const std::string& computerId, int userId) = 0;
    virtual std::string computerOfUser(int userId) = 0;

    // --- customers
    virtual std::optional<SalesRep> salesRep(int id) = 0;
    virtual std::optional<Customer> customer(int carino) = 0;
    // Customers whose code, name, city or special code contains the folded text; an empty
    // text lists all. repId > 0 limits to that representative's customers.
    virtual std::vector<CustomerSummary> searchCustomers(const std::string& foldedText, int repId) = 0;
    // Customers with cart lines (state 1) or with orders in the given state (2..7).
    virtual std::vector<CustomerSummary> customersByState(int state, int repId) = 0;
    virtual int customersWithCart(int repId) = 0;
    virtual std::array<int, 6> orderStateCounts(int repId) = 0;
    virtual std::pair<double, double> debitCredit(int carino) = 0;
    // Sum of debit movements whose due date is before `today` minus all credits, and the
    // oldest such due date (0 when nothing is overdue).
    virtual std::pair<double, double> overdue(int carino, double today) = 0;

    // --- stock
    // Stock matching every folded word (substring), exact code or barcode matches first, at
    // most `limit`.
    virtual std::vector<Stock> searchStockRows(const std::vector<std::string>& foldedWords, int limit) = 0;
    virtual std::optional<Stock> stock(int stokno) = 0;
    virtual std::vector<Stock> newStocks(int limit) = 0;
    virtual std::vector<Stock> campaignStocks(int limit) = 0;
    virtual int newStockCount() = 0;
    virtual int campaignStockCount() = 0;
    virtual std::optional<Picture> picture(int stokno) = 0;
    // False when a user of the customer is of the type without campaigns.
    virtual bool campaignsAllowed(int carino) = 0;

    // --- cart
    virtual std::vector<CartLine> cart(int carino) = 0;
    virtual std::optional<CartLine> cartLine(int sirano) = 0;
    virtual int addCartLine(const CartLine& line) = 0;  // returns the new SIRANO
    // Changes quantity, price, VAT, rates of a line of this customer; false when there is none.
    virtual bool updateCartLine(const CartLine& line) = 0;
    virtual bool setCartSelection(int sirano, int selected) = 0;
    virtual bool deleteCartLine(int sirano, int carino) = 0;
    virtual int clearCart(int carino) = 0;
    // Turns the selected cart lines of the customer into one order and removes them from the
    // cart, atomically. Returns the order number, or nothing when no line is selected.
    virtual std::optional<int> saveOrder(const Order& header) = 0;

    // --- orders and balances
    virtual std::vector<Order> orders(int carino) = 0;
    virtual std::optional<Order> order(int idno) = 0;
    virtual std::vector<OrderLine> orderLines(int idno) = 0;
    virtual std::vector<OrderLine> balances(int carino) = 0;                   // open, outstanding > 0
    virtual std::vector<OrderLine> orderLinesOf(int carino, int stokno) = 0;  // stokno 0: all
    virtual std::optional<OrderLine> orderLine(int id) = 0;
    virtual bool closeBalance(int lineId) = 0;
    virtual bool setBalance(int lineId, double outstanding) = 0;
    virtual bool setLinePrice(int lineId, double price, double discount1) = 0;
    virtual std::vector<Order> ordersBetween(double from, double to, int repId) = 0;
    virtual std::vector<OrderLine> orderLinesBetween(double from, double to, int repId) = 0;
    virtual std::vector<Kind> deliveryKinds() = 0;
    virtual std::vector<Kind> cargoKinds() = 0;
    virtual std::vector<Kind> cargoCompanies(int cargoKind) = 0;

    // --- account
    virtual std::vector<Movement> movements(int carino) = 0;
    virtual std::optional<Invoice> invoice(int idno) = 0;
    virtual std::vector<InvoiceLine> invoiceLinesOf(int carino, int stokno) = 0;
    virtual std::vector<CollectionEntry> collection(int idno) = 0;
    virtual std::optional<CardPayment> cardPayment(int sirano) = 0;

    // Records a card payment made on the payment page: a collection movement with its entry and
    // the payment record, in one transaction. Returns the payment's sequence number.
    virtual int recordCardPayment(const CardPayment& payment) = 0;

    // --- notices
    virtual std::vector<Announcement> announcements(bool advertisements) = 0;
    virtual int announcementCount(bool advertisements) = 0;
    virtual std::optional<Picture> banner(int slot) = 0;
    virtual std::string setting(const std::string& key) = 0;

    // --- outbox
    virtual int storeMessage(const OutboxMessage& m) = 0;
};

}  // namespace server
