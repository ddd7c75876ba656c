// Lights of the stand-in scene: standard lights (omni, spot, directional), photometric lights of
// every type code, and sky lights.
#pragma once

#include <string>
#include <vector>

#include "plugin/host/class_id.h"
#include "standin/host/object_base.h"

namespace standin {

// --- Standard lights ---

struct StandardLightSettings {
    int type = host::kOmniLight;  // a host::LightType
    float multiplier = 1.0f;
    host::Color color{1.0f, 1.0f, 1.0f};
};

// The class of a standard light of each host::LightType (omni 0x1011, target spot 0x1012,
// directional 0x1013, free spot 0x1014, target directional 0x1015).
host::ClassId standard_light_class(int type);

class StandardLight : public ObjectImpl<host::GenLight> {
  public:
    explicit StandardLight(const StandardLightSettings& settings)
        : ObjectImpl(host::kLightSuperClass, standard_light_class(settings.type)),
          settings_(settings) {}

    const StandardLightSettings& settings() const { return settings_; }

    int light_type() const override { return settings_.type; }
    float intensity(host::TimeValue, host::Interval*) override { return settings_.multiplier; }
    host::Color rgb_color(host::TimeValue, host::Interval*) override { return settings_.color; }

  private:
    StandardLightSettings settings_;
};

// --- Photometric lights ---

// The stand-in's class of photometric lights; a subclass of host::kPhotometricLightClassId.
constexpr host::ClassId kStandinPhotometricClassId{0x5D1A0001, 0x5D1A0002};

// Web parameters in parameter block 3 (ids).
constexpr host::ParamId kWebFileParam = 0;
constexpr host::ParamId kWebRotationXParam = 1;
constexpr host::ParamId kWebRotationYParam = 2;
constexpr host::ParamId kWebRotationZParam = 3;

struct PhotometricLightSettings {
    int type = host::kPhotometricFreePoint;  // a type code (host::PhotometricType or another)
    int distribution = host::kDistributionIsotropic;  // a host::PhotometricDistribution
    float intensity = 1500.0f;                        // photometric intensity
    float kelvin = 6500.0f;                           // colour temperature
    float radius = 0.0f;                              // sphere and cylinder lights
    std::vector<host::Point3> shape;                  // area and cylinder outlines, own space
    std::u16string web_file;                          // photometric web file (distribution 3)
    host::Point3 web_rotation;                        // degrees about x, y and z
    host::Color color{1.0f, 1.0f, 1.0f};              // filter colour
};

class PhotometricLightObject : public ObjectImpl<host::PhotometricLight> {
  public:
    // Parameter blocks 0 to 2 exist and are empty; block 3 holds the web parameters.
    explicit PhotometricLightObject(PhotometricLightSettings settings);

    const PhotometricLightSettings& settings() const { return settings_; }

    bool is_subclass_of(host::ClassId cid) const override {
        return cid == class_id() || cid == host::kPhotometricLightClassId;
    }
    int light_type() const override { return host::kOmniLight; }
    float intensity(host::TimeValue, host::Interval*) override { return settings_.intensity; }
    host::Color rgb_color(host::TimeValue, host::Interval*) override { return settings_.color; }
    int type() const override { return settings_.type; }
    int distribution() const override { return settings_.distribution; }
    float kelvin(host::TimeValue, host::Interval*) override { return settings_.kelvin; }
    float radius(host::TimeValue, host::Interval*) override { return settings_.radius; }
    int shape(host::Point3* points, int buffer_size) const override;

  protected:
    host::Box3 local_box(host::TimeValue t) override;

  private:
    PhotometricLightSettings settings_;
};

// --- Sky lights ---

// Sky light parameters in its parameter block (id 0, the only one).
constexpr host::ParamId kSkyMultiplierParam = 0;
constexpr host::ParamId kSkyColorParam = 1;
constexpr host::ParamId kSkyMapParam = 2;

struct SkyLightSettings {
    float multiplier = 1.0f;
    host::Color color{1.0f, 1.0f, 1.0f};
    host::Texmap* map = nullptr;  // the environment map; owned by the scene
};

class SkyLightObject : public ObjectImpl<host::Object> {
  public:
    explicit SkyLightObject(const SkyLightSettings& settings);
};

}  // namespace standin
