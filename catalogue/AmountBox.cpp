#include "catalogue/AmountBox.h"

#include <QRegularExpressionValidator>

#include "catalogue/Pricing.h"
#include "data/NumberFormat.h"

namespace catalogue {

namespace {
data::NumberLocale separators() {
    const QLocale l;
    data::NumberLocale n;
    n.decimalSeparator = QString(l.decimalPoint()).toStdString();
    n.groupSeparator = QString(l.groupSeparator()).toStdString();
    return n;
}
}  // namespace

AmountBox::AmountBox(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setReadOnly(true);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-+]?[0-9.,]*")), this));
}

double AmountBox::value() const {
    QString t = text().trimmed();
    // A decimal separator typed last ("12,") still reads as the number before it.
    if (t.endsWith(QLocale().decimalPoint())) t.chop(QLocale().decimalPoint().size());
    if (t.isEmpty()) return 0;
    double v = 0;
    if (!data::parseNumber(t.toStdString(), separators(), v)) return 0;
    return Yuvarla2(v);
}

void AmountBox::setValue(double v) {
    const double rounded = Yuvarla2(v);
    if (rounded == 0)
        setText(QString());
    else
        setText(QString::fromStdString(data::formatNumber(rounded, data::kAmountFormat, separators())));
}

void AmountBox::setEditable(bool editable) {
    setReadOnly(!editable);
    setFocusPolicy(editable ? Qt::StrongFocus : Qt::ClickFocus);
}

void AmountBox::focusOutEvent(QFocusEvent* event) {
    if (!isReadOnly()) setValue(value());
    QLineEdit::focusOutEvent(event);
}

}  // namespace catalogue
