// The reader of .reg files that stands in for the registry on POSIX. It reads files that people
// edit by hand, so every malformed line must cost that line and nothing else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/internal/reg_file.h"

namespace {

using platform::internal::parse_reg_file;
using platform::internal::RegistryKeys;
using platform::internal::RegistryValue;

using Bytes = std::vector<unsigned char>;

Bytes text_bytes(const std::u16string& text) {
    Bytes bytes;
    for (const char16_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

// The value, or type 0 and no bytes when it is absent.
RegistryValue value_of(const RegistryKeys& keys, const std::u16string& key,
                       const std::u16string& name) {
    const auto found_key = keys.find(key);
    if (found_key == keys.end()) {
        return {};
    }
    const auto found = found_key->second.find(name);
    return found == found_key->second.end() ? RegistryValue{} : found->second;
}

const char kWellFormed[] =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\SOFTWARE\\Tesmar]\r\n"
    "\"VistrelVersion\"=\"Vistrel 9\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\SOFTWARE\\Tesmar\\Vistrel 9]\r\n"
    "\"BinName\"=\"C:\\\\Program Files\\\\Vistrel \\\"9\\\"\\\\vistrel.exe\"\r\n"
    "\"LiveLinkPort\"=dword:000015b4\r\n"
    "@=\"default\"\r\n";

TEST(RegFile, ReadsTextsDwordsAndTheDefaultValue) {
    const RegistryKeys keys = parse_reg_file(kWellFormed, u"HKEY_CURRENT_USER");
    EXPECT_EQ(value_of(keys, u"software\\tesmar", u"vistrelversion").data,
              text_bytes(u"Vistrel 9"));
    const RegistryValue bin_name = value_of(keys, u"software\\tesmar\\vistrel 9", u"binname");
    EXPECT_EQ(bin_name.type, 1u);
    EXPECT_EQ(bin_name.data, text_bytes(u"C:\\Program Files\\Vistrel \"9\"\\vistrel.exe"));
    const RegistryValue port = value_of(keys, u"software\\tesmar\\vistrel 9", u"livelinkport");
    EXPECT_EQ(port.type, 4u);
    EXPECT_EQ(port.data, (Bytes{0xB4, 0x15, 0, 0}));
    EXPECT_EQ(value_of(keys, u"software\\tesmar\\vistrel 9", u"").data, text_bytes(u"default"));
}

TEST(RegFile, ReadsTheUtf16FilesThatRegistryEditorsWrite) {
    const std::u16string text =
        u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\T]\r\n"
        u"\"Folder\"=\"D:\\\\Biblioth\u00E8que\"\r\n";
    std::string bytes = "\xFF\xFE";
    for (const char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    const RegistryKeys keys = parse_reg_file(bytes, u"HKEY_LOCAL_MACHINE");
    EXPECT_EQ(value_of(keys, u"software\\t", u"folder").data, text_bytes(u"D:\\Biblioth\u00E8que"));
}

TEST(RegFile, ReadsHexValuesAcrossContinuationLines) {
    const RegistryKeys keys = parse_reg_file(
        "[HKEY_CURRENT_USER\\K]\n"
        "\"Expand\"=hex(2):25,00,41,00,25,00,\\\n"
        "  00,00\n"
        "\"Blob\"=hex:01,ff,80\n"
        "\"Empty\"=hex:\n"
        "\"After\"=\"still read\"\n",
        u"HKEY_CURRENT_USER");
    const RegistryValue expand = value_of(keys, u"k", u"expand");
    EXPECT_EQ(expand.type, 2u);
    EXPECT_EQ(expand.data, text_bytes(u"%A%"));
    EXPECT_EQ(value_of(keys, u"k", u"blob").data, (Bytes{0x01, 0xFF, 0x80}));
    EXPECT_EQ(value_of(keys, u"k", u"blob").type, 3u);
    EXPECT_EQ(value_of(keys, u"k", u"empty").type, 3u);
    EXPECT_EQ(value_of(keys, u"k", u"after").data, text_bytes(u"still read"));
}

TEST(RegFile, MalformedLinesAreSkippedAndTheRestIsRead) {
    const RegistryKeys keys = parse_reg_file(
        // No header at all.
        "[HKEY_CURRENT_USER\\K]\n"
        "\"Good1\"=\"one\"\n"
        "\"Truncated\"=\"no closing quote\n"
        "\"BadEscape\"=\"a\\qb\"\n"
        "\"NotHex\"=dword:12xz\n"
        "\"TooLong\"=dword:123456789\n"
        "\"EmptyDword\"=dword:\n"
        "\"BadByte\"=hex:01,2g\n"
        "\"BadType\"=hex(zz):01\n"
        "\"Trailing\"=\"text\" junk\n"
        "\"NoValue\"\n"
        "\"NoName=\"x\"\n"
        "\"Unknown\"=qword:1\n"
        "just some words\n"
        "\"Good2\"=dword:7\n"
        "[HKEY_CURRENT_USER\\Broken\n"
        "\"Lost\"=\"belongs to a broken header\"\n"
        "[HKEY_CURRENT_USER\\L]\n"
        "\"Good3\"=\"three\"\n"
        "\"Cut\"=\"",
        u"HKEY_CURRENT_USER");
    ASSERT_EQ(keys.count(u"k"), 1u);
    const auto& k = keys.at(u"k");
    EXPECT_EQ(k.size(), 2u) << "only Good1 and Good2 survive";
    EXPECT_EQ(value_of(keys, u"k", u"good1").data, text_bytes(u"one"));
    EXPECT_EQ(value_of(keys, u"k", u"good2").data, (Bytes{7, 0, 0, 0}));
    EXPECT_EQ(keys.count(u"broken"), 0u);
    for (const auto& key : keys) {
        EXPECT_EQ(key.second.count(u"lost"), 0u) << "a value under a broken header was kept";
    }
    EXPECT_EQ(value_of(keys, u"l", u"good3").data, text_bytes(u"three"));
    EXPECT_EQ(keys.at(u"l").size(), 1u);
}

TEST(RegFile, OtherHivesAndDeletionsAreNotRead) {
    const RegistryKeys keys = parse_reg_file(
        "[HKEY_LOCAL_MACHINE\\K]\n\"Machine\"=\"m\"\n"
        "[HKEY_CURRENT_USER\\K]\n\"User\"=\"u\"\n\"Gone\"=\"g\"\n\"Gone\"=-\n"
        "[-HKEY_CURRENT_USER\\Deleted]\n\"InDeleted\"=\"d\"\n",
        u"HKEY_CURRENT_USER");
    EXPECT_EQ(value_of(keys, u"k", u"user").data, text_bytes(u"u"));
    EXPECT_EQ(value_of(keys, u"k", u"machine").type, 0u);
    EXPECT_EQ(value_of(keys, u"k", u"gone").type, 0u);
    EXPECT_EQ(keys.count(u"deleted"), 0u);
}

// Every prefix of a file is a file cut short: each must parse, keep what it fully holds, and
// never read past its end (the sanitizer build checks the reads).
TEST(RegFile, AFileCutAnywhereParses) {
    const std::string full = kWellFormed;
    const std::size_t bin_name_end = full.find("\r\n", full.find("\"BinName\""));
    for (std::size_t length = 0; length <= full.size(); ++length) {
        // An exact-size copy, so that a read past the end is a read outside the allocation.
        const std::vector<char> cut(full.begin(), full.begin() + length);
        const RegistryKeys keys =
            parse_reg_file(std::string_view(cut.data(), cut.size()), u"HKEY_CURRENT_USER");
        const RegistryValue bin_name = value_of(keys, u"software\\tesmar\\vistrel 9", u"binname");
        EXPECT_EQ(bin_name.type, length >= bin_name_end ? 1u : 0u) << length;
    }
}

}  // namespace
