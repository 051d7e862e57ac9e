// The numeric fields and lists of the editor's settings dialogs that are kept
// in the registry, each under its own value name with a default.
//
// Nothing read from the registry is trusted: a value that is missing or of
// another type leaves the field as it was, and every value put into a field
// (from the registry, the defaults or the user) is clamped to the field's
// range; a list takes an index of one of its entries only.
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

class QComboBox;
class QSpinBox;
class QWidget;

namespace quon {

class Registry;

struct StoredField {
    QString name;     // registry value name
    QWidget* control; // a QSpinBox or a QComboBox
    int32_t defaultValue;
};

int32_t fieldValue(const QWidget* control);
void setFieldValue(QWidget* control, int32_t value);

void setFieldDefaults(const std::vector<StoredField>& fields);
// Reads every stored value of the open key into its field.
void readStoredFields(const Registry& reg, const std::vector<StoredField>& fields);
void writeStoredFields(Registry& reg, const std::vector<StoredField>& fields);

// A spin box named `name` with its range and first value.
QSpinBox* rangedSpin(QWidget* parent, const char* name, int32_t min, int32_t max, int32_t initial);

} // namespace quon
