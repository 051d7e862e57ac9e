// Window TDebug1 (instance Debug1): the recognition log, the values of one
// grid point and the fields the debug dumps write into.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quon {

class TDebug1 : public QDialog {
    Q_OBJECT

  public:
    // Results of a modal showing.
    static constexpr int ResultOK = QDialog::Accepted;
    static constexpr int ResultCancel = QDialog::Rejected;
    static constexpr int ResultContinue = 2;

    explicit TDebug1(QWidget* parent = nullptr);
    ~TDebug1() override;

    QListWidget* ListBox1 = nullptr; // the recognition log
    QListWidget* ListBox2 = nullptr; // the values of one grid point
    QLabel* Image1 = nullptr;        // 81 x 81
    QLabel* Image2 = nullptr;        // 16 x 16
    QLineEdit* ESize1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* Button1 = nullptr; // "OK"
    QPushButton* Button2 = nullptr; // "Cancel"
    QPushButton* Button3 = nullptr; // "Continue"

  private:
    void showLog();
};

extern TDebug1* Debug1;

} // namespace quon
