#include "app/ColumnFitting.h"

std::vector<int> columnWidthsByWeight(const std::vector<int>& weights, int gridWidth) {
    int sum = 0;
    for (int w : weights)
        if (w > 0) sum += w;
    std::vector<int> widths(weights.size(), 0);
    if (sum == 0) return widths;
    const int unit = (gridWidth - 30) / sum;  // C++ division truncates toward zero
    if (unit <= 0) return widths;
    for (std::size_t i = 0; i < weights.size(); ++i)
        if (weights[i] > 0) widths[i] = weights[i] * unit;
    return widths;
}
