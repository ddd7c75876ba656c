#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/utf.h"
#include "test_support.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using platform::RegistryHive;
using platform::RegistryKey;
using platform::RegistryRead;
using platform::RegistryStatus;

// Stores values the way an installer leaves them: in the Windows registry (of the Wine prefix
// under Wine), or on POSIX as the .reg files that stand for the two hives.
class Registry : public platform_test::ScratchFolderTest {
  protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        // A key of its own, as CTest runs test cases side by side in one Wine prefix.
        root_ = u"Software\\VsfPlatformTest\\" + platform::utf8_to_utf16(folder_name());
#ifdef _WIN32
        remove_test_keys();
#else
        platform_test::set_environment("VSF_REGISTRY_DIR", platform_test::utf8_of(folder_));
#endif
    }

    void TearDown() override {
#ifdef _WIN32
        remove_test_keys();
#endif
        ScratchFolderTest::TearDown();
    }

    void set_string(RegistryHive hive, const std::u16string& key, const std::u16string& name,
                    const std::u16string& text) {
#ifdef _WIN32
        std::u16string data = text;
        data.push_back(u'\0');
        set_value(hive, key, name, REG_SZ, data.data(), data.size() * 2);
#else
        std::u16string quoted;
        for (const char16_t c : text) {
            if (c == u'\\' || c == u'"') {
                quoted.push_back(u'\\');
            }
            quoted.push_back(c);
        }
        add_line(hive, key, u"\"" + name + u"\"=\"" + quoted + u"\"");
#endif
    }

    void set_dword(RegistryHive hive, const std::u16string& key, const std::u16string& name,
                   std::uint32_t value) {
#ifdef _WIN32
        set_value(hive, key, name, REG_DWORD, &value, 4);
#else
        char digits[16];
        std::snprintf(digits, sizeof digits, "%08x", value);
        add_line(hive, key, u"\"" + name + u"\"=dword:" + platform::utf8_to_utf16(digits));
#endif
    }

    RegistryKey open(RegistryHive hive, const std::u16string& key) {
        return RegistryKey::open(hive, root_ + u"\\" + key);
    }

    std::u16string root_;

  private:
#ifdef _WIN32
    static HKEY root_of(RegistryHive hive) {
        return hive == RegistryHive::current_user ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    }
    static const wchar_t* wide(const std::u16string& text) {
        return reinterpret_cast<const wchar_t*>(text.c_str());
    }
    void remove_test_keys() {
        for (const RegistryHive hive : {RegistryHive::current_user, RegistryHive::local_machine}) {
            RegDeleteTreeW(root_of(hive), wide(root_));
        }
    }
    void set_value(RegistryHive hive, const std::u16string& key, const std::u16string& name,
                   DWORD type, const void* data, std::size_t size) {
        HKEY handle = nullptr;
        ASSERT_EQ(RegCreateKeyExW(root_of(hive), wide(root_ + u"\\" + key), 0, nullptr, 0,
                                  KEY_WRITE, nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(handle, wide(name), 0, type, static_cast<const BYTE*>(data),
                                 static_cast<DWORD>(size)),
                  ERROR_SUCCESS);
        RegCloseKey(handle);
    }
#else
    // Sections in the order first used, each with its value lines; the file is written anew.
    void add_line(RegistryHive hive, const std::u16string& key, const std::u16string& line) {
        const bool user = hive == RegistryHive::current_user;
        std::map<std::u16string, std::vector<std::u16string> >& sections = user ? user_ : machine_;
        sections[key].push_back(line);
        std::u16string text = u"Windows Registry Editor Version 5.00\r\n";
        const std::u16string hive_name = user ? u"HKEY_CURRENT_USER" : u"HKEY_LOCAL_MACHINE";
        for (const auto& [section, lines] : sections) {
            text += u"\r\n[" + hive_name + u"\\" + root_ + u"\\" + section + u"]\r\n";
            for (const std::u16string& value_line : lines) {
                text += value_line + u"\r\n";
            }
        }
        platform_test::write_file(path_of(platform::utf16_to_utf8(hive_name) + ".reg"),
                                  platform::utf16_to_utf8(text));
    }
    std::map<std::u16string, std::vector<std::u16string> > user_;
    std::map<std::u16string, std::vector<std::u16string> > machine_;
#endif
};

