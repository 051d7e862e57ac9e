// Ticks, event pumping, the beep and the stay-on-top switch.
#pragma once

#include <cstdint>

class QWidget;

namespace quon::sys {

uint32_t ticks();           // milliseconds, 32-bit like the system's tick counter
void pumpEvents();          // processes pending window messages inside a long loop
void beep();
int beepCount();            // beeps so far (tests read it)
void setStayOnTop(QWidget* window, bool onTop);

} // namespace quon::sys
