// A recognition host without windows, for tests and the bench: it keeps
// the log and the texts shown, holds the game on its own board, and answers
// the correction dialog and the unsaved-game question from scripts.
#pragma once

#include "model/BoardPosition.h"
#include "model/GameController.h"
#include "recognize/GameAssembly.h"

#include <functional>
#include <string>
#include <vector>

namespace quon {

class ScriptedRecognitionHost : public RecognitionHost, private GameWindowHost {
  public:
    ScriptedRecognitionHost();

    void log(const std::string& line) override { logLines.push_back(line); }
    void clearLog() override { logLines.clear(); }
    uint32_t ticks() override;
    bool pump() override { return ++pumps == cancelAtPump; }
    TGameController* game() override { return &game_; }
    void initGame() override { gameInitialised = InitGameOn(game_); }
    void setNoMoveList(const std::vector<int32_t>& topFirst) override { noMoveList = topFirst; }
    void removeNoMove(int32_t number) override;
    void markPoint(int col, int row, bool on) override;
    CorrectionAnswer askCorrection(const std::string& question, int col, int row) override;
    bool askSaveGame() override;
    void saveGame() override { ++saves; }
    void setGridCell(int col, int row, const std::string& text) override;

    // Answers of the correction dialog: called with the question and the
    // point; Cancel when not set.
    std::function<CorrectionAnswer(const std::string&, int, int)> answer;
    bool saveAnswer = false;

    std::vector<std::string> logLines;
    std::vector<std::string> questions;
    std::vector<std::string> saveQuestions;
    std::vector<int32_t> noMoveList;
    // The board value at the asked point while the dialog was up.
    std::vector<CellValue> markedValues;
    std::string gridCells[19][19];
    bool gameInitialised = false;
    int saves = 0;
    int pumps = 0;
    int cancelAtPump = 0;

    BoardPosition& board() { return board_; }

  private:
    void ShowStatus(const std::string&) override {}
    void Beep() override {}
    void ShowMessage(const std::string&) override {}
    void RedrawChanged() override {}
    void LogLine(const std::string& line) override { logLines.push_back(line); }
    void ShowTypedNumber(int) override {}

    BoardPosition board_;
    TGameController game_;
};

} // namespace quon
