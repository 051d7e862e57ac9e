#include "recognize/BezierFigures.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

namespace quon {

TBezPacket DigitPacket;
Array1<IntPoint, 0, 3> DragHandles{};

namespace {

// Points of a damaged file can hold any value; anything this far outside the
// glyph box is garbage, and refusing it keeps the pixel arithmetic in range.
constexpr int32_t MaxPercentMagnitude = 100000;

// The largest valid file: every table full.
constexpr size_t MaxBzpBytes = 4 * (1 + MaxFigures * (4 + MaxCurves * (1 + 2 * (3 * MaxArcs + 1))));

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

class WordReader {
public:
    explicit WordReader(const std::string& bytes) : bytes_(bytes) {}
    bool read(int32_t& v)
    {
        if (pos_ + 4 > bytes_.size())
            return false;
        uint32_t u = 0;
        for (int i = 3; i >= 0; --i)
            u = (u << 8) | static_cast<uint8_t>(bytes_[pos_ + static_cast<size_t>(i)]);
        pos_ += 4;
        v = static_cast<int32_t>(u);
        return true;
    }

private:
    const std::string& bytes_;
    size_t pos_ = 0;
};

void putWord(std::string& out, int32_t v)
{
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

bool readFileBytes(const std::string& name, std::string& bytes, std::string& error)
{
    errno = 0;
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        error = "Cannot open " + quoted(name) + ": " + std::strerror(errno ? errno : ENOENT) + ".";
        return false;
    }
    bytes.assign(MaxBzpBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        error = "Cannot read " + quoted(name) + ".";
        return false;
    }
    bytes.resize(static_cast<size_t>(in.gcount()));
    return true;
}

} // namespace

int32_t percentToPixelX(int32_t xPercent) { return EditorScale * 5 * xPercent / 100 + EditorOrigin.X; }
int32_t percentToPixelY(int32_t yPercent) { return EditorScale * 10 * yPercent / 100 + EditorOrigin.Y; }
int32_t pixelToPercentX(int32_t px) { return (px - EditorOrigin.X) * 100 / (EditorScale * 5); }
int32_t pixelToPercentY(int32_t py) { return (py - EditorOrigin.Y) * 100 / (EditorScale * 10); }
IntPoint percentToPixel(IntPoint p) { return {percentToPixelX(p.X), percentToPixelY(p.Y)}; }
IntPoint pixelToPercent(IntPoint p) { return {pixelToPercentX(p.X), pixelToPercentY(p.Y)}; }

// ---- TCurves ------------------------------------------------------------------

void TCurves::copyCurrentToHandles() const
{
    if (CurArc < 1 || CurArc > NArcs)
        return;
    for (int i = 0; i <= 3; ++i)
        DragHandles[i] = ArcPoints[3 * (CurArc - 1) + i];
}

bool TCurves::AddArc(const ArcPercent& percent)
{
    if (NArcs >= MaxArcs)
        return false;
    const int32_t n = NArcs;
    if (n == 0)
        ArcPoints[0] = percentToPixel(percent[0]);
    for (int i = 1; i <= 3; ++i)
        ArcPoints[3 * n + i] = percentToPixel(percent[static_cast<size_t>(i)]);
    NArcs = n + 1;
    CurArc = NArcs;
    copyCurrentToHandles();
    return true;
}

bool TCurves::DeleteArc()
{
    if (NArcs <= 1 || CurArc < 1 || CurArc > NArcs)
        return false;
    const int32_t a = CurArc;
    for (int32_t i = 3 * a + 1; i <= 3 * NArcs; ++i)
        ArcPoints[i - 3] = ArcPoints[i];
    for (int32_t i = 3 * NArcs - 2; i <= 3 * NArcs; ++i)
        ArcPoints[i] = IntPoint{};
    NArcs -= 1;
    CurArc = std::min(CurArc, NArcs);
    copyCurrentToHandles();
    return true;
}

bool TCurves::SelectArc(int32_t n)
{
    if (n < 1 || n > NArcs)
        return false;
    CurArc = n;
    copyCurrentToHandles();
    return true;
}

// ---- TBezFigure ---------------------------------------------------------------

bool TBezFigure::NewCurve(const ArcPercent& firstArc)
{
    if (NCurves >= MaxCurves)
        return false;
    NCurves += 1;
    CurCurve = NCurves;
    Curves[CurCurve] = TCurves{};
    Curves[CurCurve].AddArc(firstArc);
    return true;
}

bool TBezFigure::DeleteCurve()
{
    if (NCurves <= 1 || CurCurve < 1 || CurCurve > NCurves)
        return false;
    for (int32_t c = CurCurve; c < NCurves; ++c)
        Curves[c] = Curves[c + 1];
    Curves[NCurves] = TCurves{};
    if (CurCurve == NCurves)
        CurCurve -= 1;
    NCurves -= 1;
    return true;
}

// ---- TBezPacket ---------------------------------------------------------------

void TBezPacket::Clear()
{
    for (TBezFigure& f : Figures)
        f = TBezFigure{};
    NFigs = 0;
    CurFig = 0;
}

bool TBezPacket::AddFigure()
{
    if (NFigs >= MaxFigures)
        return false;
    NFigs += 1;
    CurFig = NFigs;
    Figures[NFigs] = TBezFigure{};
    return true;
}

TBezFigure TBezPacket::CloneFigure(const TBezFigure& f)
{
    TBezFigure c = f;
    c.Modif = f.Modif + 1;
    return c;
}

bool TBezPacket::DuplicateCurrent()
{
    if (CurFig < 1 || CurFig > NFigs || NFigs >= MaxFigures)
        return false;
    const TBezFigure clone = CloneFigure(Figures[CurFig]);
    AddFigure();
    Figures[NFigs] = clone;
    CurFig = NFigs;
    return true;
}

bool TBezPacket::DeleteFigure()
{
    if (NFigs <= 1 || CurFig < 1 || CurFig > NFigs)
        return false;
    for (int32_t i = CurFig; i < NFigs; ++i)
        Figures[i] = std::move(Figures[i + 1]);
    Figures[NFigs] = TBezFigure{};
    if (CurFig == NFigs)
        CurFig -= 1;
    NFigs -= 1;
    return true;
}

void TBezPacket::SortFigures()
{
    auto smaller = [](const TBezFigure& a, const TBezFigure& b) {
        return a.Digit < b.Digit || (a.Digit == b.Digit && a.Modif < b.Modif);
    };
    for (int32_t i = 1; i <= NFigs - 1; ++i)
        for (int32_t j = i; j <= NFigs; ++j)
            if (smaller(Figures[j], Figures[i]))
                std::swap(Figures[i], Figures[j]);
    CurFig = 1;
}

bool parseBzp(const std::string& bytes, TBezPacket& out, std::string& error)
{
    WordReader in(bytes);
    out.Clear();
    int32_t nFigs = 0;
    if (!in.read(nFigs)) {
        error = "it holds no figure count";
        return false;
    }
    if (nFigs < 0 || nFigs > MaxFigures) {
        error = "it claims " + std::to_string(nFigs) + " figures (at most " + std::to_string(MaxFigures) + ")";
        return false;
    }
    for (int32_t f = 1; f <= nFigs; ++f) {
        const std::string where = "figure " + std::to_string(f);
        const std::string cut = "it ends inside " + where;
        TBezFigure fig;
        int32_t tag = 0;
        if (!in.read(tag) || !in.read(fig.Digit) || !in.read(fig.Modif) || !in.read(fig.NCurves)) {
            error = cut;
            return false;
        }
        if (fig.NCurves < 0 || fig.NCurves > MaxCurves) {
            error = where + " has " + std::to_string(fig.NCurves) + " curves (at most " + std::to_string(MaxCurves) + ")";
            return false;
        }
        for (int32_t c = 1; c <= fig.NCurves; ++c) {
            TCurves& curve = fig.Curves[c];
            if (!in.read(curve.NArcs)) {
                error = cut;
                return false;
            }
            if (curve.NArcs < 0 || curve.NArcs > MaxArcs) {
                error = where + ", curve " + std::to_string(c) + " has " + std::to_string(curve.NArcs) +
                        " arcs (at most " + std::to_string(MaxArcs) + ")";
                return false;
            }
            for (int32_t p = 0; p < curve.PointCount(); ++p) {
                IntPoint pt;
                if (!in.read(pt.X) || !in.read(pt.Y)) {
                    error = cut;
                    return false;
                }
                if (pt.X < -MaxPercentMagnitude || pt.X > MaxPercentMagnitude || pt.Y < -MaxPercentMagnitude ||
                    pt.Y > MaxPercentMagnitude) {
                    error = where + " has a point far outside the glyph box";
                    return false;
                }
                curve.ArcPoints[p] = percentToPixel(pt);
            }
            curve.CurArc = curve.NArcs > 0 ? 1 : 0;
        }
        fig.CurCurve = fig.NCurves > 0 ? 1 : 0;
        out.Figures[f] = std::move(fig);
        out.NFigs = f;
    }
    out.CurFig = out.NFigs > 0 ? 1 : 0;
    return true;
}

bool TBezPacket::LoadFromFile(const std::string& name, std::string& error)
{
    std::string ext = std::filesystem::path(name).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext != ".bzp") {
        error = "Wrong file format.";
        return false;
    }
    std::string bytes;
    if (!readFileBytes(name, bytes, error))
        return false;
    TBezPacket loaded;
    std::string why;
    if (!parseBzp(bytes, loaded, why)) {
        error = "The digit set " + quoted(name) + " cannot be used: " + why + ".";
        return false;
    }
    loaded.FileName = name;
    *this = std::move(loaded);
    return true;
}

