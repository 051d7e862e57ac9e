// Window TGoToMoveNumber (instance GoToMoveNumber): the modal choice of a
// move number by slider or spin edit, centred on the screen.
#pragma once

#include <QDialog>
#include <QSpinBox>
#include <QString>

class QLabel;
class QPushButton;
class QSlider;

namespace quon {

// The spin edit of the dialog: it lets any digits through as typed, so that
// the dialog can shorten a number above the maximum by its last character
// (the arrows still stop at the maximum).
class TMoveSpinEdit : public QSpinBox {
    Q_OBJECT

  public:
    explicit TMoveSpinEdit(QWidget* parent = nullptr);
    QValidator::State validate(QString& input, int& pos) const override;
    QLineEdit* editor() const { return lineEdit(); }
};

class TGoToMoveNumber : public QDialog {
    Q_OBJECT

  public:
    static constexpr int ResultOk = 1;
    static constexpr int ResultCancel = 2;

    explicit TGoToMoveNumber(QWidget* parent = nullptr);

    // 1 go to GetMoveNumber, 2 cancel (also Escape and the close button).
    int ShowModal() { return exec(); }

    int GetMoveNumber() const;
    // n < 0 becomes 0.
    void SetMoveNumber(int n);
    // n <= 0 becomes 1; a game holds at most 500 moves, so more is 500.
    void SetMaxNumber(int n);

    // The text rule of the spin edit: while the number is above max, the
    // last character goes; the caret stays where it was when that is still
    // inside the text, else it goes to the end.
    struct Trimmed {
        QString text;
        int caret = 0;
    };
    static Trimmed TrimToMax(const QString& text, int caret, int max);

    void reject() override;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* FromNumberLabel = nullptr;
    QLabel* ToNumberLabel = nullptr;
    QSlider* MoveChooseSlider = nullptr;
    TMoveSpinEdit* MoveChooseSpinEdit = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void MoveChooseSpinEditChange(const QString& text);
    bool trimming_ = false;
};

extern TGoToMoveNumber* GoToMoveNumber;

} // namespace quon
