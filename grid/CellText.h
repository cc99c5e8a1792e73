#pragma once
// How table cells read as text in the grid: numbers with the field's display format in the
// user's locale, dates in the locale's short form, the rest as they are.

#include <QDateTime>
#include <QLocale>
#include <QString>

#include "data/MemTable.h"
#include "data/NumberFormat.h"

namespace grid {

// The separators of a Qt locale in the form the mask formatter takes.
data::NumberLocale numberLocaleOf(const QLocale& locale);

// Days since 1899-12-30 with the time of day as the fraction, as a local date-time.
QDateTime dateTimeFromDays(double days);
double daysFromDateTime(const QDateTime& dt);

// A number without a display format: integers as they are, others with up to 15 significant
// digits and the locale's decimal separator, no grouping.
QString plainNumberText(double value, const QLocale& locale);

struct CellTextContext {
    QLocale locale = QLocale::system();
    data::NumberLocale numbers = numberLocaleOf(QLocale::system());
};

QString cellText(const data::Cell& cell, const data::Field& field, const CellTextContext& ctx);
// A number formatted with a mask, or plainly when the mask is empty.
QString numberText(double value, const std::string& mask, bool integral, const CellTextContext& ctx);

bool isNumericField(const data::Field& field);

}  // namespace grid
