// Baked procedural maps: where they go, their size, and how often they are baked.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "material_scene.h"

namespace materials_test {
namespace {

namespace fs = std::filesystem;

std::string file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Width and height from a PNG file's header; zeros when it is not a PNG.
std::pair<std::uint32_t, std::uint32_t> png_size(const fs::path& path) {
    const std::string bytes = file_bytes(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0 || bytes.compare(12, 4, "IHDR") != 0) {
        return {0, 0};
    }
    auto be32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
        }
        return v;
    };
    return {be32(16), be32(20)};
}

class TextureBaking : public MaterialTest {
  protected:
    // A Standard material named name with a checker map in its diffuse slot.
    standin::StandardMaterial& checkered(const std::u16string& name) {
        standin::StandardMaterial& m = scene_.add_standard_material(name);
        checker_ = &scene_.add_checker_map(u"Checker");
        m.set_map(standin::kDiffuseSlot, checker_);
        return m;
    }

    // Converts material for a one-face mesh in the run whose bake cache is cache.
    std::vector<MaterialView> convert(host::Material& material, vsf::BakeCache& cache) {
        const vsf::MaterialContext context{scene_, cache};
        mesh_ = mesh_with_ids({0});
        standin::Node& node = scene_.add_mesh_node(u"Node", mesh_);
        node.set_material(&material);
        return written(vsf::build_material_table(context, mesh_, node, 0));
    }

    standin::CheckerMap* checker_ = nullptr;
    host::Mesh mesh_;
};

TEST_F(TextureBaking, ProceduralMapIsBakedInto1024SquarePngNamedAfterMaterialAndSlot) {
    standin::StandardMaterial& wall = checkered(u"Wall");
    const fs::path file = textures_folder() / "Wall_diffuse.png";
    const std::vector<MaterialView> views = convert(wall, bake_cache_);
    ASSERT_EQ(views.size(), 1u);
    EXPECT_EQ(views[0].diffuse_texture,
              textures_root_.path().string() + "/textures/Wall_diffuse.png");
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(png_size(file), std::make_pair(1024u, 1024u));
}

TEST_F(TextureBaking, OneRunBakesOnceAndTheNextRunBakesTheEditedMapAgain) {
    standin::StandardMaterial& wall = checkered(u"Wall");
    const fs::path file = textures_folder() / "Wall_diffuse.png";
    convert(wall, bake_cache_);
    const std::string first = file_bytes(file);
    ASSERT_FALSE(first.empty());

    // Same run: the file is named again but not rendered again.
    fs::remove(file);
    EXPECT_EQ(convert(wall, bake_cache_)[0].diffuse_texture, file.string());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(bake_cache_.size(), 1u);

    // The user edits the map; the next export command bakes it afresh.
    checker_->color1 = {1.0f, 0.0f, 0.0f};
    vsf::BakeCache next_run;
    convert(wall, next_run);
    const std::string second = file_bytes(file);
    ASSERT_FALSE(second.empty());
    EXPECT_NE(second, first);
}

TEST_F(TextureBaking, EachSlotGetsItsOwnFileAndBitmapsAreNeverBaked) {
    standin::StandardMaterial& m = scene_.add_standard_material(u"Floor");
    m.set_map(standin::kBumpSlot, &scene_.add_noise_map(u"Noise"));
    m.set_map(standin::kOpacitySlot, &scene_.add_gradient_map(u"Gradient"));
    std::ofstream(textures_root_.path() / "photo.png") << "image";
    m.set_map(
        standin::kDiffuseSlot,
        &scene_.add_bitmap_texture(u"Photo", (textures_root_.path() / "photo.png").u16string()));
    const MaterialView view = convert(m, bake_cache_)[0];
    EXPECT_EQ(view.bump_texture, (textures_folder() / "Floor_bump.png").string());
    EXPECT_EQ(view.opacity_texture, (textures_folder() / "Floor_opacity.png").string());
    EXPECT_EQ(view.diffuse_texture, (textures_root_.path() / "photo.png").string());
    EXPECT_TRUE(fs::exists(textures_folder() / "Floor_bump.png"));
    EXPECT_TRUE(fs::exists(textures_folder() / "Floor_opacity.png"));
    EXPECT_EQ(bake_cache_.size(), 2u);
}

TEST_F(TextureBaking, MaterialNameCannotLeadOutOfTheTexturesFolder) {
    const MaterialView view = convert(checkered(u"../../escape"), bake_cache_)[0];
    EXPECT_EQ(view.diffuse_texture, (textures_folder() / ".._.._escape_diffuse.png").string());
    EXPECT_TRUE(fs::exists(textures_folder() / ".._.._escape_diffuse.png"));
    EXPECT_FALSE(fs::exists(textures_root_.path().parent_path() / "escape_diffuse.png"));
}

// Where baked files go, by what the registry holds.
class TexturesFolder : public testing::Test {
  protected:
    TexturesFolder() : installed_("exporter-installed"), older_("exporter-older") {}

    ScratchRegistry registry_;
    exporter_test::ScratchFolder installed_;
    exporter_test::ScratchFolder older_;
};

TEST_F(TexturesFolder, ResourceFolderOfVersion8IsUsedAsItIs) {
    // Taken as the user set it, even before the installation exists on disk.
    registry_.write_hive("HKEY_LOCAL_MACHINE",
                         resource_folder_section("HKEY_LOCAL_MACHINE", 8, "/opt/vistrel"));
    EXPECT_EQ(vsf::textures_folder(), u"/opt/vistrel/textures/");
}

TEST_F(TexturesFolder, WithoutItTheNewestInstallationsResourceFolderIsUsed) {
    registry_.write_hive("HKEY_LOCAL_MACHINE",
                         resource_folder_section("HKEY_LOCAL_MACHINE", 7, older_.path().string()) +
                             resource_folder_section("HKEY_LOCAL_MACHINE", 12, "/no/such/folder") +
                             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tesmar\\Vistrel 8]\r\n"
                             "\"ResourceFolder\"=dword:00000001\r\n\r\n");
    registry_.write_hive("HKEY_CURRENT_USER", resource_folder_section("HKEY_CURRENT_USER", 9,
                                                                      installed_.path().string()));
    EXPECT_EQ(vsf::textures_folder(), installed_.wide() + u"/textures/");
}

TEST_F(TexturesFolder, WithoutAnyInstallationTheTemporaryFolderIsUsedNeverTheRoot) {
    registry_.write_hive("HKEY_LOCAL_MACHINE",
                         "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tesmar\\Vistrel 8]\r\n"
                         "\"ResourceFolder\"=\"\"\r\n\r\n");
    const std::u16string folder = vsf::textures_folder();
    EXPECT_NE(folder, u"/textures/");
    std::u16string temp = fs::temp_directory_path().u16string();
    while (temp.size() > 1 && temp.back() == u'/') {
        temp.pop_back();
    }
    EXPECT_EQ(folder, temp + u"/textures/");
}

}  // namespace
}  // namespace materials_test
