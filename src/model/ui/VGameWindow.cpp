#include "model/ui/VGameWindow.h"

#include "model/RecognitionLog.h"
#include "model/Recotypes.h"
#include "model/ui/Board.h"
#include "model/ui/FMoveNumInputWindow.h"
#include "model/ui/GameRecordLinks.h"
#include "model/ui/MoveCorrection1Window.h"
#include "model/ui/OptionsWindow.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/System.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace quon {

TVGame* VGame = nullptr;

namespace {
constexpr int kStartSide = 400;
}

TVGame::TVGame(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("VGame");
    setWindowTitle("VGame");
    setFocusPolicy(Qt::StrongFocus);

    board_ = new TBoard(this);
    board_->Start();
    board_->OnPointClick = [this](TBoard* sender, int x, int y) { MoveMade(sender, x, y); };
    board_->SetBoardPicture("LIGHTPIN.BMP");
    game_ = std::make_unique<TGameController>(board_->Position(), static_cast<GameWindowHost&>(*this));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    statusPanel_ = new QLabel("0", StatusBar1);
    statusPanel_->setObjectName("StatusPanel");
    StatusBar1->addWidget(statusPanel_, 1);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    Rotate1 = PopupMenu1->addMenu("&Rotate");
    Rotate1->setObjectName("Rotate1");
    Symmetry1 = PopupMenu1->addMenu("&Symmetry");
    Symmetry1->setObjectName("Symmetry1");
    auto item = [this](QMenu* menu, const char* name, const QString& caption, int code) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, [this, code] { Reorient(code); });
        return a;
    };
    N90degrees1 = item(Rotate1, "N90degrees1", "90 degrees", 3);
    N180degrees1 = item(Rotate1, "N180degrees1", "180 degrees", 6);
    N270degrees1 = item(Rotate1, "N270degrees1", "270 degrees", 5);
    Horizontal1 = item(Symmetry1, "Horizontal1", "&Horizontal", 4);
    Vertical1 = item(Symmetry1, "Vertical1", "&Vertical", 2);
    Diagonal1 = item(Symmetry1, "Diagonal1", "&Diagonal \\", 1);
    Diagonal2 = item(Symmetry1, "Diagonal2", "Dia&gonal /", 7);
    PopupMenu1->addSeparator();
    MakeOnTop1 = PopupMenu1->addAction("&Make On Top");
    MakeOnTop1->setObjectName("MakeOnTop1");
    MakeOnTop1->setCheckable(true);
    connect(MakeOnTop1, &QAction::triggered, this, [this] { MakeOnTop1Click(); });

    setMinimumSize(150, 150 + StatusHeight());
    LayOutBoard(kStartSide);
    resize(kStartSide, kStartSide + StatusHeight());

    // A saved "Game Record" takes its moves from this window's list.
    setGameMoveListSource([this] { return RecordMoves(); });
}

TVGame::~TVGame() { setGameMoveListSource(nullptr); }

// ---- the list and replay ------------------------------------------------------

void TVGame::AppendMove(int x, int y)
{
    game_->AppendMove(static_cast<uint8_t>(std::clamp(x, 0, 255)), static_cast<uint8_t>(std::clamp(y, 0, 255)));
}

void TVGame::ClearMoves() { game_->ClearMoves(); }
void TVGame::ClearBoard() { game_->ClearBoard(); }
void TVGame::GoFirst() { game_->GoFirst(); }
void TVGame::GoLast() { game_->GoLast(); }
void TVGame::FreeChain(TGameController::Index from) { game_->FreeChain(from); }
void TVGame::PlayCurrent() { game_->PlayCurrent(); }
void TVGame::StepForward(int steps) { game_->StepForward(static_cast<unsigned>(std::max(steps, 0))); }
void TVGame::StepBack(int steps) { game_->StepBack(static_cast<unsigned>(std::max(steps, 0))); }
void TVGame::ShowRecoMarks(bool show) { game_->ShowRecoMarks(show); }

void TVGame::RedrawBoard()
{
    board_->RedrawPoints();
    board_->Repaint();
}

BoardPoint TVGame::CurrentPoint() const
{
    const TGameMove& n = game_->Moves()[game_->Current()];
    return {n.X, n.Y};
}

void TVGame::SetCurrentPoint(int x, int y)
{
    game_->SetCurrentPoint(static_cast<uint8_t>(std::clamp(x, 0, 255)), static_cast<uint8_t>(std::clamp(y, 0, 255)));
}

