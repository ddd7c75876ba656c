#include "standin/host/png_file.h"

#include <png.h>

#include <cstdio>
#include <memory>

#include "platform/file_io.h"

namespace standin {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Errors end the call through the long jump of encode or decode; nothing is printed (a host
// library has no business writing to the standard error stream).
void on_png_error(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void on_png_warning(png_structp, png_const_charp) {}

// The libpng calls of one write. libpng reports errors by a long jump back to the setjmp below;
// nothing with a destructor lives in this frame, and nothing is changed after the setjmp.
bool encode(png_structp png, png_infop info, std::FILE* file, int width, int height,
            const std::uint8_t* rgba) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png,
                      rgba + static_cast<std::size_t>(y) * static_cast<std::size_t>(width) * 4);
    }
    png_write_end(png, nullptr);
    return true;
}

// The libpng calls of one read, as for encode; rows and pixels belong to the caller.
bool decode(png_structp png, png_infop info, std::FILE* file, std::vector<png_bytep>& rows,
            std::vector<std::uint8_t>& pixels, png_uint_32& width, png_uint_32& height) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    // Refuses empty images and ones too large to be a texture (a hostile header must not make us
    // allocate gigabytes).
    if (width == 0 || height == 0 || static_cast<std::uint64_t>(width) * height > (1u << 28) ||
        png_get_rowbytes(png, info) != static_cast<std::size_t>(width) * 4) {
        return false;
    }
    pixels.resize(static_cast<std::size_t>(width) * height * 4);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) {
        rows[y] = pixels.data() + static_cast<std::size_t>(y) * width * 4;
    }
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

bool write_png(const std::string& path, int width, int height,
               const std::vector<std::uint8_t>& rgba) {
    if (width <= 0 || height <= 0 ||
        rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
        return false;
    }
    FilePtr file(platform::open_file_utf8(path, "wb"));
    if (!file) {
        return false;
    }
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, on_png_error, on_png_warning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png != nullptr && info != nullptr &&
              encode(png, info, file.get(), width, height, rgba.data());
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    if (std::fflush(file.get()) != 0) {
        ok = false;
    }
    if (std::fclose(file.release()) != 0) {
        ok = false;
    }
    if (!ok) {
        std::remove(path.c_str());
    }
    return ok;
}

bool read_png(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgba) {
    width = 0;
    height = 0;
    rgba.clear();
    FilePtr file(platform::open_file_utf8(path, "rb"));
    if (!file) {
        return false;
    }
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, on_png_error, on_png_warning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_bytep> rows;
    png_uint_32 w = 0;
    png_uint_32 h = 0;
    const bool ok =
        png != nullptr && info != nullptr && decode(png, info, file.get(), rows, rgba, w, h);
    png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr);
    if (!ok) {
        rgba.clear();
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

}  // namespace standin
