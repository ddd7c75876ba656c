#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/dynamic_library.h"
#include "platform/utf.h"
#include "test_support.h"

namespace {

using platform::DynamicLibrary;
using platform_test::utf16_of;
using Multiply = int (*)(int, int);

class DynamicLibraryTest : public platform_test::ScratchFolderTest {
  protected:
    std::filesystem::path built_library() const {
        return platform_test::program_folder() / PLATFORM_TEST_PLUGIN;
    }
};

TEST_F(DynamicLibraryTest, LoadsByFullPathAndCallsAnExportedFunction) {
    DynamicLibrary library = DynamicLibrary::load(utf16_of(built_library()));
    ASSERT_TRUE(library.is_loaded());
    const auto multiply = reinterpret_cast<Multiply>(library.find_symbol("platform_test_multiply"));
    ASSERT_NE(multiply, nullptr);
    EXPECT_EQ(multiply(6, 7), 42);
    EXPECT_EQ(library.find_symbol("no_such_function"), nullptr);
    library.unload();
    EXPECT_FALSE(library.is_loaded());
    EXPECT_EQ(library.find_symbol("platform_test_multiply"), nullptr);
}

// The live library's path is built from a registry folder, a backslash and a file name; the
// folder may have any name.
TEST_F(DynamicLibraryTest, LoadsFromANonAsciiFolderJoinedWithABackslash) {
    const std::filesystem::path folder = path_of("biblioth\xC3\xA8que \xE6\x97\xA5");
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(built_library(), folder / "live64.so");
    const std::u16string path = utf16_of(folder) + u"\\live64.so";

    DynamicLibrary library = DynamicLibrary::load(path);
    ASSERT_TRUE(library.is_loaded());
    const auto multiply = reinterpret_cast<Multiply>(library.find_symbol("platform_test_multiply"));
    ASSERT_NE(multiply, nullptr);
    EXPECT_EQ(multiply(-3, 5), -15);

    DynamicLibrary moved = std::move(library);
    EXPECT_FALSE(library.is_loaded());
    EXPECT_TRUE(moved.is_loaded());
}

TEST_F(DynamicLibraryTest, MissingOrInvalidLibraryDoesNotLoad) {
    EXPECT_FALSE(DynamicLibrary::load(utf16_of(path_of("missing.so"))).is_loaded());
    platform_test::write_file(path_of("not-a-library.so"), "plain text");
    EXPECT_FALSE(DynamicLibrary::load(utf16_of(path_of("not-a-library.so"))).is_loaded());
}

}  // namespace
