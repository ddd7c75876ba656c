#include "tools/vsfreader/document.h"

#include <cstdint>
#include <limits>

namespace vsf {

std::int32_t Value::as_int() const {
    if (kind != Kind::number && kind != Kind::shader_id) {
        return 0;
    }
    // Casting a value outside the int32 range (or nan) would be undefined.
    if (!(number >= std::numeric_limits<std::int32_t>::min() &&
          number <= std::numeric_limits<std::int32_t>::max())) {
        return 0;
    }
    return static_cast<std::int32_t>(number);
}

bool Value::as_bool() const {
    if (kind == Kind::word) {
        return text == "on";
    }
    return kind == Kind::number && number != 0;
}

std::size_t Array::size() const {
    switch (kind) {
        case ArrayKind::float3:
            return floats.size() / 3;
        case ArrayKind::float1:
            return floats.size();
        case ArrayKind::double1:
            return doubles.size();
        case ArrayKind::int1:
            return ints.size();
        case ArrayKind::text:
            break;
    }
    return elements;
}

std::size_t Array::scalar_count() const {
    switch (kind) {
        case ArrayKind::float3:
        case ArrayKind::float1:
            return floats.size();
        case ArrayKind::double1:
            return doubles.size();
        case ArrayKind::int1:
            return ints.size();
        case ArrayKind::text:
            break;
    }
    return numbers.size() + items.size();
}

std::size_t Array::data_bytes() const {
    switch (kind) {
        case ArrayKind::float3:
        case ArrayKind::float1:
            return floats.size() * sizeof(float);
        case ArrayKind::double1:
            return doubles.size() * sizeof(double);
        case ArrayKind::int1:
            return ints.size() * sizeof(std::int32_t);
        case ArrayKind::text:
            break;
    }
    return data_end - data_begin;
}

const Array* Param::array() const {
    return !values.empty() && values.front().kind == Value::Kind::array ? values.front().array.get()
                                                                        : nullptr;
}

const Value* Param::value(std::size_t index) const {
    return index < values.size() ? &values[index] : nullptr;
}

std::string Block::name() const {
    for (const Value& arg : args) {
        if (arg.kind == Value::Kind::string) {
            return arg.text;
        }
    }
    return std::string();
}

const Block* Block::block(std::string_view keyword_, const std::string* name_) const {
    for (const Block& child : blocks) {
        if (child.keyword == keyword_ && (name_ == nullptr || child.name() == *name_)) {
            return &child;
        }
    }
    return nullptr;
}

namespace {

void collect(const Block& block, std::string_view keyword, std::vector<const Block*>& found) {
    for (const Block& child : block.blocks) {
        if (child.keyword == keyword) {
            found.push_back(&child);
        }
        collect(child, keyword, found);
    }
}

}  // namespace

std::vector<const Block*> Block::find_all(std::string_view keyword_) const {
    std::vector<const Block*> found;
    collect(*this, keyword_, found);
    return found;
}

const Param* Block::param(std::string_view name_) const {
    for (const Param& p : params) {
        if (p.name == name_) {
            return &p;
        }
    }
    return nullptr;
}

std::vector<const Param*> Block::params_named(std::string_view name_) const {
    std::vector<const Param*> found;
    for (const Param& p : params) {
        if (p.name == name_) {
            found.push_back(&p);
        }
    }
    return found;
}

}  // namespace vsf
