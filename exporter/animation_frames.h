// The frames at which animation is sampled, and how their times reach the renderer: every frame of
// the host's animation range, each stamped at a fixed 33 milliseconds per frame whatever the
// host's frame rate, the animation starting at 0 seconds.
#pragma once

#include <cstdint>

#include "plugin/host/interval.h"

namespace vsf {

class SceneExporter;

// Milliseconds from one sampled frame to the next in the renderer's time stamps.
constexpr std::int32_t kMillisecondsPerFrame = 33;

class AnimationFrames {
  public:
    // The frames start, start + ticks_per_frame, ... up to end. A host that reports no ticks per
    // frame (zero or less) gets the start frame only, since the range could never be walked.
    AnimationFrames(host::TimeValue start, host::TimeValue end, int ticks_per_frame);

    // The number of sampled frames; 0 when end is before start.
    int count() const { return count_; }
    // The host time of frame k (0 to count() - 1).
    host::TimeValue time(int k) const {
        return static_cast<host::TimeValue>(start_ + static_cast<long long>(k) * step_);
    }
    // The renderer's time stamp of frame k in milliseconds.
    static std::int32_t timestamp(int k) { return k * kMillisecondsPerFrame; }
    // The animation's length in seconds: one frame more than the range spans, in frames
    // reckoned in single precision.
    float duration() const { return duration_; }

  private:
    host::TimeValue start_;
    int step_;
    int count_;
    float duration_;
};

// The frames of exporter's animation range.
AnimationFrames animation_frames(const SceneExporter& exporter);

}  // namespace vsf
