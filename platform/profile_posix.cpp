// Only the 8-bit class is used (texts are stored as UTF-8), which needs no converter; its template
// code is compiled here rather than taken from the packaged library (which pulls in ICU).
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/internal/posix_path.h"
#include "platform/profile.h"
#include "platform/utf.h"

namespace platform {

namespace {

// Windows drops the blanks at the end of a default text.
std::u16string without_trailing_blanks(std::u16string text) {
    while (!text.empty() && text.back() == u' ') {
        text.pop_back();
    }
    return text;
}

// Windows hands out a value enclosed in a matching pair of quotes without them.
std::u16string without_enclosing_quotes(std::u16string text) {
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
        text.back() == text.front()) {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

enum class FileState { read, missing, unreadable };

FileState read_whole_file(const std::string& path, std::string& data) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return errno == ENOENT ? FileState::missing : FileState::unreadable;
    }
    char chunk[4096];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        data.append(chunk, count);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? FileState::unreadable : FileState::read;
}

// SimpleIni keeps sections and keys in load order and compares names without regard to ASCII
// case, which is what the profile routines of Windows do for the names we use. A missing file
// loads as empty.
bool load(CSimpleIniA& ini, const std::string& path) {
    ini.SetUnicode(true);
    ini.SetSpaces(false);
    ini.SetMultiLine(false);  // "<<<" starts no multi-line value in a Windows profile.
    std::string data;
    switch (read_whole_file(path, data)) {
        case FileState::missing:
            return true;
        case FileState::unreadable:
            return false;
        case FileState::read:
            break;
    }
    return ini.LoadData(data) >= 0;
}

bool write_whole_file(const std::string& path, const std::string& data) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}

}  // namespace

std::u16string read_profile_string(const std::u16string& section, const std::u16string& key,
                                   const std::u16string& default_value, std::size_t buffer_size,
                                   const std::u16string& file_path) {
    if (buffer_size == 0) {
        return {};
    }
    std::u16string value;
    CSimpleIniA ini;
    const char* stored = nullptr;
    if (load(ini, internal::posix_path(file_path))) {
        stored = ini.GetValue(utf16_to_utf8(section).c_str(), utf16_to_utf8(key).c_str());
    }
    value = stored ? without_enclosing_quotes(utf8_to_utf16(stored))
                   : without_trailing_blanks(default_value);
    if (value.size() > buffer_size - 1) {
        value.resize(buffer_size - 1);
    }
    return value;
}

bool write_profile_string(const std::u16string& section, const std::u16string& key,
                          const std::u16string& value, const std::u16string& file_path) {
    const std::string path = internal::posix_path(file_path);
    CSimpleIniA ini;
    if (!load(ini, path)) {
        return false;  // Writing now would replace a file we could not read.
    }
    if (ini.SetValue(utf16_to_utf8(section).c_str(), utf16_to_utf8(key).c_str(),
                     utf16_to_utf8(value).c_str()) < 0) {
        return false;
    }
    std::string data;
    if (ini.Save(data) < 0) {
        return false;
    }
    return write_whole_file(path, data);
}

}  // namespace platform
