#include "exporter/row_matrix.h"

namespace vsf {

zyl::Matrix4d row_matrix(const host::Matrix3& m) {
    zyl::Matrix4d out{};
    for (int r = 0; r < 4; ++r) {
        const host::Point3& row = m.row(r);
        out[static_cast<std::size_t>(4 * r + 0)] = row.x;
        out[static_cast<std::size_t>(4 * r + 1)] = row.y;
        out[static_cast<std::size_t>(4 * r + 2)] = row.z;
        out[static_cast<std::size_t>(4 * r + 3)] = r == 3 ? 1.0 : 0.0;
    }
    return out;
}

}  // namespace vsf
