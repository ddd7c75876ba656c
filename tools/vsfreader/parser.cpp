// The recursive-descent parser behind read_bytes. A file is a header line and then items; an item
// is a comment, a #print/#error line, a block `keyword args { items }`, a list entry
// `"name" values,` or a statement `name values` that ends at the line's end. Values are numbers,
// words, strings (quoted or xX hex), byte strings (bX), arrays (text or one binary block), shader
// ids (! 3) and inline shaders ("type" { entries }).
#include <charconv>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "tools/vsfreader/binary_block.h"
#include "tools/vsfreader/cursor.h"
#include "tools/vsfreader/reader.h"

namespace vsf {
namespace detail {
namespace {

// Deeper nesting than any scene has is refused before it can exhaust the stack.
constexpr std::size_t kMaxDepth = 200;

constexpr std::string_view kHeaderMagic = "//---tesmar:dal:";

// Keywords that open a block when a "{" follows their arguments on the same line.
bool is_block_keyword(std::string_view word) {
    static constexpr std::string_view kKeywords[] = {
        "group", "object", "geometry", "animation", "load",     "options", "camera",
        "image", "output", "light",    "accel",     "material", "shader",  "matrix",
    };
    for (std::string_view keyword : kKeywords) {
        if (word == keyword) {
            return true;
        }
    }
    return false;
}

// Bytes that end a bare word: white space, control bytes and the punctuation of the format.
bool ends_word(int c) {
    if (c < 0x21 || c == 0x7f) {
        return true;
    }
    switch (c) {
        case '"':
        case '[':
        case ']':
        case '{':
        case '}':
        case ',':
        case '!':
            return true;
        default:
            return false;
    }
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// True when `digits` is a non-empty run of hexadecimal digits.
bool all_hex(std::string_view digits) {
    if (digits.empty()) {
        return false;
    }
    for (char c : digits) {
        if (hex_digit(c) < 0) {
            return false;
        }
    }
    return true;
}

// Parses the whole of `text` as a number (printf's %g, %f and %d forms, nan and inf included).
bool parse_number(std::string_view text, double& out) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, out);
    return result.ec == std::errc() && result.ptr == end;
}

bool looks_numeric(std::string_view word) {
    const char c = word.front();
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

class Parser {
  public:
    explicit Parser(std::string_view bytes) : cursor_(bytes) {}

    Document parse() {
        Document document;
        parse_header(document.header);
        parse_body(document.root, 0, true);
        return document;
    }

  private:
    // ---- header ------------------------------------------------------------------------------

    void parse_header(Header& header) {
        if (!cursor_.starts_with(kHeaderMagic)) {
            Cursor::fail(0,
                         "not a scene file: it does not begin with the \"//---tesmar:dal:\" line");
        }
        while (cursor_.starts_with("//")) {
            const std::size_t start = cursor_.pos();
            cursor_.skip_line();
            std::string_view line = cursor_.slice(start, cursor_.pos() - start);
            if (!line.empty() && line.back() == '\n') {
                line.remove_suffix(1);
            }
            int number = 0;
            if (header_number(line, kHeaderMagic, number)) {
                header.dal_version = number;
            } else if (start == 0) {
                Cursor::fail(0, "not a scene file: bad \"//---tesmar:dal:\" line");
            } else if (header_number(line, "//---import:dal:", number)) {
                header.import_version = number;
            } else if (header_number(line, "//---id:", number)) {
                header.id = number;
            }
        }
    }

    // Reads "<prefix><digits>---" from `line`.
    static bool header_number(std::string_view line, std::string_view prefix, int& out) {
        if (line.substr(0, prefix.size()) != prefix) {
            return false;
        }
        line.remove_prefix(prefix.size());
        const char* end = line.data() + line.size();
        const auto result = std::from_chars(line.data(), end, out);
        return result.ec == std::errc() && std::string_view(result.ptr, end - result.ptr) == "---";
    }

    // ---- items -------------------------------------------------------------------------------

    // Parses items into `block` until its "}" (consumed) or, at the top level, the end of file.
    void parse_body(Block& block, std::size_t depth, bool top) {
        if (depth > kMaxDepth) {
            Cursor::fail(block.offset, "blocks nested too deeply");
        }
        for (;;) {
            cursor_.skip_space();
            const int c = cursor_.peek();
            if (c < 0) {
                if (top) {
                    return;
                }
                Cursor::fail(cursor_.pos(),
                             "unbalanced braces: the file ends inside the block opened at byte " +
                                 std::to_string(block.offset));
            }
            if (c == '}') {
                if (top) {
                    Cursor::fail(cursor_.pos(), "unbalanced braces: '}' without a block to close");
                }
                cursor_.advance();
                return;
            }
            parse_item(block, depth);
        }
    }

    void parse_item(Block& block, std::size_t depth) {
        const int c = cursor_.peek();
        if (c == '/' && cursor_.peek(1) == '/') {
            cursor_.skip_line();
            return;
        }
        if (c == '#') {
            parse_directive(block, depth);
            return;
        }
        if (c == '"' || starts_hex_string()) {
            parse_entry(block, depth);
            return;
        }
        if (c == ']') {
            Cursor::fail(cursor_.pos(), "unbalanced brackets: ']' without '['");
        }
        if (c == 0x01) {
            Cursor::fail(cursor_.pos(), "binary block outside an array");
        }
        if (ends_word(c)) {
            Cursor::fail(cursor_.pos(), "unexpected " + describe_byte(c));
        }
        parse_statement_or_block(block, depth, false);
    }

    void parse_directive(Block& block, std::size_t depth) {
        const std::size_t start = cursor_.pos();
        const std::string_view word = read_word();
        if (word == "#print" || word == "#error") {
            Message message;
            message.error = word == "#error";
            message.offset = start;
            cursor_.skip_blanks();
            message.text = read_message_text();
            add_message(block, std::move(message));
        } else if (word == "#define") {
            cursor_.skip_blanks();
            const std::size_t keyword_at = cursor_.pos();
            const std::string_view keyword = read_word();
            if (keyword.empty()) {
                Cursor::fail(keyword_at, "expected a block keyword after #define");
            }
            Block child;
            child.keyword = std::string(keyword);
            child.definition = true;
            child.offset = start;
            if (!parse_block_header(child)) {
                Cursor::fail(cursor_.pos(),
                             "expected '{' to open the #define " + child.keyword + " block");
            }
            parse_body(child, depth + 1, false);
            add_block(block, std::move(child));
        } else if (word == "#modify") {
            cursor_.skip_blanks();
            parse_statement_or_block(block, depth, true);
        } else {
            Cursor::fail(start, "unknown directive '" + std::string(word) + "'");
        }
    }

    // A #print or #error text is written unchanged between double quotes and ends with a quote
    // that is the last byte of its line (or of the file), so it may hold quotes itself.
    std::string read_message_text() {
        const std::size_t open = cursor_.pos();
        if (cursor_.peek() != '"') {
            Cursor::fail(open, "expected '\"' to begin the message text");
        }
        const std::string_view rest = cursor_.slice(open + 1, cursor_.remaining());
        for (std::size_t close = rest.find('"'); close != std::string_view::npos;
             close = rest.find('"', close + 1)) {
            const std::string_view after = rest.substr(close + 1, 2);
            if (after.empty() || after[0] == '\n' || after == "\r\n") {
                cursor_.advance(close + 2);
                cursor_.skip_line();
                return std::string(rest.substr(0, close));
            }
        }
        Cursor::fail(open, "unterminated string");
    }

    // `"name" values,` : the name is quoted or hex, the entry ends at its comma.
    void parse_entry(Block& block, std::size_t depth) {
        Param param;
        param.style = Param::Style::entry;
        param.offset = cursor_.pos();
        const Value name = parse_value(depth, false);
        param.name = name.text;
        param.name_hex = name.hex;
        for (;;) {
            cursor_.skip_blanks();
            const int c = cursor_.peek();
            if (c == ',') {
                cursor_.advance();
                break;
            }
            if (c < 0 || c == '\n' || c == '}') {
                Cursor::fail(cursor_.pos(), "missing ',' after the parameter \"" + param.name +
                                                "\" that begins at byte " +
                                                std::to_string(param.offset));
            }
            param.values.push_back(parse_value(depth, true));
        }
        add_param(block, std::move(param));
    }

    // A line that begins with a bare word: a block when the word is a block keyword and its
    // arguments end in "{" on the same line, otherwise a statement up to the end of the line.
    void parse_statement_or_block(Block& block, std::size_t depth, bool modify) {
        const std::size_t start = cursor_.pos();
        const std::string_view first = read_word();
        if (first.empty()) {
            Cursor::fail(start, "unexpected " + describe_byte(cursor_.peek()));
        }
        if (is_block_keyword(first)) {
            Block child;
            child.keyword = std::string(first);
            child.modify = modify;
            child.offset = start;
            if (parse_block_header(child)) {
                parse_body(child, depth + 1, false);
                add_block(block, std::move(child));
                return;
            }
        }
        cursor_.seek(start);
        parse_statement(block, depth);
    }

    // Reads the arguments after a block keyword. True with the cursor past the "{" when they
    // end in one on the same line; false (cursor anywhere on the line) otherwise.
    bool parse_block_header(Block& block) {
        for (;;) {
            cursor_.skip_blanks();
            const int c = cursor_.peek();
            if (c == '{') {
                cursor_.advance();
                return true;
            }
            if (c < 0 || c == '\n' || c == '[' || c == '!' || c == ',' || c == '}' || c == ']' ||
                c == 0x01) {
                return false;
            }
            if (ends_word(c) && c != '"') {
                return false;
            }
            block.args.push_back(parse_value(0, false));
        }
    }

    void parse_statement(Block& block, std::size_t depth) {
        Param param;
        param.style = Param::Style::statement;
        param.offset = cursor_.pos();
        param.name = std::string(read_word());
        // Statement names may have several words ("set transform", "reflection map"); a bare word
        // after the name is part of it unless it is a value (a number, on/off, a hex string).
        for (;;) {
            cursor_.skip_blanks();
            const std::size_t at = cursor_.pos();
            if (ends_word(cursor_.peek())) {
                break;
            }
            const std::string_view word = read_word();
            double number = 0;
            if (word == "on" || word == "off" || parse_number(word, number) ||
                looks_numeric(word) || is_hex_word(word, "xX") || is_hex_word(word, "bX")) {
                cursor_.seek(at);
                break;
            }
            param.name += ' ';
            param.name += word;
        }
        for (;;) {
            cursor_.skip_blanks();
            const int c = cursor_.peek();
            if (c < 0 || c == '}') {
                break;
            }
            if (c == '\n') {
                cursor_.advance();
                break;
            }
            if (c == ',') {  // tolerated after a statement's last value
                cursor_.advance();
                continue;
            }
            param.values.push_back(parse_value(depth, true));
        }
        add_param(block, std::move(param));
    }

    // ---- values ------------------------------------------------------------------------------

    // One value at the cursor. `inline_shaders` lets a string followed by "{" open an inline
    // shader (not in block headers, where the "{" opens the block itself).
    Value parse_value(std::size_t depth, bool inline_shaders) {
        Value value;
        value.offset = cursor_.pos();
        const int c = cursor_.peek();
        if (c == '"') {
            value.kind = Value::Kind::string;
            value.text = read_quoted();
        } else if (c == '[') {
            if (!inline_shaders) {
                Cursor::fail(value.offset, "unexpected '['");
            }
            value.kind = Value::Kind::array;
            value.array = parse_array(depth + 1);
            return value;
        } else if (c == '!') {
            cursor_.advance();
            cursor_.skip_blanks();
            return parse_shader_reference(value.offset, depth);
        } else if (c == ']') {
            Cursor::fail(value.offset, "unbalanced brackets: ']' without '['");
        } else if (c == 0x01) {
            Cursor::fail(value.offset, "binary block outside an array");
        } else if (ends_word(c)) {
            Cursor::fail(value.offset, "unexpected " + describe_byte(c));
        } else {
            const std::string_view word = read_word();
            if (is_hex_word(word, "xX")) {
                value.kind = Value::Kind::string;
                value.hex = true;
                value.text = decode_hex(word, value.offset);
            } else if (is_hex_word(word, "bX")) {
                value.kind = Value::Kind::bytes;
                value.text = decode_hex(word, value.offset);
                return value;
            } else if (parse_number(word, value.number)) {
                value.kind = Value::Kind::number;
                return value;
            } else if (looks_numeric(word)) {
                Cursor::fail(value.offset, "bad number '" + std::string(word) + "'");
            } else {
                value.kind = Value::Kind::word;
                value.text = std::string(word);
                return value;
            }
        }
        // A string: an inline shader when "{" follows on the same line.
        if (inline_shaders) {
            const std::size_t after = cursor_.pos();
            cursor_.skip_blanks();
            if (cursor_.peek() == '{') {
                cursor_.advance();
                return inline_shader(std::move(value), depth);
            }
            cursor_.seek(after);
        }
        return value;
    }

    // After "!": a shader id or an inline shader.
    Value parse_shader_reference(std::size_t offset, std::size_t depth) {
        const int c = cursor_.peek();
        if (c == '"' || starts_hex_string()) {
            Value type = parse_value(depth, false);
            type.offset = offset;
            cursor_.skip_blanks();
            if (cursor_.peek() != '{') {
                Cursor::fail(cursor_.pos(), "expected '{' of the inline shader after '!'");
            }
            cursor_.advance();
            Value shader = inline_shader(std::move(type), depth);
            shader.reference = true;
            return shader;
        }
        const std::size_t at = cursor_.pos();
        const std::string_view word = ends_word(c) ? std::string_view() : read_word();
        Value value;
        value.kind = Value::Kind::shader_id;
        value.offset = offset;
        if (word.empty() || !parse_number(word, value.number)) {
            Cursor::fail(at, "expected a shader id or an inline shader after '!'");
        }
        return value;
    }

    // With the cursor past the "{" that follows the shader type `type`.
    Value inline_shader(Value type, std::size_t depth) {
        auto shader = std::make_shared<Block>();
        shader->keyword = "shader";
        shader->offset = type.offset;
        Value result;
        result.kind = Value::Kind::shader;
        result.offset = type.offset;
        shader->args.push_back(std::move(type));
        parse_body(*shader, depth + 1, false);
        result.shader = std::move(shader);
        return result;
    }

    std::shared_ptr<const Array> parse_array(std::size_t depth) {
        auto array = std::make_shared<Array>();
        array->offset = cursor_.pos();
        if (depth > kMaxDepth) {
            Cursor::fail(array->offset, "values nested too deeply");
        }
        cursor_.advance();  // "["
        cursor_.skip_space();
        if (cursor_.peek() == 0x01) {
            read_binary_block(cursor_, *array);
            cursor_.skip_space();
            if (cursor_.peek() != ']') {
                Cursor::fail(cursor_.pos(),
                             "expected ']' after the binary block (is its count wrong?), found " +
                                 describe_byte(cursor_.peek()));
            }
            cursor_.advance();
            return array;
        }
        parse_text_elements(*array, depth);
        return array;
    }

    // Elements separated by ",", each of one or more values separated by blanks, up to "]".
    void parse_text_elements(Array& array, std::size_t depth) {
        array.kind = ArrayKind::text;
        array.data_begin = cursor_.pos();
        array.data_end = array.data_begin;
        std::size_t in_element = 0;
        bool regular = true;
        bool numeric = true;
        auto end_element = [&](std::size_t at) {
            if (in_element == 0) {
                Cursor::fail(at, "empty element in the array opened at byte " +
                                     std::to_string(array.offset));
            }
            if (array.elements == 0) {
                array.width = in_element;
            } else if (in_element != array.width) {
                regular = false;
            }
            ++array.elements;
            in_element = 0;
        };
        for (;;) {
            cursor_.skip_space();
            const std::size_t at = cursor_.pos();
            const int c = cursor_.peek();
            if (c < 0) {
                Cursor::fail(at,
                             "unbalanced brackets: the file ends inside the array opened at "
                             "byte " +
                                 std::to_string(array.offset));
            }
            if (c == ']') {
                if (in_element > 0 || array.elements > 0) {
                    end_element(at);
                }
                cursor_.advance();
                break;
            }
            if (c == ',') {
                end_element(at);
                cursor_.advance();
                continue;
            }
            if (c == '}') {
                Cursor::fail(at, "unbalanced brackets: '}' inside the array opened at byte " +
                                     std::to_string(array.offset));
            }
            if (c == '[') {
                Cursor::fail(at, "an array inside an array");
            }
            if (c == 0x01) {
                Cursor::fail(at, "binary block after text elements");
            }
            Value value = parse_value(depth, true);
            array.data_end = cursor_.pos();
            ++in_element;
            if (numeric && value.is_number()) {
                array.numbers.push_back(value.number);
                continue;
            }
            if (numeric) {
                numeric = false;
                array.items.reserve(array.numbers.size() + 1);
                for (double number : array.numbers) {
                    Value earlier;
                    earlier.number = number;
                    array.items.push_back(std::move(earlier));
                }
                array.numbers.clear();
                array.numbers.shrink_to_fit();
            }
            array.items.push_back(std::move(value));
        }
        if (!regular) {
            array.width = 0;
        }
    }

    // ---- tokens ------------------------------------------------------------------------------

    std::string_view read_word() {
        const std::size_t start = cursor_.pos();
        std::size_t n = 0;
        while (!ends_word(cursor_.peek(n))) {
            ++n;
        }
        cursor_.advance(n);
        return cursor_.slice(start, n);
    }

    std::string read_quoted() {
        const std::size_t open = cursor_.pos();
        cursor_.advance();
        std::size_t n = 0;
        for (int c = cursor_.peek(n); c != '"'; c = cursor_.peek(++n)) {
            if (c < 0 || c == '\n') {
                Cursor::fail(open, "unterminated string");
            }
        }
        std::string text(cursor_.slice(open + 1, n));
        cursor_.advance(n + 1);
        return text;
    }

    bool starts_hex_string() const {
        if (!cursor_.starts_with("xX")) {
            return false;
        }
        std::size_t n = 2;
        while (!ends_word(cursor_.peek(n))) {
            ++n;
        }
        return all_hex(cursor_.slice(cursor_.pos() + 2, n - 2));
    }

    static bool is_hex_word(std::string_view word, std::string_view prefix) {
        return word.size() > 2 && word.substr(0, 2) == prefix && all_hex(word.substr(2));
    }

    static std::string decode_hex(std::string_view word, std::size_t offset) {
        const std::string_view digits = word.substr(2);
        if (digits.size() % 2 != 0) {
            Cursor::fail(offset, "odd number of hex digits in '" + std::string(word.substr(0, 2)) +
                                     "' text");
        }
        std::string text(digits.size() / 2, '\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            text[i] =
                static_cast<char>(hex_digit(digits[2 * i]) * 16 + hex_digit(digits[2 * i + 1]));
        }
        return text;
    }

    // ---- tree --------------------------------------------------------------------------------

    static void add_block(Block& parent, Block child) {
        parent.order.push_back({Block::ChildKind::block, parent.blocks.size()});
        parent.blocks.push_back(std::move(child));
    }
    static void add_param(Block& parent, Param param) {
        parent.order.push_back({Block::ChildKind::param, parent.params.size()});
        parent.params.push_back(std::move(param));
    }
    static void add_message(Block& parent, Message message) {
        parent.order.push_back({Block::ChildKind::message, parent.messages.size()});
        parent.messages.push_back(std::move(message));
    }

    Cursor cursor_;
};

}  // namespace
}  // namespace detail

Document read_bytes(std::string_view bytes) {
    return detail::Parser(bytes).parse();
}

}  // namespace vsf
