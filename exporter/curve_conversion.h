// Shapes as renderable curves: splines, lines, text outlines and the temporary hair shapes.
#pragma once

#include "plugin/host/node.h"

namespace vsf {

class SceneExporter;

// Converts the shape of node (a shape-class object) at the exporter's current time into one
// curves object with one curve per spline, inside the node's open group. True when it wrote one.
bool convert_curve(SceneExporter& exporter, host::Node& node);

}  // namespace vsf
