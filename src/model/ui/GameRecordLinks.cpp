#include "model/ui/GameRecordLinks.h"

#include <QDir>

namespace quon {

QStringList GameFileQueue;

namespace {
std::function<GameRecordSettings()> settingsSource;
std::function<std::vector<MoveRecord>()> moveListSource;
std::function<void()> queuedListener;
std::function<void()> linearInputFinisher;
} // namespace

void setGameRecordSettingsSource(std::function<GameRecordSettings()> source) { settingsSource = std::move(source); }

GameRecordSettings gameRecordSettings()
{
    if (settingsSource)
        return settingsSource();
    GameRecordSettings s;
    s.AutoSaveFolder = QDir::home().filePath("Go Games");
    return s;
}

void setGameMoveListSource(std::function<std::vector<MoveRecord>()> source) { moveListSource = std::move(source); }

std::vector<MoveRecord> gameMoveList()
{
    if (moveListSource)
        return moveListSource();
    std::vector<MoveRecord> moves;
    for (int32_t m = 1; m <= Reco.MoveCount && m <= MaxMoves; ++m)
        moves.push_back(Reco.MoveTable[m]);
    return moves;
}

void setGameQueuedListener(std::function<void()> listener) { queuedListener = std::move(listener); }

void queueGameFile(const QString& path)
{
    if (!GameFileQueue.contains(path, Qt::CaseSensitive))
        GameFileQueue.append(path);
    if (queuedListener)
        queuedListener();
}

void setLinearInputFinisher(std::function<void()> finisher) { linearInputFinisher = std::move(finisher); }

void finishLinearInput()
{
    if (linearInputFinisher)
        linearInputFinisher();
}

} // namespace quon
