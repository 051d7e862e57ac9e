// Digit sets as Load user digits set reads them. The promise: a refused
// file says why; a set that was read saves to bytes that read back to the
// same set (the first save may round odd x percentages to even, as the
// conversion to editor pixels truncates; after that nothing moves).
#include "FuzzPromise.h"

#include "recognize/BezierFigures.h"

using namespace quon;
using namespace quon::fuzz;

namespace {

bool sameShape(const TBezPacket& a, const TBezPacket& b)
{
    if (a.NFigs != b.NFigs)
        return false;
    for (int32_t f = 1; f <= a.NFigs; ++f) {
        const TBezFigure& x = a.Figures[f];
        const TBezFigure& y = b.Figures[f];
        if (x.Digit != y.Digit || x.Modif != y.Modif || x.NCurves != y.NCurves)
            return false;
        for (int32_t c = 1; c <= x.NCurves; ++c)
            if (x.Curves[c].NArcs != y.Curves[c].NArcs)
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TBezPacket read;
    std::string error;
    if (!parseBzp(bytesOf(data, size), read, error)) {
        promise(!error.empty(), "a refused digit set says why");
        return 0;
    }
    promise(read.NFigs <= MaxFigures, "at most 50 figures are read");
    const std::string saved = read.toBytes();
    TBezPacket again;
    promise(parseBzp(saved, again, error), "a saved digit set opens again", error);
    promise(sameShape(read, again), "a saved digit set keeps its figures, curves and arcs");
    promise(again.toBytes() == saved, "a digit set saved twice is the same file");
    return 0;
}
