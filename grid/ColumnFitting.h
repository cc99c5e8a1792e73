#pragma once
// The weight-based column width rule shared by the list grids.

#include <vector>

namespace grid {

// Screens wider than this size columns by weight; narrower ones fit columns to their content.
inline constexpr int kWeightFitMinScreenWidth = 1153;

inline bool fitsByWeight(int screenWidth) { return screenWidth >= kWeightFitMinScreenWidth; }

// Unit := trunc((gridWidth - 30) / sum of weights); each column gets weight x unit.
// Zero or negative weights count as nothing; a grid too narrow for any unit gives zero widths.
std::vector<int> fitColumnWidths(const std::vector<int>& weights, int gridWidth);

// The unit of the rule above (0 when there is no positive weight or no room).
int weightUnit(const std::vector<int>& weights, int gridWidth);

}  // namespace grid
