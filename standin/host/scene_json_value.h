// Typed, path-aware access to a parsed JSON scene: every reader checks the value's kind and range
// and, when it does not fit, throws SceneFileError naming the JSON Pointer path and what was
// expected there. Internal to the JSON scene reader.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "plugin/host/class_id.h"
#include "plugin/host/geometry.h"
#include "standin/host/quat.h"
#include "standin/host/scene_json_error.h"

namespace standin::scene_json {

using Json = nlohmann::json;

// A JSON value and its path ("" for the document itself). Holds a reference: the document must
// outlive it.
class Value {
  public:
    Value(const Json& json, std::string path) : json_(&json), path_(std::move(path)) {}

    const Json& json() const { return *json_; }
    const std::string& path() const { return path_; }

    // Throws SceneFileError "<path>: expected <what>".
    [[noreturn]] void expected(const std::string& what) const;
    // Throws SceneFileError "<path>: <message>".
    [[noreturn]] void fail(const std::string& message) const;

    // --- Objects ---
    // Requires an object (else "expected <what>") whose keys are all in known.
    void require_object(const std::string& what, std::initializer_list<const char*> known) const;
    void require_object(const std::string& what, const char* const* known, std::size_t count) const;
    // The member key, if present. The value must be an object.
    std::optional<Value> find(const char* key) const;
    // The member key; a missing one throws "<path>/<key>: missing, expected <what>".
    Value at(const char* key, const std::string& what) const;

    // --- Arrays ---
    // Requires an array (else "expected <what>") and returns its size.
    std::size_t array_size(const std::string& what) const;
    // Element i of an array (i below the size).
    Value element(std::size_t i) const;

    // --- Scalars ---
    bool as_bool() const;
    // A finite number within float range.
    float as_float() const;
    // An integer in [lo, hi].
    std::int64_t as_integer(std::int64_t lo, std::int64_t hi) const;
    int as_int(int lo, int hi) const;
    // A text, as UTF-16 (the host's texts) or as it is (UTF-8).
    std::u16string as_text() const;
    std::string as_utf8() const;
    // [x, y, z]
    host::Point3 as_point3() const;
    // [r, g, b]
    host::Color as_color() const;
    // [a, b], each a number or a "0x..." text, each 0 to 0xFFFFFFFF.
    host::ClassId as_class_id() const;
    // A quaternion [x, y, z, w], or {"axis": [x, y, z], "angle": degrees}.
    Quat as_rotation() const;

  private:
    const Json* json_;
    std::string path_;
};

// The path of member key below path (JSON Pointer escaping of "~" and "/").
std::string member_path(const std::string& path, const std::string& key);
// The path of element i below path.
std::string element_path(const std::string& path, std::size_t i);

// A code given by name or number, such as a light type.
struct NamedCode {
    const char* name;
    int code;
};
// One of the names in table, or an integer in [lo, hi]; returns its code.
int named_code(const Value& v, const NamedCode* table, std::size_t count, int lo, int hi);
template <std::size_t N>
int named_code(const Value& v, const NamedCode (&table)[N], int lo, int hi) {
    return named_code(v, table, N, lo, hi);
}

// Optional members with a fallback.
bool bool_or(const Value& object, const char* key, bool fallback);
float float_or(const Value& object, const char* key, float fallback);
int int_or(const Value& object, const char* key, int lo, int hi, int fallback);
host::Point3 point3_or(const Value& object, const char* key, const host::Point3& fallback);
host::Color color_or(const Value& object, const char* key, const host::Color& fallback);

// Bulk readers for mesh-sized arrays: one pass, no allocation per element, a path built only for
// the element that fails.
// An array of [x, y, z] points (appended to out).
void read_points(const Value& array, std::vector<host::Point3>& out);
// An array of [u, v] or [u, v, w] texture points (w defaults to 0).
void read_uvw_points(const Value& array, std::vector<host::Point3>& out);

// Requires an array of integer triples (else "expected an array of integer triples"), each
// integer in [0, limit) where what names what they index (such as "a vertex index"), and calls
// sink(i, triple) for each.
template <class Sink>
void for_each_index_triple(const Value& array, std::uint32_t limit, const char* what, Sink sink);
// An array of index triples appended to out (see for_each_index_triple).
void read_index_triples(const Value& array, std::uint32_t limit, const char* what,
                        std::vector<std::array<std::uint32_t, 3>>& out);

// Requires an array of exactly count integers (else "expected an array of <count> <what>") and
// calls sink(i, value) for each, every value in [lo, hi].
template <class Sink>
void for_each_integer(const Value& array, std::size_t count, std::int64_t lo, std::int64_t hi,
                      const std::string& what, Sink sink);

// --- Helpers of the templates above ---
// Element i (j) of array as an index triple below limit; throws naming the element or its entry.
std::array<std::uint32_t, 3> index_triple(const Value& array, std::size_t i, const Json& j,
                                          std::uint32_t limit, const char* what);
// Throws SceneFileError for element i of array: "<path>/<i>: expected <what>".
[[noreturn]] void element_expected(const Value& array, std::size_t i, const std::string& what);
// Whether j is an integer in [lo, hi]; stores it in out when it is.
bool integer_in(const Json& j, std::int64_t lo, std::int64_t hi, std::int64_t& out);

template <class Sink>
void for_each_index_triple(const Value& array, std::uint32_t limit, const char* what, Sink sink) {
    array.array_size("an array of integer triples");
    std::size_t i = 0;
    for (const Json& j : array.json()) {
        sink(i, index_triple(array, i, j, limit, what));
        ++i;
    }
}

template <class Sink>
void for_each_integer(const Value& array, std::size_t count, std::int64_t lo, std::int64_t hi,
                      const std::string& what, Sink sink) {
    const std::string whole = "an array of " + std::to_string(count) + " " + what;
    if (array.array_size(whole) != count) {
        array.expected(whole);
    }
    std::size_t i = 0;
    for (const Json& j : array.json()) {
        std::int64_t v = 0;
        if (!integer_in(j, lo, hi, v)) {
            element_expected(array, i,
                             "an integer from " + std::to_string(lo) + " to " + std::to_string(hi));
        }
        sink(i, v);
        ++i;
    }
}

}  // namespace standin::scene_json
