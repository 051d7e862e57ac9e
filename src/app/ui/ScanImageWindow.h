// Window TScanImage (instance ScanImage): the scanner settings. For now it
// holds only what the options store and select; scanning itself comes later.
#pragma once

#include "model/ui/ScannerSettings.h"

#include <QWidget>

namespace quon {

class TScanImage : public QWidget, public ScannerSettings {
    Q_OBJECT

  public:
    explicit TScanImage(QWidget* parent = nullptr);

    void RGScanSetClick() override;

  private:
    // A change of a region edit goes into the same field of the current set.
    void storeRegion();
    bool loading_ = false;
};

extern TScanImage* ScanImage;

} // namespace quon
