#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/file_io.h"
#include "test_support.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define dup _dup
#define dup2 _dup2
#define close _close
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

using platform_test::read_file;

class FileIo : public platform_test::ScratchFolderTest {};

TEST_F(FileIo, OpensANonAsciiFileNameGivenInUtf8) {
    const std::string name = "sc\xC3\xA8ne \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80.vsf";
    const std::string data("line\nbinary\0\r\n", 14);
    std::FILE* file = platform::open_file_utf8(platform_test::utf8_of(path_of(name)), "wb+");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fwrite(data.data(), 1, data.size(), file), data.size());
    ASSERT_EQ(std::fclose(file), 0);

    // The folder holds exactly that name, and binary mode kept every byte.
    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
        ++entries;
        EXPECT_EQ(entry.path().filename().u8string(), name);
    }
    EXPECT_EQ(entries, 1u);
    EXPECT_EQ(read_file(path_of(name)), data);

    file = platform::open_file_utf8(platform_test::utf8_of(path_of(name)), "rb");
    ASSERT_NE(file, nullptr);
    char back[32] = {};
    EXPECT_EQ(std::fread(back, 1, sizeof back, file), data.size());
    std::fclose(file);
    EXPECT_EQ(std::string(back, data.size()), data);
}

TEST_F(FileIo, OpeningAMissingFileForReadingFails) {
    EXPECT_EQ(platform::open_file_utf8(platform_test::utf8_of(path_of("missing.vsf")), "rb"),
              nullptr);
}

// Standard output and standard error are pointed at files while the test runs, then restored.
TEST_F(FileIo, TakenStandardOutputCarriesBinaryDataAndOtherOutputGoesToStandardError) {
    std::fflush(stdout);
    std::fflush(stderr);
    const int saved_out = dup(1);
    const int saved_err = dup(2);
    std::FILE* out_file = platform::open_file_utf8(platform_test::utf8_of(path_of("out")), "wb");
    std::FILE* err_file = platform::open_file_utf8(platform_test::utf8_of(path_of("err")), "wb");
    ASSERT_TRUE(out_file && err_file);
    dup2(fileno(out_file), 1);
    dup2(fileno(err_file), 2);

    std::FILE* data = platform::take_standard_output();
    const std::string bytes("scene\n\0\r\nend\n", 13);
    bool written = false;
    if (data) {
        written = std::fwrite(bytes.data(), 1, bytes.size(), data) == bytes.size();
        std::fclose(data);
    }
    std::printf("stray text\n");
    std::fflush(stdout);

    dup2(saved_out, 1);
    dup2(saved_err, 2);
    close(saved_out);
    close(saved_err);
    std::fclose(out_file);
    std::fclose(err_file);

    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(written);
    EXPECT_EQ(read_file(path_of("out")), bytes) << "the data, byte for byte, and nothing else";
    EXPECT_NE(read_file(path_of("err")).find("stray text"), std::string::npos);
}

}  // namespace
