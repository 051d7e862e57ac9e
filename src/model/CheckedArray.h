// Checked arrays with the bounds the tables are specified with.
//
// Board columns and rows, move numbers and list entries count from 1 in this
// program. Every fixed table uses Array1 (lower and upper bound given) or
// BoundedList (an Array1 from 1 with a fill count). An index out of range
// throws RangeError; the command that was running catches it, shows a
// run-time error and stops, so a bad index never corrupts a neighbouring
// table.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace quon {

class RangeError : public std::out_of_range {
public:
    explicit RangeError(const std::string& what) : std::out_of_range(what) {}
};

[[noreturn]] void throwRangeError(long index, long lo, long hi);

template <typename T, long Lo, long Hi>
class Array1 {
    static_assert(Hi >= Lo, "empty range");

public:
    static constexpr long Low = Lo;
    static constexpr long High = Hi;
    static constexpr long Length = Hi - Lo + 1;

    T& operator[](long i)
    {
        if (i < Lo || i > Hi)
            throwRangeError(i, Lo, Hi);
        return items_[static_cast<size_t>(i - Lo)];
    }
    const T& operator[](long i) const
    {
        if (i < Lo || i > Hi)
            throwRangeError(i, Lo, Hi);
        return items_[static_cast<size_t>(i - Lo)];
    }
    void fill(const T& v) { items_.fill(v); }
    T* begin() { return items_.data(); }
    T* end() { return items_.data() + Length; }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + Length; }

    bool operator==(const Array1&) const = default;

private:
    std::array<T, static_cast<size_t>(Length)> items_{};
};

// Called once for each list that refuses an entry, so the recognition log
// gets one line per overflowing list (and not one per refused entry).
using OverflowReporter = std::function<void(const std::string& listName, long capacity)>;
void setOverflowReporter(OverflowReporter reporter);
void reportOverflow(const std::string& listName, long capacity);

// A table of capacity N, entries 1..Count in use. add() refuses an entry past
// the capacity and reports it once until the list is cleared.
template <typename T, long N>
class BoundedList {
public:
    static constexpr long Capacity = N;

    int32_t Count = 0;

    T& operator[](long i) { return items_[i]; }
    const T& operator[](long i) const { return items_[i]; }

    bool add(const T& v, const char* listName = "list")
    {
        if (Count >= N) {
            if (!overflowReported_) {
                overflowReported_ = true;
                reportOverflow(listName, N);
            }
            return false;
        }
        ++Count;
        items_[Count] = v;
        return true;
    }
    bool full() const { return Count >= N; }
    void clear()
    {
        Count = 0;
        overflowReported_ = false;
    }
    void reset()
    {
        clear();
        items_.fill(T{});
    }

    T* begin() { return items_.begin(); }
    T* end() { return items_.begin() + Count; }
    const T* begin() const { return items_.begin(); }
    const T* end() const { return items_.begin() + Count; }

private:
    Array1<T, 1, N> items_{};
    bool overflowReported_ = false;
};

} // namespace quon
