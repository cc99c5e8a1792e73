#pragma once
// Formatting doubles with the masks the program uses ("#,###,##0.00", "#,###,##00.00",
// "#,###,##.00", ",0.00 TL;-,0.00 TL") and rounding to two decimals through them.
// Rounding is half away from zero on the exact binary value: 0.125 -> 0.13 but
// 32.805 (stored as 32.80499...) -> 32.80.

#include <string>
#include <string_view>

namespace data {

struct NumberLocale {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";

    static NumberLocale turkish() { return {",", "."}; }
    static NumberLocale english() { return {".", ","}; }
};

// Formats value with a mask of up to three sections "positive;negative;zero". In a section,
// '0' is a required digit, '#' an optional digit, '.' the decimal point, ',' anywhere
// among the digit placeholders turns on thousands grouping; other text is copied literally
// (text in quotes too). A value without its own negative section gets a leading '-'.
std::string formatNumber(double value, std::string_view mask, const NumberLocale& locale);

// value rounded to `decimals` places, half away from zero on the exact binary value.
double roundHalfAwayFromZero(double value, int decimals);

// Reads a number written with the locale's separators (group separators ignored).
// Returns false when the text is not a number.
bool parseNumber(std::string_view text, const NumberLocale& locale, double& out);

// The program's masks.
inline constexpr std::string_view kAmountFormat = "#,###,##0.00";
inline constexpr std::string_view kTotalFormat = "#,###,##00.00";
inline constexpr std::string_view kRoundingFormat = "#,###,##.00";

}  // namespace data
