// quon-bench: the developers' measuring tool. It runs the program's own code
// on page files and prints JSON, for checking against the corpus truth and
// for timing.
//
//   quon-bench page FILE.bmp   load a page exactly as Open Image does
//   quon-bench digits [FILE.BzP]
//                              draw every figure of the digit set (the
//                              default set unless a file is given) as a thick
//                              numeral at several sizes and read it back
#include "model/PackedPage.h"
#include "model/Recotypes.h"
#include "platform/DataFiles.h"
#include "platform/ui/PageFile.h"
#include "recognize/BezierFigures.h"
#include "recognize/DigitSamples.h"
#include "recognize/DigitSetFile.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>
#include <cstring>

using namespace quon;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: quon-bench page FILE.bmp\n"
                         "       quon-bench digits [FILE.BzP]\n");
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

int digitsCommand(const char* file)
{
    const std::string path = file ? std::string(file) : defaultDigitSetPath({}).string();
    std::string error;
    if (path.empty() || !DigitPacket.LoadFromFile(path, error)) {
        std::fprintf(stderr, "%s\n", path.empty() ? "Digits.BzP not found" : error.c_str());
        return 1;
    }
    int32_t allSizes = 0;
    const auto sizes = static_cast<int32_t>(readBackSizes().size());
    for (int32_t f = 1; f <= DigitPacket.NFigs; ++f) {
        const TBezFigure& fig = DigitPacket.Figures[f];
        const int32_t good = readBackFigure(f);
        if (good == sizes)
            ++allSizes;
        std::printf("{\"digit\": %d, \"variant\": %d, \"sizes\": %d, \"read_back\": %d}\n", fig.Digit, fig.Modif,
                    sizes, good);
    }
    std::printf("{\"figures\": %d, \"read_back\": %d}\n", DigitPacket.NFigs, allSizes);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "page") == 0)
        return pageCommand(argv[2]);
    if ((argc == 2 || argc == 3) && std::strcmp(argv[1], "digits") == 0)
        return digitsCommand(argc == 3 ? argv[2] : nullptr);
    return usage();
}
