// Profile (".ini") files: sections of key=value lines, read and written one key at a time.
// Paths are full paths (Windows would look for a relative one in its own folder); on POSIX a
// backslash in them counts as a directory separator, and writing rewrites the file through
// SimpleIni, which keeps sections, keys, values and comments but drops lines it cannot read.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// GetPrivateProfileString semantics: the value of key in section (both without regard to
// case) or default_value when missing, cut to buffer_size - 1 UTF-16 units.
std::u16string read_profile_string(const std::u16string& section, const std::u16string& key,
                                   const std::u16string& default_value, std::size_t buffer_size,
                                   const std::u16string& file_path);

// WritePrivateProfileString semantics: sets the key, creating section and file as needed,
// keeping the rest of the file. False when the file cannot be written.
bool write_profile_string(const std::u16string& section, const std::u16string& key,
                          const std::u16string& value, const std::u16string& file_path);

}  // namespace platform
