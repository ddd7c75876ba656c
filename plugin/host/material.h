// Materials and maps (textures) of the host.
#pragma once

#include <string>

#include "plugin/host/bitmap.h"
#include "plugin/host/geometry.h"
#include "plugin/host/interval.h"
#include "plugin/host/param_block.h"

namespace host {

class StdMaterial;
class BitmapTex;

// A map: a bitmap file, or a procedural map that can render itself into a bitmap.
class Texmap : public Animatable {
  public:
    virtual std::u16string name() const = 0;
    // The mesh map channel whose texture coordinates the map uses.
    virtual int map_channel() const = 0;
    // The map's transform of texture coordinates (uvw * transform); the identity when the map
    // has none.
    virtual Matrix3 uv_transform() const = 0;
    // Renders the map at t over its whole 0 to 1 texture square into bitmap (every pixel).
    // scale_3d scales 3D maps; filter smooths. False when the map cannot render.
    virtual bool render_bitmap(TimeValue t, Bitmap& bitmap, float scale_3d, bool filter) = 0;

    // The bitmap-map view; null when the map is not a bitmap map (class (0x240, 0)).
    virtual BitmapTex* as_bitmap_tex() { return nullptr; }
};

// A map showing an image file.
class BitmapTex : public Texmap {
  public:
    // The image file name as the user chose it (possibly relative).
    virtual std::u16string map_name() const = 0;
    // The loaded image at t; null when the image is not loaded. Owned by the map.
    virtual Bitmap* bitmap(TimeValue t) = 0;
    BitmapTex* as_bitmap_tex() override { return this; }
};

class Material : public Animatable {
  public:
    virtual std::u16string name() const = 0;

    // Sub-materials (Multi/Sub-Object and others); a slot may be empty (null).
    virtual int sub_material_count() const = 0;
    virtual Material* sub_material(int i) const = 0;

    // Front-face colours of sub-material 0 and the shininess (glossiness, a fraction), at the
    // host's current time.
    virtual Color diffuse() const = 0;
    virtual Color specular() const = 0;
    virtual float shininess() const = 0;

    // Map slots: each has a name and an optional map, and can be switched off.
    virtual int sub_texmap_count() const = 0;
    virtual Texmap* sub_texmap(int i) const = 0;  // null when empty or out of range
    virtual std::u16string sub_texmap_slot_name(int i) const = 0;
    virtual bool sub_texmap_on(int i) const = 0;

    // The Standard-material view; null for other classes.
    virtual StdMaterial* as_std_material() { return nullptr; }
};

// The host's Standard material (class (2, 0)).
class StdMaterial : public Material {
  public:
    virtual Color diffuse_at(TimeValue t) const = 0;
    virtual Color specular_at(TimeValue t) const = 0;
    // The specular level (shininess strength) at t, as a fraction.
    virtual float specular_level_at(TimeValue t) const = 0;
    // Whether map slot i is enabled (its check box in the maps list).
    virtual bool map_enabled(int i) const = 0;
    StdMaterial* as_std_material() override { return this; }
};

}  // namespace host
