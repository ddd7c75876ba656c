// A fresh folder per test for the settings file, removed afterwards, and small helpers to write
// and read that file as the profile routines see it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "exporter/options.h"
#include "platform/profile.h"
#include "plugin/settings/settings_file.h"

class SettingsFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device seed;
        folder_ = std::filesystem::temp_directory_path() /
                  ("vsf-options-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(folder_);
        path_ = vsf::settings_file_path_in(folder_.u16string());
        ASSERT_FALSE(path_.empty());
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // The folder as the host names it.
    std::u16string folder_text() const { return folder_.u16string(); }
    // The settings file as the plug-in names it (folder + "\" + file name).
    const std::u16string& settings_path() const { return path_; }
    // The same file as this system's file functions name it.
    std::filesystem::path settings_file() const { return folder_ / "vistrelexport7.ini"; }

    void write_settings_text(const std::string& text) const {
        std::ofstream(settings_file(), std::ios::binary) << text;
    }

    std::string settings_text() const {
        std::ifstream in(settings_file(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The stored text of a key, or "<missing>".
    std::u16string stored_text(const std::u16string& section, const std::u16string& key) const {
        return platform::read_profile_string(section, key, u"<missing>", 260, path_);
    }

  private:
    std::filesystem::path folder_;
    std::u16string path_;
};

// The ten stored flags: section, key and member, in file order.
struct StoredFlagCase {
    const char16_t* section;
    const char16_t* key;
    bool vsf::Options::*flag;
};

inline const StoredFlagCase kStoredFlagCases[] = {
    {u"Curves", u"HairAndFur", &vsf::Options::hair_and_fur},
    {u"Curves", u"GeneralCurves", &vsf::Options::general_curves},
    {u"Lights", u"PhotometricLights", &vsf::Options::photometric_lights},
    {u"Lights", u"SkyLights", &vsf::Options::sky_lights},
    {u"Animation", u"Bones", &vsf::Options::bones},
    {u"Animation", u"TransformAnimations", &vsf::Options::transform_animations},
    {u"Animation", u"CameraAnimations", &vsf::Options::camera_animations},
    {u"Animation", u"Deformable", &vsf::Options::deformable},
    {u"General", u"cameras", &vsf::Options::cameras},
    {u"General", u"Layers", &vsf::Options::layers},
};

// The ten flags as a text of 0s and 1s in file order, for readable comparisons.
inline std::string flag_pattern(const vsf::Options& options) {
    std::string pattern;
    for (const StoredFlagCase& stored : kStoredFlagCases) {
        pattern += options.*stored.flag ? '1' : '0';
    }
    return pattern;
}

inline vsf::Options with_flag_pattern(const std::string& pattern) {
    vsf::Options options;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        options.*kStoredFlagCases[i].flag = pattern[i] == '1';
    }
    return options;
}
