// Curves: the "zyl_curves" geometry with its optional order, radii and colours, and the material.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "importers/sceneapi/dev/sceneapi.h"
#include "scene_capture.h"

namespace {

using objects_test::array_entry;
using objects_test::SceneCapture;
using zyl::BezierCurves;

// Two curves of 4 and 7 control points, filled as the curve conversion does: points, count,
// radii and colours per curve.
void fill_two_curves(BezierCurves& curves, bool radii_and_colours) {
    for (int curve = 0; curve < 2; ++curve) {
        const int points = curve == 0 ? 4 : 7;
        for (int i = 0; i < points; ++i) {
            curves.add_point(static_cast<float>(i), static_cast<float>(curve), 0.5f);
        }
        curves.add_curve(points);
        if (radii_and_colours) {
            for (int i = 0; i < points; ++i) {
                curves.add_point_radius(1.0f - 0.1f * static_cast<float>(i));
                curves.add_point_color(1.0f, 0.0f, static_cast<float>(i) / 6.0f);
            }
        }
    }
}

TEST(BezierCurves, PlainCurvesWriteRadiusFlagPointsAndCountsOnly) {
    BezierCurves curves("Line");
    fill_two_curves(curves, false);
    SceneCapture capture;
    capture.api().emit(curves);
    EXPECT_EQ(capture.scene(),
              "object \"Line\" {\ngeometry \"zyl_curves\" {\n"
              "\"radius\" 1,\n\"fitToCubic\" off,\n" +
                  array_entry("p", 'c', curves.p()) +
                  array_entry("nvertices", 'i', curves.nvertices()) + "}\n}\n");
}

TEST(BezierCurves, OrderRadiiColoursAndMaterialWhenGiven) {
    BezierCurves curves("Hair");
    fill_two_curves(curves, true);
    curves.set_order(4);
    curves.set_radius(0.25f);
    auto material = std::make_shared<zyl::Diffuse>("curve");
    material->set_color(0.8f, 0.8f, 0.8f);
    curves.set_material(material);
    SceneCapture capture;
    capture.api().emit(curves);
    EXPECT_EQ(
        capture.scene(),
        "object \"Hair\" {\ngeometry \"zyl_curves\" {\n"
        "\"radius\" 0.25,\n\"order\" 4,\n\"fitToCubic\" off,\n" +
            array_entry("p", 'c', curves.p()) + array_entry("nvertices", 'i', curves.nvertices()) +
            array_entry("pr", 'f', curves.pr()) + array_entry("pcol", 'c', curves.pcol()) + "}\n" +
            "material \"curve\" {\nsurface \"zyl_diffuse\" {\n"
            "\"diffuse\" 0.8 0.8 0.8,\n}\nflags 4096\n}\n"
            "}\n");
}

TEST(BezierCurves, OrderOfZeroOrLessIsNotWritten) {
    for (int order : {-1, 0}) {
        BezierCurves curves("c");
        curves.set_order(order);
        SceneCapture capture;
        capture.api().emit(curves);
        EXPECT_EQ(capture.scene().find("\"order\""), std::string::npos) << order;
    }
}

TEST(BezierCurves, CannotBeDefinedAndCountsItsData) {
    BezierCurves curves("c");
    fill_two_curves(curves, true);
    SceneCapture capture;
    curves.define(capture.api());
    EXPECT_FALSE(curves.is_defined());
    EXPECT_EQ(capture.scene(), "");
    // 11 points: p 33, pr 11, nvertices 2, pcol 33.
    EXPECT_EQ(curves.data_size(), 4 * (33 + 11 + 2 + 33));
}

}  // namespace
