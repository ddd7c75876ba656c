#include "importers/sceneapi/dev/light_file_factory.h"

#include <cerrno>
#include <stdexcept>

#include "platform/file_io.h"

namespace zyl {

namespace {

// Closes the file and tells whether every byte written to it reached the system. A write error
// that stdio kept to itself (a full disk) counts as a failure, so no truncated file passes as
// success.
bool close_checked(std::FILE* file) {
    const bool flushed = std::fflush(file) == 0;
    int saved_errno = errno;
    const bool clean = std::ferror(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (flushed && !closed) {
        saved_errno = errno;
    }
    errno = saved_errno != 0 ? saved_errno : EIO;
    return flushed && clean && closed;
}

}  // namespace

LightFileFactory::LightFileFactory(const std::string& path) {
    if (path == "-") {
        output_ = platform::take_standard_output();
    } else {
        output_ = platform::open_file_utf8(path, "wb+");
    }
    if (!output_) {
        std::perror("opening file");
        throw std::runtime_error("could not open file: \"" + path + "\"");
    }
    writer_ = std::make_unique<zylScene_api_file>(output_, true);
}

LightFileFactory::~LightFileFactory() {
    writer_.reset();
    if (output_) {
        std::FILE* file = output_;
        output_ = nullptr;
        if (!close_checked(file)) {
            std::perror("closing file");
        }
    }
}

zylScene_api* LightFileFactory::get_api() {
    return writer_.get();
}

void LightFileFactory::start(zylSceneapi_oo&) {
    static const char* const header[] = {
        "//---tesmar:dal:7---\n",
        "//---import:dal:1---\n",
        "//---id:1---\n",
        "// This is a Vistrel scene file\n\n",
    };
    if (!writer_) {
        return;
    }
    char line[4096];
    for (const char* text : header) {
        std::snprintf(line, sizeof line, "%s", text);
        writer_->write_raw("%s", line);
    }
}

void LightFileFactory::close() {
    writer_.reset();  // restores the numeric locale
    if (output_) {
        std::FILE* file = output_;
        output_ = nullptr;
        if (!close_checked(file)) {
            std::perror("closing file");
            throw std::runtime_error("could not close file");
        }
    }
}

}  // namespace zyl
