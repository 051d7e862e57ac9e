#include "model/Recotypes.h"

namespace quon {

SharedTables Reco;

const Array1<std::string, 1, 9> CornerNames = [] {
    Array1<std::string, 1, 9> names;
    names[2] = "Left Top";
    names[4] = "Right Top";
    names[6] = "Right Bottom";
    names[8] = "Left Bottom";
    return names;
}();

void resetTablesToStart() { Reco = SharedTables{}; }

void resetGridForNewDiagram(bool keepWindowCorners)
{
    const DiagramRect w = Reco.DiagramWindow;
    for (long c = 1; c <= 19; ++c) {
        for (long r = 1; r <= 19; ++r) {
            BC& p = Reco.GridPoints[c][r];
            const bool corner = keepWindowCorners && (c == w.Left || c == w.Right) && (r == w.Top || r == w.Bottom);
            const IntPoint keptCoord = p.Coord;
            const int32_t keptEst = p.Est;
            p = BC{};
            p.Typ = TypUndecided;
            p.DenLine = p.DenLine1 = p.Denstone = p.Lsw = -1;
            if (corner) {
                p.Coord = keptCoord;
                p.Est = keptEst;
            }
        }
    }
}

} // namespace quon
