// The change of axes that the scene file importers apply to files written y up.
#pragma once

#include "plugin/host/geometry.h"

namespace standin {

// A quarter turn about x, exactly: y up becomes z up, and z (towards the viewer) becomes -y.
inline const host::Matrix3 kYUpToZUp(host::Point3(1, 0, 0), host::Point3(0, 0, 1),
                                     host::Point3(0, -1, 0), host::Point3(0, 0, 0));

}  // namespace standin
