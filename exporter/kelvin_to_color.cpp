#include <array>
#include <cmath>

#include "exporter/light_converter.h"

namespace vsf {

namespace {

// The CIE 1931 2-degree colour-matching functions x, y and z at 380, 390, ..., 770 nm.
constexpr std::array<std::array<double, 3>, 40> kColorMatching{{
    {0.0014, 0.0000, 0.0065}, {0.0042, 0.0001, 0.0201}, {0.0143, 0.0004, 0.0679},
    {0.0435, 0.0012, 0.2074}, {0.1344, 0.0040, 0.6456}, {0.2839, 0.0116, 1.3856},
    {0.3483, 0.0230, 1.7471}, {0.3362, 0.0380, 1.7721}, {0.2908, 0.0600, 1.6692},
    {0.1954, 0.0910, 1.2876}, {0.0956, 0.1390, 0.8130}, {0.0320, 0.2080, 0.4652},
    {0.0049, 0.3230, 0.2720}, {0.0093, 0.5030, 0.1582}, {0.0633, 0.7100, 0.0782},
    {0.1655, 0.8620, 0.0422}, {0.2904, 0.9540, 0.0203}, {0.4334, 0.9950, 0.0087},
    {0.5945, 0.9950, 0.0039}, {0.7621, 0.9520, 0.0021}, {0.9163, 0.8700, 0.0017},
    {1.0263, 0.7570, 0.0011}, {1.0622, 0.6310, 0.0008}, {1.0026, 0.5030, 0.0003},
    {0.8544, 0.3810, 0.0002}, {0.6424, 0.2650, 0.0000}, {0.4479, 0.1750, 0.0000},
    {0.2835, 0.1070, 0.0000}, {0.1649, 0.0610, 0.0000}, {0.0874, 0.0320, 0.0000},
    {0.0468, 0.0170, 0.0000}, {0.0227, 0.0082, 0.0000}, {0.0114, 0.0041, 0.0000},
    {0.0058, 0.0021, 0.0000}, {0.0029, 0.0010, 0.0000}, {0.0014, 0.0005, 0.0000},
    {0.0007, 0.0002, 0.0000}, {0.0003, 0.0001, 0.0000}, {0.0002, 0.0000, 0.0000},
    {0.0001, 0.0000, 0.0000},
}};
constexpr double kFirstWavelength = 380e-9;  // metres
constexpr double kWavelengthStep = 10e-9;
// Planck's law: the first and second radiation constants.
constexpr double kRadiationC1 = 3.741832e-16;
constexpr double kRadiationC2 = 0.01438786;

// Linear sRGB value to its encoded form, at most 1.
float encode_srgb(double v) {
    const double encoded = v > 0.0031308 ? 1.055 * std::pow(v, 1.0 / 2.4) - 0.055 : 12.92 * v;
    return static_cast<float>(encoded < 1.0 ? encoded : 1.0);
}

}  // namespace

zyl::Float3 kelvin_to_color(float kelvin) {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    for (std::size_t i = 0; i < kColorMatching.size(); ++i) {
        const double wavelength = kFirstWavelength + kWavelengthStep * static_cast<double>(i);
        const double radiance = kRadiationC1 * std::pow(wavelength, -5.0) /
                                (std::exp(kRadiationC2 / (wavelength * kelvin)) - 1.0);
        x += radiance * kColorMatching[i][0];
        y += radiance * kColorMatching[i][1];
        z += radiance * kColorMatching[i][2];
    }
    const double sum = x + y + z;
    if (sum > 0.0) {
        x /= sum;
        y /= sum;
    }
    if (!(y > 0.0) || !std::isfinite(x) || !std::isfinite(y)) {
        // No temperature that emits visible light (zero, negative, not a number): black rather
        // than a colour of NaN that would poison the renderer's light.
        return {0.0f, 0.0f, 0.0f};
    }
    // Chromaticity (x, y) at luminance 0.5.
    const double big_x = 0.5 * x / y;
    const double big_y = 0.5;
    const double big_z = 0.5 * (1.0 - x - y) / y;
    const double r = 3.240479 * big_x - 1.537150 * big_y - 0.498535 * big_z;
    const double g = -0.969256 * big_x + 1.875992 * big_y + 0.041556 * big_z;
    const double b = 0.055648 * big_x - 0.204043 * big_y + 1.057311 * big_z;
    return {encode_srgb(r), encode_srgb(g), encode_srgb(b)};
}

}  // namespace vsf
