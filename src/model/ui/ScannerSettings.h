// The scanner window's settings that the options keep in the registry: the
// TWAIN dialog switch, resolution, brightness and the two scan-region sets.
//
// The scanner window belongs to the application layer, which is built on top
// of this one; it derives from this class and so lends the options its
// controls without the options depending on that layer.
#pragma once

#include "model/CheckedArray.h"

class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;

namespace quon {

class RadioGroup;

class ScannerSettings {
  public:
    ScannerSettings();
    virtual ~ScannerSettings();
    ScannerSettings(const ScannerSettings&) = delete;
    ScannerSettings& operator=(const ScannerSettings&) = delete;

    QCheckBox* cbDisTw = nullptr;      // "Disable Twain dialog"
    QSpinBox* seResol = nullptr;       // dots per inch
    QSpinBox* SEBrightness = nullptr;  // -1000..1000
    RadioGroup* RGScanSet = nullptr;   // "Set 1", "Set 2"
    QDoubleSpinBox* seTopSR = nullptr; // region of the current set, inches
    QDoubleSpinBox* seLeftSR = nullptr;
    QDoubleSpinBox* seBottomSR = nullptr;
    QDoubleSpinBox* seRightSR = nullptr;

    // The two stored scan regions, inches, sets 0 and 1. Both start as
    // (1, 1, 10, 10), the region the edits show at first start.
    Array1<double, 0, 1> ScanRectTop{};
    Array1<double, 0, 1> ScanRectLeft{};
    Array1<double, 0, 1> ScanRectBottom{};
    Array1<double, 0, 1> ScanRectRight{};

    // Loads the region of the chosen set into the four edits.
    virtual void RGScanSetClick() = 0;

    // The scanner window while it exists, else nullptr.
    static ScannerSettings* instance();
};

} // namespace quon
