// Font records of the editor's settings and the toolkit's fonts: the font
// dialog starts at a record and its answer becomes a record again.
#pragma once

#include "editor/DgrSettings.h"

#include <QFont>

namespace quon {

QFont qFontFromRecord(const LogFontA& record);
// The description of a chosen font: its character height at 96 dpi as a
// negative height, weight, italic, underline and strike-out, the face name in
// Windows-1251 (cut to 31 bytes), the default character set and the
// precisions a new document's records carry.
LogFontA recordFromQFont(const QFont& font);

// Opens the font dialog on `record`; on OK the record describes the chosen font.
bool chooseFontRecord(LogFontA& record);

} // namespace quon
