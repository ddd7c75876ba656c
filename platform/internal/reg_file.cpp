#include "platform/internal/reg_file.h"

#include <cstddef>
#include <optional>

#include "platform/utf.h"

namespace platform::internal {

namespace {

using Text = std::u16string_view;

bool is_blank(char16_t c) {
    return c == u' ' || c == u'\t';
}

Text trim(Text text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (is_blank(text.back()) || text.back() == u'\r')) {
        text.remove_suffix(1);
    }
    return text;
}

bool starts_with(Text text, Text prefix) {
    return text.size() >= prefix.size() &&
           fold_registry_name(text.substr(0, prefix.size())) == fold_registry_name(prefix);
}

int hex_digit(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

std::u16string decode_text(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
        return text;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    return utf8_to_utf16(bytes);
}

std::vector<Text> split_lines(Text text) {
    std::vector<Text> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find(u'\n', start);
        if (end == Text::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A quoted text starting at text[0] == '"', with the escapes \\ and \" that registry exports
// use. Consumes the text up to and including the closing quote; nothing on an unknown escape or
// a missing closing quote.
std::optional<std::u16string> take_quoted(Text& text) {
    std::u16string out;
    std::size_t i = 1;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u'"') {
            text.remove_prefix(i + 1);
            return out;
        }
        if (c == u'\\') {
            if (i + 1 >= text.size() || (text[i + 1] != u'\\' && text[i + 1] != u'"')) {
                return std::nullopt;
            }
            out.push_back(text[i + 1]);
            i += 2;
            continue;
        }
        out.push_back(c);
        ++i;
    }
    return std::nullopt;
}

std::vector<unsigned char> string_bytes(Text text) {
    std::vector<unsigned char> data;
    data.reserve(text.size() * 2 + 2);
    for (const char16_t c : text) {
        data.push_back(static_cast<unsigned char>(c & 0xFF));
        data.push_back(static_cast<unsigned char>(c >> 8));
    }
    data.push_back(0);
    data.push_back(0);
    return data;
}

std::optional<RegistryValue> parse_dword(Text digits) {
    digits = trim(digits);
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    for (const char16_t c : digits) {
        const int digit = hex_digit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        number = number << 4 | static_cast<std::uint32_t>(digit);
    }
    RegistryValue value{4, {}};
    for (int shift = 0; shift < 32; shift += 8) {
        value.data.push_back(static_cast<unsigned char>(number >> shift));
    }
    return value;
}

// "hex:01,02" or "hex(7):41,00": comma-separated bytes, already joined across "\" continuations.
std::optional<RegistryValue> parse_hex(Text text) {
    RegistryValue value{3, {}};
    text.remove_prefix(3);
    if (!text.empty() && text.front() == u'(') {
        const std::size_t close = text.find(u')');
        if (close == Text::npos || close == 1 || close > 9) {
            return std::nullopt;
        }
        std::uint32_t type = 0;
        for (const char16_t c : text.substr(1, close - 1)) {
            const int digit = hex_digit(c);
            if (digit < 0) {
                return std::nullopt;
            }
            type = type << 4 | static_cast<std::uint32_t>(digit);
        }
        value.type = type;
        text.remove_prefix(close + 1);
    }
    if (text.empty() || text.front() != u':') {
        return std::nullopt;
    }
    text = trim(text.substr(1));
    while (!text.empty()) {
        const std::size_t comma = text.find(u',');
        const Text item = trim(text.substr(0, comma));
        if (item.size() != 2 || hex_digit(item[0]) < 0 || hex_digit(item[1]) < 0) {
            return std::nullopt;
        }
        value.data.push_back(
            static_cast<unsigned char>(hex_digit(item[0]) << 4 | hex_digit(item[1])));
        if (comma == Text::npos) {
            break;
        }
        text = trim(text.substr(comma + 1));
    }
    return value;
}

struct Parser {
    std::vector<Text> lines;
    std::size_t next = 0;
    Text hive_name;
    RegistryKeys keys;
    RegistryValues* section = nullptr;  // null: values are skipped

    void parse_section(Text line) {
        section = nullptr;
        const std::size_t close = line.rfind(u']');
        if (close == Text::npos) {
            return;
        }
        const Text path = trim(line.substr(1, close - 1));
        if (!trim(line.substr(close + 1)).empty() || path.empty() || path.front() == u'-') {
            return;  // Text after the header, or a section that deletes a key.
        }
        const std::size_t slash = path.find(u'\\');
        const Text hive = path.substr(0, slash);
        if (fold_registry_name(hive) != fold_registry_name(hive_name)) {
            return;
        }
        Text key = slash == Text::npos ? Text{} : path.substr(slash + 1);
        while (!key.empty() && key.back() == u'\\') {
            key.remove_suffix(1);
        }
        section = &keys[fold_registry_name(key)];
    }

    // The data of a hex value may go on over following lines, each but the last ending in "\".
    std::u16string join_continued(Text data) {
        std::u16string joined;
        while (!data.empty() && data.back() == u'\\') {
            joined.append(data.substr(0, data.size() - 1));
            if (next >= lines.size()) {
                return joined;
            }
            data = trim(lines[next++]);
        }
        joined.append(data);
        return joined;
    }

    void parse_value(Text line) {
        std::u16string name;
        if (line.front() == u'@') {
            line.remove_prefix(1);
        } else {
            std::optional<std::u16string> quoted = take_quoted(line);
            if (!quoted) {
                return;
            }
            name = std::move(*quoted);
        }
        line = trim(line);
        if (line.empty() || line.front() != u'=') {
            return;
        }
        Text data = trim(line.substr(1));
        std::optional<RegistryValue> value;
        std::u16string joined;
        if (!data.empty() && data.front() == u'"') {
            std::optional<std::u16string> text = take_quoted(data);
            if (text && trim(data).empty()) {
                value = RegistryValue{1, string_bytes(*text)};
            }
        } else if (starts_with(data, u"dword:")) {
            value = parse_dword(data.substr(6));
        } else if (starts_with(data, u"hex")) {
            joined = join_continued(data);
            value = parse_hex(joined);
        } else if (data == u"-") {
            if (section) {
                section->erase(fold_registry_name(name));
            }
            return;
        }
        if (value && section) {
            (*section)[fold_registry_name(name)] = std::move(*value);
        }
    }

    void run() {
        while (next < lines.size()) {
            const Text line = trim(lines[next++]);
            if (line.empty()) {
                continue;
            }
            if (line.front() == u'[') {
                parse_section(line);
            } else if (line.front() == u'"' || line.front() == u'@') {
                parse_value(line);
            }
            // Anything else (header, comments, stray text) carries no value.
        }
    }
};

}  // namespace

std::u16string fold_registry_name(std::u16string_view name) {
    std::u16string folded(name);
    for (char16_t& c : folded) {
        // ASCII and the Latin-1 letters; the names the system reads are ASCII.
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
            c = static_cast<char16_t>(c + 0x20);
        }
    }
    return folded;
}

RegistryKeys parse_reg_file(std::string_view bytes, std::u16string_view hive_name) {
    const std::u16string text = decode_text(bytes);
    Parser parser;
    parser.lines = split_lines(text);
    parser.hive_name = hive_name;
    parser.run();
    return std::move(parser.keys);
}

}  // namespace platform::internal
