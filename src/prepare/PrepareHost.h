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

    // The grid-values window and the menu items preparation reads or sets.
    // Hosts without a main window keep the defaults: grid display off.
    virtual bool gridVisible() { return false; }
    virtual void uncheckGridVisible() {}
    // Starts a new listing in the grid-values window (columns 40 wide).
    virtual void beginGridCells() {}
    // The text of the cell at column `col`, row `row`, both from 0.
    virtual void setGridCell(int /*col*/, int /*row*/, const std::string& /*text*/) {}
    virtual void showGridWindow(bool /*visible*/) {}
    // Enables the main window's Recognition command (end of a run).
    virtual void enableRecognition() {}
};

} // namespace quon
