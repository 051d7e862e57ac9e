// What the preparation engine needs from the program around it.
//
// The engine is plain C++ and never touches a window. Everything it shows or
// asks goes through this interface: the progress window implements it for
// the program, tests and the bench implement it with scripts and recorders.
#pragma once

#include <cstdint>
#include <string>

namespace quon {

class PrepareHost {
public:
    virtual ~PrepareHost() = default;

    // Shows or hides the progress window (with one paint when shown).
    virtual void showProgress(bool visible) = 0;
    // Sets the text of progress label 1..6.
    virtual void setLabel(int index, const std::string& text) = 0;
    // Processes pending events so that labels repaint and Cancel can be
    // pressed; true when Cancel has been pressed.
    virtual bool pump() = 0;
    // An information box with a single OK button.
    virtual void inform(const std::string& text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool ask(const std::string& text) = 0;
    // A line of the recognition log.
    virtual void log(const std::string& line) = 0;
    // A line of the point list beside the log.
    virtual void pointList(const std::string& line) = 0;
    // Milliseconds of a free-running 32-bit counter.
    virtual uint32_t ticks() = 0;
};

} // namespace quon