std::u16string text_of(const std::vector<unsigned char>& bytes, std::uint32_t size) {
    std::u16string text;
    for (std::uint32_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    }
    while (!text.empty() && text.back() == u'\0') {
        text.pop_back();
    }
    return text;
}

TEST_F(Registry, TextValueReadsWithItsTypeAndTerminator) {
    set_string(RegistryHive::current_user, u"Vistrel 9", u"BinName", u"C:\\Vistrel\\vistrel.exe");
    const RegistryKey key = open(RegistryHive::current_user, u"Vistrel 9");
    ASSERT_TRUE(key.is_open());
    std::vector<unsigned char> buffer(520, 0xEE);
    const RegistryRead read = key.read_value(u"BinName", buffer.data(), 520);
    EXPECT_EQ(read.status, RegistryStatus::ok);
    EXPECT_EQ(read.type, platform::registry_type_string);
    EXPECT_EQ(read.size, 2 * (22 + 1));
    EXPECT_EQ(text_of(buffer, read.size), u"C:\\Vistrel\\vistrel.exe");
    EXPECT_EQ(buffer[read.size - 1], 0);
    EXPECT_EQ(buffer[read.size], 0xEE) << "nothing is written past the value";
}

// A value reads only into a buffer that holds all of it; one byte short and nothing is read.
TEST_F(Registry, ValueLargerThanTheBufferFailsToRead) {
    set_string(RegistryHive::current_user, u"Vistrel 9", u"ResourceFolder", u"abc");
    const RegistryKey key = open(RegistryHive::current_user, u"Vistrel 9");
    std::vector<unsigned char> buffer(8, 0xEE);

    RegistryRead read = key.read_value(u"ResourceFolder", buffer.data(), 7);
    EXPECT_EQ(read.status, RegistryStatus::more_data);
    EXPECT_EQ(read.size, 8u);
    EXPECT_EQ(read.type, platform::registry_type_string);

    read = key.read_value(u"ResourceFolder", buffer.data(), 8);
    EXPECT_EQ(read.status, RegistryStatus::ok);
    EXPECT_EQ(text_of(buffer, read.size), u"abc");

    read = key.read_value(u"ResourceFolder", nullptr, 0);
    EXPECT_EQ(read.status, RegistryStatus::ok) << "a null buffer asks for the size";
    EXPECT_EQ(read.size, 8u);
}

// The port reader tries a 4-byte read first and takes whatever succeeds as a number, then falls
// back to text: both crossings must behave as on Windows.
TEST_F(Registry, DwordReadAsTextAndTextReadAsFourBytes) {
    set_dword(RegistryHive::current_user, u"Vistrel 9", u"LiveLinkPort", 0x15B4);
    set_string(RegistryHive::current_user, u"Vistrel 9", u"LiveLinkMaxPort", u"5560");
    set_string(RegistryHive::current_user, u"Vistrel 9", u"Short", u"7");
    const RegistryKey key = open(RegistryHive::current_user, u"Vistrel 9");

    std::uint32_t number = 0;
    RegistryRead read = key.read_value(u"LiveLinkPort", &number, 4);
    EXPECT_EQ(read.status, RegistryStatus::ok);
    EXPECT_EQ(read.type, platform::registry_type_dword);
    EXPECT_EQ(number, 0x15B4u);

    std::vector<unsigned char> text(512, 0);
    read = key.read_value(u"LiveLinkPort", text.data(), 512);
    EXPECT_EQ(read.status, RegistryStatus::ok) << "a dword fits a text buffer";
    EXPECT_EQ(read.type, platform::registry_type_dword);
    EXPECT_EQ(read.size, 4u);
    EXPECT_EQ(std::vector<unsigned char>(text.begin(), text.begin() + 4),
              (std::vector<unsigned char>{0xB4, 0x15, 0, 0}));

    read = key.read_value(u"LiveLinkMaxPort", &number, 4);
    EXPECT_EQ(read.status, RegistryStatus::more_data) << "\"5560\" needs 10 bytes";
    EXPECT_EQ(read.size, 10u);

    number = 0;
    read = key.read_value(u"Short", &number, 4);
    EXPECT_EQ(read.status, RegistryStatus::ok) << "\"7\" and its terminator are 4 bytes";
    EXPECT_EQ(read.type, platform::registry_type_string);
    EXPECT_EQ(number, 0x37u);
}

