#include "grid/ColumnFitting.h"

#include <algorithm>

namespace grid {

int weightUnit(const std::vector<int>& weights, int gridWidth) {
    long long sum = 0;
    for (int w : weights) sum += std::max(w, 0);
    if (sum <= 0) return 0;
    const long long room = static_cast<long long>(gridWidth) - 30;
    if (room <= 0) return 0;
    return static_cast<int>(room / sum);  // truncates toward zero
}

std::vector<int> fitColumnWidths(const std::vector<int>& weights, int gridWidth) {
    const int unit = weightUnit(weights, gridWidth);
    std::vector<int> widths;
    widths.reserve(weights.size());
    for (int w : weights) widths.push_back(std::max(w, 0) * unit);
    return widths;
}

}  // namespace grid
