#include "standin/host/demo_scene_images.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "standin/host/png_file.h"

namespace standin::demo {

namespace {

constexpr float kPi = 3.14159265358979f;

struct Rgb {
    float r, g, b;
};

Rgb mix(const Rgb& a, const Rgb& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void put(std::vector<std::uint8_t>& rgba, std::size_t pixel, const Rgb& c) {
    auto byte = [](float v) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    };
    rgba[4 * pixel] = byte(c.r);
    rgba[4 * pixel + 1] = byte(c.g);
    rgba[4 * pixel + 2] = byte(c.b);
    rgba[4 * pixel + 3] = 255;
}

}  // namespace

bool write_planks_image(const std::string& path) {
    const int size = 256;
    const int planks = 8;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(size * size) * 4);
    const Rgb light{0.72f, 0.52f, 0.32f};
    const Rgb dark{0.45f, 0.29f, 0.16f};
    for (int y = 0; y < size; ++y) {
        const int plank = y * planks / size;
        const int row_in_plank = y % (size / planks);
        for (int x = 0; x < size; ++x) {
            // Each plank its own shade, with grain running along it and a dark joint.
            const float shade = 0.5f + 0.5f * std::sin(static_cast<float>(plank) * 2.3f);
            const float grain =
                0.5f +
                0.5f * std::sin(2.0f * kPi *
                                (static_cast<float>(x) / 64.0f +
                                 0.15f * std::sin(static_cast<float>(y + plank * 7) / 5.0f)));
            Rgb c = mix(dark, light, 0.35f + 0.45f * shade + 0.2f * grain);
            if (row_in_plank == 0) {
                c = mix(c, Rgb{0.1f, 0.06f, 0.03f}, 0.8f);
            }
            put(rgba, static_cast<std::size_t>(y * size + x), c);
        }
    }
    return write_png(path, size, size, rgba);
}

bool write_sky_image(const std::string& path) {
    const int width = 512;
    const int height = 256;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width * height) * 4);
    const Rgb zenith{0.22f, 0.42f, 0.82f};
    const Rgb horizon{0.85f, 0.9f, 0.98f};
    const Rgb ground{0.35f, 0.33f, 0.3f};
    const float sun_longitude = 0.6f * kPi;
    const float sun_latitude = 0.35f;
    for (int y = 0; y < height; ++y) {
        const float latitude = kPi * (0.5f - (static_cast<float>(y) + 0.5f) / height);
        for (int x = 0; x < width; ++x) {
            const float longitude = 2.0f * kPi * (static_cast<float>(x) + 0.5f) / width;
            Rgb c = latitude >= 0.0f ? mix(horizon, zenith, std::sqrt(latitude / (0.5f * kPi)))
                                     : mix(horizon, ground, std::min(1.0f, -latitude * 8.0f));
            const float d = std::hypot(latitude - sun_latitude,
                                       (longitude - sun_longitude) * std::cos(latitude));
            if (d < 0.08f) {
                c = Rgb{1.0f, 0.97f, 0.88f};
            } else if (d < 0.3f) {
                c = mix(c, Rgb{1.0f, 0.95f, 0.8f}, (0.3f - d) / 0.22f * 0.6f);
            }
            put(rgba, static_cast<std::size_t>(y * width + x), c);
        }
    }
    return write_png(path, width, height, rgba);
}

}  // namespace standin::demo
