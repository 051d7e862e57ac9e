// The main window's recognition commands: Prepare, Recognition,
// AutoRecognition, the start of a diagram, and the two "Go to next" commands
// of the game window. The work is the game assembly's; the program answers
// it through ProgramRecognitionHost.
#include "app/ui/MainWindow.h"
#include "app/ui/ProgramRecognitionHost.h"

#include "app/ui/Debug1Window.h"
#include "app/ui/GridBoard1Window.h"
#include "app/ui/PageView.h"
#include "editor/ui/FrmMainWindow.h"
#include "model/RecognitionLog.h"
#include "model/Recotypes.h"
#include "model/ui/Board.h"
#include "model/ui/ExistGmWindow.h"
#include "model/ui/FMoveNumInputWindow.h"
#include "model/ui/MoveCorrection1Window.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/RWSGFWindow.h"
#include "model/ui/VGameWindow.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/System.h"
#include "prepare/ui/Prepare3Window.h"
#include "recognize/GameAssembly.h"
#include "recognize/StoneNumberReader.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>

#include <cmath>

namespace quon {

namespace {

// Runs a command once at a time: events are processed inside the runs, and
// a second command started there would reset the tables under the first.
class BusyGuard {
  public:
    explicit BusyGuard(bool& busy) : busy_(busy), entered_(!busy) { busy_ = true; }
    ~BusyGuard()
    {
        if (entered_)
            busy_ = false;
    }
    bool entered() const { return entered_; }

  private:
    bool& busy_;
    bool entered_;
};

} // namespace

void TForm1::NewDia(int n)
{
    DiagramStart start;
    if (Options)
        start.options = Options->snapshot();
    start.manualCorners = ManualCornersPointing1->isChecked();
    Image1->hideBand();
    ProgramRecognitionHost host(*this);
    quon::NewDia(n, start, host, &numberReader());
    if (Debug1)
        Debug1->ListBox2->clear();
    Recognition1->setEnabled(false);
    if (Options) {
        Options->seNDia->setValue(start.options.seNDia);
        Options->se1stMove->setValue(start.options.se1stMove);
        Options->seMoveCor->setValue(start.options.seMoveCor);
        Options->seNumMoves->setValue(start.options.seNumMoves);
    }
    if (Prepare3)
        for (QLabel* l : {Prepare3->Label3, Prepare3->Label4, Prepare3->Label5, Prepare3->Label6})
            l->clear();
    ManualCornersPointing1->setChecked(false);
    if (ExistGm)
        ExistGm->seNDia->setValue(1);
    prepared_.reset();
}

void TForm1::prepareStep()
{
    NewDia(Options ? Options->seNDia->value() : 0);
    const bool ok = Prepare3 && Prepare3->PrepareDiagram();
    if (!ok)
        Reco.CancelFlag = 1;
    Reco.CornersPointed = 0;
    if (ok && Reco.CancelFlag == 0) {
        prepared_ = std::make_unique<DiagramSnapshot>();
        prepared_->take();
    }
}

void TForm1::recognitionStep()
{
    Reco.GameEditEnabled = 1;
    // A second run on the same diagram starts where preparation ended.
    if (prepared_)
        prepared_->restore();
    ProgramRecognitionHost host(*this);
    if (Reco.DiagramType == DiaGameRecord) {
        ProgramStoneReader reader(numberReader());
        GameAssembly run(host, reader, Options ? Options->snapshot() : OptionsSnapshot{});
        run.RecoFullGame();
        return;
    }
    // The recogniser of position and mixed diagrams is still to come: the
    // plain stones found are the position.
    RecoLog.add("Diagrams of this type are not recognised yet: only the stones without numbers are shown.");
    Reco.SetupStones[1].clear();
    Reco.SetupStones[2].clear();
    for (int r = 1; r <= 19; ++r)
        for (int c = 1; c <= 19; ++c) {
            const int16_t t = Reco.GridPoints[c][r].Typ;
            if (t == TypBlackStatic || t == TypWhiteStatic)
                Reco.SetupStones[t - 2].add(StonePoint{c, r}, "Setup stones");
        }
    InitGame();
    Reco.GameSaved = 0;
}

void TForm1::Preparing1Click()
{
    BusyGuard guard(busy_);
    if (guard.entered())
        prepareStep();
}

void TForm1::Recognition1Click()
{
    BusyGuard guard(busy_);
    if (guard.entered())
        recognitionStep();
}

void TForm1::AutoRecognition1Click()
{
    BusyGuard guard(busy_);
    if (!guard.entered())
        return;
    if (Image1->picture().width() < 150) {
        Dialogs::current().information("Nothing to recognize");
        return;
    }
    Editmovesmode1->setChecked(true);
    if (Options) {
        const int dias = static_cast<int>(std::lround(Options->SENdias->value()));
        const int current = Options->seNDia->value();
        Options->seNDia->setValue(dias > current || dias == 0 ? current + 1 : 1);
    }
    FillImageArray();
    prepareStep();
    if (Reco.CancelFlag) {
        if (Prepare3)
            Prepare3->hide();
        // The start of the diagram cleared the game window; the game so far
        // goes back on it, or the next save would write an empty record.
        if (Reco.MoveCount > 0)
            InitGame();
        sendToDiagramEditor();
        return;
    }
    if (Options) {
        Options->SEstszBx->setValue(Reco.StoneSizes[1].Width);
        Options->SEstszBy->setValue(Reco.StoneSizes[1].Height);
        Options->SEstszWx->setValue(Reco.StoneSizes[2].Width);
        Options->SEstszWy->setValue(Reco.StoneSizes[2].Height);
    }
    recognitionStep();
    Reco.DiagramsDone += 1;
    sendToDiagramEditor();
}

// With "Auto Send Reco Image to Skarn" the diagram editor takes the game as
// it stands after the run, whether the page was prepared or not.
void TForm1::sendToDiagramEditor()
{
    if (Options && Options->CBAutoSendRecoDiatoSkarn->isChecked() && FrmMain)
        FrmMain->OCR1Click();
}

void TForm1::GotonextMistake1Click()
{
    if (FMoveNumInput && FMoveNumInput->isHidden())
        FMoveNumInput->show();
    if (!VGame)
        return;
    TGameController& game = VGame->Game();
    int count = 1;
    while (game.CurrentNode().X < NoMoveCoord && game.Moves().HasNext(game.Current())) {
        VGame->StepForward(1);
        ++count;
    }
    VGame->StepForward(1);
    VGame->RedrawBoard();
    showWindow(VGame);
    if (game.Moves().HasNext(game.Current()) || Reco.MoveCount > count)
        return;
    const int dias = Options ? static_cast<int>(std::lround(Options->SENdias->value())) : 0;
    const int current = Options ? Options->seNDia->value() : 0;
    const bool linear = Reco.LinearInputState != 0;
    if (!linear && (dias <= 0 || dias != current))
        return;
    Dialogs::current().information("The game is over!");
    if (ExistGm)
        showWindow(ExistGm);
}

void TForm1::GotonextDoublemove1Click()
{
    if (!VGame)
        return;
    if (!StepToNextDouble(VGame->Game()))
        Dialogs::current().information("There are no double moves!");
    showWindow(VGame);
    VGame->RedrawBoard();
}

} // namespace quon
