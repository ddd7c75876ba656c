// The base of the geometry objects: a named piece of geometry with a shared material, which can be
// written in place or once as a definition that later emits reference by id.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "importers/sceneapi/dev/light_node.h"
#include "importers/sceneapi/dev/material.h"

namespace zyl {

class LightGeometry : public LightNode {
  public:
    // No material, not defined.
    explicit LightGeometry(std::string name);

    bool is_defined() const override { return defined_; }

    // The bytes held in the geometry's arrays.
    virtual int64_t data_size() const = 0;
    // Replaces the material; an empty reference is allowed.
    virtual void set_material(std::shared_ptr<Material> material);
    virtual std::shared_ptr<Material> material() const;
    virtual void set_name(const std::string& name);
    virtual std::string name() const;

    // The id of the definition once the geometry has been defined; 0 before.
    int32_t instance_id() const { return instance_id_; }

  protected:
    // Records that the geometry was written as the definition `id`.
    void mark_defined(int32_t id);
    const std::string& name_ref() const { return name_; }
    const std::shared_ptr<Material>& material_ref() const { return material_; }

  private:
    std::string name_;
    std::shared_ptr<Material> material_;
    bool defined_ = false;
    int32_t instance_id_ = 0;
};

}  // namespace zyl
