#include "importers/sceneapi/dev/scene_api_file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/numeric_locale.h"

namespace {

constexpr std::size_t kBufferSize = 1048576;
constexpr std::size_t kFormatLimit = kBufferSize - 1;  // longest formatted statement
constexpr uint32_t kNoIndentationBit = 0x400000;
constexpr uint32_t kBinaryArraysBit = 0x2;

void free_blob(ShaderBlob* blob) {
    std::free(blob->data);
    delete blob;
}

// Bytes that force the hexadecimal form of a quoted text.
bool needs_hex_form(const char* text) {
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        if (*c == '\n' || *c == '\r' || *c == '"' || *c >= 0x80) {
            return true;
        }
    }
    return false;
}

}  // namespace

zylScene_api_file::zylScene_api_file(std::FILE* output, bool binary_arrays)
    : output_(output),
      binary_arrays_(binary_arrays),
      format_buffer_(new char[kBufferSize]),
      indent_buffer_(new char[kBufferSize]),
      saved_locale_(platform::numeric_locale()) {
    platform::set_numeric_locale("C");
}

zylScene_api_file::~zylScene_api_file() {
    platform::set_numeric_locale(saved_locale_);
}

// ---- output primitives ----

void zylScene_api_file::append_to_blob(ShaderBlob* blob, const char* bytes, std::size_t count,
                                       bool binary) {
    if (binary) {
        blob->binary = 1;
    }
    const std::size_t needed = static_cast<std::size_t>(blob->length) + count + 1;
    if (blob->capacity < 0 || needed >= static_cast<std::size_t>(blob->capacity)) {
        // Geometric growth keeps long captured shaders linear in their size.
        const std::size_t capacity = count + 2 * static_cast<std::size_t>(blob->capacity) + 512;
        char* grown = static_cast<char*>(std::malloc(capacity + 2));
        if (!grown) {
            throw std::bad_alloc();
        }
        if (blob->data) {
            std::memcpy(grown, blob->data, static_cast<std::size_t>(blob->length) + 1);
            std::free(blob->data);
        }
        blob->data = grown;
        blob->capacity = static_cast<int32_t>(capacity);
    }
    std::memcpy(blob->data + blob->length, bytes, count);
    blob->length += static_cast<int32_t>(count);
    blob->data[blob->length] = '\0';
}

void zylScene_api_file::emit_bytes(const char* bytes, std::size_t count) {
    if (capture_ && current_blob_) {
        append_to_blob(current_blob_, bytes, count, false);
    } else {
        std::fwrite(bytes, 1, count, output_);
    }
}

void zylScene_api_file::write_indented_text(const char* text, std::size_t length) {
    if (!output_ || length == 0) {
        return;
    }
    const int32_t indent = (mode_ & kNoIndentationBit) ? 0 : level_;
    if (indent <= 0) {
        emit_bytes(text, length);
        return;
    }
    // Indentation goes before the first character and after every line feed followed by more
    // text. The copy is staged in the indentation buffer and flushed whenever it fills, so a
    // long text is written whole.
    char* staged = indent_buffer_.get();
    std::size_t used = 0;
    auto put = [&](char c) {
        if (used == kBufferSize) {
            emit_bytes(staged, used);
            used = 0;
        }
        staged[used++] = c;
    };
    auto put_indent = [&] {
        for (int32_t i = 0; i < indent; ++i) {
            put(' ');
        }
    };
    put_indent();
    for (std::size_t i = 0; i < length; ++i) {
        put(text[i]);
        if (text[i] == '\n' && i + 1 < length) {
            put_indent();
        }
    }
    emit_bytes(staged, used);
}

void zylScene_api_file::print_indented(const char* format, ...) {
    if (!output_) {
        return;
    }
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(format_buffer_.get(), kBufferSize, format, args);
    va_end(args);
    if (n <= 0) {
        return;
    }
    write_indented_text(format_buffer_.get(), std::min(static_cast<std::size_t>(n), kFormatLimit));
}

void zylScene_api_file::vprint_plain(const char* format, va_list args) {
    if (!output_) {
        return;
    }
    if (capture_ && current_blob_) {
        int n = std::vsnprintf(format_buffer_.get(), kBufferSize, format, args);
        if (n > 0) {
            append_to_blob(current_blob_, format_buffer_.get(),
                           std::min(static_cast<std::size_t>(n), kFormatLimit), false);
        }
    } else {
        std::vfprintf(output_, format, args);
    }
}

void zylScene_api_file::print_plain(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vprint_plain(format, args);
    va_end(args);
}

void zylScene_api_file::write_plain_text(const char* text) {
    if (!output_) {
        return;
    }
    std::size_t length = std::strlen(text);
    if (capture_ && current_blob_) {
        length = std::min(length, kFormatLimit);
    }
    emit_bytes(text, length);
}

