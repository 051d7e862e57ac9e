// Page pictures as Open Image reads them: the file's bytes become the page,
// the page as loaded is kept as the copy "Acquired0.bmp", the page is packed
// and its ink polarity decided. The promise: a refused file says why and
// gives no picture; a page that was opened gives the same page again when
// its copy is opened (Open Last Image).
//
// Only BMP files are fed in: Open Image hands other kinds to Qt's readers
// unchanged, and those are fuzzed where they are made.
#include "FuzzPromise.h"

#include "model/PackedPage.h"
#include "platform/ui/PageFile.h"

#include <QBuffer>

using namespace quon;
using namespace quon::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2 || data[0] != 'B' || data[1] != 'M')
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const LoadedPage page = loadPageBytes(bytes, "page.bmp");
    if (!page.ok()) {
        promise(page.asLoaded.isNull() && page.mono.isNull(), "a refused picture gives no page");
        return 0;
    }
    promise(page.mono.format() == QImage::Format_Mono && page.mono.size() == page.asLoaded.size(),
            "the page is 1-bit and as large as the picture");
    promise(pageSizeProblem(page.mono.width(), page.mono.height()).empty(), "an opened page is within the limits");

    QByteArray copy;
    {
        QBuffer buffer(&copy);
        buffer.open(QIODevice::WriteOnly);
        promise(page.asLoaded.save(&buffer, "BMP"), "the page copy can be written");
    }
    FillImageArray(monoRows(page.mono));
    CheckColor(monoRows(page.mono));

    const LoadedPage again = loadPageBytes(copy, "Acquired0.bmp");
    promise(again.ok(), "the page copy opens again", again.error.toStdString());
    promise(again.mono == page.mono, "the page copy gives the same page",
            "picture format " + std::to_string(page.asLoaded.format()) + ", copy read as format " +
                std::to_string(again.asLoaded.format()) + ", " + std::to_string(page.mono.width()) + " x " +
                std::to_string(page.mono.height()));
    return 0;
}
