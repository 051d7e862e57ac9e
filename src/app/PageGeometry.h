// The arithmetic between the page, its view, the printer and the files:
// zoom sizes, view-to-page mapping, the crop rectangle, the print scale, the
// typed rotation angle and the name a saved page gets.
#pragma once

#include "model/Recotypes.h"

#include <optional>
#include <string>

namespace quon {

// The shown size of a page at p percent, never below 1 x 1.
struct ShownSize {
    int32_t width = 1;
    int32_t height = 1;
    bool operator==(const ShownSize&) const = default;
};
ShownSize zoomedSize(int32_t imageWidth, int32_t imageHeight, int32_t percent);
// A view size (the window's client area) as a shown size, never below 1 x 1.
ShownSize fittedSize(int32_t clientWidth, int32_t clientHeight);

// The zoom percentage a View item's caption stands for: the number before
// "%", 100 for a caption without "%" ("Actual Size"), nothing for
// "Fit to window". The first "&" of the caption is ignored.
std::optional<int32_t> zoomPercentOfCaption(const std::string& caption);

// View pixel to page pixel: v x image div shown, truncating toward zero.
// Positions outside the view (the mouse is captured during a drag) map
// outside the page; clampToPage brings them back onto it.
IntPoint viewToPage(IntPoint view, int32_t imageWidth, int32_t imageHeight, ShownSize shown);
IntPoint clampToPage(IntPoint p, int32_t imageWidth, int32_t imageHeight);

// The rubber band between the point where the left button went down and
// the mouse, whichever way the mouse went from there.
PixelRect dragCropRect(IntPoint anchor, IntPoint view);

// The page rectangle a view rectangle selects, by the factors
// image x 100 div shown, clamped to the page. Empty when it has no area.
PixelRect cropToPage(const PixelRect& view, int32_t imageWidth, int32_t imageHeight, ShownSize shown);
inline bool isEmpty(const PixelRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

// Printer dots per page pixel: the printer's dots per inch over the scan
// resolution (taken as at least 1 dpi). Real-valued, so a printer coarser
// than the scan still prints the page, at its scanned size.
double printScale(int32_t printerDpi, double scanResolution);

// The angle typed into the rotation dialog, in degrees: digits with "," or
// "." as the decimal separator; blanks and the mask's "_" are ignored.
// Nothing when the text is not a number.
std::optional<long double> parseAngleText(const std::string& text);

// The name a page is saved under: a file name without extension gets
// ".bmp"; one whose extension is not exactly ".BMP" is cut after its first
// "." and gets "bmp". Only the file name counts, never the folders.
std::string bmpSaveName(const std::string& chosen);

} // namespace quon
