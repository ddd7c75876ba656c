#include "tools/vsfexport/scene_loading.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "standin/host/assimp_import.h"
#include "standin/host/demo_scene.h"
#include "standin/host/obj_import.h"
#include "standin/host/scene_json.h"

namespace vsfexport {

SceneSource scene_source(const std::string& path) {
    if (path.empty()) {
        return SceneSource::demo;
    }
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".json") {
        return SceneSource::json;
    }
    return extension == ".obj" ? SceneSource::obj : SceneSource::assimp;
}

void load_scene(standin::Scene& scene, const std::string& path, const std::string& texture_folder) {
    switch (scene_source(path)) {
        case SceneSource::demo:
            standin::build_demo_scene(scene, texture_folder);
            break;
        case SceneSource::json:
            standin::load_scene_json(scene, path);
            break;
        case SceneSource::obj:
            standin::import_obj(scene, path);
            break;
        case SceneSource::assimp: {
            standin::AssimpImportOptions options;
            options.texture_folder = texture_folder;
            standin::import_with_assimp(scene, path, options);
            break;
        }
    }
#if defined(__GLIBC__)
    // The readers free large buffers of their own; the allocator keeps part of them unless told,
    // and the export that follows needs its own arrays of about the mesh's size.
    malloc_trim(0);
#endif
}

}  // namespace vsfexport
