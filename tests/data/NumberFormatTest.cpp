#include <gtest/gtest.h>

#include "data/NumberFormat.h"

using data::NumberLocale;

namespace {

struct RoundCase {
    double in;
    double out;
};

TEST(RoundHalfAwayFromZero, ExactBinaryValueDecides) {
    const RoundCase cases[] = {
        {1234.567, 1234.57}, {0.5, 0.5},     {-2.344, -2.34}, {0.125, 0.13}, {-0.125, -0.13},
        {32.805, 32.80},     {2.675, 2.67},  {1.005, 1.00},   {0.0, 0.0},    {999999.995, 999999.99}, {0.995, 0.99}, {0.375, 0.38}, {-1.625, -1.63},
        {-0.004, 0.0},       {1e-40, 0.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(data::roundHalfAwayFromZero(c.in, 2), c.out) << c.in;
}

struct FormatCase {
    double value;
    const char* mask;
    const char* turkish;
    const char* english;
};

TEST(FormatNumber, MasksInBothLocales) {
    const FormatCase cases[] = {
        {1234567.891, "#,###,##0.00", "1.234.567,89", "1,234,567.89"},
        {0.5, "#,###,##0.00", "0,50", "0.50"},
        {-2.344, "#,###,##0.00", "-2,34", "-2.34"},
        {0.125, "#,###,##0.00", "0,13", "0.13"},
        {32.805, "#,###,##0.00", "32,80", "32.80"},
        {5, "#,###,##00.00", "05,00", "05.00"},
        {1234.5, "#,###,##00.00", "1.234,50", "1,234.50"},
        {0.5, "#,###,##.00", ",50", ".50"},
        {1234.567, "#,###,##.00", "1.234,57", "1,234.57"},
        {150, ",0.00 TL;-,0.00 TL", "150,00 TL", "150.00 TL"},
        {-1500.5, ",0.00 TL;-,0.00 TL", "-1.500,50 TL", "-1,500.50 TL"},
        {-0.001, "#,###,##0.00", "0,00", "0.00"},
        {999.999, "#,###,##0.00", "1.000,00", "1,000.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(data::formatNumber(c.value, c.mask, NumberLocale::turkish()), c.turkish) << c.value << " " << c.mask;
        EXPECT_EQ(data::formatNumber(c.value, c.mask, NumberLocale::english()), c.english) << c.value << " " << c.mask;
    }
}

TEST(ParseNumber, ReadsLocaleText) {
    double v = 0;
    EXPECT_TRUE(data::parseNumber("1.234,57", NumberLocale::turkish(), v));
    EXPECT_DOUBLE_EQ(v, 1234.57);
    EXPECT_TRUE(data::parseNumber(",50", NumberLocale::turkish(), v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(data::parseNumber("1,234.57", NumberLocale::english(), v));
    EXPECT_DOUBLE_EQ(v, 1234.57);
    EXPECT_FALSE(data::parseNumber("12a", NumberLocale::english(), v));
    EXPECT_FALSE(data::parseNumber("", NumberLocale::english(), v));
}

}  // namespace
