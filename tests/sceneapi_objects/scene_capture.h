// A real file writer over a temporary file, bound to a front end, for byte-exact tests of what the
// scene objects write. The header, banner and version written when the front end is bound are
// left out of what `scene()` returns, so a test sees only the objects' own bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "importers/sceneapi/dev/scene_api_file.h"
#include "importers/sceneapi/dev/sceneapi_oo.h"

namespace objects_test {

// Hands the front end a writer over an already open file; writes no header.
class TempFileFactory : public zyl::LightFactory {
  public:
    explicit TempFileFactory(std::FILE* file) : writer_(new zylScene_api_file(file, true)) {}
    zylScene_api* get_api() override { return writer_.get(); }
    void start(zyl::zylSceneapi_oo& /*api*/) override {}
    void close() override { writer_.reset(); }

  private:
    std::unique_ptr<zylScene_api_file> writer_;
};

class SceneCapture {
  public:
    SceneCapture()
        : file_(open_scratch_file()), factory_(file_), front_end_(&factory_), start_(position()) {}
    ~SceneCapture() {
        factory_.close();
        if (file_) {
            std::fclose(file_);
        }
        if (!scratch_path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove(scratch_path_, ignored);
        }
    }
    SceneCapture(const SceneCapture&) = delete;
    SceneCapture& operator=(const SceneCapture&) = delete;

    zyl::zylSceneapi_oo& api() { return front_end_; }

    // Every byte written since the front end was bound.
    std::string scene() {
        std::string bytes;
        if (!file_) {
            return "<no temporary file>";
        }
        std::fflush(file_);
        std::fseek(file_, start_, SEEK_SET);
        char chunk[65536];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, file_)) > 0) {
            bytes.append(chunk, n);
        }
        std::fseek(file_, 0, SEEK_END);
        return bytes;
    }

  private:
    // std::tmpfile where it works; Windows' C runtime makes it in the root of the drive, which a
    // normal user may not write, so fall back to a uniquely named file in the temporary folder.
    std::FILE* open_scratch_file() {
        if (std::FILE* file = std::tmpfile()) {
            return file;
        }
        std::random_device random;
        scratch_path_ = std::filesystem::temp_directory_path() /
                        ("sceneapi-objects-" + std::to_string(random()) + "-" +
                         std::to_string(random()) + ".vsf");
        return std::fopen(scratch_path_.string().c_str(), "w+b");
    }

    long position() {
        if (!file_) {
            return 0;
        }
        std::fflush(file_);
        return std::ftell(file_);
    }

    std::filesystem::path scratch_path_;
    std::FILE* file_;
    TempFileFactory factory_;
    zyl::zylSceneapi_oo front_end_;
    long start_;
};

// The bytes of an embedded binary array block: the tag 01 02 03 and the kind letter, the scalar
// count as little-endian int32, then the scalars as stored (little-endian, 4 bytes each).
template <typename T>
std::string block(char kind, const std::vector<T>& values) {
    static_assert(sizeof(T) % 4 == 0, "32-bit scalars");
    const std::size_t bytes = values.size() * sizeof(T);
    const uint32_t count = static_cast<uint32_t>(bytes / 4);
    std::string out = {'\x01', '\x02', '\x03', kind};
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((count >> (8 * i)) & 0xFFu));
    }
    out.append(reinterpret_cast<const char*>(values.data()), bytes);
    return out;
}

// A list entry holding a binary array: the quoted name, then the block between brackets.
template <typename T>
std::string array_entry(const std::string& name, char kind, const std::vector<T>& values) {
    return "\"" + name + "\" [ " + block(kind, values) + "] ,\n";
}

}  // namespace objects_test
