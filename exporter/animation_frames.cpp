#include "exporter/animation_frames.h"

#include <climits>

#include "exporter/scene_exporter.h"

namespace vsf {

AnimationFrames::AnimationFrames(host::TimeValue start, host::TimeValue end, int ticks_per_frame)
    : start_(start), step_(ticks_per_frame > 0 ? ticks_per_frame : 1), count_(0), duration_(0) {
    // Reckoned in 64 bits: a range that ends near the largest time must not wrap around.
    const long long span = static_cast<long long>(end) - static_cast<long long>(start);
    if (span < 0) {
        return;
    }
    if (ticks_per_frame <= 0) {
        count_ = 1;
        duration_ = static_cast<float>(kMillisecondsPerFrame * 0.001);
        return;
    }
    const long long frames_in_range = span / ticks_per_frame + 1;
    count_ = frames_in_range > INT_MAX ? INT_MAX : static_cast<int>(frames_in_range);
    const float frames = static_cast<float>(span) / static_cast<float>(ticks_per_frame);
    duration_ = static_cast<float>((frames + 1.0f) * kMillisecondsPerFrame * 0.001);
}

AnimationFrames animation_frames(const SceneExporter& exporter) {
    return AnimationFrames(exporter.anim_start(), exporter.anim_end(), exporter.ticks_per_frame());
}

}  // namespace vsf
