#include <windows.h>

#include <string>
#include <utility>

#include "platform/registry.h"

namespace platform {

struct RegistryKey::State {
    HKEY key = nullptr;
    ~State() { RegCloseKey(key); }
};

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide text is UTF-16");

std::wstring wide(std::u16string_view text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

RegistryStatus status_of(LSTATUS code) {
    switch (code) {
        case ERROR_SUCCESS:
            return RegistryStatus::ok;
        case ERROR_FILE_NOT_FOUND:
            return RegistryStatus::not_found;
        case ERROR_MORE_DATA:
            return RegistryStatus::more_data;
        default:
            return RegistryStatus::failed;
    }
}

}  // namespace

RegistryKey::RegistryKey() = default;
RegistryKey::~RegistryKey() = default;
RegistryKey::RegistryKey(RegistryKey&& other) noexcept = default;
RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept = default;
RegistryKey::RegistryKey(std::unique_ptr<State> state) : state_(std::move(state)) {}

RegistryKey RegistryKey::open(RegistryHive hive, std::u16string_view path) {
    const HKEY root = hive == RegistryHive::current_user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return {};
    }
    auto state = std::make_unique<State>();
    state->key = key;
    return RegistryKey(std::move(state));
}

RegistryRead RegistryKey::read_value(std::u16string_view name, void* buffer,
                                     std::uint32_t buffer_size) const {
    RegistryRead read;
    if (!state_) {
        return read;
    }
    DWORD type = REG_NONE;
    DWORD size = buffer_size;
    const LSTATUS code = RegQueryValueExW(state_->key, wide(name).c_str(), nullptr, &type,
                                          static_cast<BYTE*>(buffer), &size);
    read.status = status_of(code);
    if (read.status == RegistryStatus::ok || read.status == RegistryStatus::more_data) {
        read.type = type;
        read.size = size;
    }
    return read;
}

void RegistryKey::close() {
    state_.reset();
}

}  // namespace platform
