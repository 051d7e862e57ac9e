// The root information of the current game, as the game-information dialog
// holds it: the reader fills it from a record, the writer composes the
// record's first lines from it. Field names are the dialog's control names;
// texts are UTF-8; numbers are within the dialog's ranges (clampToRanges).
#pragma once

#include <cstdint>
#include <string>

namespace quon {

// WinnerNone: a result that names no winner (a draw, a void game); the
// result text is then the whole result.
enum ResultWinner : int32_t { WinnerNone = -1, WinnerBlack = 0, WinnerWhite = 1 };

struct GameInfo {
    std::string EBlack;
    std::string EWhite;
    int32_t seRat_B = 9;
    std::string ERat_B1 = "p";
    int32_t seRat_W = 9;
    std::string eRat_W1 = "p";
    std::string eRat_B = "9p"; // ranks as read
    std::string eRat_W = "9p";
    int32_t seBGameTimeH = 4;
    int32_t seBGameTimeM = 59;
    int32_t seWGameTimeH = 4;
    int32_t seWGameTimeM = 59;
    std::string eGameTime = "W: 4.59, B: 4.59";
    int32_t rgResult = WinnerWhite;
    std::string EResult = "R";
    std::string EDate = "1992-01-01";
    std::string EKomi = "5.5";
    int32_t seHandicap = 0;
    std::string ESource;
    std::string ESourcePage = "p. ";
    int32_t seNPage = 40;
    int32_t seNDia = 1;
    std::string eTourn;
    std::string eRound;
    std::string ePlace;
    std::string EUser = "QO"; // the recorder's initials
    std::string ENumMoves = "0";

    bool operator==(const GameInfo&) const = default;
};

// Ranges of the dialog's spin edits.
struct SpinRange {
    int32_t Min;
    int32_t Max;
};
inline constexpr SpinRange RankRange{1, 9};
inline constexpr SpinRange HoursRange{0, 9};
inline constexpr SpinRange MinutesRange{0, 59};
inline constexpr SpinRange HandicapRange{0, 9};
inline constexpr SpinRange PageRange{1, 999};
inline constexpr SpinRange DiaRange{1, 9};

// Every number brought into its spin edit's range, as setting the edit would.
void clampToRanges(GameInfo& info);

// "W: %d.%2d, B: %d.%2d" of White's and Black's hours and minutes, or ""
// when all four are 0.
std::string formatGameTime(int32_t whiteHours, int32_t whiteMinutes, int32_t blackHours, int32_t blackMinutes);

} // namespace quon
