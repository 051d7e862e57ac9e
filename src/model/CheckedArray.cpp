#include "model/CheckedArray.h"

namespace quon {

namespace {
OverflowReporter& reporterSlot()
{
    static OverflowReporter reporter;
    return reporter;
}
} // namespace

void throwRangeError(long index, long lo, long hi)
{
    throw RangeError("Range check error: index " + std::to_string(index) + " outside " + std::to_string(lo) +
                     ".." + std::to_string(hi));
}

void setOverflowReporter(OverflowReporter reporter) { reporterSlot() = std::move(reporter); }

void reportOverflow(const std::string& listName, long capacity)
{
    if (reporterSlot())
        reporterSlot()(listName, capacity);
}

} // namespace quon
