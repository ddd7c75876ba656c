// Reading the Windows registry: keys of HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE opened for
// reading, values read into the caller's buffer as RegQueryValueExW reads them.
//
// On POSIX each hive is a registry export text file (".reg": a "Windows Registry Editor Version
// 5.00" header, "[HKEY_CURRENT_USER\path]" sections, "name"="text" and "name"=dword:0000abcd
// values) named HKEY_CURRENT_USER.reg or HKEY_LOCAL_MACHINE.reg in the folder named by the
// environment variable VSF_REGISTRY_DIR (unset: no key exists), read afresh by every open. Both
// ways, a value keeps its type and its bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace platform {

enum class RegistryHive { current_user, local_machine };

// Value types, with the numbers Windows gives them.
constexpr std::uint32_t registry_type_none = 0;
constexpr std::uint32_t registry_type_string = 1;         // REG_SZ: UTF-16LE text and a zero
constexpr std::uint32_t registry_type_expand_string = 2;  // REG_EXPAND_SZ
constexpr std::uint32_t registry_type_binary = 3;         // REG_BINARY
constexpr std::uint32_t registry_type_dword = 4;          // REG_DWORD: 4 bytes, little-endian
constexpr std::uint32_t registry_type_multi_string = 7;   // REG_MULTI_SZ
constexpr std::uint32_t registry_type_qword = 11;         // REG_QWORD

enum class RegistryStatus {
    ok,
    not_found,  // no such key or value
    more_data,  // the value is larger than the buffer; nothing was read
    failed,     // any other failure
};

struct RegistryRead {
    RegistryStatus status = RegistryStatus::not_found;
    std::uint32_t type = registry_type_none;  // the value's type, when it exists
    std::uint32_t size = 0;  // bytes read, or bytes needed when status is more_data
};

// An open registry key; closed when destroyed. Move-only.
class RegistryKey {
  public:
    RegistryKey();
    ~RegistryKey();
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens the key at path ("SOFTWARE\Maker\Product", "\"-separated, without regard to case)
    // of a hive for reading. The result is not open (is_open false) when the key does not exist.
    static RegistryKey open(RegistryHive hive, std::u16string_view path);

    bool is_open() const { return state_ != nullptr; }

    // Reads the value named name (empty: the key's default value) into buffer, which holds
    // buffer_size bytes. A value larger than the buffer is not read (more_data, with the size it
    // needs); a value that fits is copied whole, whatever its type. With a null buffer only the
    // type and size are reported. A closed key reads nothing (not_found).
    RegistryRead read_value(std::u16string_view name, void* buffer,
                            std::uint32_t buffer_size) const;

    // Closes the key now; does nothing when it is not open.
    void close();

  private:
    struct State;
    explicit RegistryKey(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace platform
