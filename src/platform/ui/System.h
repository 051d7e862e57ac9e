// Ticks, event pumping, the beep, the stay-on-top switch and the pointer.
#pragma once

#include <cstdint>

class QPoint;
class QWidget;

namespace quon::sys {

uint32_t ticks();           // milliseconds, 32-bit like the system's tick counter
void pumpEvents();          // processes pending window messages inside a long loop
void beep();
int beepCount();            // beeps so far (tests read it)
void setStayOnTop(QWidget* window, bool onTop);
void setCursorPos(const QPoint& global); // moves the system mouse pointer (screen pixels)

} // namespace quon::sys
