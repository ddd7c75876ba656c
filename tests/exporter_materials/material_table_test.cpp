// The material table: how a node's material divides a mesh's faces into records.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include <string>
#include <vector>

#include "material_scene.h"

namespace materials_test {
namespace {

using ::testing::ElementsAre;

class MaterialTable : public MaterialTest {
  protected:
    // A Multi/Sub-Object material whose sub-material i is a Standard material named "S<i>"
    // (null where empty says so).
    standin::MultiMaterial& multi(int count, const std::vector<int>& empty = {}) {
        standin::MultiMaterial& m = scene_.add_multi_material(u"Multi", count);
        for (int i = 0; i < count; ++i) {
            if (std::find(empty.begin(), empty.end(), i) == empty.end()) {
                std::u16string name = u"S";
                for (char c : std::to_string(i)) {
                    name.push_back(static_cast<char16_t>(c));
                }
                m.set_sub_material(i, &scene_.add_standard_material(name));
            }
        }
        return m;
    }

    vsf::MaterialTable table_for(host::Material* material, const std::vector<int>& ids) {
        mesh_ = mesh_with_ids(ids);
        standin::Node& node = scene_.add_mesh_node(u"Box", mesh_);
        node.set_wire_color(200, 10, 0);
        node.set_material(material);
        return vsf::build_material_table(context_, mesh_, node, 0);
    }

    static std::vector<std::string> names(const std::vector<MaterialView>& views) {
        std::vector<std::string> out;
        for (const MaterialView& v : views) {
            out.push_back(v.name);
        }
        return out;
    }

    host::Mesh mesh_;
};

TEST_F(MaterialTable, NodeWithoutMaterialGetsOneEmptyMaterialInItsWireColour) {
    const vsf::MaterialTable table = table_for(nullptr, {0, 3, 7});
    EXPECT_EQ(table.count, 1);
    EXPECT_EQ(table.record_index(7), 0);
    ASSERT_NE(table.records[0], nullptr);
    EXPECT_EQ(table.records[1], nullptr);
    EXPECT_EQ(table.records[0]->host_material, nullptr);

    const std::vector<MaterialView> views = written(table);
    ASSERT_EQ(views.size(), 1u);
    EXPECT_EQ(views[0].name, "Box - EmptyMaterial#0 : 200:10:0");
    EXPECT_EQ(views[0].base_type, "zyl_diffuse");
    ASSERT_EQ(views[0].diffuse.size(), 3u);
    EXPECT_NEAR(views[0].diffuse[0], 200.0 / 255.0, 1e-6);
    EXPECT_NEAR(views[0].diffuse[1], 10.0 / 255.0, 1e-6);
    EXPECT_EQ(views[0].diffuse[2], 0.0);
    EXPECT_TRUE(views[0].specular.empty());
}

TEST_F(MaterialTable, EmptyMaterialNameIsCutAt255Bytes) {
    mesh_ = mesh_with_ids({0});
    standin::Node& node = scene_.add_mesh_node(std::u16string(400, u'n'), mesh_);
    const vsf::MaterialTable table = vsf::build_material_table(context_, mesh_, node, 0);
    ASSERT_NE(table.records[0], nullptr);
    EXPECT_EQ(table.records[0]->empty_name, std::string(255, 'n'));
    EXPECT_EQ(names(written(table)), std::vector<std::string>{std::string(255, 'n')});
}

TEST_F(MaterialTable, MultiMaterialIdsWrapModuloTheSubMaterialCount) {
    const vsf::MaterialTable table = table_for(&multi(3), {0, 1, 2, 3, 4, 5});
    EXPECT_EQ(table.count, 3);
    for (int id = 3; id < 6; ++id) {
        EXPECT_EQ(table.record_index(id), table.record_index(id - 3)) << "id " << id;
    }
    EXPECT_EQ(table.records[3], nullptr);
    EXPECT_THAT(names(written(table)), ElementsAre("S0", "S1", "S2"));
}

TEST_F(MaterialTable, RecordsFollowTheOrderOfFirstUse) {
    const vsf::MaterialTable table = table_for(&multi(3), {2, 2, 0, 1});
    EXPECT_THAT(table.slot_record, testing::ElementsAreArray([] {
                    std::array<int, vsf::kMaxMaterialSlots> expected;
                    expected.fill(-1);
                    expected[2] = 0;
                    expected[0] = 1;
                    expected[1] = 2;
                    return expected;
                }()));
    EXPECT_THAT(names(written(table)), ElementsAre("S2", "S0", "S1"));
}

TEST_F(MaterialTable, SameSubMaterialInTwoSlotsGivesOneRecord) {
    standin::MultiMaterial& m = multi(5);
    m.set_sub_material(4, m.sub_material(1));
    const vsf::MaterialTable table = table_for(&m, {0, 1, 2, 3, 4});
    EXPECT_EQ(table.record_index(4), table.record_index(1));
    EXPECT_THAT(names(written(table)), ElementsAre("S0", "S1", "S2", "S3"));
}

TEST_F(MaterialTable, EmptySubMaterialSlotsShareOneEmptyRecord) {
    const vsf::MaterialTable table = table_for(&multi(4, {1, 3}), {0, 1, 2, 3});
    EXPECT_EQ(table.record_index(3), table.record_index(1));
    // The empty record is named after the first empty slot that a face used.
    EXPECT_THAT(names(written(table)), ElementsAre("S0", "Box - EmptyMaterial#1 : 200:10:0", "S2"));
}

TEST_F(MaterialTable, TwoHundredSubMaterialsAreTakenModulo128) {
    const vsf::MaterialTable table = table_for(&multi(200), {130, 127, 200});
    EXPECT_EQ(table.count, vsf::kMaxMaterialSlots);
    // 130 -> 2, 200 -> 72: sub-materials beyond 127 are never reached.
    EXPECT_THAT(names(written(table)), ElementsAre("S2", "S127", "S72"));
}

TEST_F(MaterialTable, MaterialWithOneSubMaterialUsesThatSubMaterial) {
    const vsf::MaterialTable table = table_for(&multi(1), {0, 5});
    EXPECT_EQ(table.count, 1);
    EXPECT_THAT(names(written(table)), ElementsAre("S0"));
}

}  // namespace
}  // namespace materials_test
