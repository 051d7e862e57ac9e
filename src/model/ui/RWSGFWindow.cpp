#include "model/ui/RWSGFWindow.h"

#include "model/GameRecordWriter.h"
#include "model/QcrFormat.h"
#include "model/RecognitionLog.h"
#include "model/Recotypes.h"
#include "model/SgfGameReader.h"
#include "model/ui/ExistGmWindow.h"
#include "model/ui/GameRecordLinks.h"
#include "platform/ui/Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace quon {

TRWSGF* RWSGF = nullptr;

TRWSGF::TRWSGF(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("RWSGF");
    setWindowTitle(QString::fromUtf8("RWSGF"));
}

namespace {
GameInfo currentInfo() { return ExistGm ? ExistGm->info() : GameInfo{}; }
SgfReadOptions currentReadOptions() { return SgfReadOptions{Reco.FirstMoveColour, Reco.LinearInputState == 1}; }
} // namespace

int TRWSGF::ReadSgf(const std::string& text) { return applyRead(readSgfGame(text, currentInfo(), currentReadOptions())); }

int TRWSGF::ReadQcr(const std::string& fileBytes)
{
    return applyRead(readQcrGame(fileBytes, currentInfo(), currentReadOptions()));
}

int TRWSGF::applyRead(const SgfReadResult& read)
{
    if (!read.Ok) {
        Dialogs::current().information(QString::fromStdString(read.Error));
        return ReadFailed;
    }
    commitSgfGame(read);
    if (ExistGm)
        ExistGm->setInfo(read.Info);
    if (!read.Notices.empty()) {
        QStringList notes;
        for (const std::string& n : read.Notices)
            notes << QString::fromStdString(n);
        Dialogs::current().information(notes.join('\n'));
    }
    return Reco.MoveCount;
}

std::string TRWSGF::ScrambleQcr(const std::string& text) { return quon::ScrambleQcr(text); }
std::string TRWSGF::UnscrambleQcr(const std::string& bytes) { return quon::UnscrambleQcr(bytes); }

bool TRWSGF::SaveGame() { return WriteGameRecord(); }

bool TRWSGF::WriteGameRecord()
{
    const GameRecordSettings settings = gameRecordSettings();
    FileDialogSpec spec;
    spec.key = "SaveDialog1";
    spec.defaultExt = "QCR";
    spec.filter = "QCR files|*.QCR|All Files|*.*";
    if (!settings.AutoSaveFolder.isEmpty() && QDir(settings.AutoSaveFolder).exists())
        spec.fileName = settings.AutoSaveFolder + "/";
    const QString chosen = Dialogs::current().saveFile(spec);
    if (chosen.isEmpty())
        return false;

    // The name is made final before the question, so the file asked about is
    // the file written.
    const QString target = QFileInfo(QString::fromStdString(finalQcrFileName(chosen.toStdString()))).absoluteFilePath();
    if (QFileInfo::exists(target) &&
        !Dialogs::current().question("Do you really want to rewrite " + QFileInfo(target).fileName() + "?"))
        return false;

    GameRecordContent content = gameRecordContentFromTables(ExistGm ? ExistGm->info() : GameInfo{});
    // During linear input the typed moves are in the table only.
    if (Reco.LinearInputState != 1)
        content.Moves = gameMoveList();
    content.InsertLog = settings.InsertLogInComments;
    content.LogLines = RecoLog.lines();
    const std::string bytes = qcrBytesFromRecordText(joinRecordLines(composeGameRecordLines(content)));

    QSaveFile file(target);
    const bool written =
        file.open(QIODevice::WriteOnly) &&
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()) &&
        file.commit();
    if (!written) {
        Dialogs::current().information(
            QStringLiteral("Cannot save the game record \"%1\": %2").arg(target, file.errorString()));
        return false;
    }
    Reco.GameSaved = 1;
    queueGameFile(target);
    return true;
}

} // namespace quon
