// Helpers shared by the platform tests: a scratch folder, files, the environment, the folder of
// the test program.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace platform_test {

// A fresh, empty folder for one test, removed afterwards. Its path has a non-ASCII name in it, so
// every test also exercises wide paths.
class ScratchFolderTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The scratch folder joined with a relative UTF-8 name.
    std::filesystem::path path_of(const std::string& name) const;
    // The scratch folder's own name (UTF-8), unique to this test case and process.
    const std::string& folder_name() const { return folder_name_; }
    std::filesystem::path folder_;

  private:
    std::string folder_name_;
};

// The path as UTF-8 and as UTF-16, the forms the platform layer takes.
std::string utf8_of(const std::filesystem::path& path);
std::u16string utf16_of(const std::filesystem::path& path);

void write_file(const std::filesystem::path& path, const std::string& bytes);
std::string read_file(const std::filesystem::path& path);

// Sets a variable of this process's environment, seen by programs it starts.
void set_environment(const char* name, const std::string& value);

// The folder that holds the running test program (and the helpers built beside it).
std::filesystem::path program_folder();

}  // namespace platform_test
