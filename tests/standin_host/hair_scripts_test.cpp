// The two hair scripts: what the conversion script makes, and what the clean-up script removes.
#include <gtest/gtest.h>

#include "standin/host/hair_scripts.h"
#include "standin/host/scene.h"

namespace {

using host::Color;
using host::Point3;

// The conversion script as a plug-in would store it: indented with tabs and spaces, with an
// empty line after the attribute definition and a final line feed.
const std::u16string kIndentedConversion =
    u"vistrel_hair_and_fur_data = attributes vistrel_hair_and_fur_data\n"
    u"(\n"
    u"\tparameters data\n"
    u"\t(\n"
    u"\t\tvistrel_start_radius  type:#float  default:1\n"
    u"\t\tvistrel_end_radius    type:#float  default:1\n"
    u"\t\tvistrel_delete  type:#boolean  default:True\n"
    u"\t\tvistrel_root_color type:#color\n"
    u"\t\tvistrel_tip_color type:#color\n"
    u"\t\tvistrel_hue type:#float default:10\n"
    u"\t\tvistrel_value type:#float default:50\n"
    u"\t)\n"
    u")\n"
    u"\n"
    u"for OBJ in Geometry where OBJ.modifiers[#Hair_and_Fur]!=undefined do\n"
    u"(\n"
    u"    if OBJ != undefined do (\n"
    u"        root = OBJ.modifiers[#Hair_and_Fur].HairRootThickness\n"
    u"        tip = OBJ.modifiers[#Hair_and_Fur].HairTipThickness\n"
    u"        name = OBJ.name\n"
    u"        tc = OBJ.modifiers[#Hair_and_Fur].MaterialTipColor\n"
    u"        rc = OBJ.modifiers[#Hair_and_Fur].MaterialRootColor\n"
    u"        hv = OBJ.modifiers[#Hair_and_Fur].MaterialHueVariation\n"
    u"        vv = OBJ.modifiers[#Hair_and_Fur].MaterialValueVariation\n"
    u"        obj = OBJ.modifiers[#Hair_and_Fur].ConvertHairsToSplines instance:OBJ\n"
    u"        obj.name = name\n"
    u"        custAttributes.add obj vistrel_hair_and_fur_data\n"
    u"        obj.vistrel_start_radius = root\n"
    u"        obj.vistrel_end_radius = tip\n"
    u"        obj.vistrel_root_color = rc\n"
    u"        obj.vistrel_tip_color =  tc\n"
    u"        obj.vistrel_hue =  hv\n"
    u"        obj.vistrel_value =  vv\n"
    u"    )\n"
    u")\n";

const std::u16string kCleanUp =
    u"for OBJ in Shapes where isProperty OBJ.baseObject #vistrel_delete == true do ( if OBJ != "
    u"undefined do delete OBJ )";

class HairScriptsTest : public ::testing::Test {
  protected:
    HairScriptsTest() {
        standin::HairSettings hair;
        hair.root_thickness = 4.0f;
        hair.tip_thickness = 0.5f;
        hair.root_color = Color(1, 0, 0);
        hair.tip_color = Color(0, 0, 1);
        hair.hue_variation = 12.0f;
        hair.value_variation = 40.0f;
        hair.strands = {{Point3(0, 0, 0), Point3(0, 0, 1), Point3(0, 0, 2)},
                        {Point3(1, 0, 0), Point3(1, 0, 3)}};
        fur.mesh_object()->set_hair(hair);
        fur.set_transform(host::Matrix3::translation(Point3(10, 0, 0)));
    }

    // The value of a parameter of the hair attribute's block on a node's object.
    const host::ParamBlock& hair_block(standin::Node& node) {
        const host::Object& object = *node.eval_world_state(0);
        EXPECT_EQ(object.custom_attribute_count(), 1);
        const host::CustomAttribute& attribute = *object.custom_attribute(0);
        EXPECT_EQ(attribute.name(), u"vistrel_hair_and_fur_data");
        return *attribute.param_block(0);
    }

