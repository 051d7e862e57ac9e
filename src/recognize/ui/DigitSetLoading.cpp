#include "recognize/ui/DigitSetLoading.h"

#include "recognize/BezierFigures.h"

#include <QFile>

namespace quon {

bool loadDigitPacket(const QString& file)
{
    std::string error;
    if (DigitPacket.LoadFromFile(QFile::encodeName(file).toStdString(), error))
        return true;
    Dialogs::current().information(QString::fromStdString(error));
    return false;
}

FileDialogSpec digitSetOpenDialog()
{
    FileDialogSpec spec;
    spec.key = "BezOpenDialog";
    spec.filter = "Bezier curves Packet |*.BzP|Bezier curve|*.Bez";
    spec.defaultExt = "Bez";
    return spec;
}

FileDialogSpec digitSetSaveDialog()
{
    FileDialogSpec spec;
    spec.key = "BezSaveDialog";
    spec.filter = "Bezier curves Packet |*.BzP";
    spec.defaultExt = "BzP";
    return spec;
}

} // namespace quon
