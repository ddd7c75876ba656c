// Every kind of light, converted from the stand-in host into a real scene file and read back.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "exporter/light_converter.h"
#include "exporter/options.h"
#include "standin/host/scene.h"
#include "tests/exporter_support/written_scene.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// One light object as written: its name, geometry arrays, material name and surface shader.
struct LightView {
    std::string name;
    std::vector<float> vertices;
    std::vector<float> normals;
    std::vector<std::int32_t> triangles;
    std::vector<double> transform;  // empty without a transform line
    std::string material;
    const vsf::Block* surface = nullptr;  // the inline surface shader; args[0] is its type

    std::string shader_type() const { return surface ? surface->name() : std::string(); }
    // The numbers of a surface parameter.
    std::vector<double> numbers(const std::string& param) const {
        std::vector<double> out;
        const vsf::Param* p = surface ? surface->param(param) : nullptr;
        for (const vsf::Value& v : p ? p->values : std::vector<vsf::Value>{}) {
            out.push_back(v.number);
        }
        return out;
    }
    const vsf::Value* value(const std::string& param) const {
        const vsf::Param* p = surface ? surface->param(param) : nullptr;
        return p ? p->value() : nullptr;
    }
};

class LightConversion : public testing::Test {
  protected:
    LightConversion() : options_(std::make_shared<vsf::Options>()), converter_(options_, scene_) {}

    // Converts node as the exporter does (at time 0) and remembers what it reported.
    bool convert(standin::Node& node) { return converter_.convert_light(node, file_.api(), 0); }

    standin::Node& photometric(const std::u16string& name, standin::PhotometricLightSettings s) {
        return scene_.add_photometric_light_node(name, std::move(s));
    }
    static standin::PhotometricLightSettings of_type(int type) {
        standin::PhotometricLightSettings s;
        s.type = type;
        return s;
    }

    // Every object written, in file order. Closes the file.
    std::vector<LightView> objects() {
        document_ = file_.read();
        std::vector<LightView> views;
        for (const vsf::Block* object : document_.root.find_all("object")) {
            LightView view;
            view.name = object->name();
            if (const vsf::Param* t = object->param("transform")) {
                for (const vsf::Value& v : t->values) {
                    view.transform.push_back(v.number);
                }
            }
            if (const vsf::Block* geometry = object->block("geometry")) {
                if (const vsf::Param* p = geometry->param("vertices")) {
                    view.vertices = p->array()->floats;
                }
                if (const vsf::Param* p = geometry->param("normals")) {
                    view.normals = p->array()->floats;
                }
                if (const vsf::Param* p = geometry->param("triangles")) {
                    view.triangles = p->array()->ints;
                }
            }
            if (const vsf::Block* material = object->block("material")) {
                view.material = material->name();
                const vsf::Param* surface = material->param("surface");
                if (surface && surface->value() && surface->value()->shader) {
                    view.surface = surface->value()->shader.get();
                }
            }
            views.push_back(view);
        }
        return views;
    }
    // The #error lines of the file (after objects()).
    std::vector<std::string> errors() const {
        std::vector<std::string> out;
        for (const vsf::Message& m : document_.root.messages) {
            if (m.error) {
                out.push_back(m.text);
            }
        }
        return out;
    }

    standin::Scene scene_;
    std::shared_ptr<vsf::Options> options_;
    vsf::LightConverter converter_;
    exporter_test::WrittenScene file_;
    vsf::Document document_;
};

void expect_colour(const std::vector<double>& actual, const zyl::Float3& expected) {
    ASSERT_EQ(actual.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-5) << "channel " << i;
    }
}

TEST_F(LightConversion, PhotometricPointLightIsACarrierTriangleWithALumenPointLight) {
    for (int type : {host::kPhotometricTargetPoint, host::kPhotometricFreePoint}) {
        standin::PhotometricLightSettings s = of_type(type);
        s.intensity = 1500.9f;
        s.kelvin = 2700.0f;
        EXPECT_TRUE(convert(photometric(u"Bulb", s)));
    }
    const std::vector<LightView> lights = objects();
    ASSERT_EQ(lights.size(), 2u);
    const LightView& bulb = lights[0];
    EXPECT_EQ(bulb.name, "Bulb");
    EXPECT_EQ(bulb.material, "Bulb0");
    EXPECT_EQ(lights[1].material, "Bulb1");
    EXPECT_TRUE(bulb.transform.empty());
    EXPECT_THAT(bulb.vertices,
                ElementsAre(0.0f, 0.0f, 0.0f, 0.001f, 0.001f, 0.001f, 0.002f, 0.002f, 0.002f));
    EXPECT_THAT(bulb.triangles, ElementsAre(0, 1, 2));
    EXPECT_EQ(bulb.shader_type(), "zyl_point_light");
    ASSERT_NE(bulb.value("lumen"), nullptr);
    EXPECT_TRUE(bulb.value("lumen")->as_bool());
    EXPECT_THAT(bulb.numbers("power"), ElementsAre(1500.0));  // truncated toward zero
    expect_colour(bulb.numbers("color"), vsf::kelvin_to_color(2700.0f));
}

