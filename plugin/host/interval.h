// Host times and validity intervals.
#pragma once

#include <climits>

namespace host {

// Host time in ticks (4800 per second in the host's default setting).
using TimeValue = int;

constexpr TimeValue kTimeNegInfinity = INT_MIN;
constexpr TimeValue kTimePosInfinity = INT_MAX;

// A closed range of times [start, end]. Validity intervals say over which times a value stays
// what it is at the time it was asked for. An interval whose start is after its end is empty.
class Interval {
  public:
    // Forever: every time.
    Interval() : start_(kTimeNegInfinity), end_(kTimePosInfinity) {}
    Interval(TimeValue s, TimeValue e) : start_(s), end_(e) {}

    static Interval forever() { return Interval(); }
    static Interval never() { return Interval(kTimePosInfinity, kTimeNegInfinity); }
    static Interval instant(TimeValue t) { return Interval(t, t); }

    TimeValue start() const { return start_; }
    TimeValue end() const { return end_; }
    bool empty() const { return start_ > end_; }
    bool is_forever() const { return start_ == kTimeNegInfinity && end_ == kTimePosInfinity; }
    bool contains(TimeValue t) const { return start_ <= t && t <= end_; }
    // Whether every time of [s, e] lies in this interval.
    bool covers(TimeValue s, TimeValue e) const { return start_ <= s && e <= end_; }

    // Intersection: the times in both.
    Interval& operator&=(const Interval& o) {
        start_ = start_ > o.start_ ? start_ : o.start_;
        end_ = end_ < o.end_ ? end_ : o.end_;
        return *this;
    }
    bool operator==(const Interval& o) const { return start_ == o.start_ && end_ == o.end_; }
    bool operator!=(const Interval& o) const { return !(*this == o); }

  private:
    TimeValue start_;
    TimeValue end_;
};

inline Interval operator&(Interval a, const Interval& b) {
    return a &= b;
}

}  // namespace host
