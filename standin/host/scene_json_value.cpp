#include "standin/host/scene_json_value.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/utf.h"

namespace standin::scene_json {

namespace {

constexpr float kDegreesToRadians = 0.017453292519943295f;

// The number in j when it is a finite number within float range.
bool float_in(const Json& j, float& out) {
    if (!j.is_number()) {
        return false;
    }
    const double d = j.get<double>();
    if (!std::isfinite(d) || std::fabs(d) > static_cast<double>(FLT_MAX)) {
        return false;
    }
    out = static_cast<float>(d);
    return true;
}

// Three floats from an array of exactly three numbers.
bool float_triple(const Json& j, float (&out)[3]) {
    if (!j.is_array() || j.size() != 3) {
        return false;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (!float_in(j[i], out[i])) {
            return false;
        }
    }
    return true;
}

// One half of a class id: an integer or a "0x..." text of one to eight hex digits.
bool class_id_part(const Json& j, std::uint32_t& out) {
    std::int64_t v = 0;
    if (integer_in(j, 0, 0xFFFFFFFFLL, v)) {
        out = static_cast<std::uint32_t>(v);
        return true;
    }
    if (!j.is_string()) {
        return false;
    }
    const std::string& s = j.get_ref<const std::string&>();
    if (s.size() < 3 || s.size() > 10 || s[0] != '0' || (s[1] != 'x' && s[1] != 'X')) {
        return false;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 2; i < s.size(); ++i) {
        const char c = s[i];
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            return false;
        }
        value = value * 16 + digit;
    }
    out = value;
    return true;
}

std::string kind_list(const char* const* known, std::size_t count) {
    std::string list;
    for (std::size_t i = 0; i < count; ++i) {
        list += i == 0 ? "" : ", ";
        list += known[i];
    }
    return list;
}

}  // namespace

std::string member_path(const std::string& path, const std::string& key) {
    std::string out = path;
    out += '/';
    for (char c : key) {
        if (c == '~') {
            out += "~0";
        } else if (c == '/') {
            out += "~1";
        } else {
            out += c;
        }
    }
    return out;
}

std::string element_path(const std::string& path, std::size_t i) {
    return path + "/" + std::to_string(i);
}

bool integer_in(const Json& j, std::int64_t lo, std::int64_t hi, std::int64_t& out) {
    if (!j.is_number_integer()) {
        return false;
    }
    std::int64_t v = 0;
    if (j.is_number_unsigned()) {
        const std::uint64_t u = j.get<std::uint64_t>();
        if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            return false;
        }
        v = static_cast<std::int64_t>(u);
    } else {
        v = j.get<std::int64_t>();
    }
    if (v < lo || v > hi) {
        return false;
    }
    out = v;
    return true;
}

void element_expected(const Value& array, std::size_t i, const std::string& what) {
    throw SceneFileError(element_path(array.path(), i), "expected " + what);
}

void Value::expected(const std::string& what) const {
    fail("expected " + what);
}

void Value::fail(const std::string& message) const {
    throw SceneFileError(path_.empty() ? "/" : path_, message);
}

void Value::require_object(const std::string& what,
                           std::initializer_list<const char*> known) const {
    require_object(what, known.begin(), known.size());
}

void Value::require_object(const std::string& what, const char* const* known,
                           std::size_t count) const {
    if (!json_->is_object()) {
        expected(what);
    }
    for (const auto& item : json_->items()) {
        bool found = false;
        for (std::size_t i = 0; i < count && !found; ++i) {
            found = item.key() == known[i];
        }
        if (!found) {
            throw SceneFileError(member_path(path_, item.key()),
                                 "unknown field; expected one of " + kind_list(known, count));
        }
    }
}

std::optional<Value> Value::find(const char* key) const {
    const auto it = json_->find(key);
    if (it == json_->end()) {
        return std::nullopt;
    }
    return Value(*it, member_path(path_, key));
}

Value Value::at(const char* key, const std::string& what) const {
    std::optional<Value> v = find(key);
    if (!v) {
        throw SceneFileError(member_path(path_, key), "missing, expected " + what);
    }
    return *v;
}

std::size_t Value::array_size(const std::string& what) const {
    if (!json_->is_array()) {
        expected(what);
    }
    return json_->size();
}

Value Value::element(std::size_t i) const {
    return Value((*json_)[i], element_path(path_, i));
}

bool Value::as_bool() const {
    if (!json_->is_boolean()) {
        expected("true or false");
    }
    return json_->get<bool>();
}

float Value::as_float() const {
    float f = 0.0f;
    if (!float_in(*json_, f)) {
        expected("a number");
    }
    return f;
}

std::int64_t Value::as_integer(std::int64_t lo, std::int64_t hi) const {
    std::int64_t v = 0;
    if (!integer_in(*json_, lo, hi, v)) {
        expected("an integer from " + std::to_string(lo) + " to " + std::to_string(hi));
    }
    return v;
}

int Value::as_int(int lo, int hi) const {
    return static_cast<int>(as_integer(lo, hi));
}

std::u16string Value::as_text() const {
    return platform::utf8_to_utf16(as_utf8());
}

std::string Value::as_utf8() const {
    if (!json_->is_string()) {
        expected("a text");
    }
    return json_->get_ref<const std::string&>();
}

host::Point3 Value::as_point3() const {
    float f[3];
    if (!float_triple(*json_, f)) {
        expected("a point [x, y, z]");
    }
    return host::Point3(f[0], f[1], f[2]);
}

