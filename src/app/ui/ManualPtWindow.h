// Window TManualPt (instance ManualPt): the corners of the diagram pointed
// by hand on the page. It shows the corner being pointed, the page position
// under the mouse and the four corners pointed so far; the main window's
// page view stores the clicks.
#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;
class QPushButton;

namespace quon {

struct IntPoint;

class TManualPt : public QWidget {
    Q_OBJECT

  public:
    explicit TManualPt(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr; // the corner being pointed
    QLabel* Label2 = nullptr; // "X=" under the mouse
    QLabel* Label3 = nullptr; // "Y=" under the mouse
    QLabel* Lbl2 = nullptr;   // one line per corner
    QLabel* Lbl4 = nullptr;
    QLabel* Lbl6 = nullptr;
    QLabel* Lbl8 = nullptr;
    QPushButton* Button1 = nullptr; // "Next"
    QPushButton* Button2 = nullptr; // "Cancel"
    QPushButton* Button3 = nullptr; // "Exit"

    uint8_t CurrentCorner = 2; // 2 Left Top, 4 Right Top, 6 Right Bottom, 8 Left Bottom

    // Starts a pointing at the first corner with every corner line reset.
    void startPointing();
    void NextClick();
    // The handler of Next and Exit, which goes by the button's caption.
    void Button1Click(QPushButton* sender);
    // Ends the pointing when enough corners were pointed or the user agrees
    // to end with too few; false when the pointing goes on.
    bool exitPointing();
    void showMousePosition(const IntPoint& page);
    void showCorner(uint8_t corner, const IntPoint& page);
    QLabel* cornerLabel(uint8_t corner) const;
    // Puts the window beside the main window, or where it does not cover
    // the page corner to be pointed next.
    void placeAwayFromCorner();

  protected:
    void showEvent(QShowEvent* e) override;
    // The title bar's close button ends the pointing as Exit does.
    void closeEvent(QCloseEvent* e) override;
};

extern TManualPt* ManualPt;

} // namespace quon
