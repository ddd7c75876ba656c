// The black-body colour of photometric lights and the rotation of photometric webs.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "exporter/light_converter.h"

namespace {

TEST(KelvinToColor, MatchesTheBlackBodyColoursToThreeDecimals) {
    struct Case {
        float kelvin;
        std::array<float, 3> rgb;
    } cases[] = {
        {6500.0f, {0.749f, 0.730f, 0.747f}},  // nearly neutral daylight
        {2700.0f, {0.985f, 0.667f, 0.343f}},  // warm incandescent
    };
    for (const Case& c : cases) {
        const zyl::Float3 rgb = vsf::kelvin_to_color(c.kelvin);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(rgb[i], c.rgb[i], 1.5e-3) << c.kelvin << " K, channel " << i;
        }
    }
}

TEST(KelvinToColor, ChannelsNeverExceedOneAndWarmerIsRedder) {
    float previous_blue_share = -std::numeric_limits<float>::infinity();
    for (float kelvin = 1000.0f; kelvin <= 40000.0f; kelvin += 250.0f) {
        const zyl::Float3 rgb = vsf::kelvin_to_color(kelvin);
        for (float v : rgb) {
            EXPECT_LE(v, 1.0f) << kelvin;
        }
        const float blue_share = rgb[2] / (rgb[0] + rgb[1] + rgb[2]);
        EXPECT_GT(blue_share, previous_blue_share) << kelvin;
        previous_blue_share = blue_share;
    }
}

TEST(KelvinToColor, TemperatureWithoutLightGivesBlackNotNaN) {
    for (float kelvin : {0.0f, -300.0f, 1.0f, std::nanf("")}) {
        const zyl::Float3 rgb = vsf::kelvin_to_color(kelvin);
        EXPECT_EQ(rgb, (zyl::Float3{0.0f, 0.0f, 0.0f})) << kelvin;
    }
}

// The image of a row vector under a 4x4 row-major matrix (direction only).
std::array<double, 3> image(const zyl::Matrix4d& m, std::array<double, 3> v) {
    std::array<double, 3> out{};
    for (int col = 0; col < 3; ++col) {
        for (int row = 0; row < 3; ++row) {
            out[col] += v[row] * m[row * 4 + col];
        }
    }
    return out;
}

TEST(EulerWebRotation, TurnsAboutXThenYThenZInRowVectorOrder) {
    struct Case {
        double a, b, c;
        std::array<double, 3> axis, expected;
    } cases[] = {
        {0, 0, 90, {1, 0, 0}, {0, 1, 0}},
        {90, 0, 0, {0, 1, 0}, {0, 0, 1}},
        // x first, then y: the y axis goes to z, and z under Ry(90) goes to x.
        {90, 90, 0, {0, 1, 0}, {1, 0, 0}},
        {90, 90, 0, {1, 0, 0}, {0, 0, -1}},
        {0, 90, 90, {0, 0, 1}, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        const zyl::Matrix4d m = vsf::euler_web_rotation(c.a, c.b, c.c);
        const std::array<double, 3> got = image(m, c.axis);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(got[i], c.expected[i], 1e-12) << c.a << " " << c.b << " " << c.c;
        }
        EXPECT_EQ(m[3], 0.0);
        EXPECT_EQ(m[7], 0.0);
        EXPECT_EQ(m[11], 0.0);
        EXPECT_EQ(m[12], 0.0);
        EXPECT_EQ(m[15], 1.0);
    }
}

}  // namespace
