// Sampled transform animations and deforming meshes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "importers/sceneapi/dev/sceneapi.h"
#include "scene_capture.h"

namespace {

using objects_test::array_entry;
using objects_test::SceneCapture;
using zyl::Matrix4d;

const Matrix4d kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
const Matrix4d kMoved{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.25, -3, 1e-9, 1};

TEST(FBXAnimation, KeysAreWrittenAsTimestampsAndMatrixRows) {
    zyl::FBXAnimation animation("Box3ds_animation", 0.0f, 1.5f);
    animation.add_key(0, kIdentity);
    animation.add_key(33, kMoved);
    SceneCapture capture;
    capture.api().emit(animation);
    EXPECT_EQ(capture.scene(),
              "animation \"fbx_animation\" \"Box3ds_animation\" {\n\"start_time\" 0,\n"
              "\"duration\" 1.5,\n" +
                  array_entry("timestamps", 'i', std::vector<int32_t>{0, 33}) +
                  "\"matrices\" [ 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1 ,\n"
                  "1 0 0 0 0 1 0 0 0 0 1 0 0.25 -3 1e-09 1 \n] ,\n"
                  "\"interpolate\" on,\n\"folder\" \"\",\n}\n");
}

TEST(FBXAnimation, ArraysOfDifferentLengthAreReportedThenWrittenAsTheyAre) {
    zyl::FBXAnimation animation("a", 0.5f, 2.0f, false);
    animation.timestamps() = {0, 33, 66};
    animation.matrices() = {kIdentity, kMoved};
    SceneCapture capture;
    capture.api().emit(animation);
    EXPECT_EQ(capture.scene(),
              "animation \"fbx_animation\" \"a\" {\n\"start_time\" 0.5,\n\"duration\" 2,\n"
              "#error \"Number of timestamps(3) does not match number of matrices(2)\"\n" +
                  array_entry("timestamps", 'i', std::vector<int32_t>{0, 33, 66}) +
                  "\"matrices\" [ 1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1 ,\n"
                  "1 0 0 0 0 1 0 0 0 0 1 0 0.25 -3 1e-09 1 \n] ,\n"
                  "\"interpolate\" off,\n\"folder\" \"\",\n}\n");
}

std::shared_ptr<zyl::TriangleObject> frame_mesh(float height) {
    auto mesh = std::make_shared<zyl::TriangleObject>("temp");
    mesh->add_vertex(0, 0, 0);
    mesh->add_vertex(1, 0, height);
    mesh->add_vertex(0, 1, 0);
    mesh->add_triangle(0, 1, 2);
    return mesh;
}

std::string frame_object(const std::string& name, const zyl::TriangleObject& mesh,
                         const std::string& material) {
    return "object \"" + name + "\" {\ngeometry \"triangles\" {\n" +
           array_entry("vertices", 'c', mesh.vertices()) +
           array_entry("triangles", 'i', mesh.triangles()) + "}\n" + material + "}\n";
}

TEST(DeformableAnimation, GroupHoldsTheTimesThenOneObjectPerFrame) {
    zyl::DeformableAnimation animation("Box", 0.0f, 0.066f);
    auto material = std::make_shared<zyl::GenericMaterial>("skin");
    animation.set_material(material);
    auto first = frame_mesh(0.0f);
    auto second = frame_mesh(0.5f);
    animation.add_frame(first, 0);
    animation.add_timestamp(0);
    animation.add_frame(second, 1);
    animation.add_timestamp(33);
    animation.add_frame(nullptr, 2);  // ignored

    SceneCapture capture;
    capture.api().emit(animation);
    const std::string skin =
        "material \"skin\" {\n#define shader 1 zyl_diffuse {\n"
        "\"diffuse\" 0.75 0.5 0.5,\n}\nsurface 1\nflags 4096\n}\n";
    const std::string skin_again =
        "material \"skin\" {\n#define shader 2 zyl_diffuse {\n"
        "\"diffuse\" 0.75 0.5 0.5,\n}\nsurface 2\nflags 4096\n}\n";
    EXPECT_EQ(capture.scene(),
              "\ngroup \"Box\" {\nflags 16842752\n"
              "animation \"deformable\" \"Box_deformable\" {\n\"start_time\" 0,\n"
              "\"duration\" 0.066,\n\"duration_org\" 0.066,\n" +
                  array_entry("timestamps", 'i', std::vector<int32_t>{0, 33}) + "}\n" +
                  frame_object("zyl_deform_0", *first, skin) +
                  frame_object("zyl_deform_1", *second, skin_again) + "}\n");
    EXPECT_EQ(first->name(), "zyl_deform_0");
    EXPECT_EQ(second->material(), material);
}

TEST(DeformableAnimation, WithoutMaterialTheFramesAreWrittenWithoutOne) {
    zyl::DeformableAnimation animation("Blob", 0.0f, 0.0f);
    auto frame = frame_mesh(1.0f);
    animation.add_frame(frame, 7);
    animation.add_timestamp(231);
    SceneCapture capture;
    capture.api().emit(animation);
    EXPECT_EQ(capture.scene(),
              "\ngroup \"Blob\" {\nflags 16842752\n"
              "animation \"deformable\" \"Blob_deformable\" {\n\"start_time\" 0,\n"
              "\"duration\" 0,\n\"duration_org\" 0,\n" +
                  array_entry("timestamps", 'i', std::vector<int32_t>{231}) + "}\n" +
                  frame_object("zyl_deform_7", *frame, "") + "}\n");
}

}  // namespace
