// What the game-record windows need from windows that are built elsewhere:
// option values, the game window's move list, the mail queue and the end of
// linear input. Each comes through a small source that its owner installs;
// until it does, the documented default below answers.
#pragma once

#include "model/Recotypes.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace quon {

struct GameRecordSettings {
    // DEAutoSave: the folder the save dialog opens in when it exists.
    // Default: "Go Games" in the home folder.
    QString AutoSaveFolder;
    // cbIRLog1, "Insert Recogniton Log in Comments". Default: on, as the
    // option starts.
    bool InsertLogInComments = true;
};

// The options dialog installs its reader here.
void setGameRecordSettingsSource(std::function<GameRecordSettings()> source);
GameRecordSettings gameRecordSettings();

// The game window's nodes after the root, its closing node left out (what a
// "Game Record" save writes). The game window installs its list here; the
// default is MoveTable 1..MoveCount, which is what the game window is filled
// from.
void setGameMoveListSource(std::function<std::vector<MoveRecord>()> source);
std::vector<MoveRecord> gameMoveList();

// The queue of saved game files that the mail form sends: full paths, each
// once. The mail form takes the list over (it loads and saves "uqcr.dat")
// and listens for new entries to enable its "Send" button.
extern QStringList GameFileQueue;
void setGameQueuedListener(std::function<void()> listener);
// Appends the path when it is not in the queue yet (exact comparison) and
// tells the listener either way.
void queueGameFile(const QString& path);

// "Save Game" of the game-information dialog ends a running linear input
// first. The main window installs the command that does it (it checks its
// own "Start Linear Input" item); the default does nothing.
void setLinearInputFinisher(std::function<void()> finisher);
void finishLinearInput();

} // namespace quon
