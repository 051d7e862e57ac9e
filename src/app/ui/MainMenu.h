// The main menu as one table: every item with its name, caption (trailing
// blanks included), shortcut, start state and command. The main window
// builds its menu bar from it.
#pragma once

#include <cstdint>

namespace quon {

class TForm1;

enum MenuFlags : uint32_t {
    MenuTop = 1u << 0,       // a menu of the menu bar
    MenuSub = 1u << 1,       // an item that opens a submenu
    MenuInvisible = 1u << 2,
    MenuDisabled = 1u << 3,
    MenuChecked = 1u << 4,
    MenuRadio = 1u << 5,     // excludes the other radio items of its group in its menu
};

struct MenuItemDef {
    const char* parent;  // the menu or submenu it is in; nullptr for a menu of the bar
    const char* name;
    const char* caption;
    const char* shortcut; // as QKeySequence reads it; "" for none
    uint32_t flags;
    int group;            // group index of the item within its menu
    void (TForm1::*command)();
};

extern const MenuItemDef MainMenuTable[];
extern const int MainMenuTableSize;

} // namespace quon
