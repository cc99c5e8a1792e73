#include <gtest/gtest.h>

#include "cart/CartTotals.h"
#include "cart/TONAYSIP.h"
#include "data/NumberFormat.h"

namespace {

using data::Cell;

double R(double x) { return data::roundHalfAwayFromZero(x, 2); }

struct Line {
    Cell sec, tutar, indirim, vergi;
};

void fill(data::MemTable& t, const std::vector<Line>& lines) {
    wire::Table w;
    w.columns = {{"SEC", wire::FieldType::Integer, 0},
                 {"SIRANO", wire::FieldType::Integer, 0},
                 {"TUTAR", wire::FieldType::Float, 0},
                 {"INDIRIMTUTAR", wire::FieldType::Float, 0},
                 {"VERGITUTARI", wire::FieldType::Float, 0}};
    std::int64_t sirano = 1;
    for (const Line& l : lines) w.appendRow({l.sec, Cell{sirano++}, l.tutar, l.indirim, l.vergi});
    t.load(std::move(w));
}

Cell I(std::int64_t v) { return Cell{v}; }
Cell D(double v) { return Cell{v}; }

TEST(CartTotals, SumsOnlyTheSelectedLines) {
    data::MemTable t;
    fill(t, {{I(1), D(100.00), D(10.00), D(16.20)},
             {I(1), D(50.00), D(5.00), D(8.10)},
             {I(0), D(777.77), D(7.77), D(9.99)}});
    t.setRecNo(1);
    const cart::SepetToplamlari s = cart::sepetToplamlari(t, R);
    EXPECT_DOUBLE_EQ(s.aratoplam, 150.00);
    EXPECT_DOUBLE_EQ(s.indirim, 15.00);
    EXPECT_DOUBLE_EQ(s.vergi, 24.30);
    EXPECT_DOUBLE_EQ(s.nettutar, 135.00);
    EXPECT_DOUBLE_EQ(s.geneltoplam, 159.30);
    EXPECT_EQ(t.recNo(), 1u);  // the user's line stays current
}

TEST(CartTotals, EachAdditionIsRoundedBeforeTheNextLine) {
    // 0.125 three times: rounding every addition gives 0.13, 0.26, 0.39; rounding the plain
    // sum 0.375 would give 0.38.
    data::MemTable t;
    fill(t, {{I(1), D(0.125), D(0.125), D(0.125)},
             {I(1), D(0.125), D(0.125), D(0.125)},
             {I(1), D(0.125), D(0.125), D(0.125)}});
    const cart::SepetToplamlari s = cart::sepetToplamlari(t, R);
    EXPECT_DOUBLE_EQ(s.aratoplam, 0.39);
    EXPECT_NE(R(0.125 + 0.125 + 0.125), s.aratoplam);
    EXPECT_DOUBLE_EQ(s.vergi, 0.39);
    EXPECT_DOUBLE_EQ(s.nettutar, 0.0);
    EXPECT_DOUBLE_EQ(s.geneltoplam, 0.39);
}

TEST(CartTotals, OnlyAFlagOfExactlyOneCountsAndEmptyAmountsAreZero) {
    data::MemTable t;
    fill(t, {{I(2), D(10), D(0), D(0)},
             {Cell{}, D(20), D(0), D(0)},
             {I(-1), D(40), D(0), D(0)},
             {I(1), Cell{}, D(1.5), Cell{}},
             {I(1), D(3.333), Cell{}, D(0.6)}});
    const cart::SepetToplamlari s = cart::sepetToplamlari(t, R);
    EXPECT_DOUBLE_EQ(s.aratoplam, 3.33);
    EXPECT_DOUBLE_EQ(s.indirim, 1.5);
    EXPECT_DOUBLE_EQ(s.vergi, 0.6);
    EXPECT_DOUBLE_EQ(s.nettutar, 1.83);
    EXPECT_DOUBLE_EQ(s.geneltoplam, 2.43);
}

TEST(CartTotals, ClosedEmptyOrUnselectedCartsGiveZero) {
    data::MemTable closed;
    data::MemTable empty;
    fill(empty, {});
    data::MemTable none;
    fill(none, {{I(0), D(5), D(1), D(1)}});
    for (data::MemTable* t : {&closed, &empty, &none}) {
        const cart::SepetToplamlari s = cart::sepetToplamlari(*t, R);
        EXPECT_EQ(s.aratoplam, 0);
        EXPECT_EQ(s.geneltoplam, 0);
    }
}

TEST(CartTexts, LineDescriptionAndOrderSummary) {
    EXPECT_EQ(cart::satirAciklamasi("A1", "FILTRE"), "A1-FILTRE");
    EXPECT_EQ(cart::satirAciklamasi("A 1", "YAĞ FİLTRESİ"), "A 1-YAĞ FİLTRESİ");

    const QString summary = cart::siparisOzeti("ALI", "DEMO LTD", "1.234,50");
    EXPECT_EQ(summary, QStringLiteral("Kullanıcı: ALI\r\nCari     : DEMO LTD\r\nTutar    : 1.234,50"));
    const QStringList lines = summary.split("\r\n");
    ASSERT_EQ(lines.size(), 3);
    for (const QString& l : lines) EXPECT_EQ(l.indexOf(": ") + 2, 11) << l.toStdString();
}

}  // namespace
