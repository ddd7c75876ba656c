#include "exporter/animation_sampling.h"

#include <cmath>
#include <memory>
#include <string>

#include "exporter/animation_frames.h"
#include "exporter/narrow_text.h"
#include "exporter/row_matrix.h"
#include "exporter/scene_exporter.h"

namespace vsf {

namespace {

// How far a key may stray from the identity and still count as no motion.
constexpr double kIdentityTolerance = 1e-5;

bool near_identity(const zyl::Matrix4d& m) {
    for (int i = 0; i < 16; ++i) {
        const double identity = i % 5 == 0 ? 1.0 : 0.0;
        // Written so that a NaN counts as a difference.
        if (!(std::fabs(m[static_cast<std::size_t>(i)] - identity) <= kIdentityTolerance)) {
            return false;
        }
    }
    return true;
}

// Exact comparison in which a NaN never equals anything, so it always counts as a change.
bool same_key(const zyl::Matrix4d& a, const zyl::Matrix4d& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!(a[i] == b[i])) {
            return false;
        }
    }
    return true;
}

// node's transform at t: its world transform, or (not world) the one relative to its parent.
host::Matrix3 sampled_transform(const host::Node& node, host::TimeValue t, bool world) {
    const host::Matrix3 transform = node.node_tm(t, nullptr);
    if (world) {
        return transform;
    }
    const host::Node* parent = node.parent();
    return parent ? transform * host::inverse(parent->node_tm(t, nullptr)) : transform;
}

}  // namespace

void sample_transform_animation(SceneExporter& exporter, host::Node& node,
                                const host::Matrix3& static_transform, bool world) {
    zyl::zylSceneapi_oo* api = exporter.front_end();
    if (!api) {
        return;
    }
    const AnimationFrames frames = animation_frames(exporter);
    zyl::FBXAnimation animation(narrow_text(node.name()) + "3ds_animation", 0.0f,
                                frames.duration());
    // Keys are the motion relative to the transform already written for the node.
    const host::Matrix3 to_static = host::inverse(static_transform);
    bool moves = false;
    zyl::Matrix4d previous{};
    for (int k = 0; k < frames.count(); ++k) {
        const zyl::Matrix4d key =
            row_matrix(sampled_transform(node, frames.time(k), world) * to_static);
        if (k == 0) {
            animation.add_key(0, key);
            moves = !near_identity(key);
        } else if (!same_key(key, previous)) {
            animation.add_key(AnimationFrames::timestamp(k), key);
            moves = true;
        }
        previous = key;
    }
    if (moves) {
        api->emit(animation);
    }
}

std::shared_ptr<zyl::FBXAnimation> sample_camera_animation(SceneExporter& exporter,
                                                           host::Node& node) {
    const AnimationFrames frames = animation_frames(exporter);
    if (frames.count() == 0) {
        return nullptr;
    }
    auto animation = std::make_shared<zyl::FBXAnimation>("3ds_animation", 0.0f, frames.duration());
    animation->timestamps().reserve(static_cast<std::size_t>(frames.count()));
    animation->matrices().reserve(static_cast<std::size_t>(frames.count()));
    for (int k = 0; k < frames.count(); ++k) {
        animation->add_key(AnimationFrames::timestamp(k),
                           row_matrix(node.node_tm(frames.time(k), nullptr)));
    }
    return animation;
}

}  // namespace vsf
