// Window TForm4 (instance Form4): "Stop Scanning". It stays open beside the
// main window while a page is scanned or the photocopier runs, so that the
// user can end either; the button hides the window and asks them to stop.
#pragma once

#include <QWidget>

class QPushButton;

namespace quon {

class TForm4 : public QWidget {
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);

    QPushButton* Button1 = nullptr; // "Stop Scanning"

    // Shows the window with no stop asked yet, over the middle of `over`
    // when it was hidden.
    void startWatching(QWidget* over = nullptr);
    // Hides the window; a stop already asked stays asked until the next start.
    void stopWatching();
    bool stopRequested() const { return stop_; }

private:
    bool stop_ = false;
};

extern TForm4* Form4;

} // namespace quon
