// Runs the exporter over a stand-in scene into a temporary scene file and reads the file back, so
// that a test sees exactly what a user's file would hold. Also small readers of that file: the
// outline of a block's children and the numbers of a statement.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "exporter/options.h"
#include "exporter/scene_exporter.h"
#include "standin/host/scene.h"
#include "tests/exporter_support/written_scene.h"
#include "tools/vsfreader/reader.h"

namespace scene_test {

struct ExportSettings {
    vsf::Options options;
    bool update_mode = false;
    vsf::ChangedNodeSet changed_nodes;
};

// Exports scene once into a file of its own and keeps the file's document.
class ExportedScene {
  public:
    explicit ExportedScene(standin::Scene& scene, const ExportSettings& settings = {})
        : folder_("exporter-scene"), path_((folder_.path() / "scene.vsf").string()) {
        auto options = std::make_shared<vsf::Options>(settings.options);
        vsf::SceneExporter exporter(scene, scene.root(), options, settings.changed_nodes);
        exporter.export_scene(path_, settings.update_mode, true, false);
        document_ = vsf::read_file(path_);
    }

    const vsf::Document& document() const { return document_; }
    const std::string& path() const { return path_; }
    // The "object" group that every pass writes; an empty block when it is missing.
    const vsf::Block& object_group() const {
        static const vsf::Block missing;
        const vsf::Block* group = document_.root.block("group", std::string("object"));
        return group ? *group : missing;
    }

  private:
    exporter_test::ScratchFolder folder_;
    std::string path_;
    vsf::Document document_;
};

// A block's direct children in file order, each as "keyword name" for blocks ("group A",
// "object A", "camera C", "load zylrtopt.so") and as its name for statements ("flags",
// "transform"); messages as "#error".
inline std::vector<std::string> outline(const vsf::Block& block) {
    std::vector<std::string> items;
    for (const vsf::Block::Child& child : block.order) {
        switch (child.kind) {
            case vsf::Block::ChildKind::block: {
                const vsf::Block& b = block.blocks[child.index];
                items.push_back(b.keyword + " " + b.name());
                break;
            }
            case vsf::Block::ChildKind::param:
                items.push_back(block.params[child.index].name);
                break;
            case vsf::Block::ChildKind::message:
                items.push_back(block.messages[child.index].error ? "#error" : "#print");
                break;
        }
    }
    return items;
}

// The numbers of a statement or entry (a text array's numbers when its value is an array).
inline std::vector<double> numbers(const vsf::Param* param) {
    std::vector<double> out;
    if (!param) {
        return out;
    }
    for (const vsf::Value& value : param->values) {
        if (value.is_number()) {
            out.push_back(value.number);
        }
    }
    return out;
}

// The row matrix a transform statement should carry for m.
inline std::vector<double> row_numbers(const host::Matrix3& m) {
    std::vector<double> out;
    for (int r = 0; r < 4; ++r) {
        out.push_back(m.row(r).x);
        out.push_back(m.row(r).y);
        out.push_back(m.row(r).z);
        out.push_back(r == 3 ? 1.0 : 0.0);
    }
    return out;
}

}  // namespace scene_test
