// How the file writer spells values and parameters: scalars, vectors, text and binary arrays,
// strings, capture buffers, and the statement, list-entry and list parameter forms.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "importers/sceneapi/dev/scene_api_file.h"

namespace {

constexpr double kSingleMax = 3.4028234663852886e38;

// Values that the renderer cannot read back as single precision are written as -1.
double number_rule(double v) {
    if (std::isnan(v) || !(v > -kSingleMax && v < kSingleMax)) {
        return -1.0;
    }
    return v;
}

double single(double v) {
    return static_cast<double>(static_cast<float>(v));
}

template <typename T>
T load(const void* p, std::size_t index = 0) {
    T value;
    std::memcpy(&value, static_cast<const char*>(p) + index * sizeof(T), sizeof(T));
    return value;
}

bool is_little_endian() {
    const uint16_t probe = 1;
    unsigned char first;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

}  // namespace

void zylScene_api_file::write_blob_content(const ShaderBlob* blob) {
    if (!blob || !blob->data || blob->length <= 0) {
        return;
    }
    if (blob->binary) {
        write_raw_bytes(blob->data, static_cast<std::size_t>(blob->length));
    } else {
        // Written whole: a captured shader network can exceed the format buffer.
        write_indented_text(blob->data, std::strlen(blob->data));
    }
}

void zylScene_api_file::write_binary_block(char kind, const void* data, int32_t count,
                                           std::size_t scalar_size) {
    static_assert(sizeof(int32_t) == 4, "the block count is an int32");
    unsigned char header[8] = {0x01, 0x02, 0x03, static_cast<unsigned char>(kind), 0, 0, 0, 0};
    const uint32_t n = static_cast<uint32_t>(count);
    for (int i = 0; i < 4; ++i) {
        header[4 + i] = static_cast<unsigned char>(n >> (8 * i));
    }
    write_raw_bytes(header, sizeof header);
    if (count <= 0) {
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(count) * scalar_size;
    if (is_little_endian()) {
        write_raw_bytes(data, bytes);
        return;
    }
    // The format is little-endian; swap in chunks on a big-endian machine.
    unsigned char chunk[4096];
    const auto* src = static_cast<const unsigned char*>(data);
    for (std::size_t done = 0; done < bytes;) {
        const std::size_t take = std::min(sizeof chunk, bytes - done);
        for (std::size_t i = 0; i < take; i += scalar_size) {
            for (std::size_t b = 0; b < scalar_size; ++b) {
                chunk[i + b] = src[done + i + scalar_size - 1 - b];
            }
        }
        write_raw_bytes(chunk, take);
        done += take;
    }
}

void zylScene_api_file::write_text_array(int32_t element_type, const ArrayDesc& array) {
    const int32_t count = std::max<int32_t>(array.count, 0);
    const void* p = array.data;
    for (int32_t i = 0; i < count; ++i) {
        const char* sep = (i + 1 < count) ? "," : " ";
        const std::size_t k = static_cast<std::size_t>(i);
        switch (element_type) {
            case VT_FLOAT3:
                print_plain("%g %g %g%s", double(load<float>(p, 3 * k)),
                            double(load<float>(p, 3 * k + 1)), double(load<float>(p, 3 * k + 2)),
                            sep);
                break;
            case VT_FLOAT4:
                print_plain("%g %g %g %g%s", double(load<float>(p, 4 * k)),
                            double(load<float>(p, 4 * k + 1)), double(load<float>(p, 4 * k + 2)),
                            double(load<float>(p, 4 * k + 3)), sep);
                break;
            case VT_FLOAT:
                print_plain("%g%s", number_rule(load<float>(p, k)), sep);
                break;
            case VT_DOUBLE:
                print_plain("%16.16f%s", number_rule(load<double>(p, k)), sep);
                break;
            case VT_DOUBLE3:
                print_plain("%g %g %g%s", load<double>(p, 3 * k), load<double>(p, 3 * k + 1),
                            load<double>(p, 3 * k + 2), sep);
                break;
            case VT_INT:
            case VT_SHADER:
                print_plain("%d%s", load<int32_t>(p, k), sep);
                break;
            case VT_BOOL:
                print_plain("%d%s", load<int32_t>(p, k) != 0 ? 1 : 0, sep);
                break;
            default:
                return;
        }
        if (i != 0 && i % 8 == 0) {
            print_plain("\n");
            write_indentation();
        }
    }
}

void zylScene_api_file::write_array(int32_t element_type, const ArrayDesc& array) {
    const int32_t count = std::max<int32_t>(array.count, 0);
    switch (element_type) {
        case VT_FLOAT3:
        case VT_FLOAT4:
        case VT_FLOAT:
        case VT_DOUBLE:
        case VT_DOUBLE3:
        case VT_INT:
        case VT_BOOL:
        case VT_MATRIX:
        case VT_STRING:
        case VT_STRING_REF:
        case VT_SHADER:
            break;
        default:
            return;  // no array form: not even the brackets
    }
    print_plain("[ ");
    if (binary_arrays_) {
        switch (element_type) {
            case VT_FLOAT3:
                write_binary_block('c', array.data, 3 * count, 4);
                print_plain("] ");
                return;
            case VT_FLOAT:
                write_binary_block('f', array.data, count, 4);
                print_plain("] ");
                return;
            case VT_DOUBLE:
                write_binary_block('r', array.data, count, 8);
                print_plain("] ");
                return;
            case VT_INT:
            case VT_SHADER:
                write_binary_block('i', array.data, count, 4);
                print_plain("] ");
                return;
            default:
                break;
        }
    }
    if (element_type == VT_MATRIX) {
        for (int32_t i = 0; i < count; ++i) {
            write_indentation();
            for (std::size_t e = 0; e < 16; ++e) {
                print_plain("%g ", load<double>(array.data, 16 * static_cast<std::size_t>(i) + e));
            }
            print_plain(i + 1 < count ? ",\n" : "\n");
        }
    } else if (element_type == VT_STRING || element_type == VT_STRING_REF) {
        for (int32_t i = 0; i < count; ++i) {
            write_quoted_at_level_zero(load<const char*>(array.data, static_cast<std::size_t>(i)));
            print_plain(i + 1 < count ? "," : " ");
            print_plain("\n");
        }
    } else {
        write_text_array(element_type, array);
    }
    print_plain("] ");
}

void zylScene_api_file::write_value(int32_t type, const void* value) {
    if (type & VT_ARRAY) {
        write_array(type & ~VT_ARRAY, load<ArrayDesc>(value));
        return;
    }
    switch (type) {
        case VT_FLOAT3:
            print_plain("%g %g %g", double(load<float>(value, 0)), double(load<float>(value, 1)),
                        double(load<float>(value, 2)));
            break;
        case VT_FLOAT4:
        case VT_FLOAT4B:
            print_plain("%g %g %g %g", double(load<float>(value, 0)), double(load<float>(value, 1)),
                        double(load<float>(value, 2)), double(load<float>(value, 3)));
            break;
        case VT_FLOAT:
            print_plain("%g", number_rule(load<float>(value)));
            break;
        case VT_DOUBLE:
            print_plain("%16.16f", load<double>(value));
            break;
        case VT_DOUBLE3:
            print_plain("%g %g %g", load<double>(value, 0), load<double>(value, 1),
                        load<double>(value, 2));
            break;
        case VT_INT:
        case VT_SHADER:
            print_plain("%d", load<int32_t>(value));
            break;
        case VT_BOOL:
            print_plain("%s", load<int32_t>(value) != 0 ? "on" : "off");
            break;
        case VT_MATRIX: {
            double m[16];
            for (std::size_t i = 0; i < 16; ++i) {
                m[i] = single(load<double>(value, i));
            }
            print_plain("%g %g %g %g %g %g %g %g %g %g %g %g %g %g %g %g", m[0], m[1], m[2], m[3],
                        m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13], m[14],
                        m[15]);
            break;
        }
        case VT_FLOAT2:
            print_plain("%g %g", double(load<float>(value, 0)), double(load<float>(value, 1)));
            break;
        case VT_INT2:
            print_plain("%d %d", load<int32_t>(value, 0), load<int32_t>(value, 1));
            break;
        case VT_INT3:
            print_plain("%d %d %d", load<int32_t>(value, 0), load<int32_t>(value, 1),
                        load<int32_t>(value, 2));
            break;
        case VT_INT4:
            print_plain("%d %d %d %d", load<int32_t>(value, 0), load<int32_t>(value, 1),
                        load<int32_t>(value, 2), load<int32_t>(value, 3));
            break;
        case VT_STRING:
            write_quoted_at_level_zero(static_cast<const char*>(value));
            break;
        case VT_STRING_REF:
            write_quoted_at_level_zero(load<const char*>(value));
            break;
        case VT_BLOB: {
            const int32_t saved = level_;
            level_ = 2;
            write_blob_content(static_cast<const ShaderBlob*>(value));
            level_ = saved;
            break;
        }
        default:
            break;  // unknown codes write no value
    }
}

bool zylScene_api_file::param(const char* name, int32_t type, const void* value) {
    if (type == VT_BLOB) {
        value = load<const ShaderBlob*>(value);  // the address holds the blob pointer
    }
    if (style_ == kStatementStyle) {
        print_indented("%s ", name ? name : "");
        write_value(type, value);
        print_plain("\n");
    } else {
        write_quoted(name);
        print_plain(" ");
        write_value(type, value);
        print_plain(",\n");
    }
    return true;
}

bool zylScene_api_file::param_shader(const char* name, int32_t shader_id) {
    write_quoted(name);
    print_plain(" ! %d,\n", shader_id);
    return true;
}

bool zylScene_api_file::param_shader_blob(const char* name, ShaderBlob* blob) {
    write_quoted(name);
    print_plain(" ! ");
    write_blob_content(blob);
    print_plain(",\n");
    return true;
}

bool zylScene_api_file::begin_list(const char* name) {
    list_count_ = 0;
    write_quoted(name);
    print_plain(" [\n");
    ++level_;
    write_indentation();
    list_words_.clear();
    return true;
}

void zylScene_api_file::list_item(int32_t type, const void* value) {
    if (binary_arrays_ && (type == VT_FLOAT3 || type == VT_FLOAT || type == VT_INT)) {
        // Buffered and written as one binary block by end_list.
        const std::size_t words = type == VT_FLOAT3 ? 3 : 1;
        const std::size_t at = list_words_.size();
        list_words_.resize(at + words);
        std::memcpy(list_words_.data() + at, value, words * sizeof(uint32_t));
        list_kind_ = type == VT_FLOAT3 ? 'c' : type == VT_FLOAT ? 'f' : 'i';
        return;
    }
    if (type == VT_BLOB) {
        value = load<const ShaderBlob*>(value);
    }
    if (list_count_ > 0) {
        if ((type == VT_FLOAT3 && list_count_ % 2 == 0) || list_count_ % 6 == 0) {
            print_plain(",\n");
            write_indentation();
        } else {
            print_plain(", ");
        }
    }
    write_value(type, value);
    ++list_count_;
}

void zylScene_api_file::end_list() {
    if (binary_arrays_ && !list_words_.empty()) {
        if (list_kind_ == 'c' || list_kind_ == 'f' || list_kind_ == 'i') {
            write_binary_block(list_kind_, list_words_.data(),
                               static_cast<int32_t>(list_words_.size()), 4);
        }
        list_words_.clear();
    }
    print_plain(" ],\n");
    --level_;
}
