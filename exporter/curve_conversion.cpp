#include "exporter/curve_conversion.h"

#include "exporter/scene_exporter.h"

namespace vsf {

// Placeholder: the curves and hair conversion fills this in. Until then shapes write nothing.
bool convert_curve(SceneExporter& /*exporter*/, host::Node& /*node*/) {
    return false;
}

}  // namespace vsf
