// Value type codes of the scene interface and the array descriptor that carries arrays.
// The codes and the memory layout behind each value are shared with the renderer's live library.
#pragma once

#include <cstdint>

enum : int32_t {
    VT_FLOAT3 = 1,       // 3 float32
    VT_FLOAT4 = 2,       // 4 float32
    VT_FLOAT = 3,        // 1 float32
    VT_DOUBLE = 4,       // 1 float64
    VT_DOUBLE3 = 5,      // 3 float64
    VT_INT = 6,          // 1 int32
    VT_BOOL = 7,         // 1 int32, zero or non-zero
    VT_MATRIX = 9,       // 16 float64 in storage order
    VT_STRING = 10,      // the text itself
    VT_STRING_REF = 13,  // a pointer to a text
    VT_FLOAT2 = 14,      // 2 float32
    VT_FLOAT4B = 15,     // 4 float32
    VT_INT2 = 16,        // 2 int32
    VT_INT3 = 17,        // 3 int32
    VT_INT4 = 18,        // 4 int32
    VT_SHADER = 23,      // 1 int32, the id of a numbered shader definition
    VT_ARRAY = 0x8000,   // added to a code: the value is an ArrayDesc of that type
    VT_BLOB = 0x10000,   // a pointer to a ShaderBlob
};

// What the address of a VT_ARRAY value points to: the first element and the element count.
struct ArrayDesc {
    const void* data;
    int32_t count;
};
