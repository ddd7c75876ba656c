#include "standin/host/texmaps.h"

#include <cmath>
#include <cstdint>

namespace standin {

namespace {

host::Color mix(const host::Color& a, const host::Color& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A repeatable pseudo-random value in 0 to 1 for a lattice point.
float lattice_value(std::int32_t x, std::int32_t y) {
    std::uint32_t h =
        static_cast<std::uint32_t>(x) * 0x8DA6B343u ^ static_cast<std::uint32_t>(y) * 0xD8163841u;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFFFFu) / static_cast<float>(0xFFFFFFu);
}

float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

// floor(x) as an integer, with NaN as 0 and far values held at +-2^30 (patterns repeat long
// before that, and the conversion stays defined).
std::int32_t floor_index(float x) {
    if (!(x == x)) {
        return 0;
    }
    const float limit = 1073741824.0f;
    if (x > limit) {
        x = limit;
    } else if (x < -limit) {
        x = -limit;
    }
    return static_cast<std::int32_t>(std::floor(x));
}

}  // namespace

host::Matrix3 coordinates_transform(const MapCoordinates& c) {
    return host::Matrix3::translation(host::Point3(-0.5f, -0.5f, 0.0f)) *
           host::Matrix3::rotation_z(c.angle) *
           host::Matrix3::scaling(host::Point3(c.u_tiling, c.v_tiling, 1.0f)) *
           host::Matrix3::translation(host::Point3(0.5f + c.u_offset, 0.5f + c.v_offset, 0.0f));
}

BitmapTexture::BitmapTexture(host::NodeKey handle, std::u16string name, std::u16string file)
    : TexmapImpl(handle, std::move(name), host::kBitmapTexClassId),
      file_(file),
      image_(0, 0, file) {}

void BitmapTexture::set_file(std::u16string file) {
    file_ = std::move(file);
    image_ = Bitmap(0, 0, file_);
}

host::Bitmap* BitmapTexture::bitmap(host::TimeValue) {
    return loaded_ ? &image_ : nullptr;
}

bool BitmapTexture::render_bitmap(host::TimeValue, host::Bitmap&, float, bool) {
    return false;
}

bool ProceduralMap::render_bitmap(host::TimeValue, host::Bitmap& target, float scale_3d,
                                  bool filter) {
    auto* bitmap = dynamic_cast<Bitmap*>(&target);
    if (bitmap == nullptr) {
        return false;
    }
    const int w = bitmap->width();
    const int h = bitmap->height();
    const host::Matrix3 m = uv_transform();
    const float offsets[4][2] = {
        {-0.25f, -0.25f}, {0.25f, -0.25f}, {-0.25f, 0.25f}, {0.25f, 0.25f}};
    const int samples = filter ? 4 : 1;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            host::Color sum;
            for (int s = 0; s < samples; ++s) {
                const float dx = filter ? offsets[s][0] : 0.0f;
                const float dy = filter ? offsets[s][1] : 0.0f;
                const host::Point3 uv(
                    (static_cast<float>(x) + 0.5f + dx) / static_cast<float>(w),
                    1.0f - (static_cast<float>(y) + 0.5f + dy) / static_cast<float>(h), 0.0f);
                const host::Point3 p = uv * m;
                const host::Color c = sample(p.x, p.y, scale_3d);
                sum = host::Color(sum.r + c.r, sum.g + c.g, sum.b + c.b);
            }
            const float k = 1.0f / static_cast<float>(samples);
            bitmap->set_pixel(x, y, host::Color(sum.r * k, sum.g * k, sum.b * k));
        }
    }
    return true;
}

host::Color CheckerMap::sample(float u, float v, float) const {
    const std::int64_t cu = floor_index(u * 2.0f);
    const std::int64_t cv = floor_index(v * 2.0f);
    return ((cu + cv) % 2 == 0) ? color1 : color2;
}

host::Color GradientMap::sample(float, float v, float) const {
    const float t = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
    const float c = center <= 0.0f ? 1e-6f : (center >= 1.0f ? 1.0f - 1e-6f : center);
    if (t <= c) {
        return mix(color3, color2, t / c);
    }
    return mix(color2, color1, (t - c) / (1.0f - c));
}

host::Color NoiseMap::sample(float u, float v, float scale_3d) const {
    const float cell = size * (scale_3d > 0.0f ? scale_3d : 1.0f);
    const float x = cell > 0.0f ? u / cell : u;
    const float y = cell > 0.0f ? v / cell : v;
    const std::int32_t ix = floor_index(x);
    const std::int32_t iy = floor_index(y);
    const float tx = smooth(std::fmin(std::fmax(x - static_cast<float>(ix), 0.0f), 1.0f));
    const float ty = smooth(std::fmin(std::fmax(y - static_cast<float>(iy), 0.0f), 1.0f));
    const float a =
        lattice_value(ix, iy) + (lattice_value(ix + 1, iy) - lattice_value(ix, iy)) * tx;
    const float b = lattice_value(ix, iy + 1) +
                    (lattice_value(ix + 1, iy + 1) - lattice_value(ix, iy + 1)) * tx;
    return mix(color1, color2, a + (b - a) * ty);
}

}  // namespace standin
