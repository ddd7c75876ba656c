// Baking procedural maps into PNG files in the renderer's textures folder, and the per-run record
// of the files baked so far.
#pragma once

#include <set>
#include <string>

#include "plugin/host/interface.h"
#include "plugin/host/material.h"

namespace vsf {

// The side length, in pixels, of every baked texture.
constexpr int kBakedTextureSize = 1024;

// The texture files baked during one export command (one exporter run), compared as exact text.
// The exporter owns one per run and hands it to every material conversion of that run, so a map
// is baked at most once per run and baked afresh by the next run (an edited procedural map is
// never stale for longer than one export).
class BakeCache {
  public:
    // True when file was not recorded yet, and records it; false when it already was.
    bool insert(const std::u16string& file) { return files_.insert(file).second; }
    bool contains(const std::u16string& file) const { return files_.count(file) != 0; }
    std::size_t size() const { return files_.size(); }

  private:
    std::set<std::u16string> files_;
};

// Renders map into a kBakedTextureSize square true-colour bitmap at time 0 (3D scale 1, no
// filtering) and writes it to file (the extension chooses the format), creating the file's folder
// when it is missing. Does nothing when cache already holds file; records file either way.
// Returns true when it baked now. Write failures are not reported: the caller names the file
// anyway, as the renderer tolerates a missing texture.
bool bake_map(host::Interface& host, BakeCache& cache, host::Texmap& map,
              const std::u16string& file);

// The folder that baked textures go to, ending in "/textures/": under the "ResourceFolder" string
// of HKEY_LOCAL_MACHINE "SOFTWARE\Tesmar\Vistrel 8"; without it, under the resource folder of the
// best installed renderer; without that, under the system temporary folder. Never the root of the
// file system. Reads the registry afresh on every call.
std::u16string textures_folder();

}  // namespace vsf