TEST_F(Registry, HivesAreApart) {
    set_string(RegistryHive::current_user, u"Vistrel 9", u"BinFolder", u"user");
    set_string(RegistryHive::local_machine, u"Vistrel 9", u"BinFolder", u"machine");
    set_string(RegistryHive::local_machine, u"Vistrel 8", u"BinFolder", u"machine 8");

    std::vector<unsigned char> buffer(520, 0);
    RegistryRead read =
        open(RegistryHive::current_user, u"Vistrel 9").read_value(u"BinFolder", buffer.data(), 520);
    EXPECT_EQ(text_of(buffer, read.size), u"user");
    read = open(RegistryHive::local_machine, u"Vistrel 9")
               .read_value(u"BinFolder", buffer.data(), 520);
    EXPECT_EQ(text_of(buffer, read.size), u"machine");
    EXPECT_TRUE(open(RegistryHive::local_machine, u"Vistrel 8").is_open());
    EXPECT_FALSE(open(RegistryHive::current_user, u"Vistrel 8").is_open());
}

TEST_F(Registry, KeysAndValueNamesMatchWithoutRegardToCase) {
    set_string(RegistryHive::local_machine, u"Vistrel 8", u"ResourceFolder", u"res");
    std::u16string shouted = root_;
    for (char16_t& c : shouted) {
        c = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
    }
    const RegistryKey key =
        RegistryKey::open(RegistryHive::local_machine, shouted + u"\\vistrel 8");
    ASSERT_TRUE(key.is_open());
    std::vector<unsigned char> buffer(520, 0);
    const RegistryRead read = key.read_value(u"resourcefolder", buffer.data(), 520);
    EXPECT_EQ(read.status, RegistryStatus::ok);
    EXPECT_EQ(text_of(buffer, read.size), u"res");
}

TEST_F(Registry, MissingKeysAndValues) {
    set_string(RegistryHive::current_user, u"Vistrel 9", u"BinName", u"x");
    EXPECT_FALSE(open(RegistryHive::current_user, u"Vistrel 10").is_open());
    EXPECT_TRUE(RegistryKey::open(RegistryHive::current_user, root_).is_open())
        << "a key with subkeys exists even without values";

    const RegistryKey key = open(RegistryHive::current_user, u"Vistrel 9");
    unsigned char buffer[16];
    EXPECT_EQ(key.read_value(u"LiveLinkPort", buffer, 16).status, RegistryStatus::not_found);

    RegistryKey closed;
    EXPECT_FALSE(closed.is_open());
    EXPECT_EQ(closed.read_value(u"BinName", buffer, 16).status, RegistryStatus::not_found);
}

TEST_F(Registry, KeyStaysUsableWhenMovedAndReadsNothingWhenClosed) {
    set_string(RegistryHive::current_user, u"Vistrel 9", u"BinName", u"x");
    RegistryKey first = open(RegistryHive::current_user, u"Vistrel 9");
    RegistryKey kept = std::move(first);
    unsigned char buffer[16];
    EXPECT_EQ(kept.read_value(u"BinName", buffer, 16).status, RegistryStatus::ok);
    kept.close();
    EXPECT_FALSE(kept.is_open());
    EXPECT_EQ(kept.read_value(u"BinName", buffer, 16).status, RegistryStatus::not_found);
}

TEST_F(Registry, NonAsciiTextKeepsItsCharacters) {
    const std::u16string folder = u"C:\\Programme\\Biblioth\u00E8que \u65E5\u672C";
    set_string(RegistryHive::current_user, u"Vistrel 9", u"BinFolder", folder);
    std::vector<unsigned char> buffer(520, 0);
    const RegistryRead read =
        open(RegistryHive::current_user, u"Vistrel 9").read_value(u"BinFolder", buffer.data(), 520);
    EXPECT_EQ(text_of(buffer, read.size), folder);
}

}  // namespace
