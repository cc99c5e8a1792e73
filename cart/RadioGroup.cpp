#include "cart/RadioGroup.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace cart {

RadioGroup::RadioGroup(const QString& title, QWidget* parent) : QGroupBox(title, parent), layout_(new QVBoxLayout(this)) {
    setAccessibleName(title);
    layout_->setContentsMargins(8, 4, 8, 4);
    layout_->setSpacing(2);
    layout_->addStretch(1);
    group_.setExclusive(true);
    connect(&group_, &QButtonGroup::idClicked, this, [this](int) { emit clicked(); });
}

void RadioGroup::clear() {
    for (QAbstractButton* b : group_.buttons()) {
        group_.removeButton(b);
        delete b;
    }
    values_.clear();
}

void RadioGroup::addEntry(const QString& text, int value) {
    auto* b = new QRadioButton(text, this);
    b->setAccessibleName(text);
    b->setToolTip(text);  // the group is narrow; long names are cut
    group_.addButton(b, values_.size());
    layout_->insertWidget(layout_->count() - 1, b);
    values_.push_back(value);
}

QString RadioGroup::text(int index) const {
    QAbstractButton* b = group_.button(index);
    return b ? b->text() : QString();
}

int RadioGroup::itemIndex() const { return group_.checkedId(); }

void RadioGroup::setItemIndex(int index) {
    if (index < 0 || index >= values_.size()) {
        // An exclusive group cannot uncheck its checked button directly.
        group_.setExclusive(false);
        for (QAbstractButton* b : group_.buttons()) b->setChecked(false);
        group_.setExclusive(true);
        return;
    }
    group_.button(index)->setChecked(true);
}

QRadioButton* RadioGroup::button(int index) const { return qobject_cast<QRadioButton*>(group_.button(index)); }

}  // namespace cart
