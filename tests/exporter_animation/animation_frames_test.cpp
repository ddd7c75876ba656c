// The frames at which animation is sampled: which host times, how many, and the duration that the
// renderer is told.
#include <gtest/gtest.h>

#include <climits>

#include "exporter/animation_frames.h"

namespace {

struct FramesCase {
    const char* name;
    int start;
    int end;
    int ticks_per_frame;
    int count;
    int last_time;  // the time of the last frame (when count > 0)
    float duration;
};

class Frames : public ::testing::TestWithParam<FramesCase> {};

TEST_P(Frames, CoverTheRangeFrameByFrameAndLastOneFrameLongerThanItSpans) {
    const FramesCase& c = GetParam();
    const vsf::AnimationFrames frames(c.start, c.end, c.ticks_per_frame);

    ASSERT_EQ(frames.count(), c.count);
    if (c.count > 0) {
        EXPECT_EQ(frames.time(0), c.start);
        EXPECT_EQ(frames.time(c.count - 1), c.last_time);
        EXPECT_NEAR(frames.duration(), c.duration, 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Frames,
    ::testing::Values(
        // 3000 / 160 = 18.75 frames: times 0 to 2880, (18.75 + 1) x 33 ms.
        FramesCase{"PartialLastFrame", 0, 3000, 160, 19, 2880, 0.65175f},
        FramesCase{"OffsetRange", 320, 1600, 160, 9, 1600, 0.297f},
        FramesCase{"SingleFrame", 480, 480, 160, 1, 480, 0.033f},
        FramesCase{"EndBeforeStart", 160, 0, 160, 0, 0, 0.0f},
        // Nothing could walk such a range; the start frame alone is sampled, never forever.
        FramesCase{"NoTicksPerFrame", 0, 3000, 0, 1, 0, 0.033f},
        FramesCase{"RangeEndingAtTheLargestTime", INT_MAX - 320, INT_MAX, 160, 3, INT_MAX, 0.099f}),
    [](const ::testing::TestParamInfo<FramesCase>& param_info) { return param_info.param.name; });

}  // namespace
