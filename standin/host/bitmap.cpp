#include "standin/host/bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/utf.h"
#include "standin/host/png_file.h"

namespace standin {

namespace {

std::uint8_t to_byte(float v) {
    if (!(v > 0.0f)) {
        return 0;
    }
    if (v >= 1.0f) {
        return 255;
    }
    return static_cast<std::uint8_t>(std::lround(v * 255.0f));
}

bool has_png_extension(const std::u16string& name) {
    if (name.size() < 4) {
        return false;
    }
    std::u16string ext = name.substr(name.size() - 4);
    for (char16_t& c : ext) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return ext == u".png";
}

}  // namespace

Bitmap::Bitmap(int width, int height, std::u16string source)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      source_(std::move(source)),
      rgba_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4, 0) {
    if (width_ == 0 || height_ == 0) {
        width_ = 0;
        height_ = 0;
    }
}

void Bitmap::set_pixel(int x, int y, const host::Color& c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    std::uint8_t* p = rgba_.data() + (static_cast<std::size_t>(y) * width_ + x) * 4;
    p[0] = to_byte(c.r);
    p[1] = to_byte(c.g);
    p[2] = to_byte(c.b);
    p[3] = 255;
}

void Bitmap::fill_info(host::BitmapInfo& info) const {
    if (!source_.empty()) {
        info.name = source_;
    }
    info.width = width_;
    info.height = height_;
}

bool Bitmap::open_output(const host::BitmapInfo& info) {
    if (width_ == 0 || !has_png_extension(info.name)) {
        return false;
    }
    output_ = info.name;
    written_ = false;
    return true;
}

bool Bitmap::write(const host::BitmapInfo& info) {
    if (output_.empty() || info.name != output_) {
        return false;
    }
    written_ = write_png(platform::utf16_to_utf8(output_), width_, height_, rgba_);
    return written_;
}

bool Bitmap::close(const host::BitmapInfo& info, bool complete) {
    if (output_.empty() || info.name != output_) {
        return false;
    }
    if (!complete && written_) {
        std::remove(platform::utf16_to_utf8(output_).c_str());
    }
    output_.clear();
    written_ = false;
    return true;
}

}  // namespace standin