TEST_F(LightConversion, OmniLightSendsItsMultiplierAndColourAsRead) {
    standin::StandardLightSettings s;
    s.multiplier = 2.9f;
    s.color = {0.5f, 0.25f, 1.0f};
    EXPECT_TRUE(convert(scene_.add_standard_light_node(u"Omni", s)));
    const std::vector<LightView> lights = objects();
    ASSERT_EQ(lights.size(), 1u);
    EXPECT_EQ(lights[0].shader_type(), "zyl_point_light");
    EXPECT_THAT(lights[0].triangles, ElementsAre(0, 1, 2));
    ASSERT_NE(lights[0].value("lumen"), nullptr);
    EXPECT_FALSE(lights[0].value("lumen")->as_bool());
    EXPECT_THAT(lights[0].numbers("power"), ElementsAre(2.0));
    expect_colour(lights[0].numbers("color"), {0.5f, 0.25f, 1.0f});
}

TEST_F(LightConversion, SpotAndDirectionalStandardLightsAreNotExported) {
    for (int type : {host::kTargetSpotLight, host::kDirectionalLight, host::kFreeSpotLight,
                     host::kTargetDirectionalLight}) {
        standin::StandardLightSettings s;
        s.type = type;
        EXPECT_FALSE(convert(scene_.add_standard_light_node(u"Spot", s))) << type;
    }
    EXPECT_TRUE(objects().empty());
    EXPECT_EQ(converter_.light_counter(), 4);
}

class IesLight : public LightConversion {
  protected:
    IesLight() : webs_("exporter-webs") {
        std::ofstream(webs_.path() / "lamp.IES") << "IESNA:LM-63-2002\n";
    }
    standin::PhotometricLightSettings web_light(const std::u16string& file) {
        standin::PhotometricLightSettings s = of_type(host::kPhotometricFreePoint);
        s.distribution = host::kDistributionWeb;
        s.web_file = file;
        s.web_rotation = {10.0f, 20.0f, 30.0f};
        return s;
    }
    exporter_test::ScratchFolder webs_;
};

TEST_F(IesLight, UpperCaseSuffixIsFoundThroughTheSearchFolders) {
    scene_.add_asset_folder(host::kPhotometricAsset, u"/no/such/folder");
    scene_.add_asset_folder(host::kPhotometricAsset, webs_.wide());
    EXPECT_EQ(vsf::find_photometric_file(scene_, u"lamp.IES"), webs_.wide() + u"/lamp.IES");
    EXPECT_TRUE(convert(photometric(u"Web", web_light(u"lamp.IES"))));

    const std::vector<LightView> lights = objects();
    ASSERT_EQ(lights.size(), 1u);
    EXPECT_EQ(lights[0].shader_type(), "zyl_ies_light");
    ASSERT_NE(lights[0].value("file"), nullptr);
    EXPECT_EQ(lights[0].value("file")->text, (webs_.path() / "lamp.IES").string());
    const zyl::Matrix4d rotation = vsf::euler_web_rotation(100.0, 20.0, 30.0);
    ASSERT_EQ(lights[0].transform.size(), 16u);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(lights[0].transform[i], rotation[i], 1e-6) << i;
    }
    EXPECT_THAT(lights[0].triangles, ElementsAre(0, 1, 2));
}

TEST_F(IesLight, FileFoundNowhereOrWithoutIesSuffixGivesAPlainPointLight) {
    scene_.add_asset_folder(host::kPhotometricAsset, webs_.wide());
    std::ofstream(webs_.path() / "lamp.txt") << "not a web";
    EXPECT_EQ(vsf::find_photometric_file(scene_, u"missing.ies"), u"");
    convert(photometric(u"Missing", web_light(u"missing.ies")));
    convert(photometric(u"Text", web_light(u"lamp.txt")));
    // A web file given without the web distribution is not looked at.
    standin::PhotometricLightSettings isotropic = web_light(u"lamp.IES");
    isotropic.distribution = host::kDistributionIsotropic;
    convert(photometric(u"Isotropic", isotropic));
    for (const LightView& light : objects()) {
        EXPECT_EQ(light.shader_type(), "zyl_point_light") << light.name;
        EXPECT_TRUE(light.transform.empty()) << light.name;
    }
}

