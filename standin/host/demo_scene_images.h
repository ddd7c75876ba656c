// The demo scene's two image files, drawn in code and written as PNG. Internal to the demo scene.
#pragma once

#include <string>

namespace standin::demo {

// Wooden floor planks, 256 x 256, tiling seamlessly. False when the file cannot be written.
bool write_planks_image(const std::string& path);
// A sky for the sky light: 512 x 256, latitude-longitude, a blue sky with a sun above a grey
// ground. False when the file cannot be written.
bool write_sky_image(const std::string& path);

}  // namespace standin::demo
