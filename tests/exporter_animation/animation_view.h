// The animations of an exported scene file as plain numbers: name, start, duration, time stamps
// and matrices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/vsfreader/reader.h"

namespace animation_test {

struct AnimationView {
    std::string kind;  // "fbx_animation" or "deformable"
    std::string name;
    double start_time = -1;
    double duration = -1;
    std::vector<std::int32_t> timestamps;
    std::vector<std::vector<double>> matrices;  // 16 numbers each
};

inline double number_of(const vsf::Block& block, const char* name) {
    const vsf::Param* param = block.param(name);
    return param && param->value() ? param->value()->number : -1;
}

inline AnimationView view_of(const vsf::Block& animation) {
    AnimationView view;
    view.kind = animation.args.size() > 0 ? animation.args[0].text : std::string();
    view.name = animation.args.size() > 1 ? animation.args[1].text : std::string();
    view.start_time = number_of(animation, "start_time");
    view.duration = number_of(animation, "duration");
    if (const vsf::Param* stamps = animation.param("timestamps"); stamps && stamps->array()) {
        view.timestamps = stamps->array()->ints;
    }
    if (const vsf::Param* matrices = animation.param("matrices"); matrices && matrices->array()) {
        const std::vector<double>& all =
            matrices->array()->binary() ? matrices->array()->doubles : matrices->array()->numbers;
        for (std::size_t i = 0; i + 16 <= all.size(); i += 16) {
            view.matrices.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(i),
                                       all.begin() + static_cast<std::ptrdiff_t>(i + 16));
        }
    }
    return view;
}

// The animations directly inside block, in file order.
inline std::vector<AnimationView> animations_in(const vsf::Block& block) {
    std::vector<AnimationView> found;
    for (const vsf::Block& child : block.blocks) {
        if (child.keyword == "animation") {
            found.push_back(view_of(child));
        }
    }
    return found;
}

// Every animation anywhere in the document, in file order.
inline std::vector<AnimationView> all_animations(const vsf::Document& document) {
    std::vector<AnimationView> found;
    for (const vsf::Block* block : document.root.find_all("animation")) {
        found.push_back(view_of(*block));
    }
    return found;
}

}  // namespace animation_test
