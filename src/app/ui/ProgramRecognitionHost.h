// The recognition host of the running program: the progress window, the
// recognition log, the grid values, the game window and its board, and the
// correction dialog placed beside the stone it asks about.
#pragma once

#include "app/ui/Debug1Window.h"
#include "app/ui/GridBoard1Window.h"
#include "app/ui/MainWindow.h"
#include "model/RecognitionLog.h"
#include "model/Recotypes.h"
#include "model/ui/Board.h"
#include "model/ui/FMoveNumInputWindow.h"
#include "model/ui/MoveCorrection1Window.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/RWSGFWindow.h"
#include "model/ui/VGameWindow.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/System.h"
#include "prepare/ui/Prepare3Window.h"
#include "recognize/GameAssembly.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>

namespace quon {

class ProgramRecognitionHost : public RecognitionHost {
  public:
    explicit ProgramRecognitionHost(TForm1& form) : form_(form) {}

    void showProgress(const std::string& label1, const std::string& label2) override
    {
        if (!Prepare3)
            return;
        Prepare3->Label1->setText(QString::fromStdString(label1));
        Prepare3->Label2->setText(QString::fromStdString(label2));
        // Events are processed while the stones are read: only Cancel may
        // act meanwhile, nothing that changes the page or the tables.
        Prepare3->hide();
        Prepare3->setWindowModality(Qt::ApplicationModal);
        Prepare3->show();
    }
    void setProgressLine(const std::string& label1) override
    {
        if (Prepare3)
            Prepare3->Label1->setText(QString::fromStdString(label1));
    }
    void hideProgress() override
    {
        if (!Prepare3)
            return;
        Prepare3->hide();
        Prepare3->setWindowModality(Qt::NonModal);
    }
    bool pump() override
    {
        sys::pumpEvents();
        return Reco.CancelFlag == 1;
    }
    void log(const std::string& line) override { RecoLog.add(line); }
    void clearLog() override { RecoLog.clear(); }
    uint32_t ticks() override { return sys::ticks(); }

    void beginGridCells() override
    {
        if (!GridBoard1)
            return;
        GridBoard1->SGBoard1->setFixedWidth(480);
        GridBoard1->SGBoard1->horizontalHeader()->setDefaultSectionSize(24);
    }
    void setGridCell(int col, int row, const std::string& text) override
    {
        if (GridBoard1)
            GridBoard1->SGBoard1->setItem(row, col, new QTableWidgetItem(QString::fromStdString(text)));
    }
    bool gridVisible() override { return form_.Gridvisible1->isChecked(); }
    void showGridWindow() override { form_.showWindow(GridBoard1); }
    void showMoveInput() override
    {
        if (FMoveNumInput && FMoveNumInput->isHidden())
            FMoveNumInput->show();
    }
    void hideOptions() override
    {
        if (Options)
            Options->hide();
    }
    void askNumberOfMoves(OptionsSnapshot& options) override
    {
        if (!Options)
            return;
        Options->execOnPage(Options->TabGameInput);
        options = Options->snapshot();
    }

    TGameController* game() override { return VGame ? &VGame->Game() : nullptr; }
    void initGame() override { form_.InitGame(); }
    void showGameWindow(bool visible) override
    {
        if (!VGame)
            return;
        if (visible)
            form_.showWindow(VGame);
        else
            VGame->hide();
    }
    void redrawGame() override
    {
        if (VGame)
            VGame->RedrawBoard();
    }

    void setNoMoveList(const std::vector<int32_t>& topFirst) override
    {
        if (!MoveCorrection1)
            return;
        MoveCorrection1->cbNoMove->clear();
        for (int32_t n : topFirst)
            MoveCorrection1->cbNoMove->addItem(QString::number(n));
    }
    void removeNoMove(int32_t number) override
    {
        if (!MoveCorrection1)
            return;
        const int i = MoveCorrection1->cbNoMove->findText(QString::number(number));
        if (i >= 0)
            MoveCorrection1->cbNoMove->removeItem(i);
    }
    void markPoint(int col, int row, bool on) override
    {
        if (!VGame)
            return;
        TBoard* board = VGame->Board();
        // The mark stands on a point the game board may hold a stone on.
        board->SetRulesFlag(false);
        board->SetPoint(col, row, on ? TGameController::CorrectionMarker : 0);
        board->TakeError();
        board->SetRulesFlag(true);
        board->RedrawPoints();
        board->update();
    }
    CorrectionAnswer askCorrection(const std::string& question, int col, int row) override
    {
        CorrectionAnswer a;
        if (!MoveCorrection1)
            return a;
        MoveCorrection1->Label1->setText(QString::fromStdString(question));
        if (VGame) {
            // Beside the stone: the game window's corner plus the point's
            // centre on the board, a little right and below.
            const QPoint centre = VGame->Board()->GamePointCenter(col, row);
            MoveCorrection1->move(VGame->x() + centre.x() + 30, VGame->y() + centre.y() + 50);
        }
        const int result = MoveCorrection1->ShowModal();
        if (result == TMoveCorrection1::ResultOk) {
            a.Result = CorrectionResult::Ok;
            a.Number = MoveCorrection1->RxSE1->value();
        } else if (result == TMoveCorrection1::ResultNoMove) {
            a.Result = CorrectionResult::NoMove;
        }
        return a;
    }
    void finishLog() override
    {
        if (!Debug1)
            return;
        Debug1->ListBox1->setFixedWidth(230);
        Debug1->ListBox2->hide();
        Debug1->Edit2->hide();
        if (form_.DebugWindow1->isChecked())
            form_.showWindow(Debug1);
    }
    bool askSaveGame() override { return Dialogs::current().question("You have unsaved game. Save it now?"); }
    void saveGame() override
    {
        if (RWSGF)
            RWSGF->WriteGameRecord();
    }

  private:
    TForm1& form_;
};

} // namespace quon
