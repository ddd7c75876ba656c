// The back-end factory that writes a scene file.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "importers/sceneapi/dev/light_factory.h"
#include "importers/sceneapi/dev/scene_api_file.h"

namespace zyl {

class LightFileFactory : public LightFactory {
  public:
    // Opens the file named by the UTF-8 `path` (created or emptied, binary) and creates the
    // writer over it. The path "-" sends the scene to standard output, and later prints to
    // standard output go to standard error. Throws std::runtime_error
    // `could not open file: "<path>"` after printing the system's reason ("opening file: ...").
    explicit LightFileFactory(const std::string& path);
    // Closes like close(); a failure is only printed on standard error here.
    ~LightFileFactory() override;

    LightFileFactory(const LightFileFactory&) = delete;
    LightFileFactory& operator=(const LightFileFactory&) = delete;

    zylScene_api* get_api() override;
    // Writes the four header lines of a scene file.
    void start(zylSceneapi_oo& api) override;
    // Destroys the writer, then closes the file; a second call does nothing. A write or close
    // error of the file (a full disk) throws std::runtime_error "could not close file" after
    // printing the system's reason ("closing file: ...").
    void close() override;

  private:
    std::unique_ptr<zylScene_api_file> writer_;
    std::FILE* output_ = nullptr;
};

}  // namespace zyl
