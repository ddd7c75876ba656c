// The abstract scene interface: a flat, stateful, call-by-call protocol that every piece of scene
// description goes through. Two back ends implement it: the file writer (scene_api_file.h) and the
// renderer's live library. The declaration order below is the slot order shared with the live
// library, so it is part of the ABI: append nothing, reorder nothing.
#pragma once

#include <cstdint>

#include "importers/sceneapi/dev/shader_blob.h"
#include "importers/sceneapi/dev/value_types.h"

class zylScene_api {
  public:
    virtual ~zylScene_api() = default;  // slot 0

    virtual void reserved_1() = 0;
    virtual bool connect(const char* host, int32_t port, int32_t mode);
    virtual bool disconnect();
    virtual bool reserved_4();

    // Blocks. `in_place` false writes the block as a definition for later reference.
    virtual bool begin_group(const char* name, bool in_place) = 0;  // slot 5
    virtual void end_group() = 0;
    virtual bool begin_object(const char* name, bool in_place) = 0;
    virtual void end_object() = 0;
    virtual bool begin_geometry(const char* name) = 0;
    virtual void end_geometry() = 0;  // slot 10
    virtual bool begin_animation(const char* name, const char* type) = 0;
    virtual void end_animation() = 0;
    virtual bool begin_load(const char* module_name) = 0;
    virtual void end_load() = 0;
    virtual bool begin_options() = 0;  // slot 15
    virtual void end_options() = 0;
    virtual bool begin_camera(const char* name) = 0;  // name may be null
    virtual void end_camera() = 0;
    virtual bool begin_image() = 0;
    virtual void end_image() = 0;  // slot 20
    virtual bool begin_output(const char* a, const char* b, const char* c) = 0;
    virtual void end_output() = 0;
    virtual bool begin_light(const char* name) = 0;
    virtual void end_light() = 0;
    virtual bool begin_accel(const char* name) = 0;  // slot 25
    virtual void end_accel() = 0;

    // Transforms: 16 doubles in storage order.
    virtual void transform(const double* matrix) = 0;
    virtual void set_transform(const double* matrix) = 0;
    virtual void scale(const double& x, const double& y, const double& z) = 0;
    virtual void rotate(const double& x, const double& y, const double& z) = 0;  // slot 30
    virtual void translate(const double& x, const double& y, const double& z) = 0;
    virtual bool begin_matrix(const char* name) = 0;
    virtual void end_matrix() = 0;

    // Materials and shaders. Shader kinds: 0 surface, 1 shadow, 2 volume, 3 reflection map.
    virtual bool begin_material(const char* name, bool in_place) = 0;
    virtual bool use_material(const char* name) = 0;  // slot 35
    virtual void end_material() = 0;
    virtual void assign_shader_blob(int32_t kind, ShaderBlob* blob) = 0;
    virtual void assign_shader(int32_t kind, int32_t shader_id) = 0;
    virtual bool begin_shader(const char* name, const char* type) = 0;  // null name: anonymous
    virtual bool begin_shader_numbered(const char* type, int32_t shader_id) = 0;  // slot 40
    virtual void end_shader() = 0;
    virtual ShaderBlob* current_blob() = 0;
    virtual void push_blob() = 0;
    virtual void pop_blob() = 0;

    // Parameters: a type code (value_types.h) and the address of the value.
    virtual bool param(const char* name, int32_t type, const void* value) = 0;  // slot 45
    virtual bool param_shader(const char* name, int32_t shader_id) = 0;
    virtual bool param_shader_blob(const char* name, ShaderBlob* blob) = 0;
    virtual bool begin_list(const char* name) = 0;
    virtual void end_list() = 0;
    virtual void list_item(int32_t type, const void* value) = 0;  // slot 50
    virtual int32_t reserved_51() = 0;
    virtual int32_t reserved_52() = 0;
    virtual int32_t reserved_53() = 0;
    virtual void attribute(const char* name, const char* value) = 0;

    // Miscellaneous statements.
    virtual void write_raw(const char* format, ...) = 0;  // slot 55
    virtual void set_mode(uint32_t mode) = 0;
    virtual void version(int32_t number) = 0;
    virtual void reserved_58() = 0;
    virtual void progress(const char* label, float fraction) = 0;
    virtual void icon(const unsigned char* bytes, int32_t length) = 0;  // slot 60
    virtual void write_bytes(const char* name, const unsigned char* bytes, int32_t length) = 0;
    virtual void set_id(uint32_t id) = 0;
    virtual void set_flags(uint32_t flags) = 0;
    virtual bool reserved_64() = 0;
    virtual bool render() = 0;  // slot 65
    virtual void print_message(const char* text) = 0;
    virtual void error_message(const char* text) = 0;  // slot 67
};
