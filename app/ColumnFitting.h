#pragma once
// The column-fitting rule of the page grids: on screens wider than 1152 px each visible column
// gets weight x trunc((grid width - 30) / sum of weights); narrower screens fit to content.

#include <vector>

inline constexpr int kBestFitMaxScreenWidth = 1152;

// True when a screen of this width sizes columns by weight (false: best fit by content).
inline bool sizesByWeight(int screenWidth) { return screenWidth > kBestFitMaxScreenWidth; }

// Widths for the visible columns' weights. Weights of 0 or less get 0; a grid too narrow for a
// positive unit gives all zeros.
std::vector<int> columnWidthsByWeight(const std::vector<int>& weights, int gridWidth);
