#include "standin/host/mesh_object.h"

#include <algorithm>
#include <stdexcept>

#include "standin/host/key_track.h"
#include "standin/host/mesh_tools.h"

namespace standin {

namespace {

void require_consistent(const host::Mesh& mesh) {
    const std::string problem = check_mesh(mesh);
    if (!problem.empty()) {
        throw std::invalid_argument("inconsistent mesh: " + problem);
    }
}

}  // namespace

MeshObject::MeshObject(host::Mesh mesh, host::ClassId cid, TemporaryCounter counter)
    : ObjectImpl(host::kGeomObjectSuperClass, cid), counter_(std::move(counter)) {
    require_consistent(mesh);
    base_ = std::move(mesh);
}

void MeshObject::set_mesh(host::Mesh mesh) {
    require_consistent(mesh);
    base_ = std::move(mesh);
    key_times_.clear();
    key_meshes_.clear();
    same_as_next_.clear();
    current_ = &base_;
}

void MeshObject::add_mesh_key(host::TimeValue t, host::Mesh mesh) {
    require_consistent(mesh);
    const auto it = std::lower_bound(key_times_.begin(), key_times_.end(), t);
    const auto i = it - key_times_.begin();
    if (it != key_times_.end() && *it == t) {
        key_meshes_[static_cast<std::size_t>(i)] = std::move(mesh);
    } else {
        key_times_.insert(it, t);
        key_meshes_.insert(key_meshes_.begin() + i, std::move(mesh));
    }
    same_as_next_.assign(key_times_.size(), 0);
    for (std::size_t k = 0; k + 1 < key_meshes_.size(); ++k) {
        same_as_next_[k] = same_mesh(key_meshes_[k], key_meshes_[k + 1]) ? 1 : 0;
    }
    current_ = &base_;  // key storage may have moved; the next evaluation sets it again
}

void MeshObject::add_vertex_key(host::TimeValue t, const std::vector<host::Point3>& verts) {
    if (verts.size() != base_.verts.size()) {
        throw std::invalid_argument("a vertex key needs " + std::to_string(base_.verts.size()) +
                                    " positions, not " + std::to_string(verts.size()));
    }
    host::Mesh keyed = base_;
    keyed.verts = verts;
    add_mesh_key(t, std::move(keyed));
}

void MeshObject::evaluate(host::TimeValue t) {
    if (key_times_.empty()) {
        current_ = &base_;
        return;
    }
    const KeyPosition p = locate_key(key_times_, t);
    if (p.index < 0) {
        current_ = &key_meshes_.front();
        return;
    }
    const auto i = static_cast<std::size_t>(p.index);
    const host::Mesh& a = key_meshes_[i];
    if (p.fraction == 0.0f || i + 1 >= key_meshes_.size() ||
        key_meshes_[i + 1].verts.size() != a.verts.size()) {
        current_ = &a;
        return;
    }
    const host::Mesh& b = key_meshes_[i + 1];
    blended_ = a;
    for (std::size_t v = 0; v < a.verts.size(); ++v) {
        blended_.verts[v] = interpolate(a.verts[v], b.verts[v], p.fraction);
    }
    current_ = &blended_;
}

host::Interval MeshObject::validity(host::TimeValue t) {
    return constant_interval(key_times_, same_as_next_, t);
}

bool MeshObject::can_convert_to(host::ClassId cid) const {
    return cid == host::kTriObjectClassId || cid == class_id();
}

host::Object* MeshObject::convert_to_type(host::TimeValue t, host::ClassId cid) {
    if (!can_convert_to(cid)) {
        return nullptr;
    }
    evaluate(t);
    if (cid == class_id()) {
        return this;
    }
    return new Temporary<MeshObject>(counter_, *current_, host::kTriObjectClassId, counter_);
}

host::Box3 MeshObject::world_bound_box(host::TimeValue t, host::Node& node) {
    evaluate(t);
    return mesh_box(*current_, node.object_tm(t, nullptr));
}

host::Box3 MeshObject::local_box(host::TimeValue t) {
    evaluate(t);
    return mesh_box(*current_, host::Matrix3());
}

host::TriObject* MeshObject::as_tri_object() {
    return class_id() == host::kTriObjectClassId ? this : nullptr;
}

}  // namespace standin
