#include "catalogue/QuantityBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <algorithm>

#include "catalogue/Pricing.h"

namespace catalogue {

QuantityBox::QuantityBox(QWidget* parent) : QAbstractSpinBox(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setKeyboardTracking(true);
    lineEdit()->setText(QStringLiteral("1"));
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { emit changed(); });
}

QString QuantityBox::text() const {
    return lineEdit()->text();
}

void QuantityBox::setText(const QString& text) {
    lineEdit()->setText(text);
}

void QuantityBox::setValue(long long v) {
    setText(QString::number(std::clamp<long long>(v, kAdetEnAz, kAdetEnCok)));
}

QValidator::State QuantityBox::validate(QString& input, int&) const {
    const QChar decimal = QLocale().decimalPoint().at(0);
    for (QChar c : input)
        if (!(c.isDigit() && c.unicode() < 128) && c != u'+' && c != u'-' && c != decimal) return QValidator::Invalid;
    const auto v = tamSayiOku(input);
    return v && *v >= kAdetEnAz && *v <= kAdetEnCok ? QValidator::Acceptable : QValidator::Intermediate;
}

void QuantityBox::fixup(QString&) const {}

void QuantityBox::stepBy(int steps) {
    const auto current = tamSayiOku(text());
    const long long base = current ? std::clamp<long long>(*current, kAdetEnAz, kAdetEnCok) : kAdetEnAz;
    setText(QString::number(std::clamp<long long>(base + steps, kAdetEnAz, kAdetEnCok)));
    lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled QuantityBox::stepEnabled() const {
    const auto v = tamSayiOku(text());
    if (!v) return StepUpEnabled | StepDownEnabled;
    StepEnabled e = StepNone;
    if (*v < kAdetEnCok) e |= StepUpEnabled;
    if (*v > kAdetEnAz) e |= StepDownEnabled;
    return e;
}

void QuantityBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void QuantityBox::focusOutEvent(QFocusEvent* event) {
    const QString pulled = adetAraligaCek(text());
    if (pulled != text()) setText(pulled);
    QAbstractSpinBox::focusOutEvent(event);
}

}  // namespace catalogue
