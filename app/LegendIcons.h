#pragma once
// Pictures of the stock states for the status legend: 0 none, 1 in stock, 2 call us,
// 3 on the way, 4 special order, 5 in procurement.

#include <QPixmap>

QPixmap stockLegendPixmap(int code, int size);
