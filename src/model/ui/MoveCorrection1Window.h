// Window TMoveCorrection1 (instance MoveCorrection1): the modal question
// "which move number is this stone?" of the corrections. The caller sets
// Label1 to its question, fills cbNoMove with candidate numbers, places the
// dialog near the stone and reads RxSE1 after result 1.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace quon {

class TMoveCorrection1 : public QDialog {
    Q_OBJECT

  public:
    // Modal results.
    static constexpr int ResultOk = 1;
    static constexpr int ResultNoMove = 7;
    static constexpr int ResultCancel = 2;

    explicit TMoveCorrection1(QWidget* parent = nullptr);

    // Shows the dialog modally: 1 OK (use RxSE1), 7 "No Move", 2 Cancel
    // (also the window's close button and Escape).
    int ShowModal() { return exec(); }

    QLabel* Label1 = nullptr;
    QSpinBox* RxSE1 = nullptr;      // the move number to use, 0..500
    QComboBox* cbNoMove = nullptr;  // candidates, one number per item
    QPushButton* Button1 = nullptr; // "OK"
    QPushButton* Button3 = nullptr; // "No Move"
    QPushButton* Button2 = nullptr; // "Cancel"

    // A candidate chosen from cbNoMove: RxSE1 takes its number, the first
    // item with that text leaves the list and the dialog closes with 1.
    // An empty text, or one that is not a move number, changes nothing.
    void cbNoMoveSelect(int index);

    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TMoveCorrection1* MoveCorrection1;

} // namespace quon
