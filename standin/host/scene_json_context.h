// What the parts of the JSON scene reader share while one document is read: the scene being
// filled and the names that later parts of the document refer to. Internal to the reader.
#pragma once

#include <map>
#include <string>

#include "plugin/host/material.h"
#include "standin/host/scene.h"

namespace standin::scene_json {

struct ReadContext {
    explicit ReadContext(Scene& s) : scene(s) {}

    Scene& scene;
    std::map<std::u16string, host::Texmap*> maps;         // "maps" by name
    std::map<std::u16string, host::Material*> materials;  // "materials" read so far, by name
    std::map<std::u16string, Layer*> layers;              // "layers" by name, with "0"
};

}  // namespace standin::scene_json