QString TVGame::StatusText() const { return statusPanel_->text(); }

// ---- keys and clicks ------------------------------------------------------------

void TVGame::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key(), event->modifiers());
    event->accept();
}

void TVGame::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (Reco.LinearInputState)
        LinearKey(key, modifiers);
    else
        ReplayKey(key);
}

void TVGame::ReplayKey(int key)
{
    ReplayKeyCode code = ReplayKeyCode::Other;
    int digit = 0;
    switch (key) {
    case Qt::Key_Backspace:
        code = ReplayKeyCode::Backspace;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        code = ReplayKeyCode::Enter;
        break;
    case Qt::Key_End:
        code = ReplayKeyCode::End;
        break;
    case Qt::Key_Home:
        code = ReplayKeyCode::Home;
        break;
    case Qt::Key_Left:
        code = ReplayKeyCode::Left;
        break;
    case Qt::Key_Up:
        code = ReplayKeyCode::Up;
        break;
    case Qt::Key_Right:
        code = ReplayKeyCode::Right;
        break;
    case Qt::Key_Down:
        code = ReplayKeyCode::Down;
        break;
    default:
        // The digits of the main keys and of the numeric pad arrive alike
        // (the pad's with the keypad modifier).
        if (key >= Qt::Key_0 && key <= Qt::Key_9) {
            code = ReplayKeyCode::Digit;
            digit = key - Qt::Key_0;
        }
        break;
    }
    if (game_->ReplayKey(code, digit))
        RedrawBoard();
    else if (code == ReplayKeyCode::Enter || code == ReplayKeyCode::Digit)
        RedrawBoard(); // Enter (or a smart-entered number) may move a stone
}

void TVGame::LinearKey(int key, Qt::KeyboardModifiers modifiers)
{
    LinearKeyCode code = LinearKeyCode::Other;
    int digit = 0;
    switch (key) {
    case Qt::Key_Backspace:
        code = LinearKeyCode::Backspace;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        code = LinearKeyCode::Enter;
        break;
    case Qt::Key_Space:
        code = LinearKeyCode::Space;
        break;
    case Qt::Key_End:
        code = LinearKeyCode::End;
        break;
    case Qt::Key_Home:
        code = LinearKeyCode::Home;
        break;
    case Qt::Key_Left:
        code = LinearKeyCode::Left;
        break;
    case Qt::Key_Right:
        code = LinearKeyCode::Right;
        break;
    case Qt::Key_Up:
        code = LinearKeyCode::Up;
        break;
    case Qt::Key_Down:
        code = LinearKeyCode::Down;
        break;
    case Qt::Key_Delete:
        code = LinearKeyCode::Delete;
        break;
    default:
        if (key >= Qt::Key_0 && key <= Qt::Key_9) {
            code = LinearKeyCode::Digit;
            digit = key - Qt::Key_0;
        }
        break;
    }
    if (game_->LinearKey(code, modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier), digit))
        RedrawBoard();
}

void TVGame::CopyTypedMove() { game_->CopyTypedMove(); }

void TVGame::MoveMade(TBoard*, int x, int y) { MoveMade0(x, y); }

void TVGame::MoveMade0(int x, int y)
{
    game_->MoveMade0(x, y);
    RedrawBoard();
}

