#include "platform/numeric_locale.h"

#include <clocale>

namespace platform {

std::string numeric_locale() {
    const char* name = std::setlocale(LC_NUMERIC, nullptr);
    return name ? name : "C";
}

bool set_numeric_locale(const std::string& name) {
    return std::setlocale(LC_NUMERIC, name.c_str()) != nullptr;
}

}  // namespace platform
