#include "tools/vsfreader/text_writer.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

namespace vsf {
namespace {

void collect_arrays(const Block& block, std::vector<const Array*>& found);

void collect_value(const Value& value, std::vector<const Array*>& found) {
    if (value.array) {
        if (value.array->binary()) {
            found.push_back(value.array.get());
        }
        for (const Value& item : value.array->items) {
            collect_value(item, found);
        }
    }
    if (value.shader) {
        collect_arrays(*value.shader, found);
    }
}

void collect_arrays(const Block& block, std::vector<const Array*>& found) {
    for (const Param& param : block.params) {
        for (const Value& value : param.values) {
            collect_value(value, found);
        }
    }
    for (const Block& child : block.blocks) {
        collect_arrays(child, found);
    }
}

// Appends text to an output buffer that goes to the stream in large pieces.
class Sink {
  public:
    explicit Sink(std::ostream& out) : out_(out) { buffer_.reserve(kFlushAt + 256); }
    ~Sink() { flush(); }
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    void append(std::string_view text) {
        if (text.size() > kFlushAt) {
            flush();
            out_.write(text.data(), static_cast<std::streamsize>(text.size()));
            return;
        }
        buffer_.append(text.data(), text.size());
        if (buffer_.size() >= kFlushAt) {
            flush();
        }
    }
    template <typename T>
    void number(T value) {
        char text[64];
        const auto result = std::to_chars(text, text + sizeof text, value);
        append(std::string_view(text, static_cast<std::size_t>(result.ptr - text)));
    }
    void flush() {
        out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        buffer_.clear();
    }

  private:
    static constexpr std::size_t kFlushAt = 1 << 16;
    std::ostream& out_;
    std::string buffer_;
};

template <typename T>
void write_elements(Sink& sink, const std::vector<T>& values, std::size_t width) {
    const std::size_t count = values.size() / width;
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t k = 0; k < width; ++k) {
            if (k > 0) {
                sink.append(" ");
            }
            sink.number(values[i * width + k]);
        }
        sink.append(i + 1 < count ? "," : " ");
        if (i % 8 == 0 && i != 0) {
            sink.append("\n");
        }
    }
}

void write_array_text(Sink& sink, const Array& array) {
    switch (array.kind) {
        case ArrayKind::float3:
            write_elements(sink, array.floats, 3);
            break;
        case ArrayKind::float1:
            write_elements(sink, array.floats, 1);
            break;
        case ArrayKind::double1:
            write_elements(sink, array.doubles, 1);
            break;
        case ArrayKind::int1:
            write_elements(sink, array.ints, 1);
            break;
        case ArrayKind::text:
            break;
    }
}

}  // namespace

void write_text(std::ostream& out, std::string_view bytes, const Document& document) {
    std::vector<const Array*> arrays;
    collect_arrays(document.root, arrays);
    std::sort(arrays.begin(), arrays.end(),
              [](const Array* a, const Array* b) { return a->data_begin < b->data_begin; });
    Sink sink(out);
    std::size_t copied = 0;
    for (const Array* array : arrays) {
        if (array->data_begin < copied || array->data_end > bytes.size()) {
            continue;  // not from these bytes; the contract excludes it
        }
        sink.append(bytes.substr(copied, array->data_begin - copied));
        write_array_text(sink, *array);
        copied = array->data_end;
    }
    sink.append(bytes.substr(copied));
}

}  // namespace vsf