void zylScene_api_file::write_raw_bytes(const void* bytes, std::size_t count) {
    if (!output_) {
        return;
    }
    if (capture_ && current_blob_) {
        append_to_blob(current_blob_, static_cast<const char*>(bytes), count, true);
    } else {
        std::fwrite(bytes, 1, count, output_);
    }
}

void zylScene_api_file::write_indentation() {
    const int32_t indent = (mode_ & kNoIndentationBit) ? 0 : level_;
    for (int32_t i = 0; i < indent; ++i) {
        emit_bytes(" ", 1);
    }
}

// ---- quoting ----

void zylScene_api_file::write_hex(const char* prefix, const unsigned char* bytes,
                                  std::size_t count) {
    static const char digits[] = "0123456789abcdef";
    std::string hex(prefix);
    hex.reserve(hex.size() + 2 * count);
    for (std::size_t i = 0; i < count; ++i) {
        hex.push_back(digits[bytes[i] >> 4]);
        hex.push_back(digits[bytes[i] & 0xF]);
    }
    write_raw_bytes(hex.data(), hex.size());
}

void zylScene_api_file::write_quoted(const char* text) {
    if (!text) {
        text = "";
    }
    if (needs_hex_form(text)) {
        write_hex("xX", reinterpret_cast<const unsigned char*>(text), std::strlen(text));
    } else {
        print_indented("\"%s\"", text);
    }
}

void zylScene_api_file::write_quoted_at_level_zero(const char* text) {
    const int32_t saved = level_;
    level_ = 0;
    write_quoted(text);
    level_ = saved;
}

// ---- blocks ----

// The opening line of a block: the keyword, the quoted name (never indented mid-line) and the
// brace; the block's content is one level deeper.
void zylScene_api_file::open_block(const char* keyword, const char* name) {
    print_indented("%s", keyword);
    write_quoted_at_level_zero(name);
    print_plain(" {\n");
    ++level_;
}

void zylScene_api_file::write_block_close() {
    --level_;
    print_indented("}\n");
}

void zylScene_api_file::reserved_1() {}

bool zylScene_api_file::begin_group(const char* name, bool in_place) {
    print_plain("\n");
    open_block(in_place ? "group " : "#define group ", name);
    style_stack_.push_back(style_);
    style_ = kStatementStyle;
    return true;
}

// Popping an empty stack yields list style, so an unbalanced end cannot read past the stack.
void zylScene_api_file::pop_style() {
    if (style_stack_.empty()) {
        style_ = kListStyle;
        return;
    }
    style_ = style_stack_.back();
    style_stack_.pop_back();
}

void zylScene_api_file::end_group() {
    write_block_close();
    pop_style();
}

bool zylScene_api_file::begin_object(const char* name, bool in_place) {
    open_block(in_place ? "object " : "#define object ", name);
    style_stack_.push_back(style_);
    style_ = kStatementStyle;
    section_ = kObject;
    return true;
}

void zylScene_api_file::end_object() {
    end_group();
    section_ = kNoSection;
}

bool zylScene_api_file::begin_geometry(const char* name) {
    open_block("geometry ", name);
    style_stack_.push_back(style_);
    style_ = kListStyle;
    return true;
}

void zylScene_api_file::end_geometry() {
    end_group();
}

bool zylScene_api_file::begin_animation(const char* name, const char* type) {
    print_indented("animation ");
    write_quoted_at_level_zero(name);
    print_indented(" ");
    write_quoted_at_level_zero(type);
    print_plain(" {\n");
    ++level_;
    style_stack_.push_back(style_);
    style_ = kListStyle;
    return true;
}

void zylScene_api_file::end_animation() {
    end_group();
}

bool zylScene_api_file::begin_load(const char* module_name) {
    open_block("load ", module_name);
    return true;
}

void zylScene_api_file::end_load() {
    write_block_close();
}

// Options, camera and image share the section slot with object blocks: a second one is refused.
// An accepted section ends any capture and switches to statement style.
bool zylScene_api_file::open_section(int32_t section) {
    if (section_ != kNoSection) {
        return false;
    }
    capture_ = false;
    style_ = kStatementStyle;
    section_ = section;
    return true;
}

// Closes the block only if `section` is the one open; either way leaves list style and no
// section, so a refused begin and its end write nothing.
void zylScene_api_file::close_section(int32_t section) {
    if (section_ == section) {
        write_block_close();
    }
    style_ = kListStyle;
    section_ = kNoSection;
}

bool zylScene_api_file::begin_options() {
    if (!open_section(kOptions)) {
        return false;
    }
    print_indented("\noptions {\n");
    ++level_;
    return true;
}