    standin::Scene scene;
    standin::Node& fur = scene.add_mesh_node(u"Furry", standin::make_box_mesh({1, 1, 1}));
    standin::Node& bald = scene.add_mesh_node(u"Bald", standin::make_box_mesh({1, 1, 1}));
};

TEST_F(HairScriptsTest, ConversionScriptMakesOneMarkedShapePerHairModifier) {
    ASSERT_TRUE(scene.execute_script(kIndentedConversion, false));
    const std::vector<standin::Node*> nodes = scene.nodes();
    ASSERT_EQ(nodes.size(), 3u);
    standin::Node& made = *nodes[2];
    EXPECT_EQ(made.name(), u"Furry");
    EXPECT_EQ(made.parent(), &scene.root());
    host::Object* object = made.eval_world_state(0);
    EXPECT_EQ(object->super_class_id(), host::kShapeSuperClass);

    // One open spline per strand, in world space: the source node stood at x = 10.
    host::BezierShape shape;
    object->as_shape_object()->make_bezier(0, shape);
    ASSERT_EQ(shape.spline_count(), 2);
    EXPECT_EQ(shape.splines[0].knot_count(), 3);
    EXPECT_FALSE(shape.splines[0].closed());
    EXPECT_EQ(shape.splines[1].knot(1).knot, Point3(11, 0, 3));
    EXPECT_EQ(made.node_tm(0, nullptr), host::Matrix3());

    const host::ParamBlock& data = hair_block(made);
    float f = 0;
    ASSERT_TRUE(data.get_float(0, 0, f));
    EXPECT_FLOAT_EQ(f, 4.0f);
    ASSERT_TRUE(data.get_float(1, 0, f));
    EXPECT_FLOAT_EQ(f, 0.5f);
    int marker = 0;
    ASSERT_TRUE(data.get_int(2, 0, marker));
    EXPECT_EQ(marker, 1);
    Color c;
    ASSERT_TRUE(data.get_color(3, 0, c));
    EXPECT_EQ(c, Color(1, 0, 0));
    ASSERT_TRUE(data.get_color(4, 0, c));
    EXPECT_EQ(c, Color(0, 0, 1));
    ASSERT_TRUE(data.get_float(5, 0, f));
    EXPECT_FLOAT_EQ(f, 12.0f);
    ASSERT_TRUE(data.get_float(6, 0, f));
    EXPECT_FLOAT_EQ(f, 40.0f);
    EXPECT_EQ(data.param_def(3).internal_name, u"vistrel_root_color");
}

TEST_F(HairScriptsTest, CleanUpRemovesTheMadeShapesAndNothingElse) {
    standin::ShapeSettings user_shape;
    user_shape.splines.push_back(standin::polyline_spline({Point3(), Point3(1, 1, 1)}));
    scene.add_shape_node(u"UserLine", user_shape);
    // A shape whose attribute says not to delete it stays too.
    standin::Node& kept = scene.add_shape_node(u"Kept", user_shape);
    kept.object()
        ->add_custom_attribute(u"vistrel_hair_and_fur_data")
        .add_param_block(0, u"data")
        .add_param(2, host::kParamBool, u"vistrel_delete", 0);

    ASSERT_TRUE(scene.execute_script(kIndentedConversion, false));
    ASSERT_EQ(scene.nodes().size(), 5u);
    ASSERT_TRUE(scene.execute_script(kCleanUp, false));
    std::vector<std::u16string> names;
    for (standin::Node* n : scene.nodes()) {
        names.push_back(n->name());
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Furry", u"Bald", u"UserLine", u"Kept"}));
    EXPECT_TRUE(scene.script_errors().empty());
    EXPECT_EQ(scene.scripts_run().size(), 2u);
}

TEST_F(HairScriptsTest, EveryPassMakesFreshShapesThatTheCleanUpRemovesAgain) {
    for (int pass = 0; pass < 3; ++pass) {
        ASSERT_TRUE(scene.execute_script(kIndentedConversion, false));
        EXPECT_EQ(scene.nodes().size(), 3u);
        ASSERT_TRUE(scene.execute_script(kCleanUp, false));
        EXPECT_EQ(scene.nodes().size(), 2u);
    }
}

TEST_F(HairScriptsTest, OtherScriptsFailWithAnErrorShownUnlessQuiet) {
    const std::u16string altered = kCleanUp + u" delete $*";
    EXPECT_EQ(standin::recognise_hair_script(altered), standin::HairScript::none);
    EXPECT_FALSE(scene.execute_script(altered, true));
    EXPECT_TRUE(scene.message_boxes().empty());
    EXPECT_FALSE(scene.execute_script(u"delete objects", false));
    ASSERT_EQ(scene.message_boxes().size(), 1u);
    EXPECT_EQ(scene.message_boxes()[0].flags, host::kMessageBoxIconError);
    EXPECT_EQ(scene.script_errors().size(), 2u);
    EXPECT_EQ(scene.nodes().size(), 2u);  // nothing was touched
}

}  // namespace
