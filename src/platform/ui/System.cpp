#include "platform/ui/System.h"

#include "platform/DataFiles.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace quon::sys {

namespace {
int beeps = 0;
}

uint32_t ticks() { return tickCount(); }

void pumpEvents() { QCoreApplication::processEvents(); }

void beep()
{
    ++beeps;
    QApplication::beep();
}

int beepCount() { return beeps; }

void setStayOnTop(QWidget* window, bool onTop)
{
    if (!window)
        return;
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        window->show(); // changing a window flag hides the window
}

// Ignored where the display does not let programs move the pointer (Wayland).
void setCursorPos(const QPoint& global) { QCursor::setPos(global); }

} // namespace quon::sys
