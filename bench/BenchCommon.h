// What the bench commands share: loading a page as Open Image does, JSON
// strings, medians and timing.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace quon::bench {

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
