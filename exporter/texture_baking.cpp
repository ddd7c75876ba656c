#include "exporter/texture_baking.h"

#include <filesystem>
#include <system_error>

#include "exporter/renderer_resource_folder.h"

namespace vsf {

namespace {

// Creates the folder that file goes into, when it is missing; failures show up as a file that
// is not written, which baking tolerates.
void make_parent_folder(const std::u16string& file) {
    const std::filesystem::path parent = std::filesystem::path(file).parent_path();
    if (!parent.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(parent, ignored);
    }
}

// The system temporary folder without a trailing separator; empty when there is none.
std::u16string temporary_folder() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) {
        return {};
    }
    std::u16string text = folder.u16string();
    while (text.size() > 1 && (text.back() == u'/' || text.back() == u'\\')) {
        text.pop_back();
    }
    return text;
}

}  // namespace

bool bake_map(host::Interface& host, BakeCache& cache, host::Texmap& map,
              const std::u16string& file) {
    if (!cache.insert(file)) {
        return false;
    }
    host::BitmapInfo info;
    info.name = file;
    info.width = kBakedTextureSize;
    info.height = kBakedTextureSize;
    info.type = host::BitmapType::true_color_32;
    std::unique_ptr<host::Bitmap> bitmap = host.create_bitmap(info);
    if (!bitmap) {
        return true;
    }
    make_parent_folder(file);
    map.render_bitmap(0, *bitmap, 1.0f, false);
    bitmap->open_output(info);
    bitmap->write(info);
    bitmap->close(info, true);
    return true;
}

std::u16string textures_folder() {
    std::u16string folder = textures_registry_folder();
    if (folder.empty()) {
        folder = best_installation_resource_folder();
    }
    if (folder.empty()) {
        folder = temporary_folder();
    }
    // No temporary folder either: the working folder, still not the root. (Appending rather
    // than assigning a literal keeps g++ 12 from a false -Wrestrict alarm at -O2.)
    const std::u16string base = folder.empty() ? std::u16string(1, u'.') : folder;
    return base + u"/textures/";
}

}  // namespace vsf
