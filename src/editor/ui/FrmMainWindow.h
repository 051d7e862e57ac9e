// Window TFrmMain (instance FrmMain): the diagram editor's main window, a
// menu bar over the diagram window and the tool palette: files, settings,
// pictures and clipboard, the batch export, and the other editor windows.
// The recognition's main window hands the recognised game over through
// FillDiafromOCR and OCR1Click.
#pragma once

#include <QMainWindow>

#include <string>
#include <vector>

class QAction;
class QMenu;

namespace quon {

class tDgrData;

// What one batch export did.
struct BatchExportResult {
    std::vector<std::string> written;  // picture files made
    std::vector<std::string> problems; // one message per file that gave no picture
};

class TFrmMain : public QMainWindow {
    Q_OBJECT

  public:
    explicit TFrmMain(QWidget* parent = nullptr);

    // "Файл"
    void N1Click();
    void OCR1Click();
    void miLoadClick();
    void miSaveClick();
    void miSaveAsClick();
    void N2Click();
    // "Настройка"
    void miDisplayClick();
    void miBMPClick();
    // "Вывод"
    void miToBMPClick();
    void miToEMFClick();
    void miWMFClick();
    void miBMPClipClick();
    void miEMFClipClick();
    void miWMFClipClick();
    void EMF1Click();
    // "Окна"
    void miInstrClick();
    void miDgrClick();
    void miGraphFilesClick();
    void N3Click();

    // The numbering window back to move 1, Black.
    void SetAutoTo0();
    // A new diagram from the recognised game, shaped by the options' board
    // size and part.
    void FillDiafromOCR();
    // Every dgr file of `fromDir` as an enhanced metafile of the same name in
    // `toDir`. The open diagram is left alone.
    BatchExportResult exportFolder(const QString& fromDir, const QString& toDir);

    QAction* N1 = nullptr;
    QAction* OCR1 = nullptr;
    QAction* miLoad = nullptr;
    QAction* miSave = nullptr;
    QAction* miSaveAs = nullptr;
    QAction* N2 = nullptr;
    QAction* miDisplay = nullptr;
    QAction* miBMP = nullptr;
    QAction* miToBMP = nullptr;
    QAction* miToEMF = nullptr;
    QAction* miWMF = nullptr;
    QAction* miBMPClip = nullptr;
    QAction* miEMFClip = nullptr;
    QAction* miWMFClip = nullptr;
    QAction* EMF1 = nullptr;
    QAction* SGF1 = nullptr;
    QAction* miInstr = nullptr;
    QAction* miDgr = nullptr;
    QAction* miGraphFiles = nullptr;
    QAction* N3 = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenu();
    bool saveAs(const QString& name);
    void savePicture(const char* key, const char* ext, bool (*save)(tDgrData&, const QString&, QString&));
    void copyPicture(bool (*copy)(tDgrData&, QString&));
    void afterNewDiagram();
};

extern TFrmMain* FrmMain;

} // namespace quon
