#include "recognize/ScriptedRecognitionHost.h"

#include "platform/DataFiles.h"

#include <algorithm>

namespace quon {

ScriptedRecognitionHost::ScriptedRecognitionHost() : game_(board_, *this) {}

uint32_t ScriptedRecognitionHost::ticks() { return tickCount(); }

void ScriptedRecognitionHost::removeNoMove(int32_t number)
{
    const auto it = std::find(noMoveList.begin(), noMoveList.end(), number);
    if (it != noMoveList.end())
        noMoveList.erase(it);
}

void ScriptedRecognitionHost::markPoint(int col, int row, bool on)
{
    board_.SetRulesFlag(false);
    board_.SetPoint(col, row, on ? TGameController::CorrectionMarker : 0);
    board_.SetRulesFlag(true);
    board_.TakeError();
}

CorrectionAnswer ScriptedRecognitionHost::askCorrection(const std::string& question, int col, int row)
{
    questions.push_back(question);
    markedValues.push_back(board_.GetPoint(col, row));
    return answer ? answer(question, col, row) : CorrectionAnswer{};
}

bool ScriptedRecognitionHost::askSaveGame()
{
    saveQuestions.push_back("You have unsaved game. Save it now?");
    return saveAnswer;
}

void ScriptedRecognitionHost::setGridCell(int col, int row, const std::string& text)
{
    if (col >= 0 && col < 19 && row >= 0 && row < 19)
        gridCells[col][row] = text;
}

} // namespace quon
