#include "model/RecognitionLog.h"

#include "model/CheckedArray.h"

namespace quon {

RecognitionLog RecoLog;

void RecognitionLog::add(const std::string& line)
{
    lines_.push_back(line);
    if (onChange)
        onChange();
}

void RecognitionLog::clear()
{
    lines_.clear();
    if (onChange)
        onChange();
}

namespace {
// Full tables say so in the log, once per list, instead of overrunning.
const bool overflowReporterInstalled = [] {
    setOverflowReporter([](const std::string& name, long capacity) {
        RecoLog.add(name + " is full (" + std::to_string(capacity) + " entries): further entries not listed");
    });
    return true;
}();
} // namespace

} // namespace quon
