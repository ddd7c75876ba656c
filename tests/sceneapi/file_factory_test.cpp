// The file factory: opening, the standard-output target, closing, write errors, and the numeric
// locale that the writer borrows.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "importers/sceneapi/dev/sceneapi.h"
#include "platform/numeric_locale.h"

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class FileFactory : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vsf-factory-" + std::to_string(testing::UnitTest::GetInstance()->random_seed()) +
                "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(FileFactory, UnopenablePathReportsAndThrowsWithTheQuotedPath) {
    const std::string path = (dir_ / "missing" / "a.vsf").u8string();
    testing::internal::CaptureStderr();
    try {
        zyl::LightFileFactory factory(path);
        testing::internal::GetCapturedStderr();
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(printed.rfind("opening file: ", 0), 0u) << printed;
        EXPECT_EQ(std::string(e.what()), "could not open file: \"" + path + "\"");
    }
}

TEST_F(FileFactory, DashPrefixedNamesAreOrdinaryFiles) {
    const fs::path old_dir = fs::current_path();
    fs::current_path(dir_);
    for (const char* name : {"--", "-x"}) {
        {
            zyl::LightFileFactory factory(name);
            zyl::zylSceneapi_oo api(&factory);
        }
        EXPECT_EQ(slurp(dir_ / name).rfind("//---tesmar:dal:7---\n", 0), 0u) << name;
    }
    fs::current_path(old_dir);
}

TEST_F(FileFactory, NonAsciiPathFromUtf8) {
    const std::string name = "sc\xc3\xa8ne \xe6\x97\xa5\xe6\x9c\xac.vsf";  // "scène 日本.vsf"
    const std::string path = (dir_.u8string() + "/" + name);
    {
        zyl::LightFileFactory factory(path);
        zyl::zylSceneapi_oo api(&factory);
    }
    EXPECT_TRUE(fs::exists(fs::u8path(path)));
    const std::string text = slurp(fs::u8path(path));
    EXPECT_EQ(text.rfind("//---tesmar:dal:7---\n", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 12), "\nversion 9\n\n");
}

TEST_F(FileFactory, CloseTwiceClosesOnceAndLeavesNoInterface) {
    zyl::LightFileFactory factory((dir_ / "a.vsf").u8string());
    EXPECT_NE(factory.get_api(), nullptr);
    factory.close();
    EXPECT_EQ(factory.get_api(), nullptr);
    EXPECT_NO_THROW(factory.close());
}

#if defined(__linux__)
// A full disk must not pass for success: the error surfaces when the file is closed.
TEST_F(FileFactory, WriteErrorIsReportedOnClose) {
    zyl::LightFileFactory factory("/dev/full");
    {
        zyl::zylSceneapi_oo api(&factory);
        api.begin_group("g");
        api.param("values", std::vector<float>(100000, 1.0f));
        api.end_group();
    }
    testing::internal::CaptureStderr();
    try {
        factory.close();
        testing::internal::GetCapturedStderr();
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "could not close file");
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(printed.rfind("closing file: ", 0), 0u) << printed;
    }
}

TEST_F(FileFactory, WriteErrorDuringDestructionIsOnlyPrinted) {
    testing::internal::CaptureStderr();
    {
        zyl::LightFileFactory factory("/dev/full");
        zyl::zylSceneapi_oo api(&factory);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("closing file: ", 0), 0u);
}
#endif

#if !defined(_WIN32)
// The scene goes to standard output; what the process prints afterwards goes to standard error.
TEST_F(FileFactory, DashSendsTheSceneToStandardOutput) {
    const fs::path out = dir_ / "out.txt";
    const fs::path err = dir_ / "err.txt";
    const std::string command = std::string("\"") + VSF_STDOUT_CHILD + "\" > \"" + out.string() +
                                "\" 2> \"" + err.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string scene = slurp(out);
    EXPECT_EQ(scene.rfind("//---tesmar:dal:7---\n", 0), 0u);
    EXPECT_NE(scene.find("\ngroup \"to stdout\" {\n}\n"), std::string::npos);
    EXPECT_EQ(scene.find("printed later"), std::string::npos);
    EXPECT_EQ(slurp(err), "printed later\n");
}
#endif

// The writer borrows the "C" numeric locale: numbers get a decimal point even in a process
// that runs with a decimal comma, and the process gets its own locale back afterwards.
TEST_F(FileFactory, DecimalPointUnderADecimalCommaLocale) {
    const std::string before = platform::numeric_locale();
    std::string comma_locale;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252", "deu"}) {
        if (platform::set_numeric_locale(name)) {
            comma_locale = platform::numeric_locale();
            break;
        }
    }
    ASSERT_FALSE(comma_locale.empty()) << "no decimal-comma locale: run scripts/setup.sh";
    char probe[32];
    std::snprintf(probe, sizeof probe, "%g", 2.5);
    ASSERT_STREQ(probe, "2,5");

    const fs::path path = dir_ / "comma.vsf";
    {
        zyl::LightFileFactory factory(path.u8string());
        zyl::zylSceneapi_oo api(&factory);
        api.param("f", 2.5f);
        api.param("d", 0.5);
        std::snprintf(probe, sizeof probe, "%g", 2.5);
        EXPECT_STREQ(probe, "2.5");  // while the writer exists
    }
    const std::string text = slurp(path);
    EXPECT_NE(text.find("\"f\" 2.5,\n\"d\" 0.5000000000000000,\n"), std::string::npos) << text;
    EXPECT_EQ(platform::numeric_locale(), comma_locale);
    std::snprintf(probe, sizeof probe, "%g", 2.5);
    EXPECT_STREQ(probe, "2,5");
    platform::set_numeric_locale(before);
}

}  // namespace
