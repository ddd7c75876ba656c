// Imported node animation: the channels of a file's first animation as position, rotation and
// scale keys of the nodes they move. Internal to the assimp import.
#pragma once

#include <string>
#include <unordered_map>

#include "plugin/host/geometry.h"
#include "plugin/host/interval.h"

struct aiAnimation;
struct aiNodeAnim;
struct aiScene;

namespace standin {
class Node;
}

namespace standin::assimp_import {

class AnimationImporter {
  public:
    explicit AnimationImporter(const aiScene& ai);

    // The channel that moves the node of that name; null when none does.
    const aiNodeAnim* channel(const std::string& node_name) const;

    // Adds the channel's keys to node, each key's transform followed by after (a rigid transform
    // the node's whole local transform is carried by, such as the change of up axis). Times are
    // converted from the animation's ticks to host ticks (4800 per second).
    void add_keys(const aiNodeAnim& channel, Node& node, const host::Matrix3& after);

    // The latest key time added so far, in host ticks; kTimeNegInfinity before any key.
    host::TimeValue last_key_time() const { return last_time_; }

  private:
    host::TimeValue host_time(double ticks) const;

    const aiAnimation* animation_ = nullptr;
    double ticks_per_second_ = 25.0;
    std::unordered_map<std::string, const aiNodeAnim*> channels_;
    host::TimeValue last_time_ = host::kTimeNegInfinity;
};

}  // namespace standin::assimp_import
