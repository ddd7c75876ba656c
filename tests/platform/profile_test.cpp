#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "test_support.h"

namespace {

using platform::read_profile_string;
using platform::write_profile_string;
using platform_test::read_file;
using platform_test::utf16_of;
using platform_test::write_file;

class Profile : public platform_test::ScratchFolderTest {
  protected:
    std::u16string read(const std::u16string& section, const std::u16string& key,
                        const std::u16string& default_value = u"default",
                        std::size_t buffer_size = 260) {
        return read_profile_string(section, key, default_value, buffer_size, file());
    }
    std::u16string file() const { return utf16_of(path_of("settings.ini")); }
};

TEST_F(Profile, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(read(u"General", u"cameras", u"1"), u"1");
    write_file(path_of("settings.ini"), "[General]\r\ncameras=0\r\n");
    EXPECT_EQ(read(u"Lights", u"cameras", u"1"), u"1");
    EXPECT_EQ(read(u"General", u"Layers", u"0"), u"0");
    EXPECT_EQ(read(u"General", u"cameras", u"1"), u"0");
    EXPECT_EQ(read(u"General", u"Layers", u"0  "), u"0") << "a default loses its trailing blanks";
}

TEST_F(Profile, SectionsAndKeysMatchWithoutRegardToCase) {
    write_file(path_of("settings.ini"), "[Curves]\nHairAndFur=0\n");
    EXPECT_EQ(read(u"CURVES", u"hairandfur"), u"0");
    EXPECT_EQ(read(u"curves", u"HAIRANDFUR"), u"0");
}

// Only the text "1" means true to the settings reader, so other texts must come back unchanged.
TEST_F(Profile, StoredTextsReadBackAsTheyAre) {
    for (const std::u16string value : {u"01", u"yes", u"true", u"1", u"0", u"-1"}) {
        ASSERT_TRUE(write_profile_string(u"General", u"cameras", value, file()));
        EXPECT_EQ(read(u"General", u"cameras"), value);
    }
    write_file(path_of("settings.ini"), "[General]\r\ncameras = 01 \r\nLayers=yes\r\n");
    EXPECT_EQ(read(u"General", u"cameras"), u"01");
    EXPECT_EQ(read(u"General", u"Layers"), u"yes");
}

TEST_F(Profile, AValueInMatchingQuotesReadsWithoutThem) {
    write_file(path_of("settings.ini"), "[S]\ndouble=\"a b\"\nsingle='c'\nhalf=\"d\nmixed=\"e'\n");
    EXPECT_EQ(read(u"S", u"double"), u"a b");
    EXPECT_EQ(read(u"S", u"single"), u"c");
    EXPECT_EQ(read(u"S", u"half"), u"\"d");
    EXPECT_EQ(read(u"S", u"mixed"), u"\"e'");
}

TEST_F(Profile, ValueIsCutToOneLessThanTheBuffer) {
    write_file(path_of("settings.ini"), "[S]\nk=abcdef\n");
    EXPECT_EQ(read(u"S", u"k", u"d", 7), u"abcdef");
    EXPECT_EQ(read(u"S", u"k", u"d", 6), u"abcde");
    EXPECT_EQ(read(u"S", u"k", u"d", 1), u"");
    EXPECT_EQ(read(u"S", u"missing", u"default", 4), u"def");
}

TEST_F(Profile, WritingAKeyKeepsTheRestOfTheFile) {
    write_file(path_of("settings.ini"),
               "[Curves]\r\nHairAndFur=0\r\nGeneralCurves=1\r\n"
               "[General]\r\ncameras=0\r\n"
               "[Animation]\r\nBones=0\r\n");
    ASSERT_TRUE(write_profile_string(u"general", u"CAMERAS", u"1", file()));
    ASSERT_TRUE(write_profile_string(u"General", u"Layers", u"1", file()));
    ASSERT_TRUE(write_profile_string(u"Lights", u"SkyLights", u"0", file()));

    EXPECT_EQ(read(u"General", u"cameras"), u"1");
    EXPECT_EQ(read(u"General", u"Layers"), u"1");
    EXPECT_EQ(read(u"Lights", u"SkyLights"), u"0");
    EXPECT_EQ(read(u"Curves", u"HairAndFur"), u"0");
    EXPECT_EQ(read(u"Curves", u"GeneralCurves"), u"1");
    EXPECT_EQ(read(u"Animation", u"Bones"), u"0");

    // The key was replaced, not added a second time, and kept its spelling.
    const std::string text = read_file(path_of("settings.ini"));
    EXPECT_EQ(text.find("cameras"), text.rfind("cameras")) << text;
    EXPECT_EQ(text.find("CAMERAS"), std::string::npos) << text;
}

TEST_F(Profile, WritingCreatesTheFileAndSection) {
    ASSERT_TRUE(write_profile_string(u"Curves", u"HairAndFur", u"1", file()));
    ASSERT_TRUE(write_profile_string(u"Animation", u"Bones", u"0", file()));
    EXPECT_EQ(read(u"Curves", u"HairAndFur"), u"1");
    EXPECT_EQ(read(u"Animation", u"Bones"), u"0");
    ASSERT_TRUE(write_profile_string(u"Paths", u"Folder", u"caf\u00E9", file()));
    EXPECT_EQ(read(u"Paths", u"Folder"), u"caf\u00E9");
}

TEST_F(Profile, WritingIntoAMissingFolderFails) {
    const std::u16string nowhere = utf16_of(path_of("no-such-folder/settings.ini"));
    EXPECT_FALSE(write_profile_string(u"General", u"cameras", u"1", nowhere));
    EXPECT_EQ(read_profile_string(u"General", u"cameras", u"d", 260, nowhere), u"d");
}

}  // namespace
