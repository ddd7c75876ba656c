#include "tools/vsfdump/outline.h"

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

namespace vsfdump {
namespace {

using vsf::Array;
using vsf::ArrayKind;
using vsf::Block;
using vsf::Value;

// Elements per line when array values are printed.
constexpr std::size_t kElementsPerLine = 8;

class Outline {
  public:
    Outline(std::ostream& out, bool values) : out_(out), values_(values) {}

    void document(const vsf::Document& document) {
        out_ << "dal " << document.header.dal_version;
        if (document.header.import_version >= 0) {
            out_ << ", import " << document.header.import_version;
        }
        if (document.header.id >= 0) {
            out_ << ", id " << document.header.id;
        }
        out_ << '\n';
        children(document.root, 0);
    }

  private:
    void children(const Block& block, std::size_t depth) {
        for (const Block::Child& child : block.order) {
            switch (child.kind) {
                case Block::ChildKind::block:
                    this->block(block.blocks[child.index], depth);
                    break;
                case Block::ChildKind::param:
                    param(block.params[child.index], depth);
                    break;
                case Block::ChildKind::message:
                    message(block.messages[child.index], depth);
                    break;
            }
        }
    }

    void block(const Block& block, std::size_t depth) {
        indent(depth);
        if (block.modify) {
            out_ << "#modify ";
        }
        if (block.definition) {
            out_ << "#define ";
        }
        out_ << block.keyword;
        for (const Value& arg : block.args) {
            out_ << ' ';
            scalar(arg);
        }
        out_ << '\n';
        children(block, depth + 1);
    }

    void param(const vsf::Param& param, std::size_t depth) {
        indent(depth);
        text(param.name);
        out_ << ':';
        for (const Value& value : param.values) {
            out_ << ' ';
            scalar(value);
        }
        out_ << '\n';
        // Array values and inline shaders follow on their own lines.
        for (const Value& value : param.values) {
            nested(value, depth + 1);
        }
    }

    void message(const vsf::Message& message, std::size_t depth) {
        indent(depth);
        out_ << (message.error ? "#error " : "#print ");
        quoted(message.text);
        out_ << '\n';
    }

    // The one-line form of a value.
    void scalar(const Value& value) {
        switch (value.kind) {
            case Value::Kind::number:
                number(value.number);
                break;
            case Value::Kind::word:
                text(value.text);
                break;
            case Value::Kind::string:
                quoted(value.text);
                break;
            case Value::Kind::bytes:
                out_ << "bytes[" << value.text.size() << ']';
                break;
            case Value::Kind::array:
                array_summary(*value.array);
                break;
            case Value::Kind::shader_id:
                out_ << "! ";
                number(value.number);
                break;
            case Value::Kind::shader:
                out_ << (value.reference ? "! shader " : "shader ");
                if (!value.shader->args.empty()) {
                    scalar(value.shader->args.front());
                }
                break;
        }
    }

    void nested(const Value& value, std::size_t depth) {
        if (value.kind == Value::Kind::shader) {
            children(*value.shader, depth);
        } else if (value.kind == Value::Kind::array) {
            if (values_) {
                array_values(*value.array, depth);
            }
            for (const Value& item : value.array->items) {
                if (item.kind == Value::Kind::shader) {
                    indent(depth);
                    scalar(item);
                    out_ << '\n';
                    children(*item.shader, depth + 1);
                }
            }
        }
    }

    void array_summary(const Array& array) {
        switch (array.kind) {
            case ArrayKind::float3:
                out_ << "float3";
                break;
            case ArrayKind::float1:
                out_ << "float";
                break;
            case ArrayKind::double1:
                out_ << "double";
                break;
            case ArrayKind::int1:
                out_ << "int";
                break;
            case ArrayKind::text:
                out_ << "text";
                break;
        }
        out_ << '[' << array.size();
        if (array.kind == ArrayKind::text && array.width != 1 && array.elements > 0) {
            out_ << " x ";
            if (array.width == 0) {
                out_ << "mixed";
            } else {
                out_ << array.width;
            }
        }
        out_ << ']';
    }

    void array_values(const Array& array, std::size_t depth) {
        switch (array.kind) {
            case ArrayKind::float3:
                rows(array.floats, 3, depth, [&](float v) { number(v); });
                break;
            case ArrayKind::float1:
                rows(array.floats, 1, depth, [&](float v) { number(v); });
                break;
            case ArrayKind::double1:
                rows(array.doubles, 1, depth, [&](double v) { number(v); });
                break;
            case ArrayKind::int1:
                rows(array.ints, 1, depth, [&](std::int32_t v) { out_ << v; });
                break;
            case ArrayKind::text: {
                const std::size_t width = array.width == 0 ? 1 : array.width;
                if (array.items.empty()) {
                    rows(array.numbers, width, depth, [&](double v) { number(v); });
                } else {
                    rows(array.items, width, depth, [&](const Value& v) { scalar(v); });
                }
                break;
            }
        }
    }

    // Elements of `width` values each, separated by ", ", kElementsPerLine to a line.
    template <typename T, typename Print>
    void rows(const std::vector<T>& values, std::size_t width, std::size_t depth, Print print) {
        const std::size_t count = values.size() / width;
        for (std::size_t i = 0; i < count; ++i) {
            if (i % kElementsPerLine == 0) {
                if (i > 0) {
                    out_ << '\n';
                }
                indent(depth);
            } else {
                out_ << ", ";
            }
            for (std::size_t k = 0; k < width; ++k) {
                if (k > 0) {
                    out_ << ' ';
                }
                print(values[i * width + k]);
            }
        }
        if (count > 0) {
            out_ << '\n';
        }
    }

    template <typename T>
    void number(T value) {
        char digits[64];
        const auto result = std::to_chars(digits, digits + sizeof digits, value);
        out_.write(digits, result.ptr - digits);
    }

    void quoted(std::string_view value) {
        out_ << '"';
        text(value);
        out_ << '"';
    }

    // Control bytes, quotes and backslashes escaped, so that every item stays on one line.
    void text(std::string_view value) {
        static const char kHex[] = "0123456789abcdef";
        for (char c : value) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                out_ << '\\' << c;
            } else if (c == '\n') {
                out_ << "\\n";
            } else if (byte < 0x20 || byte == 0x7f) {
                out_ << "\\x" << kHex[byte >> 4] << kHex[byte & 15];
            } else {
                out_ << c;
            }
        }
    }

    void indent(std::size_t depth) {
        for (std::size_t i = 0; i < depth; ++i) {
            out_ << "  ";
        }
    }

    std::ostream& out_;
    bool values_;
};

}  // namespace

void print_outline(std::ostream& out, const vsf::Document& document, bool values) {
    Outline(out, values).document(document);
}

}  // namespace vsfdump
