#include "standin/host/key_track.h"

namespace standin {

KeyPosition locate_key(const std::vector<host::TimeValue>& times, host::TimeValue t) {
    KeyPosition p;
    const auto it = std::upper_bound(times.begin(), times.end(), t);
    p.index = static_cast<int>(it - times.begin()) - 1;
    if (p.index >= 0 && it != times.end()) {
        const double span = static_cast<double>(*it) - static_cast<double>(times[p.index]);
        p.fraction = static_cast<float>((static_cast<double>(t) - times[p.index]) / span);
    }
    return p;
}

host::Interval constant_interval(const std::vector<host::TimeValue>& times,
                                 const std::vector<char>& same_as_next, host::TimeValue t) {
    const int n = static_cast<int>(times.size());
    if (n < 2) {
        return host::Interval::forever();
    }
    // The keys bounding t from the left and the right; equal when t is on a key.
    int left = 0;
    int right = 0;
    const KeyPosition p = locate_key(times, t);
    if (p.index < 0) {
        left = 0;
        right = 0;
    } else if (p.index >= n - 1) {
        left = n - 1;
        right = n - 1;
    } else if (times[p.index] == t) {
        left = p.index;
        right = p.index;
    } else {
        if (!same_as_next[p.index]) {
            return host::Interval::instant(t);
        }
        left = p.index;
        right = p.index + 1;
    }
    while (left > 0 && same_as_next[left - 1]) {
        --left;
    }
    while (right < n - 1 && same_as_next[right]) {
        ++right;
    }
    // Before the first key and after the last one the value is held.
    const host::TimeValue start = left == 0 ? host::kTimeNegInfinity : times[left];
    const host::TimeValue end = right == n - 1 ? host::kTimePosInfinity : times[right];
    return host::Interval(start, end);
}

}  // namespace standin
