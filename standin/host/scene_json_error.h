// The one error type of the scene file readers (JSON scenes and assimp imports).
#pragma once

#include <stdexcept>
#include <string>

namespace standin {

// A scene file that cannot be read. The message is one line: where (a JSON Pointer path such as
// "/nodes/2/mesh/faces", or the file) and what was expected there.
class SceneFileError : public std::runtime_error {
  public:
    SceneFileError(const std::string& where, const std::string& what)
        : std::runtime_error(where + ": " + what) {}
};

}  // namespace standin
