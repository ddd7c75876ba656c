// Import of Wavefront OBJ files (and their .mtl material libraries) into the stand-in host's
// scene model, streaming: the file is read line by line and never held whole.
#pragma once

#include <string>

#include "standin/host/scene.h"
#include "standin/host/scene_json_error.h"

namespace standin {

struct ObjImportOptions {
    // OBJ files are written y up: the nodes carry the quarter turn to the host's z up.
    bool z_up = true;
};

// Imports the OBJ file at path (UTF-8) into scene, one mesh node per object at the top level in
// file order: `o` starts a node, `g` only while no `o` has come (files of groups only), faces
// before either go to a node named after the file's stem; a node without faces is left out.
// Each node's mesh holds the positions, texture points (map channel 1) and normals (explicit
// specified normals) its faces use, in file order; every face in smoothing group 1; quads split
// from their first corner, larger polygons by ear clipping; points, lines and faces of fewer
// than three corners are ignored. Materials of the .mtl libraries become Standard materials (a
// Multi/Sub-Object material for a node of several); a missing library leaves faces without.
// Memory: the file's points and one node's faces at a time beside the meshes made so far.
// Throws SceneFileError(path, reason) when the file cannot be read or a face names a point that
// does not exist ("face 12 names vertex 40 of 38"); the scene may then hold part of the file.
void import_obj(Scene& scene, const std::string& path, const ObjImportOptions& options = {});

}  // namespace standin
