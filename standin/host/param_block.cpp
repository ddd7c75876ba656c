#include "standin/host/param_block.h"

#include <stdexcept>

namespace standin {

bool value_fits_type(int type, const ParamValue& value) {
    switch (type) {
        case host::kParamFloat:
            return std::holds_alternative<float>(value);
        case host::kParamInt:
        case host::kParamBool:
            return std::holds_alternative<int>(value);
        case host::kParamRgba:
        case host::kParamPoint3:
            return std::holds_alternative<host::Color>(value);
        case host::kParamString:
            return std::holds_alternative<std::u16string>(value);
        case host::kParamTexmap:
            return std::holds_alternative<host::Texmap*>(value);
        default:
            return false;
    }
}

void ParamBlock::add_param(host::ParamId id, int type, std::u16string internal_name,
                           ParamValue value, std::u16string local_name) {
    if (!value_fits_type(type, value)) {
        throw std::invalid_argument("parameter value does not fit its type");
    }
    if (local_name.empty()) {
        local_name = internal_name;
    }
    Param p{id, type, std::move(internal_name), std::move(local_name), std::move(value)};
    for (Param& existing : params_) {
        if (existing.id == id) {
            existing = std::move(p);
            return;
        }
    }
    params_.push_back(std::move(p));
}

bool ParamBlock::set_value(host::ParamId id, ParamValue value) {
    for (Param& p : params_) {
        if (p.id == id) {
            if (!value_fits_type(p.type, value)) {
                return false;
            }
            p.value = std::move(value);
            return true;
        }
    }
    return false;
}

host::ParamId ParamBlock::find(const std::u16string& internal_name) const {
    for (const Param& p : params_) {
        if (p.internal_name == internal_name) {
            return p.id;
        }
    }
    return -1;
}

const ParamBlock::Param* ParamBlock::lookup(host::ParamId id) const {
    for (const Param& p : params_) {
        if (p.id == id) {
            return &p;
        }
    }
    return nullptr;
}

const ParamValue* ParamBlock::value(host::ParamId id) const {
    const Param* p = lookup(id);
    return p ? &p->value : nullptr;
}

host::ParamId ParamBlock::index_to_id(int index) const {
    if (index < 0 || index >= param_count()) {
        return -1;
    }
    return params_[static_cast<std::size_t>(index)].id;
}

host::ParamDef ParamBlock::param_def(host::ParamId id) const {
    host::ParamDef def;
    if (const Param* p = lookup(id)) {
        def.internal_name = p->internal_name;
        def.type = p->type;
    }
    return def;
}

std::u16string ParamBlock::local_name(host::ParamId id) const {
    const Param* p = lookup(id);
    return p ? p->local_name : std::u16string();
}

bool ParamBlock::get_float(host::ParamId id, host::TimeValue, float& out) const {
    const Param* p = lookup(id);
    if (!p || !std::holds_alternative<float>(p->value)) {
        return false;
    }
    out = std::get<float>(p->value);
    return true;
}

bool ParamBlock::get_int(host::ParamId id, host::TimeValue, int& out) const {
    const Param* p = lookup(id);
    if (!p || !std::holds_alternative<int>(p->value)) {
        return false;
    }
    out = std::get<int>(p->value);
    return true;
}

bool ParamBlock::get_color(host::ParamId id, host::TimeValue, host::Color& out) const {
    const Param* p = lookup(id);
    if (!p || !std::holds_alternative<host::Color>(p->value)) {
        return false;
    }
    out = std::get<host::Color>(p->value);
    return true;
}

bool ParamBlock::get_string(host::ParamId id, host::TimeValue, std::u16string& out) const {
    const Param* p = lookup(id);
    if (!p || !std::holds_alternative<std::u16string>(p->value)) {
        return false;
    }
    out = std::get<std::u16string>(p->value);
    return true;
}

bool ParamBlock::get_texmap(host::ParamId id, host::TimeValue, host::Texmap*& out) const {
    const Param* p = lookup(id);
    if (!p || !std::holds_alternative<host::Texmap*>(p->value)) {
        return false;
    }
    out = std::get<host::Texmap*>(p->value);
    return true;
}

ParamBlock& ParamBlockSet::add(int id, std::u16string name) {
    auto block = std::make_unique<ParamBlock>(id, std::move(name));
    for (auto& existing : blocks_) {
        if (existing->id() == id) {
            existing = std::move(block);
            return *existing;
        }
    }
    blocks_.push_back(std::move(block));
    return *blocks_.back();
}

ParamBlock* ParamBlockSet::at(int index) const {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    return blocks_[static_cast<std::size_t>(index)].get();
}

ParamBlock* ParamBlockSet::by_id(int id) const {
    for (const auto& b : blocks_) {
        if (b->id() == id) {
            return b.get();
        }
    }
    return nullptr;
}

}  // namespace standin
