#include "editor/ui/StoredFields.h"

#include "platform/ui/Registry.h"

#include <QComboBox>
#include <QSpinBox>

#include <algorithm>

namespace quon {

int32_t fieldValue(const QWidget* control)
{
    if (auto* spin = qobject_cast<const QSpinBox*>(control))
        return spin->value();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentIndex();
    return 0;
}

void setFieldValue(QWidget* control, int32_t value)
{
    if (auto* spin = qobject_cast<QSpinBox*>(control))
        spin->setValue(value); // the spin box keeps the value in its range
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setCurrentIndex(std::clamp(value, 0, std::max(0, combo->count() - 1)));
}

void setFieldDefaults(const std::vector<StoredField>& fields)
{
    for (const StoredField& f : fields)
        setFieldValue(f.control, f.defaultValue);
}

void readStoredFields(const Registry& reg, const std::vector<StoredField>& fields)
{
    for (const StoredField& f : fields)
        if (const auto v = reg.tryReadInteger(f.name))
            setFieldValue(f.control, *v);
}

void writeStoredFields(Registry& reg, const std::vector<StoredField>& fields)
{
    for (const StoredField& f : fields)
        reg.WriteInteger(f.name, fieldValue(f.control));
}

QSpinBox* rangedSpin(QWidget* parent, const char* name, int32_t min, int32_t max, int32_t initial)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(min, max);
    spin->setValue(initial);
    return spin;
}

} // namespace quon
