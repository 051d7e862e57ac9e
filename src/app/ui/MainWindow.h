// Window TForm1 (instance Form1): the main window with the page image and
// the main menu.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QPoint>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class QMenu;
class QPrinter;
class QScrollArea;

namespace quon {

enum class GameEditMode; // model/GameController.h

class PageView;
struct MenuItemDef;
struct DiagramSnapshot;

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Every menu item by its name ("Open1", "AutoRecognition1", ...).
    QAction* item(const std::string& name) const;
    QMenu* menu(const std::string& name) const;
    const std::map<std::string, QAction*>& items() const { return items_; }

    // Items whose check state other windows read.
    QAction* Editmovesmode1 = nullptr;
    QAction* Addmovesmode1 = nullptr;
    QAction* AddBlackstone1 = nullptr;
    QAction* AddWhitestone1 = nullptr;
    QAction* DeleteStaticstone1 = nullptr;
    QAction* Jumpsoverstones1 = nullptr;
    QAction* ManualCornersPointing1 = nullptr;
    QAction* DebugWindow1 = nullptr;
    QAction* DebugMode1 = nullptr;
    QAction* DebugMode2 = nullptr;
    QAction* DebugRecDigits1 = nullptr;
    QAction* Gridvisible1 = nullptr;
    QAction* AutoRecognition1 = nullptr;
    QAction* Recognition1 = nullptr;
    QAction* OpenLastImage1 = nullptr;
    QAction* Fitinwindow1 = nullptr;
    QAction* FullSize1 = nullptr;

    // The page picture (bit 0 black) and its view.
    PageView* Image1 = nullptr;
    int ShownWidth = 1;
    int ShownHeight = 1;

    // Page commands.
    void Open1Click();
    bool openPageFile(const QString& path); // Open Image after the dialog
    void SetupImage();
    void FillImageArray();
    void CheckColor();

    // Game records. OpenGame0 returns the move count read, 0 when the dialog
    // was cancelled, and TRWSGF::ReadFailed when the file could not be read
    // (its message shown, nothing changed).
    int OpenGame0(int mode); // 1 SGF or MGT, 2 QCR
    void OpenSGFgame1Click();
    void OpenQCRgame1Click();
    void QCRfile1Click();
    void InitGame();
    bool ReadGame1();

    // Recognition commands and the start of a diagram.
    void Preparing1Click();
    void Recognition1Click();
    void AutoRecognition1Click();
    void GotonextMistake1Click();
    void GotonextDoublemove1Click();
    void NewDia(int n);
    // True while a recognition command runs (events are processed then, and
    // a second command must not start inside it).
    bool recognitionBusy() const { return busy_; }
    // Page image operations: zoom, rotation, printing, saving, reopening.
    void FullSize1Click();
    void N751Click();
    void N501Click();
    void N251Click();
    void N1251Click();
    void N1501Click();
    void Fitinwindow1Click();
    void ViewImage(QAction* item); // the command of every zoom item
    void Other1Click();
    void Left90Click();
    void Right90Click();
    void N180Click();
    void ArbitraryCWClick();
    void ArbitraryCCWClick();
    void RotateMenu(const std::string& itemName);
    void RotateImage(long double angle); // radians, clockwise on the screen
    void PrintImage1Click();
    void PrintSetup1Click();
    void Save1Click();
    // The two as steps of a longer command: true when the page was printed
    // or saved, false when the dialog was cancelled or the step failed (a
    // failure has been reported).
    bool printPage();
    bool savePage();
    void OpenLastImage1Click();
    QString SaveDialog1FileName; // the save dialog's proposal, set by callers
    QPrinter& printer();         // the printer of Print Image and Print Setup
    // The view recomputed for the last zoom command (the window's client
    // area under "Fit to window").
    void refitView();
    QSize clientSize() const;

    // Corner pointing, the crop and the probe: the mouse on the page.
    void CropImage1Click();
    void ManualCornersPointing1Click();
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void Image1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void Image1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    // The right-button probe of one stone at a page position. The stone
    // reader is not part of the program yet, so the probe reads nothing.
    void RecoStone(int x, int y);
    // Runs after every crop ends, cropped or not; a photocopier page that
    // waits for its crop finishes here.
    std::function<void()> OnCropEnded;

    // Scanning and the photocopier.
    void SelectSource1Click();
    void Acquire2Click();
    void Photocopier1Click();
    // Prints and saves the photocopier's page as the options say. False
    // when a step failed or was cancelled: the run ends then.
    bool FinishCopy();
    // Saves the page under the next automatic name; false as FinishCopy.
    bool AutoSaveImage();
    // Waits the options' delay before the next page, processing events;
    // false when Stop Scanning was pressed meanwhile.
    bool waitBeforeNextPage();
    bool photocopying() const { return photocopying_; }
    // A photocopied page that waited for its crop is finished, and the next
    // one follows when the options say so.
    void photocopierCropEnded();

    // Small commands of the menu.
    void Close1Click();
    void Exit1Click();
    void Addmove1Click();
    void Jumpsoverstones1Click();
    // Linear input and the diagrams of the typed game.
    void LinearInput1Click();
    void NextDia1Click();
    void PreviousDia1Click();
    void GotoMoveNumber1Click();
    void Movealldown1Click();
    void Movelineright1Click();
    void Movelineleft1Click();
    void Movelineup1Click();
    void Movelinedown1Click();
    // The board edit the Game and Board menus have checked.
    GameEditMode editMode() const;
    void SetScanReg11Click();
    void SetScanReg21Click();
    void selectScanSet(int index);
    void Set1diaGame1Click();
    void Set2diaGame1Click();
    void ReloadDigits1Click();
    void LoadSetofdigits1Click();
    void Contents1Click();
    void QuonHomepage1Click();
    void About1Click();
    // The recognised game as a picture through the diagram editor.
    void EMFfile1Click();
    void BMPfile1Click();
    void CopyEMFDiatoClipBoard1Click();
    void CopyBMPDiatoClipBoard1Click();
    void CopyEMFDiatoClipBoard2Click();
    void showWindow(QWidget* w);
    // Ties the menu to the windows created after the main window.
    void linkWindows();

    // Start and end of the window's life.
    void FormCreate();
    void FormDestroy();
    void FormActivate();
    bool firstActivationDone() const { return activated_; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenu();
    void runCommand(void (TForm1::*command)());
    void loadDigitSet(const QString& path);
    void openGame(int mode);
    void setupPageOperations();
    void setShown(int width, int height);

    void prepareStep();
    void sendToDiagramEditor();
    void recognitionStep();

    std::map<std::string, QAction*> items_;
    bool busy_ = false;
    // The tables as the last preparation left them: a second Recognition of
    // the same diagram starts from them.
    std::unique_ptr<DiagramSnapshot> prepared_;
    std::map<std::string, QMenu*> menus_;
    QScrollArea* scroll_ = nullptr;
    bool activated_ = false;
    std::unique_ptr<QPrinter> printer_;
    int zoomPercent_ = 0; // the last zoom command's percentage; 0 = fit to window
    QPoint cropAnchor_;   // where the left button went down on the page
    bool photocopying_ = false;
};

extern TForm1* Form1;

} // namespace quon
