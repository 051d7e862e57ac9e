// The scanner: the ten operations the scanner window calls, in the order it
// calls them, on SANE.
//
// Every call that may wait on the device (listing devices, opening one,
// reading a page) runs on a worker thread while the calling thread keeps
// processing window events, so the window never freezes and a page can be
// cancelled. Only one operation runs at a time; a call made while another is
// running (from an event processed meanwhile) is refused.
//
// Results follow the scanning library's convention: non-zero is success.
// What went wrong is kept in lastError(), in words for the user. Where the
// program was built without SANE every device list is empty.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace quon {

class Scanner {
  public:
    struct Device {
        QString name; // what SANE opens it by
        QString description;
    };

    Scanner();
    ~Scanner();
    Scanner(const Scanner&) = delete;
    Scanner& operator=(const Scanner&) = delete;

    // True when the program was built with SANE.
    static bool builtWithSane();

    // The devices SANE finds now (empty on failure, with lastError set).
    std::vector<Device> devices();
    // The source chosen for the next scans; empty for the first listed.
    QString chosenSource() const { return chosen_; }

    // Lets the user choose the scanner from the devices found. Returns true
    // when one was chosen.
    bool SelectSource(QWidget* parent);
    // Opens the chosen scanner (or the first found).
    int Open();
    // The setting made before the others: a grey scan where the device
    // offers one, since the page becomes 1 bit anyway.
    int Setting(int value);
    // -1000..1000 spread over the device's brightness range.
    int SetBrightness(double brightness);
    // The scanned region in inches; the edges are put in order and clamped
    // to what the device can scan.
    int SetRegion(double left, double top, double right, double bottom);
    // -1 hides the device's own dialog, 0 shows it. SANE devices have none.
    int ShowUI(int hide);
    int SetResolution(double dpi);
    // Non-zero when a device is open.
    int IsReady() const;
    // Reads one page into `page`. `cancelled` is asked between reads; when
    // it answers true the page is abandoned. Returns 1 for a page, 0 when
    // none came (cancelled, no paper, a device error: see lastError()).
    int Acquire(QImage& page, const std::function<bool()>& cancelled);
    // Ends the session with the device; safe to call at any time.
    void Close();

    bool busy() const { return busy_; }
    QString lastError() const { return error_; }
    // Set when the last acquisition ended because it was cancelled.
    bool wasCancelled() const { return cancelled_; }
    // The device's real resolution after SetResolution, dots per inch.
    double resolution() const { return resolution_; }

  private:
    struct Sane;
    // Runs `job` on a worker thread, processing window events until it ends.
    void runPumping(const std::function<void()>& job, const std::function<void()>& whileWaiting = {});
    bool ensureInit();

    std::unique_ptr<Sane> sane_;
    QString chosen_;
    QString error_;
    double resolution_ = 0;
    bool busy_ = false;
    bool cancelled_ = false;
};

} // namespace quon
