#include "exporter/renderer_resource_folder.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/registry.h"

namespace vsf {

namespace {

constexpr char16_t kBaseKey[] = u"SOFTWARE\\Tesmar\\";
constexpr char16_t kResourceFolderValue[] = u"ResourceFolder";
constexpr int kOldestVersion = 5;
constexpr int kNewestVersion = 20;
// Longer values are not folder paths; they are passed over like missing ones.
constexpr std::uint32_t kMaxValueBytes = 65536;

// A string value of an open key, up to its first zero; empty when missing or not a string.
std::u16string read_string(const platform::RegistryKey& key, std::u16string_view name) {
    const platform::RegistryRead probe = key.read_value(name, nullptr, 0);
    if (probe.type != platform::registry_type_string || probe.size < 2 ||
        probe.size > kMaxValueBytes) {
        return {};
    }
    std::vector<char16_t> buffer(probe.size / 2 + 1, u'\0');
    const platform::RegistryRead read =
        key.read_value(name, buffer.data(), static_cast<std::uint32_t>(buffer.size() * 2));
    if (read.status != platform::RegistryStatus::ok ||
        read.type != platform::registry_type_string) {
        return {};
    }
    std::u16string text(buffer.data(), read.size / 2);
    const std::size_t end = text.find(u'\0');
    if (end != std::u16string::npos) {
        text.resize(end);
    }
    return text;
}

std::u16string version_key(int version) {
    std::u16string key = kBaseKey;
    key += u"Vistrel ";
    for (char c : std::to_string(version)) {
        key.push_back(static_cast<char16_t>(c));
    }
    return key;
}

bool is_folder(const std::u16string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(std::filesystem::path(path), error);
}

}  // namespace

std::u16string textures_registry_folder() {
    const platform::RegistryKey key =
        platform::RegistryKey::open(platform::RegistryHive::local_machine, version_key(8));
    return key.is_open() ? read_string(key, kResourceFolderValue) : std::u16string();
}

std::u16string best_installation_resource_folder() {
    std::u16string best;
    int best_version = 0;
    for (platform::RegistryHive hive :
         {platform::RegistryHive::current_user, platform::RegistryHive::local_machine}) {
        for (int version = kNewestVersion; version >= kOldestVersion && version > best_version;
             --version) {
            const platform::RegistryKey key =
                platform::RegistryKey::open(hive, version_key(version));
            if (!key.is_open()) {
                continue;
            }
            const std::u16string folder = read_string(key, kResourceFolderValue);
            if (is_folder(folder)) {
                best = folder;
                best_version = version;
                break;
            }
        }
    }
    return best;
}

}  // namespace vsf
