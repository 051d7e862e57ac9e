// Ticks, event pumping, the beep, the stay-on-top switch and the pointer.
#pragma once

#include <cstdint>

class QPoint;
class QRect;
class QWidget;

namespace quon::sys {

uint32_t ticks();           // milliseconds, 32-bit like the system's tick counter
void pumpEvents();          // processes pending window messages inside a long loop
void beep();
int beepCount();            // beeps so far (tests read it)
void setStayOnTop(QWidget* window, bool onTop);
void setCursorPos(const QPoint& global); // moves the system mouse pointer (screen pixels)

// The width a window needs to show its caption whole, as the window
// manager draws it (with the program's name after it) beside its buttons.
int captionWidth(const QWidget* window);

// Window placement on the screen that shows `anchor` (the main window).
// Centres `window` over the anchor, then keeps it, frame and all, on that
// screen's free area.
void centreOver(QWidget* window, const QWidget* anchor);
// Moves `window` just enough to lie wholly on the anchor's screen.
void keepOnScreen(QWidget* window, const QWidget* anchor);
// Puts `window` beside the anchor where the screen has room, otherwise
// inside the anchor in the quarter diagonally away from `avoid` (a point
// on the screen the user must still see and click).
void placeBeside(QWidget* window, const QWidget* anchor, const QPoint& avoid);

} // namespace quon::sys
