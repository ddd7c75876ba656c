// What the scene file importers share in making materials: a node's material over the list of
// materials its faces use, bitmap maps of texture files, and where a texture path leads.
// Internal to the importers.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "standin/host/scene.h"

namespace standin::import_materials {

// Stands for "no material" in a node's material list.
constexpr unsigned kNoMaterial = 0xFFFFFFFFu;

// The material id of material in a node's list (material ids are positions in the list),
// appending it when new. The list takes at most 65535 entries; faces of materials beyond share
// id 65534.
std::uint16_t material_id(std::vector<unsigned>& list, unsigned material);

// The materials of imported nodes: one Standard material per material of the file, made when a
// node first uses it, and a Multi/Sub-Object material per distinct list of several.
class NodeMaterials {
  public:
    // make(i) makes the Standard material of the file's material i; it is asked once per i.
    NodeMaterials(Scene& scene, std::function<StandardMaterial&(unsigned)> make)
        : scene_(scene), make_(std::move(make)) {}

    // The material of a node whose faces use list (in material id order; kNoMaterial for faces
    // without): the Standard material for a list of one, a Multi/Sub-Object material over them
    // for several (kNoMaterial an empty slot), null for none or only kNoMaterial.
    host::Material* node_material(const std::vector<unsigned>& list);

  private:
    StandardMaterial& standard(unsigned index);

    Scene& scene_;
    std::function<StandardMaterial&(unsigned)> make_;
    std::vector<StandardMaterial*> standards_;  // by index, null until made
    std::map<std::vector<unsigned>, MultiMaterial*> multis_;
};

// The absolute, normalised file that a texture path (UTF-8) names: a relative path is taken
// against the folder of the file beside; backslashes count as slashes.
std::string texture_file(const std::string& path, const std::string& beside);

// A bitmap map of file (UTF-8, absolute) named after its stem, on coords; marked loaded only when
// the file exists.
BitmapTexture& add_bitmap_map(Scene& scene, const std::string& file, const MapCoordinates& coords);

}  // namespace standin::import_materials
