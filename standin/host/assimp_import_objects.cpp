#include "standin/host/assimp_import_objects.h"

#include <algorithm>
#include <cmath>

#include <assimp/camera.h>
#include <assimp/light.h>
#include <assimp/version.h>

#include "standin/host/assimp_import_transform.h"

namespace standin::assimp_import {

CameraSettings camera_settings(const aiCamera& camera, bool from_gltf) {
    CameraSettings s;
    float fov = camera.mHorizontalFOV;
    const bool scaled_vertical_fov =
        aiGetVersionMajor() < 5 || (aiGetVersionMajor() == 5 && aiGetVersionMinor() < 3);
    if (from_gltf && scaled_vertical_fov && camera.mAspect > 0.0f) {
        const float vertical = fov / camera.mAspect;
        fov = 2.0f * std::atan(std::tan(0.5f * vertical) * camera.mAspect);
    }
    if (std::isfinite(fov) && fov > 0.0f && fov < 3.14159f) {
        s.fov = fov;
    }
    s.orthographic = camera.mOrthographicWidth > 0.0f;
    if (std::isfinite(camera.mClipPlaneNear) && std::isfinite(camera.mClipPlaneFar)) {
        s.near_clip = camera.mClipPlaneNear;
        s.far_clip = camera.mClipPlaneFar;
    }
    return s;
}

host::Matrix3 camera_frame(const aiCamera& camera, bool from_gltf) {
    return look_frame(from_gltf ? aiVector3D() : camera.mPosition, camera.mLookAt, camera.mUp);
}

std::optional<StandardLightSettings> light_settings(const aiLight& light) {
    StandardLightSettings s;
    switch (light.mType) {
        case aiLightSource_POINT:
            s.type = host::kOmniLight;
            break;
        case aiLightSource_SPOT:
            s.type = host::kFreeSpotLight;
            break;
        case aiLightSource_DIRECTIONAL:
            s.type = host::kDirectionalLight;
            break;
        default:
            return std::nullopt;
    }
    const aiColor3D& c = light.mColorDiffuse;
    const float strength = std::max({c.r, c.g, c.b});
    if (std::isfinite(strength) && strength > 0.0f) {
        s.multiplier = strength;
        s.color = host::Color(c.r / strength, c.g / strength, c.b / strength);
    } else {
        s.multiplier = 0.0f;
        s.color = host::Color(1.0f, 1.0f, 1.0f);
    }
    return s;
}

host::Matrix3 light_frame(const aiLight& light) {
    if (light.mType == aiLightSource_POINT) {
        return host::Matrix3::translation(to_point3(light.mPosition));
    }
    return look_frame(light.mPosition, light.mDirection, light.mUp);
}

}  // namespace standin::assimp_import
