// What the bench commands share: loading a page as Open Image does, JSON
// strings, medians and timing.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace quon {
class RecordingHost;
}

namespace quon::bench {

// The options the bench prepares with: a full 19 x 19 board, a game record.
void setDefaultDiagram();

// Readings of the preparation that the options leave open; the defaults are
// the program's.
struct PrepareReadings {
    bool sharedCornerRecord = false;
    bool fullRespacing = false;
    bool centringPerPoint = false;
};

// Prepares the page in the tables as the Prepare command does, with `host`
// answering; true when the run ended normally or was cancelled.
bool runPreparation(RecordingHost& host, const PrepareReadings& readings = {});

// Loads the page into fresh tables (sizes, packed copy, ink polarity).
// False with `error` set when the file cannot be read.
bool loadBenchPage(const char* path, std::string& error);

std::string jsonString(const std::string& s);
double median(std::vector<double> v);

using Clock = std::chrono::steady_clock;
inline double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

} // namespace quon::bench
