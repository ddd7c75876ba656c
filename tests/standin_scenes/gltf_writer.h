// Small glTF 2.0 files written by the tests themselves: typed arrays packed into one buffer that
// the file embeds as a base64 data URI, and the JSON around them.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace standin_test {

inline std::string base64(const std::string& bytes) {
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const std::uint32_t n = (std::uint8_t(bytes[i]) << 16) | (std::uint8_t(bytes[i + 1]) << 8) |
                                std::uint8_t(bytes[i + 2]);
        out += digits[n >> 18];
        out += digits[(n >> 12) & 63];
        out += digits[(n >> 6) & 63];
        out += digits[n & 63];
    }
    if (i + 1 == bytes.size()) {
        const std::uint32_t n = std::uint8_t(bytes[i]) << 16;
        out += digits[n >> 18];
        out += digits[(n >> 12) & 63];
        out += "==";
    } else if (i + 2 == bytes.size()) {
        const std::uint32_t n = (std::uint8_t(bytes[i]) << 16) | (std::uint8_t(bytes[i + 1]) << 8);
        out += digits[n >> 18];
        out += digits[(n >> 12) & 63];
        out += digits[(n >> 6) & 63];
        out += '=';
    }
    return out;
}

// Builds the "buffers", "bufferViews" and "accessors" of a glTF document.
class GltfBuffer {
  public:
    // Adds float vectors of size components (1 to 4) and returns the accessor index.
    int add_floats(const std::vector<float>& values, int components) {
        static const char* types[] = {"SCALAR", "VEC2", "VEC3", "VEC4"};
        const std::size_t count = values.size() / static_cast<std::size_t>(components);
        nlohmann::json accessor = {
            {"componentType", 5126}, {"count", count}, {"type", types[components - 1]}};
        if (components == 3) {
            // Positions need their bounds.
            std::vector<float> lo(3, 1e30f);
            std::vector<float> hi(3, -1e30f);
            for (std::size_t i = 0; i < values.size(); ++i) {
                lo[i % 3] = std::min(lo[i % 3], values[i]);
                hi[i % 3] = std::max(hi[i % 3], values[i]);
            }
            accessor["min"] = lo;
            accessor["max"] = hi;
        }
        return add(values.data(), values.size() * sizeof(float), accessor);
    }
    // Adds 16-bit triangle indices and returns the accessor index.
    int add_indices(const std::vector<std::uint16_t>& values) {
        return add(values.data(), values.size() * sizeof(std::uint16_t),
                   {{"componentType", 5123}, {"count", values.size()}, {"type", "SCALAR"}});
    }
    // Puts the buffer, its views and the accessors into the document.
    void finish(nlohmann::json& doc) const {
        doc["buffers"] = nlohmann::json::array(
            {{{"byteLength", bytes_.size()},
              {"uri", "data:application/octet-stream;base64," + base64(bytes_)}}});
        doc["bufferViews"] = views_;
        doc["accessors"] = accessors_;
    }

  private:
    int add(const void* data, std::size_t size, nlohmann::json accessor) {
        while (bytes_.size() % 4 != 0) {
            bytes_.push_back('\0');
        }
        views_.push_back({{"buffer", 0}, {"byteOffset", bytes_.size()}, {"byteLength", size}});
        bytes_.append(static_cast<const char*>(data), size);
        accessor["bufferView"] = views_.size() - 1;
        accessors_.push_back(accessor);
        return static_cast<int>(accessors_.size()) - 1;
    }

    std::string bytes_;
    nlohmann::json views_ = nlohmann::json::array();
    nlohmann::json accessors_ = nlohmann::json::array();
};

}  // namespace standin_test
