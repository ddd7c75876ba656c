#include <filesystem>
#include <string>
#include <system_error>

#include "exporter/light_converter.h"
#include "exporter/light_emitters.h"
#include "plugin/host/object.h"

namespace vsf {

namespace {

// The web parameters of a photometric light: block 3 holds the file and the rotation.
constexpr int kWebBlock = 3;
constexpr host::ParamId kWebFile = 0;
constexpr host::ParamId kWebRotationX = 1;
constexpr host::ParamId kWebRotationY = 2;
constexpr host::ParamId kWebRotationZ = 3;
// The web's own axis is turned a quarter turn about x against the light's.
constexpr double kWebTiltDegrees = 90.0;

#ifdef _WIN32
constexpr char16_t kPathSeparator = u'\\';
#else
constexpr char16_t kPathSeparator = u'/';
#endif

bool file_exists(const std::u16string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

bool ends_with_ies(const std::u16string& name) {
    if (name.size() < 3) {
        return false;
    }
    const std::u16string tail = name.substr(name.size() - 3);
    for (std::size_t i = 0; i < 3; ++i) {
        const char16_t c = tail[i] >= u'A' && tail[i] <= u'Z' ? tail[i] + (u'a' - u'A') : tail[i];
        if (c != u"ies"[i]) {
            return false;
        }
    }
    return true;
}

// The photometric file of a web distribution; empty when it names none or it is not found.
std::u16string web_file(host::Interface& host, const host::ParamBlock& web) {
    std::u16string name;
    if (!web.get_string(kWebFile, 0, name) || !ends_with_ies(name)) {
        return {};
    }
    return find_photometric_file(host, name);
}

zyl::Matrix4d web_rotation(const host::ParamBlock& web) {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    web.get_float(kWebRotationX, 0, x);
    web.get_float(kWebRotationY, 0, y);
    web.get_float(kWebRotationZ, 0, z);
    return euler_web_rotation(static_cast<double>(x) + kWebTiltDegrees, y, z);
}

}  // namespace

std::u16string find_photometric_file(host::Interface& host, const std::u16string& path) {
    if (file_exists(path)) {
        return path;
    }
    if (path.empty()) {
        return {};
    }
    const int folders = host.asset_folder_count(host::kPhotometricAsset);
    for (int i = 0; i < folders; ++i) {
        std::u16string candidate = host.asset_folder(host::kPhotometricAsset, i);
        // Either separator ends a folder; a host on Windows may hand over either.
        if (!candidate.empty() && candidate.back() != u'\\' && candidate.back() != u'/') {
            candidate.push_back(kPathSeparator);
        }
        candidate += path;
        if (file_exists(candidate)) {
            return candidate;
        }
    }
    return {};
}

bool convert_photometric_point(host::Interface& host, host::PhotometricLight& light,
                               zyl::zylSceneapi_oo& api, const LightNames& names,
                               host::TimeValue t) {
    const host::ParamBlock* web = light.distribution() == host::kDistributionWeb
                                      ? light.param_block_by_id(kWebBlock)
                                      : nullptr;
    const std::u16string file = web ? web_file(host, *web) : std::u16string();
    if (!file.empty()) {
        const zyl::Matrix4d rotation = web_rotation(*web);
        const std::string file_text = host.wide_to_multibyte(file);
        emit_point_carrier(api, names, &rotation, "zyl_ies_light", [&](zylScene_api& scene) {
            scene.param("file", VT_STRING, file_text.c_str());
        });
        return true;
    }
    emit_point_light(api, names, true, light.intensity(0, nullptr),
                     kelvin_to_color(light.kelvin(t, nullptr)));
    return true;
}

}  // namespace vsf
