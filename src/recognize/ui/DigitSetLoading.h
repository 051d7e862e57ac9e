// Loading a digit set file into DigitPacket from the windows, with the
// messages shown through Dialogs.
#pragma once

#include "platform/ui/Dialogs.h"

#include <QString>

namespace quon {

// Replaces DigitPacket with the set in `file`. On failure the message is
// shown ("Wrong file format." for a name not ending in ".BzP") and the old
// set stays in use. True on success.
bool loadDigitPacket(const QString& file);

// The digit-set file dialogs. Saving proposes the suffix "BzP", so that a
// set saved under a typed name can be loaded again.
FileDialogSpec digitSetOpenDialog();
FileDialogSpec digitSetSaveDialog();

} // namespace quon
