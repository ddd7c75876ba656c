// Imported materials: each assimp material becomes a Standard material with its colours and its
// texture files as bitmap maps; a node whose meshes use several materials gets a Multi/Sub-Object
// material over them. Internal to the assimp import.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "standin/host/import_materials.h"
#include "standin/host/scene.h"

struct aiMaterial;
struct aiScene;
struct aiTexture;

namespace standin::assimp_import {

class MaterialImporter {
  public:
    // model_path: the imported file (texture paths are relative to its folder); texture_folder:
    // where textures embedded in the file are written out.
    MaterialImporter(Scene& scene, const aiScene& ai, std::string model_path,
                     std::string texture_folder);
    MaterialImporter(const MaterialImporter&) = delete;
    MaterialImporter& operator=(const MaterialImporter&) = delete;

    // Whether index names a material of the file: false beyond the materials, and for the
    // placeholder assimp adds to formats without materials ("DefaultMaterial" without textures),
    // whose faces are taken as having no material.
    bool is_material(unsigned index) const;

    // The material of a node whose meshes use the assimp materials indices (in material id
    // order; import_materials::kNoMaterial for faces without): the Standard material for one, a
    // Multi/Sub-Object material over them for several (one per distinct list, kNoMaterial an empty
    // slot), null when there is none.
    host::Material* node_material(const std::vector<unsigned>& indices);

  private:
    // The Standard material of assimp material index, with its colours and maps.
    StandardMaterial& make_standard(unsigned index);
    // A bitmap map for the first texture of type (an aiTextureType) of m; null without one.
    BitmapTexture* bitmap(const aiMaterial& m, int type);
    // The absolute file of a texture path of the model: the written-out file of an embedded
    // texture, or the path taken against the model's folder.
    std::string texture_file(const std::string& path);
    // The file that an embedded texture was written to; empty when it could not be written.
    std::string embedded_file(const aiTexture& texture, int index);

    Scene& scene_;
    const aiScene& ai_;
    std::string model_path_;
    std::string texture_folder_;
    import_materials::NodeMaterials node_materials_;
    std::map<const aiTexture*, std::string> written_;
};

}  // namespace standin::assimp_import
