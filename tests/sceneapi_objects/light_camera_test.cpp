// Cameras and viewsets: projection, environment shader, placement, clipping, transform or
// animation, written byte for byte.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <memory>
#include <string>

#include "importers/sceneapi/dev/sceneapi.h"
#include "scene_capture.h"

namespace {

using objects_test::SceneCapture;
using zyl::LightCamera;

const std::string kDefaultEnvironment =
    "reflection map \"zyl_envmap\" {\n\"texture\" \"startup.hdr\",\n\"format\" 3,\n"
    "\"radius\" 25,\n}\n";
const std::string kDefaultPlacement = "position 0 0 0\ndirection 0 0 -1\nup 0 1 0\n";

std::string emitted(zyl::LightNode& camera) {
    SceneCapture capture;
    capture.api().emit(camera);
    return capture.scene();
}

TEST(LightCamera, DefaultCameraIsPerspectiveWithTheStartupEnvironment) {
    LightCamera camera("Camera001");
    EXPECT_EQ(emitted(camera), "\ncamera \"Camera001\" {\nprojection \"perspective\"\nfov 60\n" +
                                   kDefaultEnvironment + kDefaultPlacement + "}\n");
    EXPECT_FALSE(camera.is_defined());
}

TEST(LightCamera, PlacementFieldOfViewAndTransform) {
    LightCamera camera("Cam");
    camera.set_position(1.5f, -2.0f, 100.0f);
    camera.set_direction(0.0f, -1.0f, 0.0f);
    camera.set_up(0.0f, 0.0f, 1.0f);
    camera.set_fov(35.5f);
    camera.set_transform({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1});
    EXPECT_EQ(emitted(camera), "\ncamera \"Cam\" {\nprojection \"perspective\"\nfov 35.5\n" +
                                   kDefaultEnvironment +
                                   "position 1.5 -2 100\ndirection 0 -1 0\nup 0 0 1\n"
                                   "transform 1 0 0 0 0 1 0 0 0 0 1 0 5 6 7 1\n"
                                   "}\n");
}

struct ClippingCase {
    float near_distance;
    float far_distance;
    std::string line;  // empty: no clipping written
};

class Clipping : public testing::TestWithParam<ClippingCase> {};

TEST_P(Clipping, IsWrittenOnlyForAPositiveIncreasingRange) {
    const ClippingCase& c = GetParam();
    LightCamera camera("c");
    camera.set_clipping(c.near_distance, c.far_distance);
    EXPECT_EQ(emitted(camera), "\ncamera \"c\" {\nprojection \"perspective\"\nfov 60\n" +
                                   kDefaultEnvironment + kDefaultPlacement + c.line + "}\n");
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    LightCamera, Clipping,
    testing::Values(ClippingCase{0.5f, 100.0f, "clipping 0.5 100\n"}, ClippingCase{10.0f, 5.0f, ""},
                    ClippingCase{5.0f, 5.0f, ""}, ClippingCase{0.0f, 100.0f, ""},
                    ClippingCase{-1.0f, -1.0f, ""}, ClippingCase{kNaN, 100.0f, ""},
                    ClippingCase{1.0f, kNaN, ""}));

TEST(LightCamera, AnimationTakesThePlaceOfTheTransform) {
    LightCamera camera("Cam");
    camera.set_transform({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1});
    auto animation = std::make_shared<zyl::FBXAnimation>("3ds_animation", 0.0f, 0.033f);
    animation->add_key(0, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    camera.set_animation(animation);
    EXPECT_EQ(emitted(camera),
              "\ncamera \"Cam\" {\nprojection \"perspective\"\nfov 60\n" + kDefaultEnvironment +
                  kDefaultPlacement +
                  "animation \"fbx_animation\" \"3ds_animation\" {\n\"start_time\" 0,\n"
                  "\"duration\" 0.033,\n" +
                  objects_test::array_entry("timestamps", 'i', animation->timestamps()) +
                  "\"matrices\" [ 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1 \n] ,\n"
                  "\"interpolate\" on,\n\"folder\" \"\",\n}\n"
                  "}\n");
}

// The camera kinds that nothing in the exporter selects: orthographic, four-value field of view,
// explicit look-at point.
class SpecialCamera : public LightCamera {
  public:
    using LightCamera::LightCamera;
    using LightCamera::set_fov4;
    using LightCamera::set_look_at;
    using LightCamera::set_projection;
};

TEST(LightCamera, OrthographicWritesNoFieldOfView) {
    SpecialCamera camera("Top");
    camera.set_projection(1);
    EXPECT_EQ(emitted(camera), "\ncamera \"Top\" {\nprojection \"orthographic\"\n" +
                                   kDefaultEnvironment + kDefaultPlacement + "}\n");
}

TEST(LightCamera, FourValueFieldOfViewAndLookAt) {
    SpecialCamera camera("Rig");
    camera.set_fov4({10.0f, 20.0f, 30.0f, 40.5f});
    camera.set_look_at(1.0, 2.0, 3.0);
    EXPECT_EQ(emitted(camera),
              "\ncamera \"Rig\" {\nprojection \"perspective\"\nfov4 10 20 30 40.5\n" +
                  kDefaultEnvironment +
                  "position 0 0 0\ndirection 0 0 -1\nlook_at 1 2 3\nup 0 1 0\n"
                  "}\n");
    // Setting a single field of view returns to the one-value form.
    camera.set_fov(50.0f);
    EXPECT_NE(emitted(camera).find("\nfov 50\n"), std::string::npos);
}

TEST(LightViewset, EnvironmentImageWithIntegerRadiusAndCameraFlags) {
    zyl::LightViewset camera("View", "C:/env/sky.hdr", 400);
    camera.set_fov(45.0f);
    EXPECT_EQ(emitted(camera),
              "\ncamera \"View\" {\nprojection \"perspective\"\nfov 45\n"
              "flags 16\n"
              "reflection map \"zyl_envmap\" {\n\"texture\" \"C:/env/sky.hdr\",\n"
              "\"ground_size\" 50,\n\"direct_visibility\" on,\n"
              "\"faded_color\" 0.1 0.1 0.1,\n\"background_mode\" 1,\n"
              "\"radius\" 400,\n}\n" +
                  kDefaultPlacement + "}\n");
}

TEST(LightCamera, TwoCamerasInARowEachGetTheirOwnEnvironment) {
    LightCamera first("A");
    zyl::LightViewset second("B", "sky.hdr", 8);
    SceneCapture capture;
    capture.api().emit(first);
    capture.api().emit(second);
    const std::string text = capture.scene();
    const std::size_t b = text.find("\ncamera \"B\" {\n");
    ASSERT_NE(b, std::string::npos);
    EXPECT_EQ(text.substr(0, b), "\ncamera \"A\" {\nprojection \"perspective\"\nfov 60\n" +
                                     kDefaultEnvironment + kDefaultPlacement + "}\n");
    EXPECT_NE(text.find("\"texture\" \"sky.hdr\",\n", b), std::string::npos);
    EXPECT_EQ(text.find("startup.hdr", b), std::string::npos);
}

}  // namespace
