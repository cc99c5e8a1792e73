#include <gtest/gtest.h>

#include "app/ColumnFitting.h"

namespace {

TEST(ColumnFitting, WidthIsWeightTimesUnit) {
    const struct {
        std::vector<int> weights;
        int gridWidth;
        std::vector<int> widths;
    } cases[] = {
        {{20}, 1030, {1000}},                   // unit 50
        {{5, 10, 5}, 1030, {250, 500, 250}},    // unit 50
        {{3, 4}, 1000, {414, 552}},             // (1000 - 30) / 7 = 138.57 -> 138
        {{5, 0, 5}, 1030, {500, 0, 500}},       // weight 0 takes no share
        {{}, 1030, {}},
        {{0, 0}, 1030, {0, 0}},                 // no weights: nothing to share
        {{20}, 40, {0}},                        // narrower than one unit
        {{20}, 10, {0}},                        // narrower than the margin
    };
    for (const auto& c : cases) EXPECT_EQ(columnWidthsByWeight(c.weights, c.gridWidth), c.widths) << c.gridWidth;
}

TEST(ColumnFitting, BestFitOnScreensUpTo1152) {
    EXPECT_FALSE(sizesByWeight(1024));
    EXPECT_FALSE(sizesByWeight(1152));
    EXPECT_TRUE(sizesByWeight(1153));
    EXPECT_TRUE(sizesByWeight(1366));
}

}  // namespace
