// Maps of the stand-in scene: bitmap maps, and procedural maps (checker, gradient, noise) that
// render themselves into a bitmap.
#pragma once

#include <string>

#include "plugin/host/class_id.h"
#include "plugin/host/material.h"
#include "plugin/host/node_events.h"
#include "standin/host/bitmap.h"
#include "standin/host/param_block.h"

namespace standin {

constexpr host::ClassId kCheckerClassId{0x200, 0x5A10};
constexpr host::ClassId kGradientClassId{0x270, 0x5A10};
constexpr host::ClassId kNoiseClassId{0x234, 0x5A10};

// Where a map sits on the mesh: its map channel and the transform of texture coordinates.
struct MapCoordinates {
    int channel = 1;
    float u_tiling = 1.0f;
    float v_tiling = 1.0f;
    float u_offset = 0.0f;
    float v_offset = 0.0f;
    float angle = 0.0f;  // rotation about w, radians
};

// The transform of texture coordinates (uvw * transform): about the centre (0.5, 0.5) the
// coordinates are turned by angle, then scaled by the tiling; then the offset is added. Default
// coordinates give the identity.
host::Matrix3 coordinates_transform(const MapCoordinates& c);

template <class Base>
class TexmapImpl : public AnimatableImpl<Base> {
  public:
    TexmapImpl(host::NodeKey handle, std::u16string name, host::ClassId cid)
        : handle_(handle), name_(std::move(name)), class_id_(cid) {}

    host::NodeKey handle() const { return handle_; }
    void set_name(std::u16string name) { name_ = std::move(name); }
    const MapCoordinates& coordinates() const { return coords_; }
    void set_coordinates(const MapCoordinates& c) { coords_ = c; }

    host::SClassId super_class_id() const override { return host::kTexmapSuperClass; }
    host::ClassId class_id() const override { return class_id_; }
    std::u16string name() const override { return name_; }
    int map_channel() const override { return coords_.channel; }
    host::Matrix3 uv_transform() const override { return coordinates_transform(coords_); }

  private:
    host::NodeKey handle_;
    std::u16string name_;
    host::ClassId class_id_;
    MapCoordinates coords_;
};

// A map showing an image file. The stand-in does not decode images: the map's bitmap stands for
// the file (its source is the file name), and rendering it into another bitmap fails.
class BitmapTexture : public TexmapImpl<host::BitmapTex> {
  public:
    BitmapTexture(host::NodeKey handle, std::u16string name, std::u16string file);

    const std::u16string& file() const { return file_; }
    void set_file(std::u16string file);
    // Whether the host has the image loaded (default true); a map whose file is missing is not.
    bool loaded() const { return loaded_; }
    void set_loaded(bool loaded) { loaded_ = loaded; }

    std::u16string map_name() const override { return file_; }
    host::Bitmap* bitmap(host::TimeValue t) override;
    bool render_bitmap(host::TimeValue t, host::Bitmap& bitmap, float scale_3d,
                       bool filter) override;

  private:
    std::u16string file_;
    bool loaded_ = true;
    Bitmap image_;
};

// A map computed from texture coordinates. render_bitmap fills every pixel of a stand-in bitmap:
// pixel (x, y) shows the map at the pixel centre ((x + 0.5) / width, 1 - (y + 0.5) / height)
// after the map's coordinates transform; filter averages four samples per pixel.
class ProceduralMap : public TexmapImpl<host::Texmap> {
  public:
    using TexmapImpl::TexmapImpl;
    // The map's colour at (u, v) of its own texture space; scale_3d scales 3D patterns.
    virtual host::Color sample(float u, float v, float scale_3d) const = 0;
    bool render_bitmap(host::TimeValue t, host::Bitmap& bitmap, float scale_3d,
                       bool filter) override;
};

// Two colours in a 2 x 2 checkerboard over the unit square: color1 where the cell row and
// column sum to an even number, starting at (0, 0).
class CheckerMap : public ProceduralMap {
  public:
    CheckerMap(host::NodeKey handle, std::u16string name)
        : ProceduralMap(handle, std::move(name), kCheckerClassId) {}
    host::Color color1{0.0f, 0.0f, 0.0f};
    host::Color color2{1.0f, 1.0f, 1.0f};
    host::Color sample(float u, float v, float scale_3d) const override;
};

// Three colours along v: color3 at v = 0, color2 at v = center, color1 at v = 1, linear between.
class GradientMap : public ProceduralMap {
  public:
    GradientMap(host::NodeKey handle, std::u16string name)
        : ProceduralMap(handle, std::move(name), kGradientClassId) {}
    host::Color color1{0.0f, 0.0f, 0.0f};
    host::Color color2{0.5f, 0.5f, 0.5f};
    host::Color color3{1.0f, 1.0f, 1.0f};
    float center = 0.5f;
    host::Color sample(float u, float v, float scale_3d) const override;
};

// Smooth value noise between color1 and color2; size is the width of a noise cell in texture
// units (scaled by scale_3d).
class NoiseMap : public ProceduralMap {
  public:
    NoiseMap(host::NodeKey handle, std::u16string name)
        : ProceduralMap(handle, std::move(name), kNoiseClassId) {}
    host::Color color1{0.0f, 0.0f, 0.0f};
    host::Color color2{1.0f, 1.0f, 1.0f};
    float size = 0.25f;
    host::Color sample(float u, float v, float scale_3d) const override;
};

}  // namespace standin
