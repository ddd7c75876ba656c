// The file back end of the scene interface: turns scene calls into the text of a .vsf scene file,
// with large numeric arrays embedded as raw binary blocks.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "importers/sceneapi/dev/scene_api.h"

#if defined(__clang__)
#define VSF_PRINTF_LIKE(fmt, args) __attribute__((format(printf, fmt, args)))
#elif defined(__GNUC__)
// gnu_printf: MinGW's printf family is the C99 one here, whatever the C runtime's would be.
#define VSF_PRINTF_LIKE(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define VSF_PRINTF_LIKE(fmt, args)
#endif

class zylScene_api_file : public zylScene_api {
  public:
    // Writes to `output` (not owned; null writes nothing). Switches the process's numeric locale
    // to "C" for the writer's life so every number has a decimal point; the destructor restores
    // the locale that was in force before.
    zylScene_api_file(std::FILE* output, bool binary_arrays);
    ~zylScene_api_file() override;

    zylScene_api_file(const zylScene_api_file&) = delete;
    zylScene_api_file& operator=(const zylScene_api_file&) = delete;

    void reserved_1() override;
    bool begin_group(const char* name, bool in_place) override;
    void end_group() override;
    bool begin_object(const char* name, bool in_place) override;
    void end_object() override;
    bool begin_geometry(const char* name) override;
    void end_geometry() override;
    bool begin_animation(const char* name, const char* type) override;
    void end_animation() override;
    bool begin_load(const char* module_name) override;
    void end_load() override;
    bool begin_options() override;
    void end_options() override;
    bool begin_camera(const char* name) override;
    void end_camera() override;
    bool begin_image() override;
    void end_image() override;
    bool begin_output(const char* a, const char* b, const char* c) override;
    void end_output() override;
    bool begin_light(const char* name) override;
    void end_light() override;
    bool begin_accel(const char* name) override;
    void end_accel() override;
    void transform(const double* matrix) override;
    void set_transform(const double* matrix) override;
    void scale(const double& x, const double& y, const double& z) override;
    void rotate(const double& x, const double& y, const double& z) override;
    void translate(const double& x, const double& y, const double& z) override;
    bool begin_matrix(const char* name) override;
    void end_matrix() override;
    bool begin_material(const char* name, bool in_place) override;
    bool use_material(const char* name) override;
    void end_material() override;
    void assign_shader_blob(int32_t kind, ShaderBlob* blob) override;
    void assign_shader(int32_t kind, int32_t shader_id) override;
    bool begin_shader(const char* name, const char* type) override;
    bool begin_shader_numbered(const char* type, int32_t shader_id) override;
    void end_shader() override;
    ShaderBlob* current_blob() override;
    void push_blob() override;
    void pop_blob() override;
    bool param(const char* name, int32_t type, const void* value) override;
    bool param_shader(const char* name, int32_t shader_id) override;
    bool param_shader_blob(const char* name, ShaderBlob* blob) override;
    bool begin_list(const char* name) override;
    void end_list() override;
    void list_item(int32_t type, const void* value) override;
    int32_t reserved_51() override;
    int32_t reserved_52() override;
    int32_t reserved_53() override;
    void attribute(const char* name, const char* value) override;
    void write_raw(const char* format, ...) override VSF_PRINTF_LIKE(2, 3);
    void set_mode(uint32_t mode) override;
    void version(int32_t number) override;
    void reserved_58() override;
    void progress(const char* label, float fraction) override;
    void icon(const unsigned char* bytes, int32_t length) override;
    void write_bytes(const char* name, const unsigned char* bytes, int32_t length) override;
    void set_id(uint32_t id) override;
    void set_flags(uint32_t flags) override;
    bool reserved_64() override;
    bool render() override;
    void print_message(const char* text) override;
    void error_message(const char* text) override;

    // Writes "#modify " and then what begin_camera writes for the same name.
    virtual bool modify_camera(const char* name);

  private:
    enum Style : uint8_t { kListStyle = 0, kStatementStyle = 1 };
    enum Section : int32_t { kNoSection = 0, kOptions = 1, kCamera = 2, kImage = 3, kObject = 4 };

    // Output primitives; every byte goes through one of these.
    void print_indented(const char* format, ...) VSF_PRINTF_LIKE(2, 3);
    void print_plain(const char* format, ...) VSF_PRINTF_LIKE(2, 3);
    void vprint_plain(const char* format, va_list args) VSF_PRINTF_LIKE(2, 0);
    void write_raw_bytes(const void* bytes, std::size_t count);
    void write_indented_text(const char* text, std::size_t length);
    void write_plain_text(const char* text);
    void write_indentation();
    void append_to_blob(ShaderBlob* blob, const char* bytes, std::size_t count, bool binary);
    void emit_bytes(const char* bytes, std::size_t count);

    // Values and parameters.
    void write_quoted(const char* text);
    void write_quoted_at_level_zero(const char* text);
    void write_hex(const char* prefix, const unsigned char* bytes, std::size_t count);
    void write_value(int32_t type, const void* value);
    void write_array(int32_t element_type, const ArrayDesc& array);
    void write_text_array(int32_t element_type, const ArrayDesc& array);
    void write_binary_block(char kind, const void* data, int32_t count, std::size_t scalar_size);
    void write_blob_content(const ShaderBlob* blob);
    void write_shader_kind(int32_t kind, bool trailing_space);
    void open_block(const char* keyword, const char* name);
    void write_block_close();
    void push_shader_state();
    void pop_style();
    bool open_section(int32_t section);
    void close_section(int32_t section);
    ShaderBlob* new_blob();

    std::vector<int32_t> indent_stack_;
    std::vector<std::unique_ptr<ShaderBlob, void (*)(ShaderBlob*)>> blob_registry_;
    std::vector<ShaderBlob*> blob_stack_;
    std::vector<uint8_t> capture_stack_;
    std::vector<uint8_t> style_stack_;
    bool capture_ = false;
    ShaderBlob* current_blob_ = nullptr;
    std::FILE* output_;
    int32_t level_ = 0;
    int32_t list_count_ = 0;
    uint8_t style_ = kListStyle;
    int32_t section_ = kNoSection;
    bool binary_arrays_;
    char list_kind_ = 0;
    std::vector<uint32_t> list_words_;
    uint32_t mode_ = 0x400001;
    std::unique_ptr<char[]> format_buffer_;
    std::unique_ptr<char[]> indent_buffer_;
    std::string saved_locale_;
};
