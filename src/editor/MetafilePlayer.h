// Plays an enhanced or an old (placeable) metafile onto a drawing canvas, so
// the picture viewer can show the metafiles the editor writes.
//
// The records the editor's pictures are made of are played: pens, solid and
// null brushes, fonts, object selection and deletion, move/line, ellipse,
// polygon, raster operation, text and background colours and mode, and text
// (wide text in the enhanced kind, Windows-1251 bytes in the old one). Other
// records are skipped, so a picture from another program may show in part.
// A record that runs past the end of the data, or a header that does not
// hold, ends the playing with false; what was drawn before stays.
#pragma once

#include "platform/GdiCanvas.h"

#include <optional>
#include <string_view>

namespace quon {

// The picture's size in pixels from its header; none when the data is not
// such a metafile or the size is not between 1 and MaxMetafileSide.
constexpr int32_t MaxMetafileSide = 20000;
std::optional<GdiSize> emfPictureSize(std::string_view bytes);
std::optional<GdiSize> wmfPictureSize(std::string_view bytes);

bool playEmf(std::string_view bytes, GdiCanvas& canvas);
bool playWmf(std::string_view bytes, GdiCanvas& canvas);

} // namespace quon
