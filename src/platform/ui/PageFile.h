// Reading a page picture from a file and making it the program's 1-bit page.
//
// The page convention is bit 0 = black, bit 1 = white, most significant bit
// leftmost (QImage::Format_Mono with the colour table {black, white}). Qt's
// readers do not keep that order (a 1-bit BMP may arrive with index 0 white),
// and Qt's own conversion to mono dithers and uses the opposite order, so the
// conversion here is our own: every pixel goes to the nearer of black and
// white by its grey level (a threshold at 128, never dithering).
#pragma once

#include "model/PackedPage.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace quon {

struct LoadedPage {
    QImage asLoaded; // the picture as the file holds it
    QImage mono;     // the 1-bit page
    QString error;   // empty on success
    bool ok() const { return error.isEmpty(); }
};

// Reads the file and converts it. On failure `error` says why, in words for
// the user, and both images are null.
LoadedPage loadPageFile(const QString& path);

// Any picture to the 1-bit page convention. Transparent pixels count as white.
QImage toMonoPage(const QImage& source);

// The rows of a 1-bit page picture, for the packed copy and the polarity.
MonoRows monoRows(const QImage& mono);

// The bytes of a 1-bit BMP file of the picture (palette black, white;
// bottom-up rows); a null picture gives a valid file 0 pixels wide.
QByteArray monoBmpBytes(const QImage& mono);

// Writes a 1-bit BMP byte for byte (palette black, white; bottom-up rows).
// Returns false when the file cannot be written.
bool saveMonoBmp(const QImage& mono, const QString& path);

} // namespace quon
