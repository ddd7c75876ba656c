#include "importers/sceneapi/dev/light_geometry.h"

#include <utility>

namespace zyl {

LightGeometry::LightGeometry(std::string name) : name_(std::move(name)) {}

void LightGeometry::set_material(std::shared_ptr<Material> material) {
    material_ = std::move(material);
}

std::shared_ptr<Material> LightGeometry::material() const {
    return material_;
}

void LightGeometry::set_name(const std::string& name) {
    name_ = name;
}

std::string LightGeometry::name() const {
    return name_;
}

void LightGeometry::mark_defined(int32_t id) {
    defined_ = true;
    instance_id_ = id;
}

}  // namespace zyl
