#include <gtest/gtest.h>

#include "server/Rules.h"

using namespace server;

TEST(FoldSearchText, TurkishLettersBecomePlainUpperCase) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"çğışöü", "CGISOU"},
        {"ÇĞİŞÖÜ", "CGISOU"},
        {"ı", "I"},
        {"i", "I"},
        {"ön fren balatası", "ON FREN BALATASI"},
        {"1k0-615 301", "1K0-615 301"},
        {"%_'\"", "%_'\""},
        {"ß€", "ß€"},  // other letters pass unchanged
    };
    for (auto& c : cases) EXPECT_EQ(foldSearchText(c.in), c.out) << c.in;
}

TEST(SearchWords, SplitsAtBlanksAndFolds) {
    EXPECT_EQ(searchWords("  fren   balata "), (std::vector<std::string>{"FREN", "BALATA"}));
    EXPECT_TRUE(searchWords("   ").empty());
}

TEST(Round2, HalvesAwayFromZeroOnTheStoredValue) {
    struct Case {
        double in, out;
    } cases[] = {{0.125, 0.13}, {-0.125, -0.13}, {32.805, 32.80}, {1.005, 1.00}, {2.675, 2.67},
                 {100.0, 100.0}, {0.0, 0.0},    {1234567.891, 1234567.89}, {0.005, 0.01},
                 {12345678901.125, 12345678901.13}, {-99999999.995, -100000000.0}};
    for (auto& c : cases) EXPECT_DOUBLE_EQ(round2(c.in), c.out) << c.in;
}

TEST(LineAmounts, CascadedDiscountsAndVatAreCoherent) {
    // 2 x 100.00 with 10 % and 5 %: 200 -> 180 -> 171.
    LineAmounts a = lineAmounts(2, 100.0, {10, 5, 0, 0}, 20);
    EXPECT_DOUBLE_EQ(a.gross, 200.0);
    EXPECT_DOUBLE_EQ(a.net, 171.0);
    EXPECT_DOUBLE_EQ(a.discount, 29.0);
    EXPECT_DOUBLE_EQ(a.netUnit, 85.5);
    EXPECT_DOUBLE_EQ(a.vat, 34.2);
    EXPECT_DOUBLE_EQ(a.total, 205.2);
    EXPECT_DOUBLE_EQ(a.gross - a.discount, a.net);
}

TEST(LineAmounts, RatesOfZeroOrLessAreSkipped) {
    LineAmounts a = lineAmounts(3, 10.0, {-5, 0, 0, 0}, 18);
    EXPECT_DOUBLE_EQ(a.discount, 0.0);
    EXPECT_DOUBLE_EQ(a.net, 30.0);
    EXPECT_DOUBLE_EQ(a.vat, 5.4);
}

TEST(RatesText, ShowsOnlyApplyingRates) {
    EXPECT_EQ(ratesText({10, 5, 0, 0}), "10+5");
    EXPECT_EQ(ratesText({0, 0, 0, 0}), "");
    EXPECT_EQ(ratesText({12.5, -3, 0, 2}), "12.5+2");
}

TEST(CustomerPrice, CampaignPriceOnlyForCustomersWithCampaigns) {
    Stock s;
    s.listPrice = 100;
    s.campaignPrice = 80;
    s.isCampaign = true;
    s.vat = 20;
    CustomerPrice withCampaign = customerPrice(s, {10, 0, 0, 0}, true);
    EXPECT_TRUE(withCampaign.campaign);
    EXPECT_DOUBLE_EQ(withCampaign.price, 80);
    EXPECT_DOUBLE_EQ(withCampaign.net, 80);  // no further discount on a campaign price
    EXPECT_DOUBLE_EQ(withCampaign.withVat, 96);

    CustomerPrice without = customerPrice(s, {10, 0, 0, 0}, false);
    EXPECT_FALSE(without.campaign);
    EXPECT_DOUBLE_EQ(without.price, 100);
    EXPECT_DOUBLE_EQ(without.net, 90);
    EXPECT_DOUBLE_EQ(without.withVat, 108);
}
