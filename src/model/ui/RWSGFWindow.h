// Window TRWSGF (instance RWSGF): it has no controls and carries the
// game-record operations: reading SGF, MGT and QCR text into the tables and
// the game-information dialog, and saving the current game as a QCR file.
#pragma once

#include <QString>
#include <QWidget>

#include <string>

namespace quon {

struct SgfReadResult;

class TRWSGF : public QWidget {
    Q_OBJECT

  public:
    explicit TRWSGF(QWidget* parent = nullptr);

    // The result of a read that failed: distinct from every move count.
    static constexpr int ReadFailed = -1;

    // Reads SGF text (the bytes of an SGF or MGT file, or of a QCR file as
    // qcrFileToSgf gives them). On success the moves, setup stones and game
    // information replace what was there, anything repaired is said in one
    // message, and the result is MoveCount. On failure the message is shown,
    // nothing changes and the result is ReadFailed.
    int ReadSgf(const std::string& text);
    // The same for the bytes of a QCR file; a file that is no QCR record is
    // refused with a message and changes nothing.
    int ReadQcr(const std::string& fileBytes);

    static std::string ScrambleQcr(const std::string& text);
    static std::string UnscrambleQcr(const std::string& bytes);

    // Saves the current game; false when cancelled or failed.
    bool SaveGame();
    // Asks for the file, composes the record, writes it (through a temporary
    // file, so a failed write keeps the old file), marks the game saved and
    // queues the file for mail.
    bool WriteGameRecord();

  private:
    int applyRead(const SgfReadResult& read);
};

extern TRWSGF* RWSGF;

} // namespace quon
