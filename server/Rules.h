#pragma once
// Plain business rules of the server: search-text folding, rounding, discounts and line amounts.

#include <string>
#include <string_view>
#include <vector>

#include "server/Model.h"

namespace server {

// Folds text the way the client's search box does: Turkish letters to plain Latin
// (ç ğ ı ş ö ü and capitals to C G I S O U, İ to I), then upper case. Other characters pass.
std::string foldSearchText(std::string_view utf8);
// The folded words of a search text (split at blanks); empty words dropped.
std::vector<std::string> searchWords(std::string_view utf8);
// Code without blanks, dashes, dots and slashes ("1K0-615 301" -> "1K0615301").
std::string compactCode(std::string_view folded);

// Day count since 1899-12-30 with the time of day as the fraction, in local time.
double nowAsDays();

// Rounds to two decimals, halves away from zero, on the exact binary value of x
// (0.125 -> 0.13, 32.805 -> 32.80).
double round2(double x);

// Gross amount after the cascaded rates (rates of 0 or less are skipped).
double applyDiscounts(double gross, const Rates& rates);
// "10+5" for 10, 5, 0, 0; empty when no rate applies.
std::string ratesText(const Rates& rates);

struct LineAmounts {
    double gross = 0;     // TUTAR: quantity x unit price
    double discount = 0;  // INDIRIMTUTAR
    double net = 0;       // NETTUTAR: gross - discount
    double netUnit = 0;   // NETBIRIMFIYAT
    double vat = 0;       // VERGITUTARI: VAT on the net amount
    double total = 0;     // net + VAT
};
LineAmounts lineAmounts(double qty, double unitPrice, const Rates& rates, int vatRate);

// Unit price the customer sees for a stock item: list price with the customer's rates, or the
// campaign price (no further discount) when the item is on campaign and the customer may see it.
struct CustomerPrice {
    double price = 0;  // FIYAT
    Rates rates{};     // IND1..IND4
    bool campaign = false;
    double net = 0;       // NETFIYAT
    double withVat = 0;   // KDVDAHIL
};
CustomerPrice customerPrice(const Stock& s, const Rates& customerRates, bool campaignsAllowed);

}  // namespace server
