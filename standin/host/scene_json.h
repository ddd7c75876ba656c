// JSON scene files for the stand-in host: a document that states a whole scene (time range,
// units, asset folders, layers, maps, materials and the node tree with every kind of object) is
// read into a standin::Scene. docs/scene-format.md describes the format with an example of each
// feature.
#pragma once

#include <string>
#include <string_view>

#include "standin/host/scene.h"
#include "standin/host/scene_json_error.h"

namespace standin {

// Reads a JSON scene text into scene, adding to what it holds (normally a new Scene).
// base_folder, when not empty, is the folder that relative "asset_folders" are taken against and
// is itself searched for bitmap and photometric files after them. Comments (// and /* */) are
// allowed. Throws SceneFileError, whose one-line message names the JSON path (or, for text that
// is not JSON, the line and column) and what was expected there; the scene is then left partly
// filled and should be discarded. Any input, however malformed, gives that error and nothing
// worse.
void read_scene_json(Scene& scene, std::string_view text, const std::string& base_folder = {});

// Reads the JSON scene file at path (UTF-8) into scene, with the file's folder as base folder.
// Throws SceneFileError as read_scene_json does, and when the file cannot be read.
void load_scene_json(Scene& scene, const std::string& path);

}  // namespace standin
