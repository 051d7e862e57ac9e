// The main window's linear-input commands: start and stop, the diagrams of
// the game one after another, the line shifts of the typed position, and
// the jump to a chosen move.
#include "app/ui/MainWindow.h"
#include "app/ui/ProgramRecognitionHost.h"

#include "model/Recotypes.h"
#include "model/ui/GoToMoveNumberWindow.h"
#include "model/ui/OptionsWindow.h"
#include "model/ui/VGameWindow.h"
#include "model/ui/Board.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/System.h"
#include "recognize/GameAssembly.h"
#include "recognize/StoneNumberReader.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QSpinBox>

#include <cmath>

namespace quon {

namespace {
constexpr int kNewGame = 0, kCurrentGame = 1, kOpenGame = 2; // "Open game" items

// The shifts change the typed position and the move table, not the move
// list: they are offered only while a game is typed.
constexpr const char* kShiftItems[] = {"Movealldown1", "Movelineright1", "Movelineleft1", "Movelineup1",
                                       "Movelinedown1"};
} // namespace

void TForm1::LinearInput1Click()
{
    QAction* command = item("LinearInput1");
    command->setCheckable(true);
    const int old = Reco.LinearInputState;
    Reco.LinearInputState = static_cast<uint8_t>(old + 1);
    if (old == 1 && Reco.MoveCount > 0) {
        // The typed game is checked as a recognised one: missed and double
        // moves are listed and asked about.
        Reco.GameEditEnabled = 1;
        if (VGame)
            VGame->Board()->Position().SetRulesFlag(true);
        ProgramRecognitionHost host(*this);
        ProgramStoneReader reader(numberReader());
        GameAssembly run(host, reader, Options ? Options->snapshot() : OptionsSnapshot{});
        run.RecoFullGame();
    }
    if (Reco.LinearInputState == 1) {
        command->setChecked(true);
        command->setText("Stop Linear Input");
        if (Options) {
            Options->seNDia->setValue(0);
            Options->se1stMove->setValue(1);
        }
    } else {
        command->setChecked(false);
        command->setText("Start Linear Input");
        item("NextDia1")->setEnabled(false);
        item("PreviousDia1")->setEnabled(false);
    }
    for (const char* name : kShiftItems)
        item(name)->setEnabled(Reco.LinearInputState == 1);
    if (Reco.LinearInputState >= 2) {
        Reco.LinearInputState = 0;
        return;
    }
    if (!Options || !VGame) {
        Reco.LinearInputState = 0;
        command->setChecked(false);
        command->setText("Start Linear Input");
        return;
    }
    int cont = 0;
    for (;;) {
        Reco.GameEditEnabled = 0;
        Options->seNumMoves->setValue(0);
        if (Options->execOnPage(Options->TabLinearInput) != QDialog::Accepted) {
            Reco.LinearInputState = 0;
            for (const char* name : kShiftItems)
                item(name)->setEnabled(false);
            command->setChecked(false);
            command->setText("Start Linear Input");
            return;
        }
        Reco.StartTicks = sys::ticks();
        item("NextDia1")->setEnabled(Options->SENdias->value() > 0);
        const int open = Options->snapshot().rgOpenGame;
        if (open == kNewGame) {
            InitGame();
            cont = 0;
        } else if (open == kCurrentGame) {
            cont = 1;
        } else if (open == kOpenGame) {
            const int n = OpenGame0(2);
            if (n <= 0) // cancelled or unreadable: the options again
                continue;
            InitGame();
            cont = 1;
        }
        break;
    }
    VGame->StartLinearInput(cont);
}

void TForm1::NextDia1Click()
{
    if (!Options || !VGame || Reco.LinearInputState != 1)
        return;
    const int dia = Options->seNDia->value() + 1;
    Options->seNDia->setValue(dia);
    item("PreviousDia1")->setEnabled(dia > 1);
    if (dia > Options->SENdias->value()) {
        Dialogs::current().information("Game input has finished");
        LinearInput1Click();
        return;
    }
    Options->se1stMove->setValue(Options->se1stMove->value() +
                                 static_cast<int>(std::lround(Options->seDiaNumMoves->value())));
    VGame->StartLinearInput(1);
}

void TForm1::PreviousDia1Click()
{
    if (!Options || !VGame || Reco.LinearInputState != 1 || Options->seNDia->value() <= 1)
        return;
    const int dia = Options->seNDia->value() - 1;
    Options->seNDia->setValue(dia);
    if (dia <= 1)
        item("PreviousDia1")->setEnabled(false);
    Options->se1stMove->setValue(Options->se1stMove->value() -
                                 static_cast<int>(std::lround(Options->seDiaNumMoves->value())));
    VGame->StartLinearInput(1);
}

void TForm1::GotoMoveNumber1Click()
{
    if (!GoToMoveNumber || !VGame)
        return;
    GoToMoveNumber->SetMaxNumber(Reco.MoveCount);
    GoToMoveNumber->SetMoveNumber(VGame->MoveNumber());
    if (GoToMoveNumber->ShowModal() != TGoToMoveNumber::ResultOk)
        return;
    VGame->StepBack(0);
    VGame->StepForward(GoToMoveNumber->GetMoveNumber()); // 0: the final position
    VGame->Board()->RedrawAll();
    VGame->RedrawBoard();
}

void TForm1::Movealldown1Click()
{
    if (VGame)
        VGame->MoveAllDown();
}

void TForm1::Movelineright1Click()
{
    if (VGame)
        VGame->MoveLineRight();
}

void TForm1::Movelineleft1Click()
{
    if (VGame)
        VGame->MoveLineLeft();
}

void TForm1::Movelineup1Click()
{
    if (VGame)
        VGame->MoveLineUp();
}

void TForm1::Movelinedown1Click()
{
    if (VGame)
        VGame->MoveLineDown();
}

GameEditMode TForm1::editMode() const
{
    if (Addmovesmode1->isChecked())
        return GameEditMode::AddMoves;
    if (AddBlackstone1->isChecked())
        return GameEditMode::AddBlack;
    if (AddWhitestone1->isChecked())
        return GameEditMode::AddWhite;
    if (DeleteStaticstone1->isChecked())
        return GameEditMode::DeleteStatic;
    if (item("AddLetter1")->isChecked() || item("AddMark1")->isChecked())
        return GameEditMode::Other;
    return GameEditMode::EditMoves;
}

} // namespace quon
