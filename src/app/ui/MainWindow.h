// Window TForm1 (instance Form1): the main window with the page image and
// the main menu.
#pragma once

#include <QImage>
#include <QMainWindow>

#include <map>
#include <string>

class QAction;
class QMenu;
class QScrollArea;

namespace quon {

class PageView;
struct MenuItemDef;

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

    // Small commands of the menu.
    void Close1Click();
    void Exit1Click();
    void Addmove1Click();
    void Jumpsoverstones1Click();
    void Set1diaGame1Click();
    void Set2diaGame1Click();
    void ReloadDigits1Click();
    void LoadSetofdigits1Click();
    void Contents1Click();
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
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenu();
    void runCommand(void (TForm1::*command)());
    void loadDigitSet(const QString& path);
    void openGame(int mode);

    std::map<std::string, QAction*> items_;
    std::map<std::string, QMenu*> menus_;
    QScrollArea* scroll_ = nullptr;
    bool activated_ = false;
};

extern TForm1* Form1;

} // namespace quon
