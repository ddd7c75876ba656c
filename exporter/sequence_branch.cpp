// The sequence branch of export_scene: Export Animation writes one scene file per frame and the
// renderer's render script, through write_file for each frame. The frame loop is built by the
// animation-export part of the exporter; until it is, this branch tells the user so and writes
// nothing.
#include "exporter/scene_exporter.h"

namespace vsf {

void SceneExporter::export_sequence(const std::string& /*path*/) {
    host_.message_box(u"Exporting an animation as a frame sequence is not available in this build.",
                      u"Error", host::kMessageBoxOk | host::kMessageBoxIconError);
}

}  // namespace vsf
