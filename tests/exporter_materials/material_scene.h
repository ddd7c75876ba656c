// Material conversions against the stand-in host, read back from a real scene file: the scene
// and a registry whose textures folder is a scratch folder, the conversion context of one export
// run, and a summary of each material block as the renderer will see it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "exporter/material_table.h"
#include "exporter/texture_baking.h"
#include "importers/sceneapi/dev/triangle_object.h"
#include "standin/host/scene.h"
#include "tests/exporter_support/written_scene.h"

namespace materials_test {

inline void set_environment(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

// A registry of two .reg files in a scratch folder, named by VSF_REGISTRY_DIR while it lives.
class ScratchRegistry {
  public:
    ScratchRegistry() : folder_("exporter-registry") {
        const char* old = std::getenv("VSF_REGISTRY_DIR");
        had_old_ = old != nullptr;
        old_ = old ? old : "";
        set_environment("VSF_REGISTRY_DIR", folder_.path().string());
    }
    ~ScratchRegistry() { set_environment("VSF_REGISTRY_DIR", had_old_ ? old_ : std::string()); }
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

    // Writes one hive file (replacing it): "HKEY_LOCAL_MACHINE" or "HKEY_CURRENT_USER", with
    // sections and values in the .reg text form.
    void write_hive(const std::string& hive, const std::string& body) const {
        std::ofstream out(folder_.path() / (hive + ".reg"), std::ios::binary);
        out << "Windows Registry Editor Version 5.00\r\n\r\n" << body;
    }

  private:
    exporter_test::ScratchFolder folder_;
    bool had_old_ = false;
    std::string old_;
};

// The .reg section of a renderer version with its resource folder.
inline std::string resource_folder_section(const std::string& hive, int version,
                                           const std::string& folder) {
    return "[" + hive + "\\SOFTWARE\\Tesmar\\Vistrel " + std::to_string(version) +
           "]\r\n\"ResourceFolder\"=\"" + folder + "\"\r\n\r\n";
}

// A material block as the renderer sees it: its name, its base shader and colours, and the file
// of each texture in its shader chain (empty for none).
struct MaterialView {
    std::string name;
    std::string base_type;  // "zyl_diffuse" or "zyl_plastic_simple"
    std::vector<double> diffuse;
    std::vector<double> specular;  // empty for a diffuse shader
    std::string diffuse_texture;
    std::string specular_texture;
    std::string bump_texture;
    double bump_height = -1.0;  // -1 without a bump texture
    std::string opacity_texture;
};

// Every material block of the document, in file order.
std::vector<MaterialView> material_views(const vsf::Document& document);

// One material conversion run against a stand-in scene: the scene, the run's bake cache and
// context, and a registry whose textures folder is textures_root() + "/textures/".
class MaterialTest : public testing::Test {
  protected:
    MaterialTest() : textures_root_("exporter-textures") {
        registry_.write_hive(
            "HKEY_LOCAL_MACHINE",
            resource_folder_section("HKEY_LOCAL_MACHINE", 8, textures_root_.path().string()));
    }

    // A mesh with one triangle per material id (ids as given), map channel 1 on every face.
    static host::Mesh mesh_with_ids(const std::vector<int>& ids);

    // Writes one probe object per record of table with the record's material, and reads back
    // the file's materials.
    std::vector<MaterialView> written(const vsf::MaterialTable& table);

    std::filesystem::path textures_folder() const { return textures_root_.path() / "textures"; }

    standin::Scene scene_;
    vsf::BakeCache bake_cache_;
    vsf::MaterialContext context_{scene_, bake_cache_};
    ScratchRegistry registry_;
    exporter_test::ScratchFolder textures_root_;
};

}  // namespace materials_test