TEST_F(LightConversion, AreaLightPowerIsFourfoldForTheDiffuseDistribution) {
    struct Case {
        int type;
        int distribution;
        std::vector<host::Point3> shape;
        double power;
        std::vector<std::int32_t> triangles;
    } cases[] = {
        {host::kPhotometricFreeArea,
         host::kDistributionDiffuse,
         {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
         400.0,
         {0, 1, 2, 0, 2, 3}},
        {host::kPhotometricTargetArea,
         host::kDistributionIsotropic,
         {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
         100.0,
         {0, 1, 2, 0, 2, 3}},
        {host::kPhotometricFreeArea,
         host::kDistributionSpot,
         {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
         100.0,
         {0, 1, 2}},
    };
    for (const Case& c : cases) {
        standin::PhotometricLightSettings s = of_type(c.type);
        s.distribution = c.distribution;
        s.intensity = 100.0f;
        s.kelvin = 4000.0f;
        s.shape = c.shape;
        EXPECT_TRUE(convert(photometric(u"Panel", s)));
    }
    const std::vector<LightView> lights = objects();
    ASSERT_EQ(lights.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(lights[i].shader_type(), "zyl_mesh_light");
        EXPECT_EQ(lights[i].material, "Panel" + std::to_string(i));
        EXPECT_THAT(lights[i].numbers("power"), ElementsAre(cases[i].power)) << i;
        EXPECT_TRUE(lights[i].value("lumen")->as_bool());
        EXPECT_EQ(lights[i].triangles, cases[i].triangles) << i;
        EXPECT_EQ(lights[i].vertices.size(), 3 * cases[i].shape.size()) << i;
        expect_colour(lights[i].numbers("color"), vsf::kelvin_to_color(4000.0f));
    }
}

TEST_F(LightConversion, AreaLightWithAnOddOutlineIsReportedNotWritten) {
    standin::PhotometricLightSettings s = of_type(host::kPhotometricFreeArea);
    s.shape = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {-1, 0, 0}};
    EXPECT_FALSE(convert(photometric(u"Odd", s)));
    EXPECT_TRUE(objects().empty());
    EXPECT_THAT(errors(), ElementsAre("No triangles defined"));
}

TEST_F(LightConversion, SphereLightIs900VerticesAnd1682TrianglesOnItsRadius) {
    standin::PhotometricLightSettings s = of_type(host::kPhotometricSphere);
    s.radius = 2.5f;
    s.intensity = 100.0f;
    s.distribution = host::kDistributionDiffuse;  // no factor for spheres
    EXPECT_TRUE(convert(photometric(u"Ball", s)));
    const std::vector<LightView> lights = objects();
    ASSERT_EQ(lights.size(), 1u);
    const LightView& ball = lights[0];
    ASSERT_EQ(ball.vertices.size(), 900u * 3);
    ASSERT_EQ(ball.normals.size(), 900u * 3);
    ASSERT_EQ(ball.triangles.size(), 1682u * 3);
    for (std::size_t v = 0; v < 900; ++v) {
        const float* p = &ball.vertices[3 * v];
        const float* n = &ball.normals[3 * v];
        EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 2.5f, 1e-5) << v;
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(p[i], n[i] * 2.5f, 1e-5) << v;
        }
    }
    // Poles at -r and +r on y; the seam column repeats the first one.
    EXPECT_NEAR(ball.vertices[1], -2.5f, 1e-5);
    EXPECT_NEAR(ball.vertices[3 * 899 + 1], 2.5f, 1e-5);
    for (int row = 0; row < 30; ++row) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(ball.vertices[3 * (30 * row + 29) + i], ball.vertices[3 * (30 * row) + i],
                        1e-5);
        }
    }
    for (std::int32_t index : ball.triangles) {
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 900);
    }
    EXPECT_THAT(std::vector<std::int32_t>(ball.triangles.begin(), ball.triangles.begin() + 6),
                ElementsAre(0, 1, 31, 0, 31, 30));
    EXPECT_THAT(ball.numbers("power"), ElementsAre(100.0));
}

