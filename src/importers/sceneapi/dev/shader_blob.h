// Capture buffer of an anonymous shader definition.
#pragma once

#include <cstdint>

// Written into instead of the file while an anonymous shader is defined, then placed as a value.
// The writer that creates a blob owns it and frees it only when the writer itself is destroyed,
// so a blob pointer stays valid for the writer's whole life. The layout is shared with the live
// library.
struct ShaderBlob {
    char* data;        // owned, NUL-terminated after its content
    int32_t length;    // bytes of content
    int32_t capacity;  // -1 until the first append allocates
    int32_t binary;    // 1 once raw bytes were appended: then it is copied out byte for byte
};