void zylScene_api_file::end_options() {
    close_section(kOptions);
}

bool zylScene_api_file::begin_camera(const char* name) {
    if (!open_section(kCamera)) {
        return false;
    }
    if (name) {
        open_block("\ncamera ", name);
    } else {
        print_indented("\ncamera {\n");
        ++level_;
    }
    return true;
}

void zylScene_api_file::end_camera() {
    close_section(kCamera);
}

bool zylScene_api_file::modify_camera(const char* name) {
    print_indented("#modify ");
    return begin_camera(name);
}

bool zylScene_api_file::begin_image() {
    if (!open_section(kImage)) {
        return false;
    }
    print_indented("\nimage {\n");
    ++level_;
    return true;
}

void zylScene_api_file::end_image() {
    close_section(kImage);
}

bool zylScene_api_file::begin_output(const char* a, const char* b, const char* c) {
    print_indented("output ");
    write_quoted_at_level_zero(a);
    print_plain(" ");
    write_quoted_at_level_zero(b);
    print_plain(" ");
    write_quoted_at_level_zero(c);
    print_plain(" {\n");
    style_ = kListStyle;
    ++level_;
    return true;
}

void zylScene_api_file::end_output() {
    write_block_close();
    style_ = kStatementStyle;
}

bool zylScene_api_file::begin_light(const char* name) {
    print_plain("\n");
    open_block("light ", name);
    return true;
}

void zylScene_api_file::end_light() {
    write_block_close();
}

bool zylScene_api_file::begin_accel(const char* name) {
    open_block("\naccel ", name);
    style_stack_.push_back(style_);
    style_ = kListStyle;
    return true;
}

void zylScene_api_file::end_accel() {
    end_group();
}

// ---- transforms ----

namespace {
// The transform statements carry single precision, like the renderer's matrices.
double single(double v) {
    return static_cast<double>(static_cast<float>(v));
}
}  // namespace

void zylScene_api_file::transform(const double* m) {
    print_indented("transform %g %g %g %g %g %g %g %g %g %g %g %g %g %g %g %g\n", single(m[0]),
                   single(m[1]), single(m[2]), single(m[3]), single(m[4]), single(m[5]),
                   single(m[6]), single(m[7]), single(m[8]), single(m[9]), single(m[10]),
                   single(m[11]), single(m[12]), single(m[13]), single(m[14]), single(m[15]));
}

void zylScene_api_file::set_transform(const double* m) {
    print_indented("set transform %g %g %g %g %g %g %g %g %g %g %g %g %g %g %g %g\n", single(m[0]),
                   single(m[1]), single(m[2]), single(m[3]), single(m[4]), single(m[5]),
                   single(m[6]), single(m[7]), single(m[8]), single(m[9]), single(m[10]),
                   single(m[11]), single(m[12]), single(m[13]), single(m[14]), single(m[15]));
}

void zylScene_api_file::scale(const double& x, const double& y, const double& z) {
    print_indented("scale %g %g %g\n", x, y, z);
}

void zylScene_api_file::rotate(const double& x, const double& y, const double& z) {
    print_indented("rotate %g %g %g\n", x, y, z);
}

void zylScene_api_file::translate(const double& x, const double& y, const double& z) {
    print_indented("translate %g %g %g\n", x, y, z);
}

bool zylScene_api_file::begin_matrix(const char* name) {
    open_block("#define matrix ", name);
    return true;
}

void zylScene_api_file::end_matrix() {
    write_block_close();
}

// ---- materials and shaders ----

bool zylScene_api_file::begin_material(const char* name, bool in_place) {
    if (!in_place) {
        print_indented("\n#define ");
    }
    open_block("material ", name);
    return true;
}

bool zylScene_api_file::use_material(const char* name) {
    print_indented("material ");
    write_quoted_at_level_zero(name);
    print_plain("\n");
    return true;
}

void zylScene_api_file::end_material() {
    write_block_close();
}

void zylScene_api_file::write_shader_kind(int32_t kind, bool trailing_space) {
    static const char* const words[] = {"surface", "shadow", "volume", "reflection map"};
    if (kind < 0 || kind > 3) {
        print_indented("// assuming surface shader\n");
        kind = 0;
    }
    print_indented(trailing_space ? "%s " : "%s", words[kind]);
}

void zylScene_api_file::assign_shader_blob(int32_t kind, ShaderBlob* blob) {
    if (!blob) {
        return;
    }
    write_shader_kind(kind, true);
    write_blob_content(blob);
    print_indented("\n");
}

void zylScene_api_file::assign_shader(int32_t kind, int32_t shader_id) {
    write_shader_kind(kind, false);
    print_plain(" %d\n", shader_id);
}

