#include "standin/host/assimp_import_materials.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <assimp/material.h>
#include <assimp/scene.h>
#include <assimp/texture.h>

#include "platform/utf.h"
#include "standin/host/png_file.h"

namespace standin::assimp_import {

namespace {

namespace fs = std::filesystem;

// Which Standard map slot each kind of texture fills; for a slot listed twice the first kind
// the material has wins (a file's base colour stands in for a missing diffuse texture, its
// height map for a missing normal map).
struct SlotSource {
    aiTextureType type;
    int slot;
};
constexpr SlotSource kSlotSources[] = {
    {aiTextureType_DIFFUSE, kDiffuseSlot},
    {aiTextureType_BASE_COLOR, kDiffuseSlot},
    {aiTextureType_AMBIENT, kAmbientSlot},
    {aiTextureType_SPECULAR, kSpecularSlot},
    {aiTextureType_SHININESS, kGlossinessSlot},
    {aiTextureType_EMISSIVE, kSelfIllumSlot},
    {aiTextureType_OPACITY, kOpacitySlot},
    {aiTextureType_NORMALS, kBumpSlot},
    {aiTextureType_HEIGHT, kBumpSlot},
    {aiTextureType_REFLECTION, kReflectionSlot},
    {aiTextureType_DISPLACEMENT, kDisplacementSlot},
};

host::Color to_color(const aiColor3D& c) {
    return host::Color(c.r, c.g, c.b);
}

// A file-name extension made only of letters and digits; "bin" when the hint has none.
std::string safe_extension(const char* hint) {
    std::string ext;
    for (const char* p = hint; *p != '\0' && ext.size() < 8; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) {
            ext += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
        }
    }
    return ext.empty() ? "bin" : ext;
}

bool write_bytes(const fs::path& file, const void* data, std::size_t size) {
    std::ofstream out(file, std::ios::binary);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

MaterialImporter::MaterialImporter(Scene& scene, const aiScene& ai, std::string model_path,
                                   std::string texture_folder)
    : scene_(scene),
      ai_(ai),
      model_path_(std::move(model_path)),
      texture_folder_(std::move(texture_folder)),
      node_materials_(
          scene, [this](unsigned index) -> StandardMaterial& { return make_standard(index); }) {}

bool MaterialImporter::is_material(unsigned index) const {
    if (index >= ai_.mNumMaterials || ai_.mMaterials[index] == nullptr) {
        return false;
    }
    const aiMaterial& m = *ai_.mMaterials[index];
    aiString name;
    if (m.Get(AI_MATKEY_NAME, name) != AI_SUCCESS ||
        std::string(name.C_Str()) != AI_DEFAULT_MATERIAL_NAME) {
        return true;
    }
    for (const SlotSource& s : kSlotSources) {
        if (m.GetTextureCount(s.type) > 0) {
            return true;
        }
    }
    return false;
}

host::Material* MaterialImporter::node_material(const std::vector<unsigned>& indices) {
    return node_materials_.node_material(indices);
}

StandardMaterial& MaterialImporter::make_standard(unsigned index) {
    const aiMaterial& m = *ai_.mMaterials[index];
    aiString name;
    std::u16string text;
    if (m.Get(AI_MATKEY_NAME, name) == AI_SUCCESS && name.length > 0) {
        text = platform::utf8_to_utf16(std::string_view(name.data, name.length));
    } else {
        text = u"Material #" + platform::utf8_to_utf16(std::to_string(index));
    }
    StandardMaterial& out = scene_.add_standard_material(text);
    aiColor3D c;
    if (m.Get(AI_MATKEY_COLOR_DIFFUSE, c) == AI_SUCCESS) {
        out.set_diffuse(to_color(c));
    }
    if (m.Get(AI_MATKEY_COLOR_SPECULAR, c) == AI_SUCCESS) {
        out.set_specular(to_color(c));
        float strength = 1.0f;
        m.Get(AI_MATKEY_SHININESS_STRENGTH, strength);
        out.set_specular_level(strength);
    }
    float shininess = 0.0f;
    if (m.Get(AI_MATKEY_SHININESS, shininess) == AI_SUCCESS) {
        // A Phong exponent of 0 to 1000 as the glossiness fraction.
        out.set_shininess(std::clamp(shininess / 1000.0f, 0.0f, 1.0f));
    }
    std::vector<bool> filled(static_cast<std::size_t>(out.sub_texmap_count()), false);
    for (const SlotSource& s : kSlotSources) {
        const auto slot_index = static_cast<std::size_t>(s.slot);
        if (filled[slot_index]) {
            continue;
        }
        if (BitmapTexture* map = bitmap(m, s.type)) {
            out.set_map(s.slot, map, true);
            filled[slot_index] = true;
        }
    }
    return out;
}

BitmapTexture* MaterialImporter::bitmap(const aiMaterial& m, int type) {
    const auto t = static_cast<aiTextureType>(type);
    aiString path;
    unsigned uv_set = 0;
    if (m.GetTexture(t, 0, &path, nullptr, &uv_set) != AI_SUCCESS || path.length == 0) {
        return nullptr;
    }
    const std::string file = texture_file(std::string(path.data, path.length));
    MapCoordinates coords;
    coords.channel = static_cast<int>(std::min(uv_set, 98u)) + 1;
    aiUVTransform transform;
    if (m.Get(AI_MATKEY_UVTRANSFORM(t, 0), transform) == AI_SUCCESS) {
        coords.u_tiling = transform.mScaling.x;
        coords.v_tiling = transform.mScaling.y;
        coords.u_offset = transform.mTranslation.x;
        coords.v_offset = transform.mTranslation.y;
        coords.angle = transform.mRotation;
    }
    return &import_materials::add_bitmap_map(scene_, file, coords);
}

std::string MaterialImporter::texture_file(const std::string& path) {
    const std::pair<const aiTexture*, int> embedded = ai_.GetEmbeddedTextureAndIndex(path.c_str());
    if (embedded.first != nullptr) {
        return embedded_file(*embedded.first, embedded.second);
    }
    return import_materials::texture_file(path, model_path_);
}

std::string MaterialImporter::embedded_file(const aiTexture& texture, int index) {
    const auto known = written_.find(&texture);
    if (known != written_.end()) {
        return known->second;
    }
    std::error_code ec;
    const fs::path folder = fs::u8path(texture_folder_);
    fs::create_directories(folder, ec);
    const std::string stem =
        fs::u8path(model_path_).stem().u8string() + "_" + std::to_string(index < 0 ? 0 : index);
    bool ok = false;
    fs::path file;
    if (texture.mHeight == 0) {
        // A compressed image (PNG, JPEG, ...) of mWidth bytes, written as it is.
        file = folder / (stem + "." + safe_extension(texture.achFormatHint));
        ok = texture.pcData != nullptr && write_bytes(file, texture.pcData, texture.mWidth);
    } else {
        // Raw texels, BGRA, rows top to bottom.
        file = folder / (stem + ".png");
        const std::size_t count = static_cast<std::size_t>(texture.mWidth) * texture.mHeight;
        std::vector<std::uint8_t> rgba(count * 4);
        for (std::size_t i = 0; i < count && texture.pcData != nullptr; ++i) {
            const aiTexel& t = texture.pcData[i];
            rgba[4 * i] = t.r;
            rgba[4 * i + 1] = t.g;
            rgba[4 * i + 2] = t.b;
            rgba[4 * i + 3] = t.a;
        }
        ok = texture.pcData != nullptr &&
             write_png(file.u8string(), static_cast<int>(texture.mWidth),
                       static_cast<int>(texture.mHeight), rgba);
    }
    const std::string result = ok ? fs::absolute(file, ec).u8string() : std::string();
    written_[&texture] = result;
    return result;
}

}  // namespace standin::assimp_import