host::Color Value::as_color() const {
    float f[3];
    if (!float_triple(*json_, f)) {
        expected("a colour [r, g, b]");
    }
    return host::Color(f[0], f[1], f[2]);
}

host::ClassId Value::as_class_id() const {
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    if (!json_->is_array() || json_->size() != 2 || !class_id_part((*json_)[0], a) ||
        !class_id_part((*json_)[1], b)) {
        expected("a class id [a, b] of two 32-bit numbers (integers or \"0x...\" texts)");
    }
    return host::ClassId(a, b);
}

Quat Value::as_rotation() const {
    const std::string what =
        "a rotation: a quaternion [x, y, z, w] or {\"axis\": [x, y, z], "
        "\"angle\": degrees}";
    if (json_->is_array()) {
        float q[4];
        bool ok = json_->size() == 4;
        for (std::size_t i = 0; ok && i < 4; ++i) {
            ok = float_in((*json_)[i], q[i]);
        }
        if (!ok) {
            expected(what);
        }
        return Quat(q[0], q[1], q[2], q[3]);
    }
    require_object(what, {"axis", "angle"});
    const host::Point3 axis = at("axis", "a point [x, y, z]").as_point3();
    const float angle = at("angle", "a number of degrees").as_float();
    return Quat::from_axis_angle(axis, angle * kDegreesToRadians);
}

int named_code(const Value& v, const NamedCode* table, std::size_t count, int lo, int hi) {
    if (v.json().is_string()) {
        const std::string& s = v.json().get_ref<const std::string&>();
        for (std::size_t i = 0; i < count; ++i) {
            if (s == table[i].name) {
                return table[i].code;
            }
        }
    }
    std::int64_t code = 0;
    if (!integer_in(v.json(), lo, hi, code)) {
        std::string names;
        for (std::size_t i = 0; i < count; ++i) {
            names += "\"" + std::string(table[i].name) + "\", ";
        }
        v.expected(names + "or an integer from " + std::to_string(lo) + " to " +
                   std::to_string(hi));
    }
    return static_cast<int>(code);
}

bool bool_or(const Value& object, const char* key, bool fallback) {
    const std::optional<Value> v = object.find(key);
    return v ? v->as_bool() : fallback;
}

float float_or(const Value& object, const char* key, float fallback) {
    const std::optional<Value> v = object.find(key);
    return v ? v->as_float() : fallback;
}

int int_or(const Value& object, const char* key, int lo, int hi, int fallback) {
    const std::optional<Value> v = object.find(key);
    return v ? v->as_int(lo, hi) : fallback;
}

host::Point3 point3_or(const Value& object, const char* key, const host::Point3& fallback) {
    const std::optional<Value> v = object.find(key);
    return v ? v->as_point3() : fallback;
}

host::Color color_or(const Value& object, const char* key, const host::Color& fallback) {
    const std::optional<Value> v = object.find(key);
    return v ? v->as_color() : fallback;
}

void read_points(const Value& array, std::vector<host::Point3>& out) {
    out.reserve(out.size() + array.array_size("an array of points [x, y, z]"));
    std::size_t i = 0;
    for (const Json& j : array.json()) {
        float f[3];
        if (!float_triple(j, f)) {
            element_expected(array, i, "a point [x, y, z]");
        }
        out.emplace_back(f[0], f[1], f[2]);
        ++i;
    }
}

void read_uvw_points(const Value& array, std::vector<host::Point3>& out) {
    out.reserve(out.size() + array.array_size("an array of texture points [u, v] or [u, v, w]"));
    std::size_t i = 0;
    for (const Json& j : array.json()) {
        float f[3] = {0.0f, 0.0f, 0.0f};
        bool ok = j.is_array() && (j.size() == 2 || j.size() == 3);
        for (std::size_t k = 0; ok && k < j.size(); ++k) {
            ok = float_in(j[k], f[k]);
        }
        if (!ok) {
            element_expected(array, i, "a texture point [u, v] or [u, v, w]");
        }
        out.emplace_back(f[0], f[1], f[2]);
        ++i;
    }
}

std::array<std::uint32_t, 3> index_triple(const Value& array, std::size_t i, const Json& j,
                                          std::uint32_t limit, const char* what) {
    if (!j.is_array() || j.size() != 3) {
        element_expected(array, i, "an integer triple");
    }
    std::array<std::uint32_t, 3> t{};
    for (std::size_t k = 0; k < 3; ++k) {
        std::int64_t v = 0;
        if (!integer_in(j[k], 0, static_cast<std::int64_t>(limit) - 1, v)) {
            throw SceneFileError(
                element_path(element_path(array.path(), i), k),
                limit == 0
                    ? "expected " + std::string(what) + ", but there is nothing to index"
                    : "expected " + std::string(what) + " from 0 to " + std::to_string(limit - 1));
        }
        t[k] = static_cast<std::uint32_t>(v);
    }
    return t;
}

void read_index_triples(const Value& array, std::uint32_t limit, const char* what,
                        std::vector<std::array<std::uint32_t, 3>>& out) {
    out.reserve(out.size() + array.array_size("an array of integer triples"));
    for_each_index_triple(
        array, limit, what,
        [&](std::size_t, const std::array<std::uint32_t, 3>& t) { out.push_back(t); });
}

}  // namespace standin::scene_json