ShaderBlob* zylScene_api_file::new_blob() {
    auto* blob = new ShaderBlob{nullptr, 0, -1, 0};
    blob_registry_.emplace_back(blob, &free_blob);
    return blob;
}

void zylScene_api_file::push_shader_state() {
    capture_stack_.push_back(capture_ ? 1 : 0);
    blob_stack_.push_back(current_blob_);
    style_stack_.push_back(style_);
    style_ = kListStyle;
}

bool zylScene_api_file::begin_shader(const char* name, const char* type) {
    push_shader_state();
    if (name) {
        capture_ = false;
        print_indented("#define shader ");
        write_quoted_at_level_zero(name);
        print_plain(" ");
        write_quoted_at_level_zero(type);
        print_plain(" {\n");
    } else {
        // An anonymous shader is captured so that it can be placed later as a value.
        current_blob_ = new_blob();
        capture_ = true;
        indent_stack_.push_back(level_);
        level_ = 0;
        write_quoted(type);
        print_plain(" {\n");
    }
    ++level_;
    return true;
}

bool zylScene_api_file::begin_shader_numbered(const char* type, int32_t shader_id) {
    push_shader_state();
    capture_ = false;
    print_indented("#define shader %d %s {\n", shader_id, type ? type : "");
    ++level_;
    return true;
}

void zylScene_api_file::end_shader() {
    --level_;
    if (capture_) {
        print_indented("}");
        if (!indent_stack_.empty()) {
            level_ = indent_stack_.back();
            indent_stack_.pop_back();
        } else {
            level_ = 0;
        }
    } else {
        print_indented("}\n");
    }
    pop_style();
    // The blob just finished stays current, so the caller can take it with current_blob.
    if (!blob_stack_.empty()) {
        blob_stack_.pop_back();
    }
    capture_ = !capture_stack_.empty() && capture_stack_.back() != 0;
    if (!capture_stack_.empty()) {
        capture_stack_.pop_back();
    }
}

ShaderBlob* zylScene_api_file::current_blob() {
    return current_blob_;
}

void zylScene_api_file::push_blob() {
    blob_stack_.push_back(current_blob_);
}

void zylScene_api_file::pop_blob() {
    if (blob_stack_.empty()) {
        current_blob_ = nullptr;
        return;
    }
    current_blob_ = blob_stack_.back();
    blob_stack_.pop_back();
}

// ---- miscellaneous statements ----

int32_t zylScene_api_file::reserved_51() {
    return 10;
}
int32_t zylScene_api_file::reserved_52() {
    return 10;
}
int32_t zylScene_api_file::reserved_53() {
    return 0;
}

void zylScene_api_file::attribute(const char* name, const char* value) {
    print_indented("attribute ");
    write_quoted_at_level_zero(name);
    print_plain(" ");
    write_quoted_at_level_zero(value);
    print_plain("\n");
}

// The header lines and any caller's raw text: formatted, never indented.
void zylScene_api_file::write_raw(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vprint_plain(format, args);
    va_end(args);
}

void zylScene_api_file::set_mode(uint32_t mode) {
    mode_ = mode;
    binary_arrays_ = (mode & kBinaryArraysBit) != 0;
}

void zylScene_api_file::version(int32_t number) {
    print_indented("version %d\n\n", number == -1 ? 8 : number);
}

void zylScene_api_file::reserved_58() {}

void zylScene_api_file::progress(const char* label, float fraction) {
    print_indented("progress ");
    write_quoted_at_level_zero(label);
    print_plain(" %.3f\n\n", static_cast<double>(fraction));
}

void zylScene_api_file::icon(const unsigned char* bytes, int32_t length) {
    print_indented("icon ");
    write_hex("bX", bytes, length > 0 ? static_cast<std::size_t>(length) : 0);
    print_indented("\n");
}

void zylScene_api_file::write_bytes(const char* name, const unsigned char* bytes, int32_t length) {
    print_indented("%s ", name ? name : "");
    write_hex("bX", bytes, length > 0 ? static_cast<std::size_t>(length) : 0);
    print_indented("\n");
}

void zylScene_api_file::set_id(uint32_t id) {
    print_indented("id %u\n", id);
}

void zylScene_api_file::set_flags(uint32_t flags) {
    print_indented("flags %u\n", flags);
}

bool zylScene_api_file::reserved_64() {
    return false;
}

bool zylScene_api_file::render() {
    print_indented("\nrender\n");
    return true;
}

// Messages are written as they are, never used as a format.
void zylScene_api_file::print_message(const char* text) {
    print_indented("#print \"");
    write_plain_text(text ? text : "");
    print_plain("\"\n");
}

void zylScene_api_file::error_message(const char* text) {
    print_indented("#error \"");
    write_plain_text(text ? text : "");
    print_plain("\"\n");
}
