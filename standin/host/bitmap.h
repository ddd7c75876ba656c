// Bitmaps of the stand-in host: RGBA pixels in memory, written out as PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/host/bitmap.h"
#include "plugin/host/geometry.h"

namespace standin {

class Bitmap : public host::Bitmap {
  public:
    // A bitmap of width x height pixels, all transparent black; a zero or negative size gives an
    // empty bitmap. source names the file it stands for (empty for one made in memory).
    Bitmap(int width, int height, std::u16string source = {});

    int width() const override { return width_; }
    int height() const override { return height_; }
    const std::u16string& source() const { return source_; }

    // Pixel (x, y), y counted from the top; colour channels clamped to 0 to 1, alpha opaque.
    void set_pixel(int x, int y, const host::Color& c);
    const std::vector<std::uint8_t>& rgba() const { return rgba_; }

    void fill_info(host::BitmapInfo& info) const override;
    // open_output accepts a file name ending in ".png" (any case) for a non-empty bitmap; write
    // writes the PNG; close with complete false removes a file already written.
    bool open_output(const host::BitmapInfo& info) override;
    bool write(const host::BitmapInfo& info) override;
    bool close(const host::BitmapInfo& info, bool complete) override;

  private:
    int width_;
    int height_;
    std::u16string source_;
    std::vector<std::uint8_t> rgba_;
    std::u16string output_;  // the file opened for output; empty when none
    bool written_ = false;
};

}  // namespace standin
