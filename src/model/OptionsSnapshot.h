// The option values a recognition run reads, taken from the options dialog's
// controls when the run starts.
//
// The dialog's controls stay the settings store; a run copies what it needs
// into this plain struct once, so the Qt-free engine never touches a widget.
// Field names are the controls' component names. Radio groups and combo
// boxes hold the index of the chosen item; the defaults are the dialog's
// defaults.
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
    // Page "Game input".
    double seHandicap = 0; // handicap stones, -1..24

    // Page "Recognize".
    int32_t CBDiaBright = DiaBrightNormal; // board-pattern check
    int32_t cbTypSource = StonesJapanese;  // stone rectangle
    bool CBThinDig = false;                // digit finding: thin digits
};

} // namespace quon
