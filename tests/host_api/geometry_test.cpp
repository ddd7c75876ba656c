#include "plugin/host/geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plugin/host/interval.h"

namespace {

using host::Box3;
using host::Matrix3;
using host::Point3;

constexpr float kHalfPi = 1.57079632679f;

void expect_near(const Point3& a, const Point3& b, float eps = 1e-5f) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

void expect_identity(const Matrix3& m, float eps = 1e-5f) {
    expect_near(m.row(0), Point3(1, 0, 0), eps);
    expect_near(m.row(1), Point3(0, 1, 0), eps);
    expect_near(m.row(2), Point3(0, 0, 1), eps);
    expect_near(m.row(3), Point3(0, 0, 0), eps);
}

// Scale, then rotate, then move: a transform with every part present.
Matrix3 busy_transform() {
    return Matrix3::scaling(Point3(2, 3, 0.5f)) * Matrix3::rotation_z(0.7f) *
           Matrix3::rotation_x(-1.1f) * Matrix3::translation(Point3(4, -5, 6));
}

TEST(Matrix3, RowVectorConventionWithTranslationInTheFourthRow) {
    // A point is a row vector: p * M, and the fourth row moves it.
    const Matrix3 m = Matrix3::rotation_z(kHalfPi) * Matrix3::translation(Point3(10, 0, 0));
    expect_near(Point3(1, 0, 0) * m, Point3(10, 1, 0));
    EXPECT_EQ(m.translation(), Point3(10, 0, 0));
    // Directions ignore the translation.
    expect_near(host::transform_vector(Point3(1, 0, 0), m), Point3(0, 1, 0));
}

TEST(Matrix3, ProductAppliesTheLeftFactorFirst) {
    const Matrix3 move = Matrix3::translation(Point3(1, 0, 0));
    const Matrix3 turn = Matrix3::rotation_z(kHalfPi);
    expect_near(Point3() * (move * turn), Point3(0, 1, 0));
    expect_near(Point3() * (turn * move), Point3(1, 0, 0));
}

TEST(Matrix3, InverseUndoesTheTransformFromBothSides) {
    const Matrix3 m = busy_transform();
    expect_identity(m * host::inverse(m), 1e-4f);
    expect_identity(host::inverse(m) * m, 1e-4f);
    const Point3 p(0.3f, -7, 2);
    expect_near((p * m) * host::inverse(m), p, 1e-4f);
}

TEST(Matrix3, InverseOfASingularMatrixIsTheIdentity) {
    // A node scaled to nothing must not spread NaN into its children.
    const Matrix3 flat = Matrix3::scaling(Point3(1, 0, 1)) * Matrix3::translation(Point3(3, 4, 5));
    expect_identity(host::inverse(flat), 0.0f);
    Matrix3 nan_matrix;
    nan_matrix.set_row(0, Point3(NAN, 0, 0));
    expect_identity(host::inverse(nan_matrix), 0.0f);
}

TEST(Matrix3, OrthogonalizeRemovesShearAndKeepsRowLengthsAndTranslation) {
    Matrix3 m(Point3(2, 0, 0), Point3(1, 1, 0), Point3(0.5f, 0.5f, 3), Point3(7, 8, 9));
    m.orthogonalize();
    EXPECT_NEAR(host::dot(m.row(0), m.row(1)), 0.0f, 1e-5f);
    EXPECT_NEAR(host::dot(m.row(0), m.row(2)), 0.0f, 1e-5f);
    EXPECT_NEAR(host::dot(m.row(1), m.row(2)), 0.0f, 1e-5f);
    EXPECT_NEAR(host::length(m.row(0)), 2.0f, 1e-5f);
    EXPECT_NEAR(host::length(m.row(1)), std::sqrt(2.0f), 1e-5f);
    EXPECT_NEAR(host::length(m.row(2)), std::sqrt(9.5f), 1e-5f);
    // The first row keeps its direction; the others stay on their side.
    expect_near(host::normalize(m.row(0)), Point3(1, 0, 0));
    EXPECT_GT(m.row(1).y, 0.0f);
    EXPECT_GT(m.row(2).z, 0.0f);
    EXPECT_EQ(m.translation(), Point3(7, 8, 9));
}

TEST(Point3, CrossLengthAndNormalize) {
    expect_near(host::cross(Point3(1, 0, 0), Point3(0, 1, 0)), Point3(0, 0, 1));
    EXPECT_FLOAT_EQ(host::length(Point3(3, 4, 12)), 13.0f);
    expect_near(host::normalize(Point3(0, 0, -5)), Point3(0, 0, -1));
    // A zero vector has no direction; it comes back unchanged rather than as NaN.
    EXPECT_EQ(host::normalize(Point3()), Point3());
}

TEST(Box3, StartsEmptyAndGrowsByPointsAndBoxes) {
    Box3 box;
    EXPECT_TRUE(box.is_empty());
    EXPECT_EQ(box.width(), Point3());
    box += Box3();  // an empty box adds nothing
    EXPECT_TRUE(box.is_empty());
    box += Point3(1, 2, 3);
    EXPECT_FALSE(box.is_empty());
    EXPECT_EQ(box.width(), Point3());
    box += Box3(Point3(-1, 0, 0), Point3(0, 5, 4));
    EXPECT_EQ(box.min(), Point3(-1, 0, 0));
    EXPECT_EQ(box.max(), Point3(1, 5, 4));
}

TEST(Box3, TransformedBoxHoldsAllEightCorners) {
    const Box3 unit(Point3(0, 0, 0), Point3(1, 1, 1));
    const Box3 turned =
        unit * (Matrix3::rotation_z(kHalfPi * 0.5f) * Matrix3::translation(Point3(0, 0, 10)));
    const float d = std::sqrt(0.5f);
    expect_near(turned.min(), Point3(-d, 0, 10));
    expect_near(turned.max(), Point3(d, 2 * d, 11));
    EXPECT_TRUE((Box3() * busy_transform()).is_empty());
}

TEST(Interval, IntersectionAndCover) {
    host::Interval valid;  // forever
    EXPECT_TRUE(valid.is_forever());
    valid &= host::Interval(0, 100);
    valid &= host::Interval(50, 200);
    EXPECT_EQ(valid, host::Interval(50, 100));
    EXPECT_TRUE(valid.covers(60, 100));
    EXPECT_FALSE(valid.covers(0, 100));
    valid &= host::Interval(150, 300);
    EXPECT_TRUE(valid.empty());
    EXPECT_TRUE(host::Interval::never().empty());
    EXPECT_TRUE(host::Interval::instant(5).contains(5));
}

}  // namespace
