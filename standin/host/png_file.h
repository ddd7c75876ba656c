// PNG files through libpng: 8-bit RGBA images.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// Writes a width x height RGBA image (rows top to bottom, 4 bytes per pixel) to the file at the
// UTF-8 path. False when the file cannot be written; a partly written file is removed.
bool write_png(const std::string& path, int width, int height,
               const std::vector<std::uint8_t>& rgba);

// Reads a PNG file of any colour type and depth as 8-bit RGBA. False (outputs cleared) when the
// file cannot be read or is not a valid PNG.
bool read_png(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgba);

}  // namespace standin
