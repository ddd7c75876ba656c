#include "standin/host/assimp_import_animation.h"

#include <algorithm>
#include <cmath>

#include <assimp/anim.h>
#include <assimp/scene.h>

#include "standin/host/assimp_import_transform.h"
#include "standin/host/node.h"

namespace standin::assimp_import {

namespace {

constexpr double kHostTicksPerSecond = 4800.0;

}  // namespace

AnimationImporter::AnimationImporter(const aiScene& ai) {
    if (ai.mNumAnimations == 0 || ai.mAnimations == nullptr || ai.mAnimations[0] == nullptr) {
        return;
    }
    animation_ = ai.mAnimations[0];
    if (animation_->mTicksPerSecond > 0.0) {
        ticks_per_second_ = animation_->mTicksPerSecond;
    }
    for (unsigned i = 0; i < animation_->mNumChannels; ++i) {
        const aiNodeAnim* c = animation_->mChannels[i];
        if (c != nullptr) {
            channels_.emplace(std::string(c->mNodeName.data, c->mNodeName.length), c);
        }
    }
}

const aiNodeAnim* AnimationImporter::channel(const std::string& node_name) const {
    const auto it = channels_.find(node_name);
    return it == channels_.end() ? nullptr : it->second;
}

host::TimeValue AnimationImporter::host_time(double ticks) const {
    const double t = std::round(ticks / ticks_per_second_ * kHostTicksPerSecond);
    if (!(t == t)) {
        return 0;
    }
    const double lo = static_cast<double>(host::kTimeNegInfinity) + 1.0;
    const double hi = static_cast<double>(host::kTimePosInfinity) - 1.0;
    return static_cast<host::TimeValue>(std::clamp(t, lo, hi));
}

void AnimationImporter::add_keys(const aiNodeAnim& channel, Node& node,
                                 const host::Matrix3& after) {
    const bool moved = !is_identity(after);
    const host::Matrix3 turn(after.row(0), after.row(1), after.row(2), host::Point3());
    for (unsigned i = 0; i < channel.mNumPositionKeys; ++i) {
        const aiVectorKey& k = channel.mPositionKeys[i];
        const host::TimeValue t = host_time(k.mTime);
        node.add_position_key(t, to_point3(k.mValue) * after);
        last_time_ = std::max(last_time_, t);
    }
    for (unsigned i = 0; i < channel.mNumRotationKeys; ++i) {
        const aiQuatKey& k = channel.mRotationKeys[i];
        const host::TimeValue t = host_time(k.mTime);
        Quat q = to_quat(k.mValue);
        if (moved) {
            q = Quat::from_matrix(to_matrix(q) * turn);
        }
        node.add_rotation_key(t, q);
        last_time_ = std::max(last_time_, t);
    }
    for (unsigned i = 0; i < channel.mNumScalingKeys; ++i) {
        const aiVectorKey& k = channel.mScalingKeys[i];
        const host::TimeValue t = host_time(k.mTime);
        node.add_scale_key(t, to_point3(k.mValue));
        last_time_ = std::max(last_time_, t);
    }
}

}  // namespace standin::assimp_import
