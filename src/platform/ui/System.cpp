#include "platform/ui/System.h"

#include "platform/DataFiles.h"

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMargins>
#include <QRect>
#include <QScreen>
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

namespace {
// The window manager adds a title bar and borders that Qt knows only once
// the window has been shown; before that a typical frame is assumed.
QMargins frameMargins(const QWidget* w)
{
    const QRect frame = w->frameGeometry();
    const QRect inner = w->geometry();
    if (frame != inner)
        return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                frame.bottom() - inner.bottom()};
    return {4, 28, 4, 4};
}

QRect available(const QWidget* anchor)
{
    const QScreen* s = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

// Moves the window so that its frame `frame` lies inside `area` as far as
// it can (the top-left corner wins when it is larger).
void moveFrameInto(QWidget* w, QRect frame, const QRect& area)
{
    if (frame.right() > area.right())
        frame.moveRight(area.right());
    if (frame.bottom() > area.bottom())
        frame.moveBottom(area.bottom());
    if (frame.left() < area.left())
        frame.moveLeft(area.left());
    if (frame.top() < area.top())
        frame.moveTop(area.top());
    // A window's position is that of its frame.
    w->move(frame.topLeft());
}

QRect frameOf(const QWidget* w, QPoint innerTopLeft)
{
    const QMargins m = frameMargins(w);
    const QSize size = w->isVisible() ? w->size() : w->size().expandedTo(w->sizeHint());
    return QRect(innerTopLeft, size).marginsAdded(m);
}
} // namespace

int captionWidth(const QWidget* window)
{
    QString title = window->windowTitle();
    if (!QGuiApplication::applicationDisplayName().isEmpty())
        title += QStringLiteral(" \u2014 ") + QGuiApplication::applicationDisplayName();
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + 120;
}

void centreOver(QWidget* window, const QWidget* anchor)
{
    if (!window)
        return;
    const QRect area = available(anchor);
    const QPoint centre = anchor ? anchor->frameGeometry().center() : area.center();
    QRect frame = frameOf(window, window->geometry().topLeft());
    frame.moveCenter(centre);
    moveFrameInto(window, frame, area);
}

void keepOnScreen(QWidget* window, const QWidget* anchor)
{
    if (!window)
        return;
    moveFrameInto(window, frameOf(window, window->geometry().topLeft()), available(anchor));
}

void placeBeside(QWidget* window, const QWidget* anchor, const QPoint& avoid)
{
    if (!window || !anchor)
        return;
    const QRect area = available(anchor);
    const QRect a = anchor->frameGeometry();
    QRect frame = frameOf(window, window->geometry().topLeft());
    if (a.right() + 1 + frame.width() <= area.right() + 1) {
        frame.moveTopLeft({a.right() + 1, a.top()});
    } else if (a.left() - frame.width() >= area.left()) {
        frame.moveTopRight({a.left() - 1, a.top()});
    } else {
        // No room beside it: the corner of the anchor farthest from the point.
        const bool right = avoid.x() < a.center().x();
        const bool bottom = avoid.y() < a.center().y();
        const QRect inner = anchor->geometry();
        if (right)
            frame.moveRight(inner.right());
        else
            frame.moveLeft(inner.left());
        if (bottom)
            frame.moveBottom(inner.bottom());
        else
            frame.moveTop(inner.top());
    }
    moveFrameInto(window, frame, area);
}

} // namespace quon::sys
