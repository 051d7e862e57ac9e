// quon-bench: the developers' measuring tool. It runs the program's own code
// on page files and prints JSON, for checking against the corpus truth and
// for timing.
//
//   quon-bench page FILE.bmp        load a page exactly as Open Image does
//   quon-bench lines PAGE.bmp...    the horizontal line finder on each page
//   quon-bench windows PAGE.bmp...  the time of the stone-window features
#include "Commands.h"
#include "model/PackedPage.h"
#include "model/Recotypes.h"
#include "platform/ui/PageFile.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>
#include <cstring>

using namespace quon;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: quon-bench page FILE.bmp\n"
                         "       quon-bench lines PAGE.bmp...\n"
                         "       quon-bench windows PAGE.bmp...\n");
    return 2;
}

int pageCommand(const char* file)
{
    LoadedPage page = loadPageFile(QString::fromLocal8Bit(file));
    if (!page.ok()) {
        std::fprintf(stderr, "%s\n", page.error.toLocal8Bit().constData());
        return 1;
    }
    const MonoRows rows = monoRows(page.mono);
    Reco.ImageWidth = rows.width;
    Reco.ImageHeight = rows.height;
    FillImageArray(rows);
    CheckColor(rows);
    long long ink = 0;
    for (int32_t y = 0; y < Reco.ImageHeight; ++y)
        for (int32_t x = 0; x < Reco.ImageWidth; ++x)
            ink += GetPix(x, y);
    std::printf("{\"width\": %d, \"height\": %d, \"ink_polarity\": %d, \"ink_pixels\": %lld, \"stride\": %d}\n",
                Reco.ImageWidth, Reco.ImageHeight, Reco.InkPolarity, ink, Reco.PackedStride);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "page") == 0)
        return pageCommand(argv[2]);
    if (argc >= 2 && std::strcmp(argv[1], "lines") == 0)
        return bench::linesCommand(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "windows") == 0)
        return bench::windowsCommand(argc, argv);
    return usage();
}
