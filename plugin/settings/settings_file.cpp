#include "plugin/settings/settings_file.h"

#include "platform/profile.h"

namespace vsf {
namespace {

constexpr char16_t kSettingsFileName[] = u"vistrelexport7.ini";

// Read buffer of the profile routines, in UTF-16 units with the terminating zero.
constexpr std::size_t kValueBufferSize = 260;

struct StoredFlag {
    const char16_t* section;
    const char16_t* key;
    const char16_t* default_text;
    bool Options::*flag;
};

// In file order.
constexpr StoredFlag kStoredFlags[] = {
    {u"Curves", u"HairAndFur", u"1", &Options::hair_and_fur},
    {u"Curves", u"GeneralCurves", u"0", &Options::general_curves},
    {u"Lights", u"PhotometricLights", u"1", &Options::photometric_lights},
    {u"Lights", u"SkyLights", u"1", &Options::sky_lights},
    {u"Animation", u"Bones", u"1", &Options::bones},
    {u"Animation", u"TransformAnimations", u"1", &Options::transform_animations},
    {u"Animation", u"CameraAnimations", u"1", &Options::camera_animations},
    {u"Animation", u"Deformable", u"1", &Options::deformable},
    {u"General", u"cameras", u"1", &Options::cameras},
    {u"General", u"Layers", u"0", &Options::layers},
};

}  // namespace

std::u16string settings_file_path_in(const std::u16string& folder) {
    std::u16string path = folder;
    if (!path.empty() && path.back() != u'\\') {
        path += u'\\';
    }
    path += kSettingsFileName;
    if (path.size() > kMaxSettingsPathLength) {
        return std::u16string();
    }
    return path;
}

std::u16string settings_file_path(host::Interface& host) {
    return settings_file_path_in(host.get_dir(host::kPlugCfgDir));
}

std::shared_ptr<Options> create_options(host::Interface& host) {
    auto options = std::make_shared<Options>();
    load_settings(*options, settings_file_path(host));
    return options;
}

void load_settings(Options& options, const std::u16string& path) {
    for (const StoredFlag& stored : kStoredFlags) {
        const std::u16string text = path.empty() ? std::u16string(stored.default_text)
                                                 : platform::read_profile_string(
                                                       stored.section, stored.key,
                                                       stored.default_text, kValueBufferSize, path);
        options.*stored.flag = text == u"1";
    }
}

void save_settings(const Options& options, const std::u16string& path) {
    if (path.empty()) {
        return;
    }
    for (const StoredFlag& stored : kStoredFlags) {
        platform::write_profile_string(stored.section, stored.key,
                                       options.*stored.flag ? u"1" : u"0", path);
    }
}

}  // namespace vsf
