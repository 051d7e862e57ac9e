// What every fuzz target shares: a broken promise of a reader stops the run
// like a crash, so libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quon::fuzz {

[[noreturn]] inline void broken(const char* promise, const std::string& detail = {})
{
    std::fprintf(stderr, "\n*** Broken promise: %s\n%s%s", promise, detail.c_str(), detail.empty() ? "" : "\n");
    std::fflush(stderr);
    std::abort();
}

inline void promise(bool kept, const char* what, const std::string& detail = {})
{
    if (!kept)
        broken(what, detail);
}

inline std::string bytesOf(const uint8_t* data, size_t size) { return {reinterpret_cast<const char*>(data), size}; }

} // namespace quon::fuzz