void TVGame::StartLinearInput(int cont)
{
    game_->StartLinearInput(cont != 0);
    RedrawBoard();
    show();
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void TVGame::MoveAllDown()
{
    game_->MoveAllDown();
    RedrawBoard();
}

void TVGame::MoveLineRight()
{
    game_->MoveLineRight();
    RedrawBoard();
}

void TVGame::MoveLineLeft()
{
    game_->MoveLineLeft();
    RedrawBoard();
}

void TVGame::MoveLineUp()
{
    game_->MoveLineUp();
    RedrawBoard();
}

void TVGame::MoveLineDown()
{
    game_->MoveLineDown();
    RedrawBoard();
}

// ---- view -------------------------------------------------------------------------

void TVGame::contextMenuEvent(QContextMenuEvent* event)
{
    PopupMenu1->popup(event->globalPos());
    event->accept();
}

void TVGame::Reorient(int code)
{
    // The board always shows all of it, so no turn changes what part is
    // shown and the window keeps its size.
    board_->ApplyOrientation(code);
    board_->RedrawAll();
    board_->Repaint();
}

void TVGame::MakeOnTop1Click()
{
    onTop_ = !onTop_;
    sys::setStayOnTop(this, onTop_);
    MakeOnTop1->setChecked(onTop_);
}

int TVGame::StatusHeight() const { return StatusBar1->sizeHint().height(); }

void TVGame::LayOutBoard(int side)
{
    board_->SetSize(side, side);
    board_->Layout();
    board_->RedrawAll();
}

void TVGame::FormCanResize()
{
    QElapsedTimer clock;
    clock.start();
    const int status = StatusHeight();
    StatusBar1->setGeometry(0, height() - status, width(), status);
    int w = width(), h = height() - status;
    const bool unchanged = TBoard::FitSize(w, h);
    if (w != board_->width() || h != board_->height() || board_->Buffer().isNull())
        LayOutBoard(w);
    board_->update();
    if (!unchanged && !refitPending_) {
        // The window takes the fitted board plus the status bar once the
        // resize now being handled is over; by then a later resize (FitBoard,
        // say) may have settled the size already.
        refitPending_ = true;
        QTimer::singleShot(0, this, [this] {
            refitPending_ = false;
            const int bar = StatusHeight();
            int fw = width(), fh = height() - bar;
            if (!TBoard::FitSize(fw, fh))
                resize(fw, fh + bar);
        });
    }
    setWindowTitle(QString::number(clock.elapsed()));
}

void TVGame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormCanResize();
}

void TVGame::FitBoard()
{
    const int status = StatusHeight();
    int side = std::max(width(), height() - status);
    int other = side;
    TBoard::FitSize(side, other);
    const QSize wanted(side, side + status);
    if (size() != wanted) {
        resize(wanted);
    } else {
        LayOutBoard(side);
        board_->Repaint();
    }
}

void TVGame::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    setFocus(Qt::OtherFocusReason);
}

// ---- the controller's host ---------------------------------------------------------

void TVGame::ShowStatus(const std::string& text) { statusPanel_->setText(QString::fromStdString(text)); }

void TVGame::Beep() { sys::beep(); }

void TVGame::ShowMessage(const std::string& text) { Dialogs::current().information(QString::fromStdString(text)); }

void TVGame::RedrawChanged() { RedrawBoard(); }

void TVGame::LogLine(const std::string& line) { RecoLog.add(line); }

void TVGame::ShowTypedNumber(int typed)
{
    if (FMoveNumInput)
        FMoveNumInput->seMoveNum->setValue(typed);
}

GameEditMode TVGame::EditMode() { return editModeSource ? editModeSource() : GameEditMode::EditMoves; }

bool TVGame::AskYesNo(const std::string& text)
{
    // The board shows what the question is about.
    RedrawBoard();
    return Dialogs::current().question(QString::fromStdString(text));
}

OptionsSnapshot TVGame::InputOptions() { return Options ? Options->snapshot() : OptionsSnapshot{}; }

void TVGame::SetNumMovesOption(int n)
{
    if (Options)
        Options->seNumMoves->setValue(n);
}

void TVGame::SetCurrentDiaOption(int n)
{
    if (Options)
        Options->seNDia->setValue(n);
}

void TVGame::SetCaption(const std::string& text) { setWindowTitle(QString::fromStdString(text)); }

void TVGame::ShowMoveInput()
{
    if (FMoveNumInput)
        FMoveNumInput->show();
}

WrongMoveAnswer TVGame::AskWrongMove(const std::string& label, int x, int y, int& number)
{
    number = 0;
    if (!MoveCorrection1)
        return WrongMoveAnswer::Cancel;
    RedrawBoard();
    MoveCorrection1->Label1->setText(QString::fromStdString(label));
    const QPoint centre = board_->GamePointCenter(x, y);
    MoveCorrection1->move(this->x() + centre.x() + 30, this->y() + centre.y() + 50);
    const int result = MoveCorrection1->ShowModal();
    if (result == TMoveCorrection1::ResultOk) {
        number = MoveCorrection1->RxSE1->value();
        return WrongMoveAnswer::Ok;
    }
    return result == TMoveCorrection1::ResultNoMove ? WrongMoveAnswer::NoMove : WrongMoveAnswer::Cancel;
}

void TVGame::DropShownMissingNumber()
{
    if (MoveCorrection1 && MoveCorrection1->cbNoMove->currentIndex() >= 0)
        MoveCorrection1->cbNoMove->removeItem(MoveCorrection1->cbNoMove->currentIndex());
}

} // namespace quon
