// Holds back what the libraries print on standard error during an export (the scene library
// reports a failed file operation there itself), so that a failure can be told in one line.
#pragma once

#include <cstdio>
#include <string>

namespace vsfexport {

class StderrCapture {
  public:
    // Sends standard error into a temporary file from now on. If that cannot be done, nothing is
    // held back and release() returns an empty text.
    StderrCapture();
    // Restores standard error (whatever was held back is dropped unless released).
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // The original standard error, for output meant for the user right now (a progress bar).
    std::FILE* terminal() const { return terminal_ ? terminal_ : stderr; }
    // Restores standard error and returns what was printed meanwhile.
    std::string release();

  private:
    int saved_fd_ = -1;
    std::FILE* capture_ = nullptr;
    std::FILE* terminal_ = nullptr;
};

}  // namespace vsfexport
