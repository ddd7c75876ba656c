// The process's numeric-formatting locale (the LC_NUMERIC category), read and switched by name.
#pragma once

#include <string>

namespace platform {

// The name of the numeric locale in force now.
std::string numeric_locale();

// Switches the numeric locale; returns false (and changes nothing) for a name the C runtime
// does not know.
bool set_numeric_locale(const std::string& name);

}  // namespace platform
