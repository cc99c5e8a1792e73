#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTableView>

#include "GridFixtures.h"
#include "grid/ColumnFitting.h"
#include "grid/DataGrid.h"

using namespace grid;
using namespace grid_test;

TEST(ColumnFitting, WidthIsWeightTimesTruncatedUnit) {
    struct Case {
        std::vector<int> weights;
        int gridWidth;
        std::vector<int> widths;
    };
    const Case cases[] = {
        // weights 20 over 1030 px: unit (1030 - 30) / 20 = 50
        {{1, 1, 2, 2, 3, 2, 2, 2, 2, 1, 2}, 1030, {50, 50, 100, 100, 150, 100, 100, 100, 100, 50, 100}},
        // (1049 - 30) / 20 = 50.95 truncates to 50
        {{3, 17}, 1049, {150, 850}},
        {{3, 17}, 1050, {153, 867}},
        // hidden columns are not passed; one column takes all but 30 px
        {{4}, 430, {400}},
        // no room or no weights: nothing sensible to give
        {{1, 2}, 30, {0, 0}},
        {{1, 2}, 10, {0, 0}},
        {{0, 0}, 500, {0, 0}},
        {{}, 500, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(fitColumnWidths(c.weights, c.gridWidth), c.widths) << c.gridWidth;
}

TEST(ColumnFitting, ScreensWiderThan1152FitByWeight) {
    EXPECT_FALSE(fitsByWeight(1024));
    EXPECT_FALSE(fitsByWeight(1152));
    EXPECT_TRUE(fitsByWeight(1153));
    EXPECT_TRUE(fitsByWeight(1920));
}

namespace {
struct FitFixture {
    data::MemTable table{"t"};
    DataGrid grid;
    FitFixture() {
        load(table, {{"KOD", FieldType::Text}, {"ADI", FieldType::Text}, {"GIZLI", FieldType::Text}, {"SABIT", FieldType::Text}},
             {{S("A1"), S("a rather long description that needs room"), S("x"), S("y")},
              {S("B2"), S("short"), S("x"), S("y")}});
        grid.setColumns({
            {"KOD", "Kod", 1},
            {"ADI", "Açıklama", 3},
            {"GIZLI", "Gizli", 5, {}, Visibility::HiddenOffered},
            {"SABIT", "Sabit", 2, {}, Visibility::Shown, CellKind::Text, IconSet::None, 77},
        });
        grid.attach(&table);
        grid.resize(1030, 400);
    }
};
}  // namespace

TEST(ColumnFitting, GridSizesVisibleColumnsByWeightAboveThreshold) {
    FitFixture f;
    f.grid.fitColumns(1153);
    // Visible weights 1 + 3; the fixed column keeps its 77 px: unit (1030 - 77 - 30) / 4 = 230.
    EXPECT_EQ(f.grid.columnWidth("KOD"), 230);
    EXPECT_EQ(f.grid.columnWidth("ADI"), 690);
    EXPECT_EQ(f.grid.columnWidth("SABIT"), 77);
    EXPECT_FALSE(f.grid.isColumnVisible("GIZLI"));

    // Showing the hidden column changes the sum of weights.
    f.grid.setColumnVisible("GIZLI", true);
    f.grid.fitColumns(1920);
    EXPECT_EQ(f.grid.columnWidth("KOD"), 102);  // (1030 - 77 - 30) / 9 = 102
    EXPECT_EQ(f.grid.columnWidth("GIZLI"), 510);
}

TEST(ColumnFitting, GridFitsContentAtOrBelowThreshold) {
    FitFixture f;
    f.grid.fitColumns(1152);
    const int kod = f.grid.columnWidth("KOD");
    const int adi = f.grid.columnWidth("ADI");
    // By content: the long description makes its column far wider than the code column,
    // and neither follows the weight unit.
    EXPECT_GT(adi, kod + 100);
    EXPECT_NE(adi, 690);
    const QFontMetrics fm(f.grid.view()->font());
    EXPECT_GE(adi, fm.horizontalAdvance("a rather long description that needs room"));
    EXPECT_EQ(f.grid.columnWidth("SABIT"), 77);
}

TEST(ColumnFitting, AutoWidthFollowsTheGridsWidth) {
    FitFixture f;
    f.grid.show();
    f.grid.setAutoWidth(true);
    for (int width : {700, 1200}) {
        f.grid.resize(width, 300);
        const int room = f.grid.view()->viewport()->width();
        const int used = f.grid.columnWidth("KOD") + f.grid.columnWidth("ADI") + f.grid.columnWidth("SABIT");
        EXPECT_EQ(f.grid.columnWidth("ADI"), 3 * f.grid.columnWidth("KOD"));
        EXPECT_LE(used, room) << width;
        EXPECT_GT(used, room - 4 - 77) << width;  // at most the truncation remainder is left over
    }
}
