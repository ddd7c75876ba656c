#include "platform/internal/posix_path.h"

#include <algorithm>

#include "platform/utf.h"

namespace platform::internal {

std::string posix_path(std::u16string_view path) {
    std::string name = utf16_to_utf8(path);
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

}  // namespace platform::internal
