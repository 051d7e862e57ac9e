// Window TScanImage (instance ScanImage): the scanner settings and the scan
// of one page into the main window.
#pragma once

#include "app/ui/PageView.h"
#include "model/ui/ScannerSettings.h"
#include "platform/ui/Scanner.h"

#include <QPointer>
#include <QWidget>

class QPushButton;
class QSlider;

namespace quon {

class TScanImage : public QWidget, public ScannerSettings {
    Q_OBJECT

  public:
    explicit TScanImage(QWidget* parent = nullptr);

    QSlider* BrightnessSlider = nullptr;
    QSpinBox* RxSEWarm = nullptr; // "Warm", seconds; it has no effect
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The picture control a scan goes to; cleared by itself when that
    // control is destroyed, and a scan with no target does nothing.
    QPointer<PageView> ScanedImage;

    void RGScanSetClick() override;
    // Lets the user choose the scanner; says so when there is none.
    void TwainSelectSource(QWidget* window);
    // One page from the scanner into ScanedImage. True when a page came;
    // otherwise ScanedImage keeps the picture it had.
    bool TwainAcquire(QWidget* window);
    // Scans a page into the main window as the new page. True when a page
    // came; a failure has been reported (a stopped scan silently) and the
    // page in the window is the one from before.
    bool Button1Click();

    Scanner& scanner() { return scanner_; }

  private:
    // A change of a region edit goes into the same field of the current set.
    void storeRegion();
    bool loading_ = false;
    bool dialogNoted_ = false;
    Scanner scanner_;
};

extern TScanImage* ScanImage;

} // namespace quon
