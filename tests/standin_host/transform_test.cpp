// Keyed node transforms: interpolation, validity intervals, hierarchy and object offsets.
#include <gtest/gtest.h>

#include <cmath>

#include "standin/host/scene.h"

namespace {

using host::Interval;
using host::Matrix3;
using host::Point3;
using host::TimeValue;
using standin::Quat;

constexpr float kHalfPi = 1.57079632679f;
constexpr TimeValue kNeg = host::kTimeNegInfinity;
constexpr TimeValue kPos = host::kTimePosInfinity;

void expect_near(const Point3& a, const Point3& b, float eps = 1e-4f) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

class TransformTest : public ::testing::Test {
  protected:
    standin::Scene scene;
    standin::Node& node = scene.add_helper_node(u"Mover");

    Interval validity_at(TimeValue t) {
        Interval valid;
        node.node_tm(t, &valid);
        return valid;
    }
};

TEST_F(TransformTest, FixedTransformIsValidForever) {
    node.set_transform(Matrix3::translation(Point3(1, 2, 3)));
    Interval valid;
    EXPECT_EQ(node.node_tm(500, &valid).translation(), Point3(1, 2, 3));
    EXPECT_TRUE(valid.is_forever());
}

TEST_F(TransformTest, PositionKeysInterpolateLinearlyAndHoldOutsideTheKeys) {
    node.add_position_key(0, Point3(0, 0, 0));
    node.add_position_key(1600, Point3(10, 0, 0));
    node.add_position_key(3200, Point3(10, 20, 0));
    expect_near(node.node_tm(-500, nullptr).translation(), Point3(0, 0, 0));
    expect_near(node.node_tm(400, nullptr).translation(), Point3(2.5f, 0, 0));
    expect_near(node.node_tm(2400, nullptr).translation(), Point3(10, 10, 0));
    expect_near(node.node_tm(9999, nullptr).translation(), Point3(10, 20, 0));
}

TEST_F(TransformTest, RotationKeysTakeTheShortArc) {
    node.add_rotation_key(0, Quat());
    node.add_rotation_key(1000, Quat::from_axis_angle(Point3(0, 0, 1), kHalfPi));
    const Matrix3 half = node.node_tm(500, nullptr);
    const float c = std::sqrt(0.5f);
    expect_near(half.row(0), Point3(c, c, 0));
    expect_near(half.row(1), Point3(-c, c, 0));
}

TEST_F(TransformTest, KeysKeepTheOtherPartsOfTheFixedTransform) {
    // Scale 2 and a quarter turn fixed; only the position is keyed.
    node.set_transform(Matrix3::scaling(Point3(2, 2, 2)) * Matrix3::rotation_z(kHalfPi) *
                       Matrix3::translation(Point3(5, 5, 5)));
    node.add_position_key(0, Point3(0, 0, 0));
    node.add_position_key(100, Point3(0, 0, 10));
    const Matrix3 m = node.node_tm(50, nullptr);
    expect_near(Point3(1, 0, 0) * m, Point3(0, 2, 5));
}

TEST_F(TransformTest, MirroredFixedTransformSurvivesKeying) {
    node.set_transform(Matrix3::scaling(Point3(-1, 1, 1)));
    node.add_position_key(0, Point3(0, 0, 0));
    node.add_position_key(100, Point3(1, 0, 0));
    const Matrix3 m = node.node_tm(0, nullptr);
    EXPECT_LT(m.determinant(), 0.0f);
    expect_near(Point3(1, 2, 3) * m, Point3(-1, 2, 3));
}

struct ValidityCase {
    const char* what;
    TimeValue t;
    TimeValue start;
    TimeValue end;
};

// Keys at 0 (A), 100 (A), 200 (B), 300 (B), 400 (B), 500 (C).
TEST_F(TransformTest, ValidityIsTheLargestIntervalOverWhichTheTransformStaysPut) {
    const Point3 a(0, 0, 0), b(1, 0, 0), c(2, 0, 0);
    node.add_position_key(0, a);
    node.add_position_key(100, a);
    node.add_position_key(200, b);
    node.add_position_key(300, b);
    node.add_position_key(400, b);
    node.add_position_key(500, c);
    const ValidityCase cases[] = {
        {"before the first key, held up to the end of the equal run", -50, kNeg, 100},
        {"inside a run of equal keys", 50, kNeg, 100},
        {"on the key ending a run", 100, kNeg, 100},
        {"between different keys", 150, 150, 150},
        {"on the key starting a run", 200, 200, 400},
        {"inside a later run", 350, 200, 400},
        {"between the run and the last key", 450, 450, 450},
        {"on the last key", 500, 500, kPos},
        {"after the last key", 900, 500, kPos},
    };
    for (const ValidityCase& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(validity_at(k.t), Interval(k.start, k.end));
    }
}

TEST_F(TransformTest, KeysThatAllAgreeGiveForever) {
    node.add_position_key(0, Point3(3, 3, 3));
    node.add_position_key(100, Point3(3, 3, 3));
    node.add_rotation_key(50, Quat());
    EXPECT_TRUE(validity_at(75).is_forever());
}

TEST_F(TransformTest, ValidityIntersectsTheTracksAndTheParents) {
    standin::Node& child = scene.add_helper_node(u"Child", &node);
    child.add_scale_key(0, Point3(1, 1, 1));
    child.add_scale_key(1000, Point3(1, 1, 1));
    child.add_scale_key(2000, Point3(2, 2, 2));
    Interval child_only;
    child.node_tm(500, &child_only);
    EXPECT_EQ(child_only, Interval(kNeg, 1000));
    // The parent starts moving at 400: the child's world transform changes with it.
    node.add_position_key(400, Point3(0, 0, 0));
    node.add_position_key(800, Point3(0, 0, 8));
    Interval with_parent;
    child.node_tm(300, &with_parent);
    EXPECT_EQ(with_parent, Interval(kNeg, 400));
    Interval moving;
    child.node_tm(500, &moving);
    EXPECT_EQ(moving, Interval(500, 500));
}

TEST_F(TransformTest, NodeTransformIsTheWorldTransformThroughTheHierarchy) {
    node.set_transform(Matrix3::rotation_z(kHalfPi) * Matrix3::translation(Point3(10, 0, 0)));
    standin::Node& child = scene.add_helper_node(u"Child", &node);
    child.set_transform(Matrix3::translation(Point3(1, 0, 0)));
    expect_near(child.node_tm(0, nullptr).translation(), Point3(10, 1, 0));
    expect_near(child.local_transform(0, nullptr).translation(), Point3(1, 0, 0));
    // Relinking keeps the local transform, so the world transform follows the new parent.
    child.set_parent(nullptr);
    expect_near(child.node_tm(0, nullptr).translation(), Point3(1, 0, 0));
}

TEST_F(TransformTest, ObjectTransformAppliesTheOffsetBeforeTheNodeTransform) {
    standin::Node& box = scene.add_mesh_node(u"Box", standin::make_box_mesh(Point3(2, 2, 2)));
    box.set_transform(Matrix3::rotation_z(kHalfPi) * Matrix3::translation(Point3(0, 0, 10)));
    box.set_object_offset(Matrix3::translation(Point3(5, 0, 0)));
    // The offset moves the object along the node's own x axis, which points along world y.
    expect_near(box.object_tm(0, nullptr).translation(), Point3(0, 5, 10));
    expect_near(box.node_tm(0, nullptr).translation(), Point3(0, 0, 10));
    // Bounding boxes: the local box ignores both transforms, the world box applies the offset.
    host::Object* object = box.eval_world_state(0);
    const host::Box3 local = object->local_bound_box(0, box);
    expect_near(local.min(), Point3(-1, -1, -1));
    const host::Box3 world = object->world_bound_box(0, box);
    expect_near(world.min(), Point3(-1, 4, 9));
    expect_near(world.max(), Point3(1, 6, 11));
}

TEST_F(TransformTest, LinkingBelowItselfIsRefused) {
    standin::Node& child = scene.add_helper_node(u"Child", &node);
    EXPECT_THROW(node.set_parent(&child), std::invalid_argument);
    EXPECT_THROW(node.set_parent(&node), std::invalid_argument);
    EXPECT_EQ(node.parent(), &scene.root());
}

}  // namespace
