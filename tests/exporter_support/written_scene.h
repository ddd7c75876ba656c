// A real scene file for conversion tests: a file factory and a front end over a temporary file,
// and the file read back through the reader once the conversions have written into it.
#pragma once

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <system_error>

#include "importers/sceneapi/dev/light_file_factory.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"
#include "tools/vsfreader/reader.h"

namespace exporter_test {

// A folder of its own under the system temporary folder, removed with everything in it.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& prefix) {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                (prefix + "-" + std::to_string(random()) + "-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::u16string wide() const { return path_.u16string(); }

  private:
    std::filesystem::path path_;
};

class WrittenScene {
  public:
    WrittenScene()
        : folder_("exporter-scene"),
          path_((folder_.path() / "scene.vsf").string()),
          factory_(std::make_unique<zyl::LightFileFactory>(path_)),
          front_end_(std::make_unique<zyl::zylSceneapi_oo>(factory_.get())) {}

    zyl::zylSceneapi_oo& api() { return *front_end_; }

    // Closes the file (no more writing after this) and reads it back.
    vsf::Document read() {
        factory_->close();
        return vsf::read_file(path_);
    }
    // The file's bytes, for messages of failed assertions.
    std::string text() const { return vsf::read_file_bytes(path_); }

  private:
    ScratchFolder folder_;
    std::string path_;
    std::unique_ptr<zyl::LightFileFactory> factory_;
    std::unique_ptr<zyl::zylSceneapi_oo> front_end_;
};

}  // namespace exporter_test
