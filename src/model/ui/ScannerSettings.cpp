#include "model/ui/ScannerSettings.h"

namespace quon {

namespace {
ScannerSettings* current = nullptr;
}

ScannerSettings::ScannerSettings()
{
    ScanRectTop.fill(1);
    ScanRectLeft.fill(1);
    ScanRectBottom.fill(10);
    ScanRectRight.fill(10);
    current = this;
}

ScannerSettings::~ScannerSettings()
{
    if (current == this)
        current = nullptr;
}

ScannerSettings* ScannerSettings::instance() { return current; }

} // namespace quon
