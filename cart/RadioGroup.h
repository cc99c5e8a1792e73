#pragma once
// A titled group of radio buttons whose entries carry a text and an integer value, with the
// chosen entry by position (-1 when none is chosen).

#include <QButtonGroup>
#include <QGroupBox>
#include <QVector>

class QRadioButton;
class QVBoxLayout;

namespace cart {

class RadioGroup final : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(const QString& title, QWidget* parent = nullptr);

    void clear();
    void addEntry(const QString& text, int value);
    int count() const { return values_.size(); }
    int value(int index) const { return values_.at(index); }
    QString text(int index) const;
    int itemIndex() const;
    // Chooses the entry (no clicked signal); -1 chooses none.
    void setItemIndex(int index);
    QRadioButton* button(int index) const;

signals:
    // The user chose an entry.
    void clicked();

private:
    QButtonGroup group_;
    QVBoxLayout* layout_;
    QVector<int> values_;
};

}  // namespace cart
