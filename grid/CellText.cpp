#include "grid/CellText.h"

#include <cmath>

namespace grid {

data::NumberLocale numberLocaleOf(const QLocale& locale) {
    data::NumberLocale n;
    n.decimalSeparator = locale.decimalPoint().toStdString();
    n.groupSeparator = locale.groupSeparator().toStdString();
    return n;
}

namespace {
const QDate kEpoch(1899, 12, 30);
}

QDateTime dateTimeFromDays(double days) {
    const double whole = std::floor(days);
    const double fraction = days - whole;
    const QDate date = kEpoch.addDays(static_cast<qint64>(whole));
    const int msecs = static_cast<int>(std::llround(fraction * 86400000.0));
    return QDateTime(date, QTime(0, 0)).addMSecs(msecs);
}

double daysFromDateTime(const QDateTime& dt) {
    const qint64 days = kEpoch.daysTo(dt.date());
    const double fraction = QTime(0, 0).msecsTo(dt.time()) / 86400000.0;
    return static_cast<double>(days) + fraction;
}

QString plainNumberText(double value, const QLocale& locale) {
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return l.toString(static_cast<qlonglong>(value));
    return l.toString(value, 'g', 15);
}

bool isNumericField(const data::Field& field) {
    return field.type == data::FieldType::Integer || field.type == data::FieldType::LargeInt ||
           field.type == data::FieldType::Float;
}

QString numberText(double value, const std::string& mask, bool integral, const CellTextContext& ctx) {
    if (!mask.empty()) return QString::fromStdString(data::formatNumber(value, mask, ctx.numbers));
    if (integral) return ctx.locale.toString(static_cast<qlonglong>(std::llround(value)));
    return plainNumberText(value, ctx.locale);
}

QString cellText(const data::Cell& cell, const data::Field& field, const CellTextContext& ctx) {
    if (data::cellIsNull(cell)) return {};
    if (const auto* s = std::get_if<std::string>(&cell)) return QString::fromStdString(*s);
    if (std::holds_alternative<wire::Blob>(cell)) return {};
    if (const auto* b = std::get_if<bool>(&cell)) return *b ? QStringLiteral("True") : QStringLiteral("False");
    const double v = data::cellToFloat(cell);
    if (field.type == data::FieldType::DateTime) {
        const QDateTime dt = dateTimeFromDays(v);
        QString text = dt.date().toString(QStringLiteral("dd.MM.yyyy"));
        if (dt.time() != QTime(0, 0)) text += QLatin1Char(' ') + dt.time().toString(QStringLiteral("HH:mm:ss"));
        return text;
    }
    if (!field.displayFormat.empty()) return QString::fromStdString(data::formatNumber(v, field.displayFormat, ctx.numbers));
    if (std::holds_alternative<std::int64_t>(cell)) {
        QLocale l = ctx.locale;
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l.toString(static_cast<qlonglong>(std::get<std::int64_t>(cell)));
    }
    return plainNumberText(v, ctx.locale);
}

}  // namespace grid
