// Counting what a scene file holds: objects and other blocks, triangles and vertices of the
// "triangles" geometries, and the arrays by kind with their values and bytes.
#pragma once

#include <cstddef>

#include "tools/vsfreader/document.h"

namespace vsf {

struct ArrayTotals {
    std::size_t arrays = 0;
    std::size_t values = 0;  // scalars (3 per float3 element)
    std::size_t bytes = 0;   // data bytes of binary blocks; text length of text arrays
};

struct Stats {
    std::size_t objects = 0;    // object blocks, in place and #define
    std::size_t instances = 0;  // "instance" geometries
    std::size_t groups = 0;
    std::size_t materials = 0;       // material blocks (not `material "name"` references)
    std::size_t shaders = 0;         // #define shader blocks
    std::size_t inline_shaders = 0;  // anonymous shaders written as values
    std::size_t cameras = 0;
    std::size_t animations = 0;
    std::size_t errors = 0;     // #error lines
    std::size_t triangles = 0;  // "triangles" index count / 3 over all "triangles" geometries
    std::size_t vertices = 0;   // "vertices" value count / 3 over the same
    ArrayTotals float3;         // binary c blocks
    ArrayTotals float1;         // binary f blocks
    ArrayTotals double1;        // binary r blocks
    ArrayTotals int1;           // binary i blocks
    ArrayTotals text;           // text arrays

    // The totals of one array kind.
    const ArrayTotals& totals(ArrayKind kind) const;
    ArrayTotals& totals(ArrayKind kind);
};

// Walks the whole document, inline shaders included. Never fails.
Stats compute_stats(const Document& document);

}  // namespace vsf
