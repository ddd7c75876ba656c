// Transforms of imported scenes in the host's convention (row vectors, translation in the fourth
// row), from assimp's (column vectors). Internal to the assimp import.
#pragma once

#include <assimp/matrix3x3.h>
#include <assimp/matrix4x4.h>
#include <assimp/quaternion.h>
#include <assimp/vector3.h>

#include "plugin/host/geometry.h"
#include "standin/host/quat.h"

namespace standin::assimp_import {

host::Matrix3 to_matrix3(const aiMatrix4x4& m);
host::Point3 to_point3(const aiVector3D& v);
// The rotation of q as a host rotation.
Quat to_quat(const aiQuaternion& q);

// The frame of an object that looks down look with up as its up direction, placed at position:
// the host's cameras and lights look down their own -z axis with +y up. A zero look gives -z; an
// up along look is replaced by a perpendicular.
host::Matrix3 look_frame(const aiVector3D& position, const aiVector3D& look, const aiVector3D& up);

// Whether m only rotates and translates (orthonormal axes, no mirror), within rounding.
bool is_rigid(const host::Matrix3& m);
// Whether m is the identity within rounding.
bool is_identity(const host::Matrix3& m);

}  // namespace standin::assimp_import
