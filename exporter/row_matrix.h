// Host transforms as the 16 doubles that the scene library takes.
#pragma once

#include "importers/sceneapi/dev/sceneapi_oo.h"
#include "plugin/host/geometry.h"

namespace vsf {

// Row by row, with 0, 0, 0, 1 as the fourth column: r0.x r0.y r0.z 0 ... r3.x r3.y r3.z 1
// (row-vector convention, the translation in the last row).
zyl::Matrix4d row_matrix(const host::Matrix3& m);

}  // namespace vsf
