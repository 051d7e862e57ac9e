#include "model/GameInfo.h"

#include <algorithm>
#include <cstdio>

namespace quon {

namespace {
void clampTo(int32_t& v, SpinRange r) { v = std::clamp(v, r.Min, r.Max); }
} // namespace

void clampToRanges(GameInfo& info)
{
    clampTo(info.seRat_B, RankRange);
    clampTo(info.seRat_W, RankRange);
    clampTo(info.seBGameTimeH, HoursRange);
    clampTo(info.seWGameTimeH, HoursRange);
    clampTo(info.seBGameTimeM, MinutesRange);
    clampTo(info.seWGameTimeM, MinutesRange);
    clampTo(info.seHandicap, HandicapRange);
    clampTo(info.seNPage, PageRange);
    clampTo(info.seNDia, DiaRange);
    if (info.rgResult != WinnerBlack && info.rgResult != WinnerNone)
        info.rgResult = WinnerWhite;
}

std::string formatGameTime(int32_t whiteHours, int32_t whiteMinutes, int32_t blackHours, int32_t blackMinutes)
{
    if (whiteHours + whiteMinutes + blackHours + blackMinutes == 0)
        return {};
    char buf[64];
    std::snprintf(buf, sizeof buf, "W: %d.%2d, B: %d.%2d", whiteHours, whiteMinutes, blackHours, blackMinutes);
    return buf;
}

} // namespace quon
