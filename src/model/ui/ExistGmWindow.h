// Window TExistGm (instance ExistGm, caption "Game Info"): the root
// information of the current game. The record reader fills it, the record
// writer reads it, and its "Save Game" completes the history lists, composes
// the game-time text and saves the game. The five history lists live as text
// files in the start folder, loaded when the dialog is created and written
// when the program ends.
#pragma once

#include "model/GameInfo.h"

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace quon {

class TExistGm : public QWidget {
    Q_OBJECT

  public:
    explicit TExistGm(QWidget* parent = nullptr);

    QComboBox* EBlack = nullptr;
    QComboBox* EWhite = nullptr;
    QSpinBox* seRat_B = nullptr;
    QLineEdit* ERat_B1 = nullptr;
    QSpinBox* seRat_W = nullptr;
    QLineEdit* eRat_W1 = nullptr;
    QLineEdit* eRat_B = nullptr;
    QLineEdit* eRat_W = nullptr;
    QSpinBox* seBGameTimeH = nullptr;
    QSpinBox* seBGameTimeM = nullptr;
    QSpinBox* seWGameTimeH = nullptr;
    QSpinBox* seWGameTimeM = nullptr;
    QLineEdit* eGameTime = nullptr;
    QButtonGroup* rgResult = nullptr; // id 0 "Black", 1 "White"
    QRadioButton* rbBlack = nullptr;
    QRadioButton* rbWhite = nullptr;
    QLineEdit* EResult = nullptr;
    QLineEdit* EDate = nullptr;
    QLineEdit* EKomi = nullptr;
    QSpinBox* seHandicap = nullptr;
    QComboBox* ESource = nullptr;
    QLineEdit* ESourcePage = nullptr;
    QSpinBox* seNPage = nullptr;
    QSpinBox* seNDia = nullptr;
    QComboBox* eTourn = nullptr;
    QComboBox* eRound = nullptr;
    QComboBox* ePlace = nullptr;
    QLineEdit* EUser = nullptr;
    QLineEdit* ENumMoves = nullptr;
    QPushButton* Button1 = nullptr; // "Save Game"
    QPushButton* Button2 = nullptr; // "Cancel"

    // The fields as the record reader and writer see them.
    GameInfo info() const;
    void setInfo(const GameInfo& info);

    void FormCreate();  // loads the history lists
    void FormDestroy(); // writes them
    void Button1Click();
    void Button2Click();

    // The entries of a combo box's list, in order.
    static std::vector<std::string> listOf(const QComboBox* box);
};

extern TExistGm* ExistGm;

} // namespace quon
