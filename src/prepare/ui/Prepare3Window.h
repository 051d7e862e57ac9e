// Window TPrepare3 (instance Prepare3): the progress of preparation, with
// its Cancel button. It is the engine's host in the running program.
#pragma once

#include "prepare/PrepareHost.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace quon {

class TPrepare3 : public QWidget, public PrepareHost {
    Q_OBJECT

  public:
    explicit TPrepare3(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr; // current row or point
    QLabel* Label2 = nullptr; // current stage
    QLabel* Label3 = nullptr; // Label3..Label6: stone centring
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* Button1 = nullptr; // "Cancel"

    void Button1Click();

    // Prepares the diagram the options describe on the current page (the
    // diagram must have been started): true when the run ended normally or
    // was cancelled (then Reco.CancelFlag is 1), false after a failure that
    // has been shown. While it runs this window is modal, so that only
    // Cancel can act on the program.
    bool PrepareDiagram();

    // Hooks into the main window and the grid-values window, which this
    // library cannot reach; the main window sets them.
    std::function<void()> enableRecognitionHook;  // enable Recognition1
    std::function<bool()> gridVisibleHook;        // "Grid visible" ticked
    std::function<void()> uncheckGridVisibleHook; // untick it
    std::function<void()> beginGridCellsHook;     // column width 40
    std::function<void(int, int, const std::string&)> gridCellHook;
    std::function<void(bool)> showGridWindowHook;

    // Where point-list lines go (the debug window's second list); the main
    // window connects it.
    std::function<void(const std::string&)> pointListSink;

    // PrepareHost
    void showProgress(bool visible) override;
    void setLabel(int index, const std::string& text) override;
    bool pump() override;
    void inform(const std::string& text) override;
    bool ask(const std::string& text) override;
    void log(const std::string& line) override;
    void pointList(const std::string& line) override;
    uint32_t ticks() override;
    bool gridVisible() override;
    void uncheckGridVisible() override;
    void beginGridCells() override;
    void setGridCell(int col, int row, const std::string& text) override;
    void showGridWindow(bool visible) override;
    void enableRecognition() override;

  private:
    QLabel* label(int index) const;
};

extern TPrepare3* Prepare3;

} // namespace quon
