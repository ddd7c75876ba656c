#include "standin/host/import_materials.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/utf.h"

namespace standin::import_materials {

namespace fs = std::filesystem;

std::uint16_t material_id(std::vector<unsigned>& list, unsigned material) {
    const auto position =
        static_cast<std::size_t>(std::find(list.begin(), list.end(), material) - list.begin());
    if (position == list.size() && list.size() < 0xFFFF) {
        list.push_back(material);
    }
    return static_cast<std::uint16_t>(std::min<std::size_t>(position, 0xFFFE));
}

host::Material* NodeMaterials::node_material(const std::vector<unsigned>& list) {
    if (list.empty() || (list.size() == 1 && list[0] == kNoMaterial)) {
        return nullptr;
    }
    if (list.size() == 1) {
        return &standard(list[0]);
    }
    MultiMaterial*& multi = multis_[list];
    if (multi == nullptr) {
        std::u16string name = u"Multi";
        for (unsigned i : list) {
            name += i == kNoMaterial ? u" -" : u" " + standard(i).name();
        }
        multi = &scene_.add_multi_material(name, static_cast<int>(list.size()));
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i] != kNoMaterial) {
                multi->set_sub_material(static_cast<int>(i), &standard(list[i]));
            }
        }
    }
    return multi;
}

StandardMaterial& NodeMaterials::standard(unsigned index) {
    if (index >= standards_.size()) {
        standards_.resize(std::size_t(index) + 1, nullptr);
    }
    StandardMaterial*& made = standards_[index];
    if (made == nullptr) {
        made = &make_(index);
    }
    return *made;
}

std::string texture_file(const std::string& path, const std::string& beside) {
    std::string portable = path;
    std::replace(portable.begin(), portable.end(), '\\', '/');
    const fs::path p = fs::u8path(portable);
    if (p.is_absolute()) {
        return p.lexically_normal().u8string();
    }
    std::error_code ec;
    const fs::path base = fs::absolute(fs::u8path(beside), ec);
    return (base.parent_path() / p).lexically_normal().u8string();
}

BitmapTexture& add_bitmap_map(Scene& scene, const std::string& file, const MapCoordinates& coords) {
    std::error_code ec;
    const fs::path p = fs::u8path(file);
    BitmapTexture& map = scene.add_bitmap_texture(platform::utf8_to_utf16(p.stem().u8string()),
                                                  platform::utf8_to_utf16(file));
    map.set_loaded(!file.empty() && fs::is_regular_file(p, ec));
    map.set_coordinates(coords);
    return map;
}

}  // namespace standin::import_materials
