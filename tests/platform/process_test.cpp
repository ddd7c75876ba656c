#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/clock.h"
#include "platform/process.h"
#include "test_support.h"

#ifndef _WIN32
#include <errno.h>
#include <sys/wait.h>
#endif

namespace {

using platform_test::read_file;
using platform_test::utf16_of;

class StartProcess : public platform_test::ScratchFolderTest {
  protected:
    // Waits (up to 20 s) for the marker program to write its marker; empty if it never does.
    std::string wait_for_marker(const std::filesystem::path& marker) {
        for (int i = 0; i < 2000 && !std::filesystem::exists(marker); ++i) {
            platform::sleep_ms(10);
        }
        return std::filesystem::exists(marker) ? read_file(marker) : std::string();
    }
};

// The marker program waits for a go-file before it writes its marker, so a start that waited for
// the program to end would never come back in time to see "go".
TEST_F(StartProcess, StartsTheProgramAndReturnsWithoutWaiting) {
    const std::filesystem::path program =
        path_of("d\xC3\xA9marreur " + std::string(PLATFORM_TEST_MARKER));
    std::filesystem::copy_file(platform_test::program_folder() / PLATFORM_TEST_MARKER, program);
    const std::filesystem::path marker = path_of("marker.txt");
    platform_test::set_environment("VSF_PLATFORM_MARKER", platform_test::utf8_of(marker));

    ASSERT_TRUE(platform::start_process(utf16_of(program)));
#ifndef _WIN32
    // No child is left to this process: neither the program nor a zombie.
    int status = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
#endif
    platform_test::write_file(path_of("marker.txt.go"), "");
    EXPECT_EQ(wait_for_marker(marker), "go");
}

TEST_F(StartProcess, FailsForAMissingOrNonExecutableFile) {
    EXPECT_FALSE(platform::start_process(utf16_of(path_of("missing-program"))));
    platform_test::write_file(path_of("text.exe"), "not a program");
    std::filesystem::permissions(path_of("text.exe"), std::filesystem::perms::owner_all);
    EXPECT_FALSE(platform::start_process(utf16_of(path_of("text.exe"))));
#ifndef _WIN32
    int status = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1) << "a failed start leaves no child either";
#endif
}

}  // namespace