TEST_F(LightConversion, CylinderLightClosesBothEndsAndTheSide) {
    standin::PhotometricLightSettings s = of_type(host::kPhotometricCylinder);
    s.intensity = 250.0f;
    for (float y : {0.0f, 3.0f}) {
        s.shape.insert(s.shape.end(), {{1, y, 0}, {0, y, 1}, {-1, y, 0}, {0, y, -1}});
    }
    EXPECT_TRUE(convert(photometric(u"Tube", s)));
    const std::vector<LightView> lights = objects();
    ASSERT_EQ(lights.size(), 1u);
    EXPECT_EQ(lights[0].vertices.size(), 8u * 3);
    EXPECT_THAT(lights[0].triangles,
                ElementsAreArray(std::vector<std::int32_t>{0, 0, 1, 0, 1, 2, 0, 2, 3,  // first end
                                                           4, 4, 5, 4, 5, 6, 4, 6, 7,  // second end
                                                           0, 4, 5, 5, 1, 0, 1, 5, 6,
                                                           6, 2, 1, 2, 6, 7, 7, 3, 2,  // side
                                                           3, 4, 0, 4, 3, 7}));  // closing the side
    EXPECT_THAT(lights[0].numbers("power"), ElementsAre(250.0));
}

TEST_F(LightConversion, MaterialNamesCountEveryLightAlsoTheSkippedOnes) {
    options_->photometric_lights = false;
    convert(photometric(u"L1", of_type(host::kPhotometricFreePoint)));  // skipped: counter 0
    standin::StandardLightSettings spot;
    spot.type = host::kTargetSpotLight;
    convert(scene_.add_standard_light_node(u"L1", spot));             // not exported: 1
    convert(scene_.add_photometric_light_node(u"L1", of_type(999)));  // unknown type: 2
    EXPECT_TRUE(convert(scene_.add_standard_light_node(u"L1", {})));  // omni: 3
    EXPECT_EQ(converter_.light_counter(), 4);
    const std::vector<LightView> lights = objects();
    ASSERT_EQ(lights.size(), 1u);
    EXPECT_EQ(lights[0].name, "L1");
    EXPECT_EQ(lights[0].material, "L13");
}

class SkyLight : public LightConversion {
  protected:
    SkyLight() : images_("exporter-sky") { std::ofstream(images_.path() / "sky.hdr") << "hdr"; }
    standin::Node& sky(host::Texmap* map) {
        standin::SkyLightSettings s;
        s.map = map;
        return scene_.add_sky_light_node(u"Sky", s);
    }
    standin::BitmapTexture& sky_bitmap() {
        return scene_.add_bitmap_texture(u"Sky", (images_.path() / "sky.hdr").u16string());
    }
    exporter_test::ScratchFolder images_;
};

TEST_F(SkyLight, BitmapBecomesTheEnvironmentMapAndNothingIsWritten) {
    EXPECT_FALSE(convert(sky(&sky_bitmap())));
    EXPECT_EQ(converter_.environment_map_path(), (images_.path() / "sky.hdr").string());
    EXPECT_EQ(converter_.light_counter(), 1);
    EXPECT_TRUE(objects().empty());
}

TEST_F(SkyLight, PrePassRecordsTheMapWithoutCounting) {
    standin::Node& node = sky(&sky_bitmap());
    EXPECT_TRUE(converter_.record_environment(node, 0));
    EXPECT_EQ(converter_.environment_map_path(), (images_.path() / "sky.hdr").string());
    EXPECT_EQ(converter_.light_counter(), 0);
    // Only sky lights qualify.
    EXPECT_FALSE(converter_.record_environment(scene_.add_standard_light_node(u"Omni", {}), 0));
}

TEST_F(SkyLight, SwitchedOffLeavesThePathEmpty) {
    options_->sky_lights = false;
    standin::Node& node = sky(&sky_bitmap());
    EXPECT_FALSE(convert(node));
    EXPECT_FALSE(converter_.record_environment(node, 0));
    EXPECT_EQ(converter_.environment_map_path(), "");
    EXPECT_TRUE(objects().empty());
}

TEST_F(SkyLight, MapThatIsNotALoadedBitmapLeavesThePathAsItWas) {
    convert(sky(&sky_bitmap()));
    const std::string first = converter_.environment_map_path();
    ASSERT_FALSE(first.empty());
    standin::BitmapTexture& unloaded = sky_bitmap();
    unloaded.set_loaded(false);
    convert(sky(&unloaded));
    convert(sky(&scene_.add_checker_map(u"Checker")));
    convert(sky(nullptr));
    EXPECT_EQ(converter_.environment_map_path(), first);
}

}  // namespace
