// The object front end: scene objects and exporter routines talk to it with strings, numbers and
// vectors; it turns each call into one call of the bound scene interface and hands out ids.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "importers/sceneapi/dev/light_factory.h"
#include "importers/sceneapi/dev/light_node.h"
#include "importers/sceneapi/dev/scene_api.h"

namespace zyl {

using Float3 = std::array<float, 3>;
using Double3 = std::array<double, 3>;
using Matrix4d = std::array<double, 16>;  // storage order; row-vector convention
static_assert(sizeof(Float3) == 3 * sizeof(float), "float triples travel as contiguous arrays");

// The library version written in the banner, and the scene format version.
constexpr int kLibraryVersionMajor = 9;
constexpr int kLibraryVersionMinor = 0;
constexpr int kLibraryVersionBuild = 215;
constexpr int kFormatVersion = 9;

// The banner text: "Vistrel SceneApi oo 9.0.215  (built <time stamp>)".
std::string banner_text();

class zylSceneapi_oo {
  public:
    // Asks the factory for its interface, binds it, lets the factory start (the file factory
    // writes its header) and writes the banner and version. Exceptions of the factory (a live
    // link that cannot connect) propagate. A factory without an interface leaves it unbound.
    explicit zylSceneapi_oo(LightFactory* factory);
    // Touches neither the interface nor the factory.
    virtual ~zylSceneapi_oo();

    zylSceneapi_oo(const zylSceneapi_oo&) = delete;
    zylSceneapi_oo& operator=(const zylSceneapi_oo&) = delete;

    virtual int attach(zylScene_api* api);
    // Raises the object id counter, announces it with set_id and returns it (first id: 1).
    virtual int32_t new_id();
    virtual void emit(LightNode& node);
    virtual void progress(const std::string& label, float fraction);
    virtual void begin_group(const std::string& name);
    virtual void end_group();
    // Opens a numbered shader definition with the next shader id (first: 1) and returns the id.
    virtual int32_t begin_shader(const std::string& type);
    virtual void end_shader();

    // Always throws std::invalid_argument: text values must arrive as string objects.
    virtual void param(const std::string& name, const char* value);
    virtual void param(const std::string& name, const std::string& value);
    virtual void param(const std::string& name, const Float3& value);
    virtual void param(const std::string& name, const Double3& value);
    virtual void param(const std::string& name, double value);
    virtual void param(const std::string& name, float value);
    virtual void param(const std::string& name, int32_t value);
    virtual void param(const std::string& name, bool value);
    virtual void param(const std::string& name, const std::vector<Matrix4d>& values);
    virtual void param(const std::string& name, const std::vector<int32_t>& values);
    virtual void param(const std::string& name, const std::vector<float>& values);
    virtual void param(const std::string& name, const std::vector<double>& values);
    virtual void param(const std::string& name, const std::vector<Float3>& values);

    virtual void transform(const Matrix4d& matrix);
    virtual void transform(const Matrix4d& matrix, bool set);
    virtual void set_flags(uint32_t flags);
    virtual zylScene_api* api();

    // Reports inconsistent data into the scene itself, as an #error line.
    void error(const std::string& message);

    // Shader builders (shader_builders.cpp). Each writes one or more numbered shader definitions
    // and returns the id of the last one. Texture paths are written unchanged; an empty path means
    // no texture. Scales are the texture's u and v repeat factors.

    // A "texture2_rgb" lookup of `path`, falling back to `default_color` (blended if `blend`).
    int32_t texture_shader(const std::string& path, const Float3& default_color, bool blend,
                           float scale_u, float scale_v);
    // A "zyl_diffuse" shader of `color`, textured by `path` when it is not empty.
    int32_t diffuse_shader(const Float3& color, const std::string& path, bool blend, float scale_u,
                           float scale_v);
    // A "zyl_plastic_simple" shader; each non-empty path adds a texture for its colour.
    int32_t plastic_shader(const Float3& diffuse_color, const Float3& specular_color,
                           const std::string& diffuse_path, const std::string& specular_path,
                           float roughness, float diffuse_scale_u, float diffuse_scale_v,
                           float specular_scale_u, float specular_scale_v);
    // A "zyl_bumpmap" over the shader `base_shader`, with the bump texture `path`.
    int32_t bump_shader(int32_t base_shader, const std::string& path, float bump_height,
                        float scale_u, float scale_v);
    // A "zyl_composite" of `base_shader` under an opacity layer taken from the alpha of `path`.
    int32_t opacity_shader(int32_t base_shader, const std::string& path, float scale_u,
                           float scale_v);

  private:
    zylScene_api* api_ = nullptr;
    LightFactory* factory_ = nullptr;
    int32_t shader_counter_ = 0;
    int32_t id_counter_ = 0;
};

}  // namespace zyl
