// Assembling the game from the numbers read on a prepared diagram, and the
// start of every diagram.
//
// Method. Every numbered stone of the grid is read once, row by row. A number
// that is all digits is shifted by the diagram's numbering offset (a printed
// 400 or more counts 300 less) and placed into the move table; anything else
// is a mistake of the run. Two stones claiming one number are settled by
// their match estimates when one is sure and the other is not, and are
// otherwise a double move: the slot is marked (20, 21) and both claimants are
// listed. The game's last move is the highest placed number that at least
// four placed numbers below it confirm; a stray number above a run of six
// free slots is dropped as too big. Every free slot up to the last move is a
// missed move. Three fixed repairs then match the mistakes against the missed
// moves (one unreadable digit, a too-big number by its last two digits, a
// number whose two digits were read as one), the game goes on the game
// window, every mistake still open is asked about in the correction dialog,
// and the stones of double moves are read once more with the window on the
// crossing.
//
// The assembly never places a number into a slot of an earlier diagram, and
// every move it places after the game window was filled reaches the window's
// move list too, so that a saved record holds it.
//
// Known failure modes: a stone read as a wrong but plausible number is placed
// without a question (only a double claim or a gap reveals it); moves played
// on a point whose stone is still drawn appear on no stone and stay missed.
//
// Diagrams of the other types (a position, or stones and moves) run the same
// pass in its diagram flavour: only the diagram window is read, a point that
// preparation left undecided gets the stone check, the stones without a
// number become the setup stones (those carried over from the game board of
// an earlier diagram are there already), a position reads no numbers, a
// printed number is never shifted by 300, a printed 0 is a mistake, every
// second claim on a number is a double move, and the last move is always
// searched for.
//
// It talks to the program only through RecognitionHost (progress, events,
// log, grid cells, the correction dialog, the board mark, the game window)
// and reads stones only through StoneTextSource, so tests and the bench run
// it on scripts.
#pragma once

#include "model/GameController.h"
#include "model/OptionsSnapshot.h"
#include "model/Recotypes.h"
#include "recognize/StoneNumberReader.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quon {

class PrepareEngine;

// Answers of the correction dialog.
enum class CorrectionResult { Ok, NoMove, Cancel };

struct CorrectionAnswer {
    CorrectionResult Result = CorrectionResult::Cancel;
    int32_t Number = 0; // the number typed, with Ok
};

// What the recognition passes need from the program around them.
class RecognitionHost {
  public:
    virtual ~RecognitionHost() = default;

    // The progress window: shown with its two labels, then label 1 updated.
    virtual void showProgress(const std::string& /*label1*/, const std::string& /*label2*/) {}
    virtual void setProgressLine(const std::string& /*label1*/) {}
    virtual void hideProgress() {}
    // Processes pending events; true when the progress window's Cancel was
    // pressed.
    virtual bool pump() { return false; }
    // The recognition log.
    virtual void log(const std::string& line) = 0;
    virtual void clearLog() = 0;
    virtual uint32_t ticks() = 0;

    // The grid-values window: a new listing (width 480, columns 24), one
    // cell (column and row from 0), and whether it is to be shown.
    virtual void beginGridCells() {}
    virtual void setGridCell(int /*col*/, int /*row*/, const std::string& /*text*/) {}
    virtual bool gridVisible() { return false; }
    virtual void showGridWindow() {}
    // The small move-input window, shown when hidden.
    virtual void showMoveInput() {}
    // Hides the options dialog when it is showing.
    virtual void hideOptions() {}
    // The options dialog shown modally before the last diagram, so that the
    // number of moves can be entered; the snapshot is taken again after it.
    virtual void askNumberOfMoves(OptionsSnapshot& /*options*/) {}

    // The game window's logic; null when there is none.
    virtual TGameController* game() = 0;
    // Fills the game window from the tables (the program's InitGame).
    virtual void initGame() = 0;
    virtual void showGameWindow(bool /*visible*/) {}
    // Redraw and repaint the game board.
    virtual void redrawGame() {}

    // The correction dialog's list of move numbers without a stone, given
    // top first; and the removal of the first item showing `number`.
    virtual void setNoMoveList(const std::vector<int32_t>& /*topFirst*/) {}
    virtual void removeNoMove(int32_t /*number*/) {}
    // Sets (on) or clears the mark at a point of the game board.
    virtual void markPoint(int /*col*/, int /*row*/, bool /*on*/) {}
    // Shows the correction dialog with `question` beside the stone at
    // (col, row) and waits for the answer.
    virtual CorrectionAnswer askCorrection(const std::string& question, int col, int row) = 0;
    // The end of a run: the log list narrowed, the point list hidden, the
    // debug window shown when asked for.
    virtual void finishLog() {}
    // The unsaved-game question; true for Yes.
    virtual bool askSaveGame() { return false; }
    // Saves the game as a record.
    virtual void saveGame() {}
    // An information box with an OK button.
    virtual void inform(const std::string& /*text*/) {}
};

// How the numbers of the stones are read.
class StoneTextSource {
  public:
    virtual ~StoneTextSource() = default;
    // Reads the stone at (Reco.CurPointX, Reco.CurPointY): mode 0 with the
    // window on the stone centre, mode 2 on the crossing. May turn the point
    // into a plain stone.
    virtual StoneReadResult read(int32_t mode) = 0;
    // The wrong-split reading of the current point: the cell's window, its
    // one digit group cut in two and both read. False when the window has
    // no features; else the text read, empty when the groups did not come
    // out as one and then two.
    virtual bool readSplit(std::string& text) = 0;
    // The stone check of an undecided point, on a copy of its record: true
    // when a stone stands there, with its colour in Typ (1 black, 2 white, 0
    // not known) and the stone window found in Coord and Size. A window of a
    // size that has no features is no stone, and the pass goes on.
    virtual bool checkStone(BC& /*point*/) { return false; }
};

