#include "recognize/DigitSetSource.h"

#include <sstream>
#include <vector>

namespace quon {

bool parseDigitSetSource(const std::string& text, TBezPacket& out, std::string& error)
{
    out.Clear();
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(lineNo) + ": " + why;
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (const auto hash = line.find('#'); hash != std::string::npos)
            line.erase(hash);
        std::istringstream words(line);
        std::string word;
        if (!(words >> word))
            continue;
        if (word == "figure") {
            int32_t digit = 0, modif = 0;
            if (!(words >> digit >> modif) || digit < 0 || digit > 255)
                return fail("expected: figure <digit> <variant>");
            if (!out.AddFigure())
                return fail("more than " + std::to_string(MaxFigures) + " figures");
            out.Figures[out.NFigs].Digit = digit;
            out.Figures[out.NFigs].Modif = modif;
            out.Figures[out.NFigs].Name = std::to_string(digit);
        } else if (word == "curve") {
            if (out.NFigs == 0)
                return fail("a curve before the first figure");
            std::vector<IntPoint> pts;
            std::string pair;
            while (words >> pair) {
                IntPoint p;
                char comma = 0;
                std::istringstream ps(pair);
                if (!(ps >> p.X >> comma >> p.Y) || comma != ',' || !ps.eof())
                    return fail("bad point \"" + pair + "\"");
                pts.push_back(p);
            }
            if (pts.size() < 4 || (pts.size() - 1) % 3 != 0)
                return fail("a curve needs 3 x arcs + 1 points");
            TBezFigure& fig = out.Figures[out.NFigs];
            const ArcPercent first{pts[0], pts[1], pts[2], pts[3]};
            if (!fig.NewCurve(first))
                return fail("more than " + std::to_string(MaxCurves) + " curves");
            for (size_t i = 4; i + 2 < pts.size(); i += 3)
                if (!fig.Curves[fig.CurCurve].AddArc({pts[i - 1], pts[i], pts[i + 1], pts[i + 2]}))
                    return fail("more than " + std::to_string(MaxArcs) + " arcs");
        } else {
            return fail("unknown word \"" + word + "\"");
        }
    }
    for (int32_t f = 1; f <= out.NFigs; ++f) {
        TBezFigure& fig = out.Figures[f];
        if (fig.NCurves == 0) {
            error = "figure " + std::to_string(f) + " has no curve";
            return false;
        }
        fig.CurCurve = 1;
        for (int32_t c = 1; c <= fig.NCurves; ++c)
            fig.Curves[c].CurArc = 1;
    }
    out.CurFig = out.NFigs > 0 ? 1 : 0;
    return true;
}

} // namespace quon
