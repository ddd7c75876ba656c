#include "tools/vsfexport/stderr_capture.h"

#include <unistd.h>

namespace vsfexport {

StderrCapture::StderrCapture() {
    std::fflush(stderr);
    capture_ = std::tmpfile();
    saved_fd_ = dup(STDERR_FILENO);
    if (!capture_ || saved_fd_ < 0 || dup2(fileno(capture_), STDERR_FILENO) < 0) {
        if (saved_fd_ >= 0) {
            close(saved_fd_);
            saved_fd_ = -1;
        }
        if (capture_) {
            std::fclose(capture_);
            capture_ = nullptr;
        }
        return;
    }
    const int terminal_fd = dup(saved_fd_);
    terminal_ = terminal_fd >= 0 ? fdopen(terminal_fd, "w") : nullptr;
}

StderrCapture::~StderrCapture() {
    release();
}

std::string StderrCapture::release() {
    std::string text;
    if (saved_fd_ < 0) {
        return text;
    }
    std::fflush(stderr);
    dup2(saved_fd_, STDERR_FILENO);
    close(saved_fd_);
    saved_fd_ = -1;
    if (terminal_) {
        std::fclose(terminal_);
        terminal_ = nullptr;
    }
    std::rewind(capture_);
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, capture_)) > 0) {
        text.append(chunk, n);
    }
    std::fclose(capture_);
    capture_ = nullptr;
    return text;
}

}  // namespace vsfexport
