#pragma once
// The server's business records, independent of how they are stored.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace server {

// Order states; the numbers are those of the customer picker's state buttons (2..7).
enum OrderState : int {
    kReceived = 2,           // Alındı
    kApproved = 3,           // Onaylandı
    kSeen = 4,               // Görüldü
    kPartlyPrepared = 5,     // Parçalı Hazırlandı
    kPrepared = 6,           // Hazırlandı
    kShipped = 7,            // Sevk Edildi
};
const char* orderStateName(int state);

using Rates = std::array<double, 4>;

struct Stock {
    int stokno = 0;
    std::int64_t barcodeNo = 0;
    std::string code, name, otherName, finishCode, makerCode;
    std::array<std::string, 4> oem;
    std::string oemNo, specialCode, deptCode, productCode, brand, model, group, unit;
    int vat = 20;
    double listPrice = 0, campaignPrice = 0;
    int state = 0;            // 0 Yok, 1 Var, 2 Telefon Açınız, 3 Yolda, 4 Özel Sipariş, 5 Tedarik Sürecinde
    bool warehouse2 = false;  // stock in the second warehouse
    double onHand = 0, supplierOrders = 0;
    double customerOrders = 0;  // outstanding customer order quantity (filled on read)
    bool isNew = false, isCampaign = false, hasPicture = false;
};

struct SalesRep {
    int id = 0;
    std::string name, phone, email;
};

struct Customer {
    int carino = 0;
    std::string code, name, specialCode, mainGroup, subGroup, addr1, addr2, district, city, country;
    std::string tel1, tel2, fax1, fax2, gsm, email, contact, taxOffice, taxNo;
    std::array<std::string, 5> kod;
    int repId = 0;
    Rates discounts{};  // cascaded rates the customer gets on list prices
    int dueDays = 30;   // payment term
    SalesRep rep;       // filled on read
};

struct User {
    int id = 0;  // Sirano
    std::string name, password, email;
    int active = 1;
    int type = 3;  // 1, 2 staff; 3 customer; 4 customer without campaigns
    int carino = 0;
    int repId = 0;
};

struct CartLine {
    int sirano = 0, carino = 0, stokno = 0;
    std::string code, name;
    double qty = 0, price = 0;
    int vat = 0;
    Rates discounts{};
    int campaign = 0;
    int selected = 1;
    int addedBy = 0;
    std::string addedByName;
    double addedAt = 0;  // day count since 1899-12-30
    std::string note;
    Stock item;  // the stock as it is now
};

struct Order {
    int idno = 0, carino = 0;
    double date = 0;
    int state = kReceived;
    int deliveryKind = 0, cargoKind = 0, cargoCompany = 0;
    std::string deliveryName, cargoKindName, cargoCompanyName;
    std::string message, note, sellerNote;
    int givenBy = 0;
    std::string givenByName, customerCode, customerName, repName;
};

struct OrderLine {
    int id = 0, idno = 0, lineNo = 0, cartSirano = 0, stokno = 0, carino = 0;
    std::string code, name;
    double qty = 0, delivered = 0, price = 0, firstPrice = 0;
    int vat = 0;
    Rates discounts{};
    int campaign = 0;
    bool closed = false;
    double orderDate = 0;
    int givenBy = 0;
    std::string givenByName, customerCode, customerName;
    int orderState = kReceived;
    Stock item;
};

struct Movement {
    int idno = 0, carino = 0;
    double date = 0, dueDate = 0;
    std::string type, docNo, currency, description;
    double debit = 0, credit = 0;
};

struct InvoiceLine {
    int id = 0, idno = 0, stokno = 0;
    double qty = 0, price = 0;
    int vat = 0;
    Rates discounts{};
    Stock item;
};

struct Invoice {
    Movement movement;
    std::string repName;
    int dueDays = 0;
    std::vector<InvoiceLine> lines;
};

struct CollectionEntry {
    int idno = 0;
    double date = 0, dueDate = 0;
    std::string kind, docNo, description, ref;
    double amount = 0;
    int cardSirano = 0;  // card payment sequence number, 0 when none
};

struct CardPayment {
    int sirano = 0, collectionIdno = 0, carino = 0;
    double date = 0, amount = 0;
    std::string holder, cardMasked, authCode, bank;
    int installments = 1;
};

struct Announcement {
    int sira = 0;
    std::string title, target, jpeg;
};

struct Kind {
    int id = 0;
    std::string name, warning;
};

struct Picture {
    std::string mime, bytes;
};

struct CustomerSummary {
    Customer customer;
    double debit = 0, credit = 0;
    int cartLines = 0;
    std::array<int, 6> states{};  // counts of orders in states 2..7
};

struct SoldStock {
    std::string code, name, group;
    double qty = 0, net = 0, vat = 0, gross = 0;
};

struct OutboxMessage {
    std::string kind, computerId, subject, body;
};

}  // namespace server
