// The registry export text format (".reg" files), read into the keys and values of one hive.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace platform::internal {

struct RegistryValue {
    std::uint32_t type = 0;
    std::vector<unsigned char> data;  // the bytes RegQueryValueExW would hand out
};

// Values of one key by folded name (fold_registry_name).
using RegistryValues = std::map<std::u16string, RegistryValue>;

// Keys of one hive by folded path without the hive name ("software\maker\product").
using RegistryKeys = std::map<std::u16string, RegistryValues>;

// Registry names compare without regard to case: this is the form they are compared in.
std::u16string fold_registry_name(std::u16string_view name);

// Reads the keys of hive_name ("HKEY_CURRENT_USER") from the bytes of a .reg file (UTF-16LE with
// its byte-order mark, or UTF-8). Lenient: a header is optional, a malformed line is skipped (a
// malformed section header skips the values up to the next section), sections of other hives
// are ignored; strings become type 1, dword:xxxxxxxx type 4, hex:/hex(n): their bytes and type.
// Any input is safe: nothing is read outside the bytes given.
RegistryKeys parse_reg_file(std::string_view bytes, std::u16string_view hive_name);

}  // namespace platform::internal
