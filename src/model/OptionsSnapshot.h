// The settings a recognition run reads, taken from the options dialog's
// controls when the run starts (TOptions::snapshot()). Each field is named
// after its control; radio groups and combo boxes give their item index,
// spin edits their value rounded to an integer, check boxes their state.
// The defaults are the controls' own.
#pragma once

#include <cstdint>

namespace quon {

// Items of "Dia brightness" (CBDiaBright).
enum DiaBrightness : int32_t {
    DiaBrightNormal = 0,   // "Normal"
    DiaBrightThick = 1,    // "Thick lines like in Weiqi Yearbook"
    DiaBrightVeryThin = 2, // "Very thin lines"
    DiaBrightAuto = 3,     // "Auto"
};

// Items of "Stones like in" (cbTypSource).
enum StoneSource : int32_t {
    StonesJapanese = 0, // "Japanese Yearbook (small stones)"
    StonesKorean = 1,   // "Korean Yearbook (big stones)"
    StonesAuto = 2,     // "Auto"
};

struct OptionsSnapshot {
    // Game input.
    int32_t rgNumMoves = 0;   // 0 "Auto", 1 "Manually"
    int32_t seNumMoves = 200; // moves of the game, 0 = not set
    int32_t rg1stMove = 0;    // 0 "Black", 1 "White"
    int32_t rgHandiAuto = 0;  // 0 "Auto", 1 "Manually"
    int32_t seHandicap = 0;
    int32_t SENdias = 1; // diagrams of the game, 0 = many, unknown
    int32_t CBTypN = 0;  // 0 each dia from 1st move, 1 continuous, 2 continuous - 100
    int32_t seNDia = 0;  // current diagram
    int32_t se1stMove = 1;
    int32_t seDiaNumMoves = 100; // 0 = auto
    int32_t seMoveCor = 1;

    // Recognize.
    bool CBAskNumMoves = false;
    bool cbIRLog1 = true;
    bool CBFillArI = false;
    int32_t SEstszBx = 0; // stone sizes, hundredths of a pixel
    int32_t SEstszBy = 0;
    int32_t SEstszWx = 0;
    int32_t SEstszWy = 0;
    bool CBUsaStSz = true;
    int32_t CBDiaBright = 0; // 0 normal, 1 thick lines, 2 very thin lines, 3 auto
    int32_t cbTypSource = 0; // 0 small stones, 1 big stones, 2 auto
    bool CBThinDig = false;
    bool cbUseStSz = true;
    bool cbUseStSzCurGm = true;
    bool CBAutoSendRecoDiatoSkarn = false;
    bool CBSkarnPrefer = false;

    // Diagram.
    int32_t RGDiaSize = 0;   // 0 full, 1 half, 2 corner, 3 arbitrary part, 4 auto
    int32_t RGBoardSize = 0; // 0 19, 1 13, 2 11, 3 9, 4 arbitrary size
    int32_t RxSEBoardSize = 15;
    int32_t RGHalfBoard = 0; // 0 left, 1 top, 2 right, 3 bottom
    int32_t RGCorner = 2;    // 0 left top, 1 right top, 2 right bottom, 3 left bottom
    int32_t RxSEVLines = 12;
    int32_t RxSEHLines = 8;
    int32_t RxSETop = 1;
    int32_t RxSELeft = 1;
    int32_t RxSERight = 19;
    int32_t RxSEBottom = 19;
    int32_t RGDiaType = 0; // 0 game record, 1 position, 2 stones and moves, 3 auto

    // Linear input.
    int32_t rgOpenGame = 0; // 0 new game, 1 use current game, 2 open game
    bool cbJumpOverStones = true;
    bool cbShowNumbers = true;
    bool cbAutoreplace = false;
    bool cbSmartEnter = true;
    bool cbBeep = true;

    bool operator==(const OptionsSnapshot&) const = default;
};

} // namespace quon
