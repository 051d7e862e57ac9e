#include "prepare/RecordingHost.h"

#include <chrono>

namespace quon {

void RecordingHost::showProgress(bool visible) { progressVisible = visible; }

void RecordingHost::setLabel(int index, const std::string& text)
{
    if (index >= 1 && index <= 6)
        labels[static_cast<size_t>(index)] = text;
}

bool RecordingHost::pump()
{
    ++pumpCount;
    return cancelAtPump > 0 && pumpCount >= cancelAtPump;
}

void RecordingHost::inform(const std::string& text) { messages.push_back(text); }

bool RecordingHost::ask(const std::string& text)
{
    messages.push_back(text);
    if (answers.empty())
        return laterAnswer;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

void RecordingHost::log(const std::string& line)
{
    if (keepLog)
        logLines.push_back(line);
}

void RecordingHost::pointList(const std::string& line)
{
    if (keepLog)
        pointLines.push_back(line);
}

uint32_t RecordingHost::ticks()
{
    if (fixedTicks)
        return tickValue;
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace quon
