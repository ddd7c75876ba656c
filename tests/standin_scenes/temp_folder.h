// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the test.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace standin_test {

class TempFolder {
  public:
    TempFolder() {
        std::random_device rd;
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = base / ("standin_scenes_" + std::to_string(rd()));
            if (std::filesystem::create_directory(path_)) {
                return;
            }
        }
        throw std::runtime_error("cannot make a temporary folder");
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // Writes bytes to the file name in the folder and returns its path.
    std::string write(const std::string& name, const std::string& bytes) const {
        const std::string p = file(name);
        std::ofstream out(p, std::ios::binary);
        out << bytes;
        return p;
    }

  private:
    std::filesystem::path path_;
};

}  // namespace standin_test
