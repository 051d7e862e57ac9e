// Window TOptions (instance Options): the settings store of the program.
//
// Other windows read its controls by name at the moment of use; a
// recognition run takes a snapshot() when it starts. The dialog derives the
// diagram geometry, the diagram type, the first-move colour and the moves
// before the diagram from its controls, loads every stored setting when it
// is created and writes them back when the program ends. OK and Cancel only
// hide it: a change is in force as soon as it is made.
#pragma once

#include "model/OptionsSnapshot.h"
#include "model/Recotypes.h"

#include <QDialog>

#include <utility>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace quon {

class RadioGroup;
class Registry;

// A line edit for a folder with a button that opens the folder dialog.
class DirectoryEdit : public QWidget {
    Q_OBJECT

  public:
    explicit DirectoryEdit(QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);
    QLineEdit* edit() const { return edit_; }
    QPushButton* browseButton() const { return browse_; }

  signals:
    void clicked();

  private:
    QLineEdit* edit_ = nullptr;
    QPushButton* browse_ = nullptr;
};

class TOptions : public QDialog {
    Q_OBJECT

  public:
    explicit TOptions(QWidget* parent = nullptr);
    ~TOptions() override;

    // The result of a modal run ended by "&Help" (OK gives Accepted, Cancel
    // Rejected).
    static constexpr int HelpResult = 2;
    // Shows the dialog modally on the given page and returns its result.
    int execOnPage(QWidget* page);

    // The values a recognition run reads, from the controls as they are now.
    OptionsSnapshot snapshot() const;

    // Loading and saving the settings.
    void FormCreate();
    void FormDestroy();
    void SaveSettings();

    // Handlers, named after their controls. Most are connected to them; they
    // are public because other windows start some of them.
    void RGBoardSizeClick();
    void RGDiaSizeClick();
    void RGHalfBoardClick();
    void RGCornerClick();
    void RGDiaTypeClick();
    void RxSEVLinesChange();
    void RxSEHLinesChange();
    void RxSEBoardSizeChange();
    void RxSETopChange();
    void RxSEBottomChange();
    void RxSELeftChange();
    void RxSERightChange();
    void seMoveCorChange();
    void seHadicapChange();
    void rg1stMoveClick();
    void SEMoveNumbersExit();
    void seDiaNumMovesChange();
    void rgHandiAutoClick();
    void CBAskNumMovesClick();
    void rgNumMovesClick();
    void rgOpenGameClick();
    void CBAutoSaveClick();
    void OKBtnClick();
    void CancelBtnClick();
    void ShowBounds();

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabGameInput = nullptr;
    QWidget* TabRecognize = nullptr;
    QWidget* TabDiagram = nullptr;
    QWidget* TabLinearInput = nullptr;
    QWidget* TabEmail = nullptr;
    QWidget* TabPhotocopier = nullptr;

    // Page "Game input".
    RadioGroup* rgNumMoves = nullptr;
    QDoubleSpinBox* seNumMoves = nullptr;
    RadioGroup* rg1stMove = nullptr;
    RadioGroup* rgHandiAuto = nullptr;
    QDoubleSpinBox* seHandicap = nullptr;
    QDoubleSpinBox* SENdias = nullptr; // diagrams of the game, 0 = not known
    QComboBox* CBTypN = nullptr;
    QSpinBox* seNDia = nullptr; // current diagram number
    QSpinBox* se1stMove = nullptr;
    QDoubleSpinBox* seDiaNumMoves = nullptr;
    QSpinBox* seMoveCor = nullptr;
    QCheckBox* CheckBox2 = nullptr;

    // Page "Recognize".
    QCheckBox* CBAskNumMoves = nullptr;
    QCheckBox* cbIRLog1 = nullptr;
    QCheckBox* CBFillArI = nullptr;
    QSpinBox* SEstszBx = nullptr;
    QSpinBox* SEstszBy = nullptr;
    QSpinBox* SEstszWx = nullptr;
    QSpinBox* SEstszWy = nullptr;
    QCheckBox* CBUsaStSz = nullptr;
    QComboBox* CBDiaBright = nullptr;
    QComboBox* cbTypSource = nullptr;
    QCheckBox* CBThinDig = nullptr;
    QCheckBox* cbUseStSz = nullptr;
    QCheckBox* cbUseStSzCurGm = nullptr;
    QCheckBox* CBAutoSendRecoDiatoSkarn = nullptr;
    QCheckBox* CBSkarnPrefer = nullptr;

