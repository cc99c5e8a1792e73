#pragma once
// The quantity spin box of the stock detail dialog: whole numbers from 1 to 10000, starting
// at 1. Digits, the signs and the locale's decimal separator may be typed; the text is kept as
// typed (the recalculation takes 1 for a text that is not a whole number). Leaving the box
// pulls a whole number outside the range into it. Enter is reported, not handled.

#include <QAbstractSpinBox>

namespace catalogue {

class QuantityBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit QuantityBox(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    void setValue(long long v);

    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    void stepBy(int steps) override;

signals:
    void changed();       // every change of the text, typed or spun
    void enterPressed();  // Enter or Return

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace catalogue
