// Bitmaps: images that maps render into and that bitmap maps have loaded.
#pragma once

#include <string>

namespace host {

enum class BitmapType {
    true_color_32,  // 8 bits per channel, red, green, blue and alpha
};

// What the host needs to know to create, fill or write a bitmap. The file name's extension
// chooses the image format when the bitmap is written.
struct BitmapInfo {
    std::u16string name;
    int width = 0;
    int height = 0;
    BitmapType type = BitmapType::true_color_32;
};

class Bitmap {
  public:
    virtual ~Bitmap() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;
    // Fills info from the bitmap: the path of the file it was loaded from (info.name keeps its
    // value for a bitmap made in memory), its width and height.
    virtual void fill_info(BitmapInfo& info) const = 0;

    // Writing the bitmap to the file info.name: open, write one frame, close. Each returns false
    // on failure; close with complete false abandons the file.
    virtual bool open_output(const BitmapInfo& info) = 0;
    virtual bool write(const BitmapInfo& info) = 0;
    virtual bool close(const BitmapInfo& info, bool complete) = 0;
};

}  // namespace host