    // Page "Diagram".
    RadioGroup* RGDiaSize = nullptr;
    RadioGroup* RGBoardSize = nullptr;
    QDoubleSpinBox* RxSEBoardSize = nullptr;
    RadioGroup* RGHalfBoard = nullptr;
    RadioGroup* RGCorner = nullptr;
    QDoubleSpinBox* RxSEVLines = nullptr;
    QDoubleSpinBox* RxSEHLines = nullptr;
    QDoubleSpinBox* RxSETop = nullptr;
    QDoubleSpinBox* RxSELeft = nullptr;
    QDoubleSpinBox* RxSERight = nullptr;
    QDoubleSpinBox* RxSEBottom = nullptr;
    RadioGroup* RGDiaType = nullptr;
    RadioGroup* RGND = nullptr;
    QDoubleSpinBox* RxSEND1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;

    // Page "Linear Input".
    RadioGroup* rgOpenGame = nullptr;
    QCheckBox* cbJumpOverStones = nullptr;
    QCheckBox* cbShowNumbers = nullptr;
    QCheckBox* cbAutoreplace = nullptr;
    QCheckBox* cbSmartEnter = nullptr;
    QCheckBox* cbBeep = nullptr;
    QPushButton* Button1 = nullptr;

    // Page "E-mail".
    QLineEdit* EQuone_mail = nullptr;
    QLineEdit* Ee_mail = nullptr;
    QLineEdit* ESMTPserver = nullptr;
    QLineEdit* EUserID = nullptr;
    QSpinBox* SENumMailGms = nullptr;
    QCheckBox* CheckBox3 = nullptr;

    // Page "Photocopier".
    QCheckBox* CBPhCopyPrint = nullptr;
    QCheckBox* CBPhCopyFile = nullptr;
    QCheckBox* CBPhCopy = nullptr;
    QCheckBox* CBAutoSave = nullptr;
    DirectoryEdit* DEAutoSave = nullptr;
    QCheckBox* CBAutoConfirm = nullptr;
    QLineEdit* EFileMaskAutoSave = nullptr;
    QDoubleSpinBox* RXsEAutoIncrementAutoSave = nullptr;
    QDoubleSpinBox* RxLastPage = nullptr;
    RadioGroup* RGAutoRotate = nullptr;
    QDoubleSpinBox* RxSPrintDelay = nullptr;
    QCheckBox* CBAutocopy = nullptr;
    QCheckBox* CBTypImage = nullptr;
    QCheckBox* CBLinkWindows = nullptr;

    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

  protected:
    void showEvent(QShowEvent* e) override;

  private:
    void setBound(QDoubleSpinBox* edit, int32_t& bound, int value);
    std::pair<int, int> partLines() const;
    void setPartWindow(DiagramRect w);
    void buildGameInputPage();
    void buildRecognizePage();
    void buildDiagramPage();
    void buildLinearInputPage();
    void buildEmailPage();
    void buildPhotocopierPage();
    void connectHandlers();

    // The two groups of stored values: the diagram, the game date and the
    // mail settings; the scanner and the photocopier.
    enum : unsigned { Group1 = 1, Group2 = 2 };
    void saveTo(Registry& reg, unsigned groups);
    void loadGroup1(const Registry& reg);
    void loadGroup2(const Registry& reg);
    // Runs the computation of the chosen board part again after the board
    // size has changed, so the window never lies outside the board.
    void followBoardSize();
    // Brings the four bound edits inside the board and takes them as the
    // window.
    void takeArbitraryBounds();
    // Enables exactly the controls that belong to the chosen board part.
    void enablePartControls(int part);

    bool centred_ = false;
};

extern TOptions* Options;

// The folder automatic page names go to when nothing is stored.
QString defaultAutoSaveFolder();

} // namespace quon
