// The recognition log: the text lines that preparation, reading and the
// recognition passes append (statistics, timings, mistakes). The debug
// window shows it, and a saved game can carry it as a comment.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quon {

class RecognitionLog {
public:
    void add(const std::string& line);
    void clear();
    const std::vector<std::string>& lines() const { return lines_; }

    // The window that shows the log listens here; one listener at a time.
    std::function<void()> onChange;

private:
    std::vector<std::string> lines_;
};

extern RecognitionLog RecoLog;

} // namespace quon
