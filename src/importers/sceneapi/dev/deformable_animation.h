// A deforming mesh, sent as one complete mesh per sampled frame together with the frame times.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "importers/sceneapi/dev/light_geometry.h"
#include "importers/sceneapi/dev/light_node.h"
#include "importers/sceneapi/dev/material.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace zyl {

class DeformableAnimation : public LightNode {
  public:
    // Times in seconds; flags 0x01010000; no material, no frames.
    DeformableAnimation(std::string name, float start_time, float duration);

    // Appends a frame mesh and its frame number; a null mesh is ignored.
    void add_frame(std::shared_ptr<LightGeometry> geometry, int32_t frame);
    // Appends a frame time in milliseconds.
    void add_timestamp(int32_t time_ms) { timestamps_.push_back(time_ms); }
    // The material that every frame mesh is written with.
    void set_material(std::shared_ptr<Material> material) { material_ = std::move(material); }

    const std::string& name() const { return name_; }
    const std::shared_ptr<Material>& material() const { return material_; }
    const std::vector<int32_t>& timestamps() const { return timestamps_; }

    // Writes a group named after the animation holding the "deformable" animation block and one
    // object per frame. Each frame mesh is renamed "zyl_deform_<frame>" and given the material.
    void emit(zylSceneapi_oo& api) override;
    // Never defined: does nothing.
    void define(zylSceneapi_oo& /*api*/) override {}
    bool is_defined() const override { return false; }

  private:
    struct Frame {
        std::shared_ptr<LightGeometry> geometry;
        int32_t number;
    };

    std::string name_;
    float start_time_;
    float duration_;
    uint32_t flags_ = 0x01010000;
    std::shared_ptr<Material> material_;
    std::vector<Frame> frames_;
    std::vector<int32_t> timestamps_;
};

}  // namespace zyl
