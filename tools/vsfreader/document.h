// The tree that the reader builds from a .vsf scene file: blocks with their children in file order,
// parameters of both styles, #print/#error messages, and values, among them numeric arrays that
// keep a binary block's numbers in one typed vector. The tree is plain data: it is filled once by
// the parser (reader.h) and read afterwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vsf {

struct Block;
struct Array;

// One value of a parameter, of a block header or an element of a text array.
struct Value {
    enum class Kind {
        number,     // 12, -1, 0.75, 1e+06, nan, inf: `number`
        word,       // a bare word such as on, off or an unquoted shader type: `text`
        string,     // "quoted" or xX hex form, decoded: `text` (`hex` tells which form)
        bytes,      // bX byte form, decoded: `text`
        array,      // [ ... ]: `array`
        shader_id,  // ! 3: `number` holds the id
        shader,     // an inline anonymous shader "type" { ... }, or ! "type" { ... }: `shader`
    };
    Kind kind = Kind::number;
    std::size_t offset = 0;  // byte offset of the value's first byte in the file
    double number = 0;
    std::string text;
    bool hex = false;        // a string written in the xX form
    bool reference = false;  // an inline shader introduced by "!"
    std::shared_ptr<const Array> array;
    std::shared_ptr<const Block> shader;  // keyword "shader", args: the type; children: entries

    bool is_number() const { return kind == Kind::number; }
    // The number as int32 (truncated); 0 for anything that is not a number or a shader id.
    std::int32_t as_int() const;
    // "on" is true, "off" false, a number is true when not zero; anything else is false.
    bool as_bool() const;
};

// The kind of an array: the four binary block kinds (by their kind letter) or a text array.
enum class ArrayKind : char {
    float3 = 'c',   // binary float32 triples: `floats`, x y z one after the other
    float1 = 'f',   // binary float32: `floats`
    double1 = 'r',  // binary float64: `doubles`
    int1 = 'i',     // binary int32: `ints`
    text = 't',     // text elements: `numbers` (all numeric) or `items` (anything else)
};

// A numeric or text array between "[" and "]". Exactly one storage vector is filled: the one of
// its kind (for text: `numbers` when every value is a number, else `items`).
struct Array {
    ArrayKind kind = ArrayKind::text;
    std::size_t offset = 0;      // the "["
    std::size_t data_begin = 0;  // binary: the block's tag; text: the first element
    std::size_t data_end = 0;    // one past the block's last data byte / the last element
    std::vector<float> floats;
    std::vector<double> doubles;
    std::vector<std::int32_t> ints;
    std::vector<double> numbers;  // text: all values of all elements, one after the other
    std::vector<Value> items;     // text: the same when any value is not a number
    std::size_t width = 0;        // text: values per element (0 when elements differ in width)
    std::size_t elements = 0;     // text: number of comma-separated elements

    bool binary() const { return kind != ArrayKind::text; }
    // Number of elements: float3 triples for c, single values for f, r, i.
    std::size_t size() const;
    // Number of scalar values (3 per element for c).
    std::size_t scalar_count() const;
    // Bytes of data in the file: count x 4 or x 8 for binary blocks, the text's length otherwise.
    std::size_t data_bytes() const;
};

// A parameter: a statement line `name value...` or a list entry `"name" value...,`.
// Lines such as `version 9`, `id 3`, `flags 4096`, `transform ...`, `surface 1` and
// `material "name"` are statements too.
struct Param {
    enum class Style { statement, entry };
    std::string name;  // decoded; words of a statement name joined by one space
    bool name_hex = false;
    Style style = Style::statement;
    std::vector<Value> values;
    std::size_t offset = 0;

    // The first value when it is an array, else null.
    const Array* array() const;
    // The value at `index`, or null past the end.
    const Value* value(std::size_t index = 0) const;
};

// A #print or #error line; the text is taken unchanged.
struct Message {
    bool error = false;
    std::string text;
    std::size_t offset = 0;
};

// A block `keyword args... { children }`, or the whole file (keyword empty).
struct Block {
    enum class ChildKind { block, param, message };
    struct Child {
        ChildKind kind;
        std::size_t index;  // into blocks, params or messages
    };

    std::string keyword;      // "group", "object", "geometry", "material", "shader", "camera", ...
    bool definition = false;  // written with "#define"
    bool modify = false;      // written with "#modify"
    std::vector<Value> args;  // between the keyword and "{": names, types, a shader id
    std::size_t offset = 0;
    std::vector<Block> blocks;
    std::vector<Param> params;
    std::vector<Message> messages;
    std::vector<Child> order;  // all children in file order

    // The first string argument (the block's name or type), or "" when there is none.
    std::string name() const;
    // The first direct child block with this keyword (and this name when `name` is given).
    const Block* block(std::string_view block_keyword,
                       const std::string* block_name = nullptr) const;
    const Block* block(std::string_view block_keyword, const std::string& block_name) const {
        return block(block_keyword, &block_name);
    }
    // Every block with this keyword below this one, depth first in file order. Inline shaders
    // inside values are not included.
    std::vector<const Block*> find_all(std::string_view block_keyword) const;
    // The first direct parameter with this name, in either style; null when there is none.
    const Param* param(std::string_view param_name) const;
    // Every direct parameter with this name, in file order.
    std::vector<const Param*> params_named(std::string_view param_name) const;
};

// The header lines: "//---tesmar:dal:7---", "//---import:dal:1---", "//---id:1---".
struct Header {
    int dal_version = 0;
    int import_version = -1;  // -1 when the line is missing
    int id = -1;              // -1 when the line is missing
};

struct Document {
    Header header;
    Block root;  // keyword empty; its children are the file's top-level statements and blocks
};

}  // namespace vsf
