// The materials of an OBJ file: the .mtl libraries that tinyobjloader reads through this reader,
// and the Standard materials made of them once a node uses them. Internal to the OBJ import.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <tiny_obj_loader.h>

#include "standin/host/import_materials.h"
#include "standin/host/scene.h"

namespace standin::obj_import {

class MaterialLibrary : public tinyobj::MaterialReader {
  public:
    // obj_path: the OBJ file (UTF-8), whose folder the mtllib names are relative to.
    MaterialLibrary(Scene& scene, std::string obj_path);
    MaterialLibrary(const MaterialLibrary&) = delete;
    MaterialLibrary& operator=(const MaterialLibrary&) = delete;

    // Reads the .mtl file that an mtllib statement names into materials and names (through
    // tinyobj::LoadMtl), noting the file of each new material; false when the file cannot be
    // read, which leaves the OBJ without those materials.
    bool operator()(const std::string& name, std::vector<tinyobj::material_t>* materials,
                    std::map<std::string, int>* names, std::string* warn,
                    std::string* err) override;

    // Takes the materials of tinyobjloader's mtllib callback (all read so far, in order) and
    // keeps a copy of those it has not seen: the callback's array ends with the read.
    void add_materials(const tinyobj::material_t* materials, int count);

    // The entry of a node's material list for the material index of a usemtl statement:
    // import_materials::kNoMaterial for -1 (a name the libraries lack) and for a nameless one.
    unsigned list_entry(int index) const;

    // The material of a node whose faces use list (entries of list_entry, in material id order):
    // null, one Standard material, or a Multi/Sub-Object material over them. Each library
    // material becomes one Standard material, made the first time a node uses it.
    host::Material* node_material(const std::vector<unsigned>& list) {
        return node_materials_.node_material(list);
    }

  private:
    // Where a material comes from, and what of it its .mtl file sets.
    struct Source {
        std::string mtl_file;
        bool has_diffuse = false;
        bool has_shininess = false;
    };

    // The Standard material of material index: its colours and its maps.
    StandardMaterial& make_standard(unsigned index);

    Scene& scene_;
    std::string obj_path_;
    std::vector<Source> sources_;                 // by tinyobjloader's material index
    std::vector<tinyobj::material_t> materials_;  // copies, by the same index
    import_materials::NodeMaterials node_materials_;
};

}  // namespace standin::obj_import
