#pragma once
// PDF documents generated from the data: period reports and card payment receipts.

#include <string>

#include "server/Storage.h"

namespace server {

// Report 6: account summary of one customer at a date (carino > 0), or the open receivables of
// every customer (carino 0; `repText` "." for all, else a salesperson's name).
// Report 7: purchases and sales of a customer between two dates.
// Throws std::invalid_argument for an unknown report number or customer.
std::string reportPdf(Storage& db, int report, int carino, const std::string& repText, double day1, double day2);

// Receipt of a card payment.
std::string receiptPdf(const CardPayment& payment, const Customer& customer);

// "1.234,56" (Turkish grouping and decimal comma, two decimals, halves away from zero).
std::string formatMoneyTr(double v);
// "dd.mm.yyyy" of a day count since 1899-12-30.
std::string formatDateTr(double days);

}  // namespace server