bool TBezPacket::AppendFile(const std::string& name, std::string& error)
{
    TBezPacket more;
    if (!more.LoadFromFile(name, error))
        return false;
    if (NFigs + more.NFigs > MaxFigures) {
        error = "The figures of " + quoted(name) + " cannot be appended: the set would hold " +
                std::to_string(NFigs + more.NFigs) + " figures (at most " + std::to_string(MaxFigures) + ").";
        return false;
    }
    for (int32_t i = 1; i <= more.NFigs; ++i)
        Figures[NFigs + i] = std::move(more.Figures[i]);
    NFigs += more.NFigs;
    if (CurFig == 0 && NFigs > 0)
        CurFig = 1;
    return true;
}

std::string TBezPacket::toBytes() const
{
    std::string out;
    putWord(out, NFigs);
    for (int32_t f = 1; f <= NFigs; ++f) {
        const TBezFigure& fig = Figures[f];
        putWord(out, fig.Digit & 0xFF);
        putWord(out, fig.Digit);
        putWord(out, fig.Modif);
        putWord(out, fig.NCurves);
        for (int32_t c = 1; c <= fig.NCurves; ++c) {
            const TCurves& curve = fig.Curves[c];
            putWord(out, curve.NArcs);
            for (int32_t p = 0; p < curve.PointCount(); ++p) {
                const IntPoint pt = pixelToPercent(curve.ArcPoints[p]);
                putWord(out, pt.X);
                putWord(out, pt.Y);
            }
        }
    }
    return out;
}

bool TBezPacket::SaveToFile(const std::string& name, std::string& error)
{
    const std::string bytes = toBytes();
    const std::string temp = name + ".saving";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "Cannot write " + quoted(name) + ": " + std::strerror(errno ? errno : EACCES) + ".";
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            error = "Cannot write " + quoted(name) + ".";
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, name, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        error = "Cannot write " + quoted(name) + ": " + ec.message() + ".";
        return false;
    }
    FileName = name;
    return true;
}

std::string TBezPacket::ShowInfo() const
{
    std::string s = "N Figs" + std::to_string(NFigs) + "\n";
    s += "# Name Digit Modif # Cur # Arc\n";
    for (int32_t f = 1; f <= NFigs; ++f) {
        const TBezFigure& fig = Figures[f];
        s += std::to_string(f) + "   " + fig.Name + "    " + std::to_string(fig.Digit) + "         " +
             std::to_string(fig.Modif) + "     " + std::to_string(fig.NCurves) + "\n";
        for (int32_t c = 1; c <= fig.NCurves; ++c)
            s += "     " + std::to_string(c) + "   " + std::to_string(fig.Curves[c].NArcs) + "\n";
    }
    return s;
}

} // namespace quon
