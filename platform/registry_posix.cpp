#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "platform/internal/reg_file.h"
#include "platform/registry.h"

namespace platform {

// The values of the key, read from its hive file when the key was opened.
struct RegistryKey::State {
    internal::RegistryValues values;
};

namespace {

constexpr const char* kRegistryDirVariable = "VSF_REGISTRY_DIR";

std::u16string_view hive_name(RegistryHive hive) {
    return hive == RegistryHive::current_user ? u"HKEY_CURRENT_USER" : u"HKEY_LOCAL_MACHINE";
}

bool read_file(const std::string& path, std::string& data) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    char chunk[4096];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        data.append(chunk, count);
    }
    std::fclose(file);
    return true;
}

// A key exists when a section names it or any key below it, as a key path implies its parents.
const internal::RegistryValues* find_key(const internal::RegistryKeys& keys,
                                         const std::u16string& path) {
    static const internal::RegistryValues kNoValues;
    if (path.empty()) {
        const auto root = keys.find(path);
        return root != keys.end() ? &root->second : &kNoValues;
    }
    const auto at = keys.lower_bound(path);
    if (at == keys.end()) {
        return nullptr;
    }
    if (at->first == path) {
        return &at->second;
    }
    const std::u16string parent = path + u'\\';
    return at->first.compare(0, parent.size(), parent) == 0 ? &kNoValues : nullptr;
}

std::u16string normalized_path(std::u16string_view path) {
    while (!path.empty() && path.back() == u'\\') {
        path.remove_suffix(1);
    }
    return internal::fold_registry_name(path);
}

}  // namespace

RegistryKey::RegistryKey() = default;
RegistryKey::~RegistryKey() = default;
RegistryKey::RegistryKey(RegistryKey&& other) noexcept = default;
RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept = default;
RegistryKey::RegistryKey(std::unique_ptr<State> state) : state_(std::move(state)) {}

RegistryKey RegistryKey::open(RegistryHive hive, std::u16string_view path) {
    const char* folder = std::getenv(kRegistryDirVariable);
    if (!folder || !*folder) {
        return {};
    }
    std::string file_name = folder;
    file_name += '/';
    for (const char16_t c : hive_name(hive)) {
        file_name += static_cast<char>(c);
    }
    file_name += ".reg";
    std::string bytes;
    if (!read_file(file_name, bytes)) {
        return {};
    }
    const internal::RegistryKeys keys = internal::parse_reg_file(bytes, hive_name(hive));
    const internal::RegistryValues* values = find_key(keys, normalized_path(path));
    if (!values) {
        return {};
    }
    return RegistryKey(std::make_unique<State>(State{*values}));
}

RegistryRead RegistryKey::read_value(std::u16string_view name, void* buffer,
                                     std::uint32_t buffer_size) const {
    RegistryRead read;
    if (!state_) {
        return read;
    }
    const auto found = state_->values.find(internal::fold_registry_name(name));
    if (found == state_->values.end()) {
        return read;
    }
    const internal::RegistryValue& value = found->second;
    read.type = value.type;
    read.size = static_cast<std::uint32_t>(value.data.size());
    if (!buffer) {
        read.status = RegistryStatus::ok;
    } else if (value.data.size() > buffer_size) {
        read.status = RegistryStatus::more_data;
    } else {
        if (!value.data.empty()) {
            std::memcpy(buffer, value.data.data(), value.data.size());
        }
        read.status = RegistryStatus::ok;
    }
    return read;
}

void RegistryKey::close() {
    state_.reset();
}

}  // namespace platform
