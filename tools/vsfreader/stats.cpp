#include "tools/vsfreader/stats.h"

namespace vsf {
namespace {

class Counter {
  public:
    explicit Counter(Stats& stats) : stats_(stats) {}

    void block(const Block& block, bool is_inline = false) {
        count_block(block, is_inline);
        for (const Param& param : block.params) {
            for (const Value& value : param.values) {
                this->value(value);
            }
        }
        for (const Message& message : block.messages) {
            stats_.errors += message.error ? 1 : 0;
        }
        for (const Block& child : block.blocks) {
            this->block(child);
        }
    }

  private:
    void count_block(const Block& block, bool is_inline) {
        if (block.keyword == "object") {
            ++stats_.objects;
        } else if (block.keyword == "group") {
            ++stats_.groups;
        } else if (block.keyword == "material") {
            ++stats_.materials;
        } else if (block.keyword == "shader") {
            ++(is_inline ? stats_.inline_shaders : stats_.shaders);
        } else if (block.keyword == "camera") {
            ++stats_.cameras;
        } else if (block.keyword == "animation") {
            ++stats_.animations;
        } else if (block.keyword == "geometry") {
            const std::string name = block.name();
            if (name == "triangles") {
                stats_.triangles += scalars(block.param("triangles")) / 3;
                stats_.vertices += scalars(block.param("vertices")) / 3;
            } else if (name == "instance") {
                ++stats_.instances;
            }
        }
    }

    static std::size_t scalars(const Param* param) {
        const Array* array = param != nullptr ? param->array() : nullptr;
        return array != nullptr ? array->scalar_count() : 0;
    }

    void value(const Value& value) {
        if (value.array) {
            const Array& array = *value.array;
            ArrayTotals& totals = stats_.totals(array.kind);
            ++totals.arrays;
            totals.values += array.scalar_count();
            totals.bytes += array.data_bytes();
            for (const Value& item : array.items) {
                this->value(item);
            }
        }
        if (value.shader) {
            block(*value.shader, true);
        }
    }

    Stats& stats_;
};

}  // namespace

const ArrayTotals& Stats::totals(ArrayKind kind) const {
    return const_cast<Stats*>(this)->totals(kind);
}

ArrayTotals& Stats::totals(ArrayKind kind) {
    switch (kind) {
        case ArrayKind::float3:
            return float3;
        case ArrayKind::float1:
            return float1;
        case ArrayKind::double1:
            return double1;
        case ArrayKind::int1:
            return int1;
        case ArrayKind::text:
            break;
    }
    return text;
}

Stats compute_stats(const Document& document) {
    Stats stats;
    Counter(stats).block(document.root);
    return stats;
}

}  // namespace vsf