// The program's reader behind StoneTextSource.
class ProgramStoneReader : public StoneTextSource {
  public:
    explicit ProgramStoneReader(StoneNumberReader& reader);
    ~ProgramStoneReader() override;
    StoneReadResult read(int32_t mode) override { return reader_.RecoStoneNumber(mode); }
    bool readSplit(std::string& text) override;
    bool checkStone(BC& point) override;

  private:
    class CheckHost;
    StoneNumberReader& reader_;
    std::unique_ptr<CheckHost> checkHost_;
    std::unique_ptr<PrepareEngine> checker_;
};

// The question of the correction dialog for the point (col, row), with the
// corner it is counted from: "Bad move (15,3)=(2-5,3). Input correct number:".
std::string correctionQuestion(int32_t col, int32_t row);

// The whole-game pass over the prepared diagram: reading, placing, the last
// move, missed moves, repairs, the game window, the correction dialog, the
// second reading of doubles, the hand-over. With Reco.LinearInputState not 0
// it checks the typed game only (nothing is read, the log is kept).
class GameAssembly {
  public:
    GameAssembly(RecognitionHost& host, StoneTextSource& reader, const OptionsSnapshot& options)
        : host_(host), reader_(reader), options_(options)
    {
    }

    void RecoFullGame();
    // The pass for a position or a diagram of stones and moves
    // (Reco.DiagramType 1, 2 or 3).
    void RecoDiagram();

    // The open tallies at the end of the run.
    int32_t OpenMistakes = 0;
    int32_t OpenRecogMistakes = 0;
    // How often the correction dialog was shown, and how many mistakes the
    // fixed rules repaired.
    int32_t Questions = 0;
    int32_t Repairs = 0;
    int32_t MistakesListed = 0;
    // Stones without a number that the setup lists had no room for.
    int32_t SetupStonesRefused = 0;

    // The steps, public for the tests.
    void readStones();
    void checkNumberingOffset();
    void placeNumbers();
    void findLastMove();
    void listMissedMoves();
    void repairMistakes();
    void askCorrections();
    void rereadDoubleMoves();
    // Writes `number` of the game at (col, row) into the move table and, when
    // the game window holds the game, into its move list.
    void placeRepaired(int32_t number, int32_t col, int32_t row);

  private:
    struct MistakeExtra {
        // For an unreadable number whose positions were all read but one:
        // its digits with "e" at the rejected one. Empty otherwise.
        std::string pattern;
        // A too-big mistake whose text is a game move number (from the
        // last-move search) rather than a printed one.
        bool gameNumber = false;
    };

    void addMistake(int32_t col, int32_t row, uint8_t kind, const std::string& text, MistakeExtra extra);
    void closeMistake(long i);
    // The open missed move of number `n`, 0 when none.
    long openMissed(int32_t n) const;
    bool ofThisDiagram(int32_t n) const { return n > Reco.MovesBefore; }
    void handOver();
    // The two passes after their own start.
    void runPass();
    void collectSetupStone(const BC& p, int32_t col, int32_t row);

    RecognitionHost& host_;
    StoneTextSource& reader_;
    OptionsSnapshot options_;
    std::vector<MistakeExtra> extras_; // beside Reco.RecogMistakes, 1-based through index - 1
    Array1<Array1<StoneReadResult, 1, 19>, 1, 19> results_{};
    bool gameShown_ = false;
    // The diagram flavour of the pass.
    bool diagram_ = false;
    static constexpr int32_t DiagramMistakeLimit = 100;
    bool mistakesFullLogged_ = false;
    bool doublesFullLogged_ = false;
};

// ---- The start of a diagram and the game window -----------------------------

// The options a diagram start reads and sets (the controls of the options
// dialog), and whether the corners were pointed by hand.
struct DiagramStart {
    OptionsSnapshot options;
    bool manualCorners = false;
};

// Starts diagram n of the game: the unsaved-game question before a game with
// moves is discarded, the grid reset (the hand-pointed corners kept), stone
// sizes, a new game's empty tables or a further diagram's offset, and the
// stones of the game board carried into the new grid as plain stones (sure,
// PatternConf 100). A new game empties the setup stones; a further diagram
// keeps them, since the game window replays the game from them. The game
// window is cleared. `start.options` gets the values the dialog shows
// afterwards (seNDia, se1stMove, seMoveCor, seNumMoves).
void NewDia(int32_t n, DiagramStart& start, RecognitionHost& host, StoneNumberReader* reader);

// Fills the game on `game` from the tables: setup stones, then for a game
// record every slot 1..MoveCount (nothing when fewer than 2 moves: false),
// the closing node, and the first move made current.
bool InitGameOn(TGameController& game);
// The move list: one node per slot 1..MoveCount; false without change when
// MoveCount is below 2.
bool ReadGame1(TGameController& game);
// Makes node n of the move list (col, row), leaving the game at its start.
void SetGameMove(TGameController& game, int32_t n, int32_t col, int32_t row);
// Steps to the first move without a stone (a missed or double move), or to
// the end.
void StepToFirstGap(TGameController& game);
// Go to next Double move: true when a double-move node was reached (the
// game then stands just after it); false at the end, rewound to the start.
bool StepToNextDouble(TGameController& game);

// What a re-run of Recognition on the same diagram starts from: the tables
// as preparation left them.
struct DiagramSnapshot {
    bool valid = false;
    PointGrid GridPoints{};
    Array1<MoveRecord, 0, MaxMoves> MoveTable{};
    int32_t MoveCount = 0;
    Array1<BoundedList<StonePoint, 100>, 1, 2> SetupStones{};
    void take();
    void restore() const;
};

} // namespace quon
