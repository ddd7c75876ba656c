// Import of scene files through assimp (glTF/GLB, FBX, OBJ, DAE, 3DS and the other formats it
// reads) into the stand-in host's scene model.
#pragma once

#include <string>

#include "standin/host/scene.h"
#include "standin/host/scene_json_error.h"

namespace standin {

struct AssimpImportOptions {
    // Turn assimp's y-up coordinates (it delivers every format y-up) into the host's z-up.
    bool z_up = true;
    // Where textures embedded in the file are written out; empty: "vsfexport-textures" in the
    // system's temporary folder.
    std::string texture_folder;
};

// Imports the file at path (UTF-8) into scene, below its root:
// - the node hierarchy with each node's transform (a root node that assimp made up is left out
//   and its transform carried by its children); empty nodes become helpers;
// - per node, all its meshes merged into one mesh: equal positions welded, faces with the
//   material id of their mesh, smoothing group 1 (so a mesh without normals is smooth), texture
//   coordinate set k as map channel k + 1, normals as explicit specified normals;
// - materials as Standard materials with colours and bitmap maps (embedded textures written to
//   options.texture_folder), several per node as a Multi/Sub-Object material;
// - cameras; point lights as omni lights (spot and directional lights as such);
// - the first animation's node channels as position, rotation and scale keys, with the
//   animation range set to end at the last key.
// Only what is needed is asked of assimp (no post-processing but triangulation of polygons of
// more than four corners), and its scene is freed mesh by mesh as the model is filled.
// Throws SceneFileError(path, reason) when the file cannot be read or holds inconsistent data;
// the scene may then hold part of the file and should be discarded.
void import_with_assimp(Scene& scene, const std::string& path,
                        const AssimpImportOptions& options = {});

}  // namespace standin
