#include <gtest/gtest.h>

#include <QLocale>

#include "catalogue/Pricing.h"

using namespace catalogue;

namespace {

struct PriceCase {
    const char* name;
    double fiyat;
    double adet;
    Indirimler indirimler;
    double kdv;
    double indtutar;
    double netBirim;
    double kdvDahil;
    double tutar;
    bool indirimSatiri;
};

class PriceCases : public ::testing::TestWithParam<PriceCase> {};

TEST_P(PriceCases, RecalculationMatchesTheWorkedFigures) {
    const PriceCase& c = GetParam();
    for (const QLocale& loc : {QLocale(QLocale::Turkish, QLocale::Turkey), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        const IndirimSonucu s = IndirimHesapla(c.fiyat * c.adet, c.indirimler, c.adet, loc);
        EXPECT_DOUBLE_EQ(s.netBirimFiyat, c.netBirim) << c.name;
        const Tutarlar t = TutarlariHesapla(c.fiyat, c.adet, c.indirimler, c.kdv, loc);
        EXPECT_DOUBLE_EQ(t.indtutar, c.indtutar) << c.name;
        EXPECT_DOUBLE_EQ(t.kdvdahiltutar, c.kdvDahil) << c.name;
        EXPECT_DOUBLE_EQ(t.geneltutar, c.tutar) << c.name;
    }
    EXPECT_EQ(IndirimVarmi(c.indirimler), c.indirimSatiri) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Pricing, PriceCases,
    ::testing::Values(
        PriceCase{"two cascaded discounts", 100.00, 2, {10, 5, 0, 0}, 18, 29.00, 85.50, 100.89, 201.78, true},
        // The net amount 8.99 over 3 gives 3.00 per unit; the total is 3 x 3.54, not 8.99 x 1.18.
        PriceCase{"unit price rounded before the total", 3.33, 3, {10, 0, 0, 0}, 18, 1.00, 3.00, 3.54, 10.62, true},
        PriceCase{"no discounts", 10.00, 3, {0, 0, 0, 0}, 18, 0, 10.00, 11.80, 35.40, false},
        PriceCase{"a single discount of exactly 1 hides the row", 10.00, 1, {1, 0, 0, 0}, 18, 0.10, 9.90, 11.68, 11.68, false},
        PriceCase{"1.01 shows the row", 10.00, 1, {1.01, 0, 0, 0}, 18, 0.10, 9.90, 11.68, 11.68, true},
        // A negative rate is skipped by the computation (the add still sends it as it is).
        PriceCase{"negative rate ignored", 100.00, 1, {-5, 0, 0, 0}, 18, 0, 100.00, 118.00, 118.00, false},
        PriceCase{"zero quantity", 100.00, 0, {10, 0, 0, 0}, 18, 0, 0, 0, 0, true},
        PriceCase{"other VAT rate", 50.00, 4, {0, 0, 0, 0}, 8, 0, 50.00, 54.00, 216.00, false}),
    [](const ::testing::TestParamInfo<PriceCase>& info) {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

TEST(Yuvarla2, HalvesAwayFromZeroOnTheStoredValueInBothLocales) {
    struct Case {
        double x, expected;
    };
    const Case cases[] = {{0.125, 0.13}, {-0.125, -0.13}, {32.805, 32.80}, {1234567.891, 1234567.89},
                          {0.005, 0.01}, {0, 0},           {-0.004, 0},      {2.675, 2.67}};
    for (const QLocale& loc : {QLocale(QLocale::Turkish, QLocale::Turkey), QLocale(QLocale::English, QLocale::UnitedStates)})
        for (const Case& c : cases) EXPECT_DOUBLE_EQ(Yuvarla2(c.x, loc), c.expected) << c.x << " " << loc.name().toStdString();
}

TEST(KdvCikar, TakesEighteenPercentOutEachTime) {
    const double once = KdvCikar(118.00);
    EXPECT_DOUBLE_EQ(once, 100.00);
    EXPECT_DOUBLE_EQ(KdvCikar(once), 84.75);
}

TEST(Quantity, RecalculationAndSendingAgree) {
    struct Case {
        const char* text;
        double recalculated;
        bool sent;
        double sentValue;
    };
    const Case cases[] = {
        {"2", 2, true, 2},        {" 7 ", 7, true, 7},    {"+5", 5, true, 5},
        {"10000", 10000, true, 10000},
        {"2,5", 1, false, 0},      // fractions are refused, never recalculated as 1 and sent as 2.5
        {"2.5", 1, false, 0},      {"", 1, false, 0},     {"abc", 1, false, 0},
        {"-", 1, false, 0},
        {"0", 0, false, 0},        // out of range: shown as typed, refused for sending
        {"10001", 10001, false, 0}, {"-3", -3, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(hesapAdedi(QString::fromUtf8(c.text)), c.recalculated) << c.text;
        QString why;
        const auto sent = gonderilecekAdet(QString::fromUtf8(c.text), &why);
        EXPECT_EQ(sent.has_value(), c.sent) << c.text;
        if (sent) {
            EXPECT_DOUBLE_EQ(*sent, c.sentValue) << c.text;
            // Whatever is sent is exactly what the recalculation used.
            EXPECT_DOUBLE_EQ(*sent, hesapAdedi(QString::fromUtf8(c.text))) << c.text;
        } else {
            EXPECT_FALSE(why.isEmpty()) << c.text;
        }
    }
}

TEST(Quantity, LeavingTheBoxPullsWholeNumbersIntoRange) {
    EXPECT_EQ(adetAraligaCek("0"), "1");
    EXPECT_EQ(adetAraligaCek("-4"), "1");
    EXPECT_EQ(adetAraligaCek("12000"), "10000");
    EXPECT_EQ(adetAraligaCek("25"), "25");
    EXPECT_EQ(adetAraligaCek("2,5"), "2,5");  // not a whole number: stays as typed
}

}  // namespace
