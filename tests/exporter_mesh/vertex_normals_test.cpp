// Vertex normals from smoothing groups: interior-angle weighting, the chain of smoothing entries,
// explicit normals, and faces without smoothing groups.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "exporter/mesh_extraction_normals.h"
#include "standin/host/mesh_tools.h"

namespace {

MATCHER_P(NearPoint, expected, "") {
    return std::fabs(arg.x - expected.x) < 1e-5f && std::fabs(arg.y - expected.y) < 1e-5f &&
           std::fabs(arg.z - expected.z) < 1e-5f;
}

float sign(float v) {
    return v < 0.0f ? -1.0f : 1.0f;
}

// A pyramid: apex 0 above a square base 1..4, one triangle per side, sides in turn facing +x,
// +y, -x and -y.
host::Mesh pyramid(const std::uint32_t groups[4]) {
    host::Mesh mesh;
    mesh.verts = {{0, 0, 1}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}, {-1, -1, 0}};
    for (std::uint32_t s = 0; s < 4; ++s) {
        mesh.faces.push_back(host::Face{{0, 1 + s, 1 + (s + 1) % 4}, groups[s], 0});
    }
    return mesh;
}

TEST(VertexNormals, OneSmoothingGroupWeighsEachSideByItsInteriorAngleNotItsAreaOrCut) {
    // Sides of very different areas, each cut into two triangles with the diagonal through some
    // corners only: interior angles give every corner the diagonal of the cube, whatever the
    // areas and the cut.
    const host::Mesh mesh = standin::make_box_mesh({1.0f, 2.0f, 4.0f});
    const vsf::VertexNormals normals = vsf::compute_vertex_normals(mesh);

    const float d = 1.0f / std::sqrt(3.0f);
    for (std::uint32_t f = 0; f < mesh.faces.size(); ++f) {
        for (std::uint32_t v : mesh.faces[f].v) {
            const host::Point3& p = mesh.verts[v];
            EXPECT_THAT(vsf::normal_for(normals, v, f, 1),
                        NearPoint(host::Point3(sign(p.x) * d, sign(p.y) * d, sign(p.z) * d)))
                << "vertex " << v << " of face " << f;
        }
    }
}

TEST(VertexNormals, SixSmoothingGroupsGiveEachSideItsOwnNormal) {
    host::Mesh mesh = standin::make_box_mesh({1.0f, 2.0f, 4.0f});
    for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
        mesh.faces[f].smoothing_group = 1u << (f / 2);
    }
    const vsf::VertexNormals normals = vsf::compute_vertex_normals(mesh);

    for (std::uint32_t f = 0; f < mesh.faces.size(); ++f) {
        const host::Point3 side = normals.face_normal(f);
        for (std::uint32_t v : mesh.faces[f].v) {
            EXPECT_THAT(vsf::normal_for(normals, v, f, mesh.faces[f].smoothing_group),
                        NearPoint(side));
        }
    }
    EXPECT_THAT(normals.face_normal(0), NearPoint(host::Point3(0, 0, -1)));
}

TEST(VertexNormals, FacesWithoutSmoothingGroupKeepTheirOwnFaceNormal) {
    // Sides 0 and 1 without groups, sides 2 and 3 smoothed together.
    const std::uint32_t groups[4] = {0, 0, 1, 1};
    const host::Mesh mesh = pyramid(groups);
    const vsf::VertexNormals normals = vsf::compute_vertex_normals(mesh);

    const float s = 1.0f / std::sqrt(2.0f);
    EXPECT_THAT(vsf::normal_for(normals, 0, 0, 0), NearPoint(host::Point3(s, 0, s)));
    EXPECT_THAT(vsf::normal_for(normals, 0, 1, 0), NearPoint(host::Point3(0, s, s)));
    // The ungrouped sides add nothing to the smoothed ones: -x and -y only.
    const host::Point3 smoothed = vsf::normal_for(normals, 0, 2, 1);
    EXPECT_THAT(smoothed, NearPoint(vsf::normal_for(normals, 0, 3, 1)));
    EXPECT_NEAR(smoothed.x, smoothed.y, 1e-6f);
    EXPECT_LT(smoothed.x, 0.0f);
}

TEST(VertexNormals, GroupsSharingABitMergeIntoOneNormalAndDisjointGroupsStayApart) {
    // At the apex: groups 1 and 2 meet through the side of groups 1|2; group 8 stays alone.
    const std::uint32_t groups[4] = {1, 2, 3, 8};
    const host::Mesh mesh = pyramid(groups);
    const vsf::VertexNormals normals = vsf::compute_vertex_normals(mesh);

    const host::Point3 merged = vsf::normal_for(normals, 0, 0, 1);
    EXPECT_THAT(vsf::normal_for(normals, 0, 1, 2), NearPoint(merged));
    EXPECT_THAT(vsf::normal_for(normals, 0, 2, 3), NearPoint(merged));
    EXPECT_THAT(vsf::normal_for(normals, 0, 3, 8), NearPoint(normals.face_normal(3)));
    EXPECT_GT(merged.y, 0.1f);  // the -y side of group 8 is not in it
    EXPECT_NEAR(host::length(merged), 1.0f, 1e-6f);
}

TEST(VertexNormals, ExplicitNormalsWinOverSmoothingGroupsAndOthersAreIgnored) {
    const std::uint32_t groups[4] = {1, 1, 1, 1};
    host::Mesh mesh = pyramid(groups);
    host::MeshNormalSpec normal_spec;
    normal_spec.normals = {{0, 0, 1}, {1, 0, 0}};
    normal_spec.explicit_normal = {1, 0};  // the second normal is only a suggestion
    normal_spec.face_normal_ids.assign(mesh.faces.size(), {-1, -1, -1});
    normal_spec.face_normal_ids[0] = {0, -1, -1};  // apex of face 0: explicit
    normal_spec.face_normal_ids[1] = {1, -1, -1};  // apex of face 1: not explicit
    normal_spec.face_normal_ids[2] = {7, -1, -1};  // beyond the normals: ignored
    mesh.normal_spec = normal_spec;
    const vsf::VertexNormals normals = vsf::compute_vertex_normals(mesh);

    EXPECT_THAT(vsf::normal_for(normals, 0, 0, 1), NearPoint(host::Point3(0, 0, 1)));
    // The explicit corner adds nothing: the other three sides smooth the apex by themselves,
    // leaning towards -x.
    const host::Point3 smoothed = vsf::normal_for(normals, 0, 1, 1);
    EXPECT_THAT(vsf::normal_for(normals, 0, 2, 1), NearPoint(smoothed));
    EXPECT_LT(smoothed.x, -0.1f);
}

TEST(VertexNormals, FacesNamingVerticesBeyondTheMeshAddNothing) {
    host::Mesh mesh;
    mesh.verts = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh.faces = {host::Face{{0, 1, 2}, 1, 0}, host::Face{{0, 2, 99}, 1, 0}};
    const vsf::VertexNormals normals = vsf::compute_vertex_normals(mesh);

    EXPECT_THAT(vsf::normal_for(normals, 0, 0, 1), NearPoint(host::Point3(0, 0, 1)));
    EXPECT_THAT(normals.face_normal(1), NearPoint(host::Point3()));
}

}  // namespace
