#include "plugin/settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>

#include "mock_host.h"
#include "settings_folder.h"

namespace {

using vsf::Options;

// Hair and fur on, general curves off, lights on, all animation on, cameras on, layers off.
constexpr char kDefaultPattern[] = "1011111110";

std::string ini_line(const StoredFlagCase& stored, const std::string& value) {
    return std::string(stored.key, stored.key + std::char_traits<char16_t>::length(stored.key)) +
           "=" + value + "\n";
}

// Every key with the same stored text, one section header per section.
std::string all_keys_set_to(const std::string& value) {
    std::string text;
    const char16_t* section = nullptr;
    for (const StoredFlagCase& stored : kStoredFlagCases) {
        if (section == nullptr || std::u16string(section) != stored.section) {
            section = stored.section;
            text += "[" +
                    std::string(section, section + std::char_traits<char16_t>::length(section)) +
                    "]\n";
        }
        text += ini_line(stored, value);
    }
    return text;
}

using SettingsFileTest = SettingsFolderTest;

TEST_F(SettingsFileTest, WithoutFileEveryFlagTakesItsDefaultAndTheMultiplierIsKept) {
    Options options = with_flag_pattern("0100000001");  // the opposite of every default
    options.curve_radius_multiplier = 3.5f;

    vsf::load_settings(options, settings_path());

    EXPECT_EQ(flag_pattern(options), kDefaultPattern);
    EXPECT_EQ(options.curve_radius_multiplier, 3.5f);
    EXPECT_EQ(flag_pattern(Options{}), kDefaultPattern);
    EXPECT_EQ(Options{}.curve_radius_multiplier, 1.0f);
}

TEST_F(SettingsFileTest, MissingSectionsAndKeysTakeTheirDefaults) {
    // Only two keys stored, one section absent, one with another key only.
    write_settings_text(
        "[Curves]\nGeneralCurves=1\n"
        "[Animation]\nSomethingElse=0\n"
        "[General]\nLayers=1\n");
    Options options = with_flag_pattern("0000000000");

    vsf::load_settings(options, settings_path());

    EXPECT_EQ(flag_pattern(options), "1111111111");
}

TEST_F(SettingsFileTest, EachKeyIsReadFromItsOwnSectionAndName) {
    // A file written by hand in the documented layout, each flag the opposite of its default.
    write_settings_text(
        "[Curves]\nHairAndFur=0\nGeneralCurves=1\n"
        "[Lights]\nPhotometricLights=0\nSkyLights=0\n"
        "[Animation]\nBones=0\nTransformAnimations=0\nCameraAnimations=0\nDeformable=0\n"
        "[General]\ncameras=0\nLayers=1\n");
    Options options;

    vsf::load_settings(options, settings_path());

    EXPECT_EQ(flag_pattern(options), "0100000001");
}

TEST_F(SettingsFileTest, OnlyTheSingleCharacterOneReadsAsTrue) {
    for (const char* text : {"01", "yes", "true", "TRUE", "on", "2", "11", "-1", "1.0", ""}) {
        SCOPED_TRACE(std::string("stored text \"") + text + "\"");
        write_settings_text(all_keys_set_to(text));
        Options options;

        vsf::load_settings(options, settings_path());

        EXPECT_EQ(flag_pattern(options), "0000000000");
    }
    write_settings_text(all_keys_set_to("1"));
    Options options;
    vsf::load_settings(options, settings_path());
    EXPECT_EQ(flag_pattern(options), "1111111111");
}

TEST_F(SettingsFileTest, SaveWritesAllTenKeysInFileOrder) {
    const Options options = with_flag_pattern("0110010110");

    vsf::save_settings(options, settings_path());

    for (const StoredFlagCase& stored : kStoredFlagCases) {
        SCOPED_TRACE(
            std::string(stored.key, stored.key + std::char_traits<char16_t>::length(stored.key)));
        EXPECT_EQ(stored_text(stored.section, stored.key), options.*stored.flag ? u"1" : u"0");
    }
    const std::string text = settings_text();
    const auto curves = text.find("[Curves]");
    const auto lights = text.find("[Lights]");
    const auto animation = text.find("[Animation]");
    const auto general = text.find("[General]");
    ASSERT_NE(general, std::string::npos) << text;
    EXPECT_LT(curves, lights) << text;
    EXPECT_LT(lights, animation) << text;
    EXPECT_LT(animation, general) << text;
}

TEST_F(SettingsFileTest, SavedFlagsReadBackUnchangedOverAnOlderFile) {
    write_settings_text(all_keys_set_to("1") + "[Other]\nkept=yes\n");
    for (const char* pattern : {"0000000000", "1010101010", "0101010101", "1111111111"}) {
        SCOPED_TRACE(pattern);
        vsf::save_settings(with_flag_pattern(pattern), settings_path());
        Options loaded = with_flag_pattern(pattern);
        for (const StoredFlagCase& stored : kStoredFlagCases) {
            loaded.*stored.flag = !(loaded.*stored.flag);
        }

        vsf::load_settings(loaded, settings_path());

        EXPECT_EQ(flag_pattern(loaded), pattern);
    }
    EXPECT_EQ(stored_text(u"Other", u"kept"), u"yes");
}

TEST_F(SettingsFileTest, NewOptionsReadTheFileInTheHostsPlugInConfigurationFolder) {
    write_settings_text("[General]\nLayers=1\n[Curves]\nHairAndFur=0\n");
    testing::StrictMock<MockHost> host;
    EXPECT_CALL(host, get_dir(9)).WillRepeatedly(testing::Return(folder_text()));

    const std::shared_ptr<Options> options = vsf::create_options(host);

    ASSERT_NE(options, nullptr);
    EXPECT_EQ(flag_pattern(*options), "0011111111");
    EXPECT_EQ(options->curve_radius_multiplier, 1.0f);
    EXPECT_EQ(vsf::settings_file_path(host), settings_path());
}

TEST(SettingsFilePath, JoinsTheFolderAndTheFileNameWithOneBackslash) {
    struct Case {
        std::u16string folder;
        std::u16string path;
    };
    const Case cases[] = {
        {u"C:\\Users\\ann\\plugcfg", u"C:\\Users\\ann\\plugcfg\\vistrelexport7.ini"},
        {u"C:\\Users\\ann\\plugcfg\\", u"C:\\Users\\ann\\plugcfg\\vistrelexport7.ini"},
        {u"C:\\", u"C:\\vistrelexport7.ini"},
        {u"", u"vistrelexport7.ini"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(vsf::settings_file_path_in(c.folder), c.path);
    }
}

TEST(SettingsFilePath, APathLongerThanTheWindowsLimitIsNotUsed) {
    const std::u16string name = u"\\vistrelexport7.ini";
    const std::u16string longest(vsf::kMaxSettingsPathLength - name.size(), u'a');

    EXPECT_EQ(vsf::settings_file_path_in(longest), longest + name);
    EXPECT_EQ(vsf::settings_file_path_in(longest + u"a"), u"");
    EXPECT_EQ(vsf::settings_file_path_in(longest + u"\\"), longest + name)
        << "a trailing backslash is not doubled, so the path still fits";

    Options options = with_flag_pattern("0100000001");
    vsf::load_settings(options, u"");
    EXPECT_EQ(flag_pattern(options), kDefaultPattern);
}

}  // namespace
