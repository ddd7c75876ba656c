// Keyed animation tracks: values at key times, interpolated between keys and held outside them,
// with validity intervals derived from the keys.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "plugin/host/geometry.h"
#include "plugin/host/interval.h"
#include "standin/host/quat.h"

namespace standin {

// The largest interval around t over which a keyed value stays constant. times are the sorted
// key times; same_as_next[i] tells whether key i equals key i + 1. Before the first key and after
// the last the value is held; between two different keys it changes at every instant. Fewer than
// two keys, or all keys equal, give forever.
host::Interval constant_interval(const std::vector<host::TimeValue>& times,
                                 const std::vector<char>& same_as_next, host::TimeValue t);

// Where t falls among the sorted key times: the index i of the last key at or before t (-1 before
// the first key) and the fraction u of the way from key i to key i + 1 (0 when t is at or outside
// the keys).
struct KeyPosition {
    int index = -1;
    float fraction = 0.0f;
};
KeyPosition locate_key(const std::vector<host::TimeValue>& times, host::TimeValue t);

inline float interpolate(float a, float b, float u) {
    return a + (b - a) * u;
}
inline host::Point3 interpolate(const host::Point3& a, const host::Point3& b, float u) {
    return a + (b - a) * u;
}
inline Quat interpolate(const Quat& a, const Quat& b, float u) {
    return slerp(a, b, u);
}

// A track of keys of one value type (float, Point3 or Quat).
template <class T>
class KeyTrack {
  public:
    bool empty() const { return times_.empty(); }
    std::size_t size() const { return times_.size(); }

    // Adds a key; a key already at time t is replaced.
    void set_key(host::TimeValue t, const T& value) {
        const auto it = std::lower_bound(times_.begin(), times_.end(), t);
        const std::size_t i = static_cast<std::size_t>(it - times_.begin());
        if (it != times_.end() && *it == t) {
            values_[i] = value;
        } else {
            times_.insert(it, t);
            values_.insert(values_.begin() + static_cast<std::ptrdiff_t>(i), value);
        }
        same_as_next_.assign(times_.size(), 0);
        for (std::size_t k = 0; k + 1 < times_.size(); ++k) {
            same_as_next_[k] = values_[k] == values_[k + 1] ? 1 : 0;
        }
    }

    void clear() {
        times_.clear();
        values_.clear();
        same_as_next_.clear();
    }

    // The value at t; fallback when the track has no key.
    T value_at(host::TimeValue t, const T& fallback) const {
        if (times_.empty()) {
            return fallback;
        }
        const KeyPosition p = locate_key(times_, t);
        if (p.index < 0) {
            return values_.front();
        }
        const std::size_t i = static_cast<std::size_t>(p.index);
        if (i + 1 >= values_.size() || p.fraction == 0.0f) {
            return values_[i];
        }
        return interpolate(values_[i], values_[i + 1], p.fraction);
    }

    host::Interval validity(host::TimeValue t) const {
        return constant_interval(times_, same_as_next_, t);
    }

  private:
    std::vector<host::TimeValue> times_;
    std::vector<T> values_;
    std::vector<char> same_as_next_;
};

}  // namespace standin
