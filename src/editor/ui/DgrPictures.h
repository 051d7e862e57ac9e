// The diagram's picture outputs: a 1-bit BMP file, the two metafile files,
// and the clipboard in the three picture formats. Each renders the
// document's block afresh (editor/DgrRender.h); only the document's working
// fields change.
//
// Each returns false with a message for the user in `error` when the picture
// cannot be made (too large for its kind) or cannot be written; a refused
// picture is never allocated and an existing file is left whole.
//
// On the clipboard a picture goes under the MIME names other programs look
// for: the bitmap as an image (and its BMP bytes as image/bmp), the enhanced
// metafile as image/emf, image/x-emf and the office suites' own name, the
// old metafile likewise as image/wmf and image/x-wmf.
#pragma once

#include "editor/DgrData.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

namespace quon {

// The block as a 1-bit picture (black 0, white 1; 96 dpi). A null image with
// `error` set when the picture is refused; a null image and no error for an
// empty block.
QImage renderBitmapPicture(tDgrData& doc, QString& error);
// The metafile bytes; empty with `error` set when refused.
QByteArray renderEmfPicture(tDgrData& doc, QString& error);
QByteArray renderWmfPicture(tDgrData& doc, QString& error);

bool SaveBmpFile(tDgrData& doc, const QString& fileName, QString& error);
bool SaveEmfFile(tDgrData& doc, const QString& fileName, QString& error);
bool SaveWmfFile(tDgrData& doc, const QString& fileName, QString& error);

bool CopyBmpToClipboard(tDgrData& doc, QString& error);
bool CopyEmfToClipboard(tDgrData& doc, QString& error);
bool CopyWmfToClipboard(tDgrData& doc, QString& error);

// The MIME names each metafile kind is offered under.
QStringList emfMimeTypes();
QStringList wmfMimeTypes();

} // namespace quon
