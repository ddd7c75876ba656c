// Maps: texture-coordinate transforms, bitmap maps, and procedural maps rendered into a bitmap
// that is written as a PNG file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <cstdio>
#include <filesystem>

#include "platform/utf.h"
#include "standin/host/png_file.h"
#include "standin/host/scene.h"

namespace {

using host::Color;
using host::Point3;

std::filesystem::path temp_folder() {
    const auto dir =
        std::filesystem::temp_directory_path() /
        ("standin_maps_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    return dir;
}

// Renders map into a new bitmap of the scene and writes it to file, as a bake does.
bool bake(standin::Scene& scene, host::Texmap& map, const std::u16string& file, int size,
          bool filter = false) {
    host::BitmapInfo info;
    info.name = file;
    info.width = size;
    info.height = size;
    std::unique_ptr<host::Bitmap> bitmap = scene.create_bitmap(info);
    if (!bitmap || !map.render_bitmap(0, *bitmap, 1.0f, filter)) {
        return false;
    }
    const bool opened = bitmap->open_output(info);
    const bool written = opened && bitmap->write(info);
    return bitmap->close(info, true) && written;
}

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    Color at(int x, int y) const {
        const std::uint8_t* p = rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
        return Color(p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f);
    }
};

Image load(const std::filesystem::path& file) {
    Image image;
    EXPECT_TRUE(standin::read_png(file.u8string(), image.width, image.height, image.rgba));
    return image;
}

void expect_color(const Color& a, const Color& b) {
    EXPECT_NEAR(a.r, b.r, 0.5f / 255.0f);
    EXPECT_NEAR(a.g, b.g, 0.5f / 255.0f);
    EXPECT_NEAR(a.b, b.b, 0.5f / 255.0f);
}

TEST(MapCoordinates, DefaultIsIdentityAndTilingScalesAboutTheCentreBeforeTheOffset) {
    EXPECT_EQ(standin::coordinates_transform(standin::MapCoordinates{}), host::Matrix3());
    standin::MapCoordinates c;
    c.u_tiling = 2.0f;
    c.v_tiling = 4.0f;
    c.u_offset = 0.1f;
    const host::Matrix3 m = standin::coordinates_transform(c);
    const Point3 centre = Point3(0.5f, 0.5f, 0) * m;
    EXPECT_NEAR(centre.x, 0.6f, 1e-6f);
    EXPECT_NEAR(centre.y, 0.5f, 1e-6f);
    const Point3 corner = Point3(1, 1, 0) * m;
    EXPECT_NEAR(corner.x, 1.6f, 1e-6f);
    EXPECT_NEAR(corner.y, 2.5f, 1e-6f);
}

TEST(BitmapMaps, ReportTheirFileChannelTransformAndLoadedBitmap) {
    standin::Scene scene;
    standin::BitmapTexture& tex = scene.add_bitmap_texture(u"Bricks", u"maps/bricks.png");
    standin::MapCoordinates c;
    c.channel = 2;
    c.u_tiling = 3.0f;
    tex.set_coordinates(c);
    host::Texmap& map = tex;
    EXPECT_EQ(map.class_id(), host::kBitmapTexClassId);
    EXPECT_EQ(map.map_channel(), 2);
    EXPECT_EQ(map.uv_transform(), standin::coordinates_transform(c));
    host::BitmapTex* bitmap_map = map.as_bitmap_tex();
    ASSERT_NE(bitmap_map, nullptr);
    EXPECT_EQ(bitmap_map->map_name(), u"maps/bricks.png");
    host::Bitmap* loaded = bitmap_map->bitmap(0);
    ASSERT_NE(loaded, nullptr);
    host::BitmapInfo info;
    info.name = u"something else";
    loaded->fill_info(info);
    EXPECT_EQ(info.name, u"maps/bricks.png");
    tex.set_loaded(false);
    EXPECT_EQ(bitmap_map->bitmap(0), nullptr);
    EXPECT_EQ(scene.add_checker_map(u"C").as_bitmap_tex(), nullptr);
}

TEST(ProceduralMaps, CheckerBakesToAPngWithItsFourCells) {
    standin::Scene scene;
    standin::CheckerMap& checker = scene.add_checker_map(u"Checker");
    checker.color1 = Color(1, 0, 0);
    checker.color2 = Color(0, 0, 1);
    const auto file = temp_folder() / "Wall_diffuse.png";
    ASSERT_TRUE(bake(scene, checker, platform::utf8_to_utf16(file.u8string()), 64));
    const Image image = load(file);
    ASSERT_EQ(image.width, 64);
    ASSERT_EQ(image.height, 64);
    // Row 0 is the top of the image, v = 1: cell (0, 1) on the left has an odd sum.
    expect_color(image.at(5, 5), Color(0, 0, 1));
    expect_color(image.at(60, 5), Color(1, 0, 0));
    expect_color(image.at(5, 60), Color(1, 0, 0));
    expect_color(image.at(60, 60), Color(0, 0, 1));
    EXPECT_EQ(image.rgba[3], 255);
    std::filesystem::remove_all(file.parent_path());
}

TEST(ProceduralMaps, TilingRepeatsTheBakedPattern) {
    standin::Scene scene;
    standin::CheckerMap& checker = scene.add_checker_map(u"Checker");
    checker.color1 = Color(1, 1, 1);
    checker.color2 = Color(0, 0, 0);
    standin::MapCoordinates c;
    c.u_tiling = 2.0f;
    c.v_tiling = 2.0f;
    checker.set_coordinates(c);
    const auto file = temp_folder() / "tiled.png";
    ASSERT_TRUE(bake(scene, checker, platform::utf8_to_utf16(file.u8string()), 16));
    const Image image = load(file);
    // Four cells across: the colour changes every 4 pixels.
    for (int x = 0; x < 16; x += 4) {
        expect_color(image.at(x + 1, 1), image.at(1, 1 + (x / 4 % 2 == 0 ? 0 : 4)));
        EXPECT_NE(image.at(x + 1, 1), image.at(x + 1, 5));
    }
    std::filesystem::remove_all(file.parent_path());
}

TEST(ProceduralMaps, GradientRunsFromColor3AtTheBottomToColor1AtTheTop) {
    standin::Scene scene;
    standin::GradientMap& g = scene.add_gradient_map(u"Sky");
    g.color1 = Color(1, 1, 1);
    g.color2 = Color(0.5f, 0.5f, 0.5f);
    g.color3 = Color(0, 0, 0);
    const auto file = temp_folder() / "gradient.png";
    ASSERT_TRUE(bake(scene, g, platform::utf8_to_utf16(file.u8string()), 100, true));
    const Image image = load(file);
    EXPECT_GT(image.at(50, 0).r, 0.98f);
    EXPECT_LT(image.at(50, 99).r, 0.02f);
    expect_color(image.at(0, 49), image.at(99, 49));  // constant along u
    std::filesystem::remove_all(file.parent_path());
}

TEST(ProceduralMaps, NoiseIsRepeatableAndVaries) {
    standin::Scene scene;
    standin::NoiseMap& noise = scene.add_noise_map(u"Noise");
    const host::Color a = noise.sample(0.31f, 0.77f, 1.0f);
    EXPECT_EQ(a, noise.sample(0.31f, 0.77f, 1.0f));
    float lo = 1.0f;
    float hi = 0.0f;
    for (int i = 0; i < 100; ++i) {
        const float v = noise.sample(i * 0.037f, i * 0.051f, 1.0f).r;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    EXPECT_GE(lo, 0.0f);
    EXPECT_LE(hi, 1.0f);
    EXPECT_GT(hi - lo, 0.3f);
    // Far-off or invalid coordinates still give a colour.
    const host::Color far = noise.sample(3.0e12f, NAN, 1.0f);
    EXPECT_GE(far.r, 0.0f);
    EXPECT_LE(far.r, 1.0f);
}

TEST(Bitmaps, OutputOnlyAsPngAndAnAbandonedFileIsRemoved) {
    standin::Scene scene;
    standin::CheckerMap& checker = scene.add_checker_map(u"C");
    const auto dir = temp_folder();
    host::BitmapInfo info;
    info.width = 8;
    info.height = 8;
    std::unique_ptr<host::Bitmap> bitmap = scene.create_bitmap(info);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_TRUE(checker.render_bitmap(0, *bitmap, 1.0f, false));

    info.name = platform::utf8_to_utf16((dir / "map.jpg").u8string());
    EXPECT_FALSE(bitmap->open_output(info));
    EXPECT_FALSE(bitmap->write(info));

    info.name = platform::utf8_to_utf16((dir / "map.PNG").u8string());
    ASSERT_TRUE(bitmap->open_output(info));
    ASSERT_TRUE(bitmap->write(info));
    EXPECT_TRUE(std::filesystem::exists(dir / "map.PNG"));
    EXPECT_TRUE(bitmap->close(info, false));
    EXPECT_FALSE(std::filesystem::exists(dir / "map.PNG"));

    // A folder that does not exist: the write fails and leaves nothing behind.
    info.name = platform::utf8_to_utf16((dir / "missing" / "map.png").u8string());
    ASSERT_TRUE(bitmap->open_output(info));
    EXPECT_FALSE(bitmap->write(info));
    std::filesystem::remove_all(dir);

    info.width = 0;
    EXPECT_EQ(scene.create_bitmap(info), nullptr);
    // A bitmap map cannot render: the stand-in does not decode images.
    EXPECT_FALSE(scene.add_bitmap_texture(u"B", u"b.png").render_bitmap(0, *bitmap, 1.0f, false));
}

TEST(Bitmaps, ReadingRefusesWhatIsNotAPng) {
    const auto file = temp_folder() / "not.png";
    std::FILE* f = std::fopen(file.u8string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("\x89PNG\r\n\x1a\nthis is not a png", f);
    std::fclose(f);
    int w = 1;
    int h = 1;
    std::vector<std::uint8_t> rgba(4);
    EXPECT_FALSE(standin::read_png(file.u8string(), w, h, rgba));
    EXPECT_EQ(w, 0);
    EXPECT_TRUE(rgba.empty());
    std::filesystem::remove_all(file.parent_path());
}

}  // namespace
