// Where vsfexport's scene comes from: the embedded demo scene, a JSON scene file, an OBJ file
// (read streaming), or any other file that assimp reads.
#pragma once

#include <string>

#include "standin/host/scene.h"

namespace vsfexport {

enum class SceneSource { demo, json, obj, assimp };

// The reader for path: the demo for an empty path, JSON for a ".json" file and the OBJ reader for
// an ".obj" file (any letter case), assimp for anything else.
SceneSource scene_source(const std::string& path);

// Fills scene (new) from path by its source. texture_folder receives the demo's images and the
// textures embedded in an imported file. Throws standin::SceneFileError for a file that cannot be
// read or is malformed, std::runtime_error when the demo's images cannot be written. What the
// reader freed goes back to the system before it returns, ready for the export's own arrays.
void load_scene(standin::Scene& scene, const std::string& path, const std::string& texture_folder);

}  // namespace vsfexport
