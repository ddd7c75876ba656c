// The live branch of export_scene: Render and Update stream the pass into a running renderer
// through the live-link factory. The live link is built by its own part of the exporter; until it
// is, this branch tells the user so and sends nothing.
#include "exporter/scene_exporter.h"

namespace vsf {

void SceneExporter::export_live() {
    host_.message_box(u"The live link to Vistrel is not available in this build.", u"Error",
                      host::kMessageBoxOk | host::kMessageBoxIconError);
}

}  // namespace vsf
