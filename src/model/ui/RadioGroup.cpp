#include "model/ui/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include <algorithm>

namespace quon {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int itemIndex, QWidget* parent, int columns)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this))
{
    auto* grid = new QGridLayout(this);
    columns = std::max(1, columns);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i], this);
        group_->addButton(b, i);
        grid->addWidget(b, i % rows, i / rows);
        buttons_.push_back(b);
    }
    if (itemIndex >= 0 && itemIndex < count())
        buttons_[static_cast<size_t>(itemIndex)]->setChecked(true);
    connect(group_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            emit clicked();
    });
}

int RadioGroup::itemIndex() const { return group_->checkedId(); }

void RadioGroup::setItemIndex(int index)
{
    if (index == itemIndex())
        return;
    if (index < 0 || index >= count()) {
        // An exclusive group cannot uncheck its last button directly.
        group_->setExclusive(false);
        for (QRadioButton* b : buttons_)
            b->setChecked(false);
        group_->setExclusive(true);
        return;
    }
    buttons_[static_cast<size_t>(index)]->setChecked(true);
}

QString RadioGroup::itemText(int index) const
{
    return index >= 0 && index < count() ? buttons_[static_cast<size_t>(index)]->text() : QString();
}

QString RadioGroup::currentText() const { return itemText(itemIndex()); }

QRadioButton* RadioGroup::button(int index) const
{
    return index >= 0 && index < count() ? buttons_[static_cast<size_t>(index)] : nullptr;
}

} // namespace quon
