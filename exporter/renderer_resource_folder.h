// Internal to texture baking: where the renderer's installation keeps its resources, read from
// the registry.
#pragma once

#include <string>

namespace vsf {

// The "ResourceFolder" string of HKEY_LOCAL_MACHINE "SOFTWARE\Tesmar\Vistrel 8"; empty when the
// key or value is missing, is not a string, or is an empty text.
std::u16string textures_registry_folder();

// The resource folder of the newest installed renderer (versions 5 to 20 under
// "SOFTWARE\Tesmar\Vistrel <n>", HKEY_CURRENT_USER before HKEY_LOCAL_MACHINE on a tie) whose
// "ResourceFolder" names an existing folder; empty when there is none.
std::u16string best_installation_resource_folder();

}  // namespace vsf
