#pragma once
// A number box that holds an amount with two decimals: a value put in is stored rounded by
// Yuvarla2, 0 shows as an empty box and an empty box counts as 0. The value is shown with
// "#,###,##0.00" in the user's locale. Read-only unless made editable.

#include <QLineEdit>

namespace catalogue {

class AmountBox : public QLineEdit {
    Q_OBJECT
public:
    explicit AmountBox(QWidget* parent = nullptr);

    double value() const;
    void setValue(double v);
    void setEditable(bool editable);

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace catalogue
