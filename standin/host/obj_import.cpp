#include "standin/host/obj_import.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include <tiny_obj_loader.h>

#include "platform/utf.h"
#include "standin/host/import_axes.h"
#include "standin/host/import_materials.h"
#include "standin/host/obj_import_materials.h"
#include "standin/host/obj_import_mesh.h"
#include "standin/host/polygon_triangulation.h"

namespace standin {

namespace {

namespace fs = std::filesystem;
using namespace obj_import;

// Indices are 32 bits with one value kept for "none"; normal ids are ints.
constexpr std::size_t kMaxPoints = 4294967294u;
constexpr std::size_t kMaxNormals = 2147483647u;
constexpr std::size_t kStreamBuffer = std::size_t(1) << 20;

std::string trimmed(const char* text) {
    const std::string s = text;
    const std::size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return std::string();
    }
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// Reads one OBJ file through tinyobjloader's callbacks, ending each node's mesh as the next
// node starts and the last one at the end of the file.
class ObjReader {
  public:
    ObjReader(Scene& scene, const std::string& path, const ObjImportOptions& options)
        : scene_(scene),
          path_(path),
          options_(options),
          stem_(fs::u8path(path).stem().u8string()),
          materials_(scene, path),
          node_name_(stem_) {}

    void run() {
        std::vector<char> buffer(kStreamBuffer);
        std::ifstream in;
        in.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        errno = 0;
        in.open(fs::u8path(path_), std::ios::binary);
        if (!in.is_open()) {
            throw SceneFileError(
                path_, std::string("cannot open the file") +
                           (errno != 0 ? ": " + std::string(std::strerror(errno)) : std::string()));
        }
        tinyobj::callback_t callbacks;
        callbacks.vertex_cb = [](void* self, tinyobj::real_t x, tinyobj::real_t y,
                                 tinyobj::real_t z, tinyobj::real_t) {
            static_cast<ObjReader*>(self)->add_point(x, y, z, &FilePoints::positions, kMaxPoints,
                                                     "vertices");
        };
        callbacks.texcoord_cb = [](void* self, tinyobj::real_t u, tinyobj::real_t v,
                                   tinyobj::real_t w) {
            static_cast<ObjReader*>(self)->add_point(u, v, w, &FilePoints::texture_points,
                                                     kMaxPoints, "texture points");
        };
        callbacks.normal_cb = [](void* self, tinyobj::real_t x, tinyobj::real_t y,
                                 tinyobj::real_t z) {
            static_cast<ObjReader*>(self)->add_point(x, y, z, &FilePoints::normals, kMaxNormals,
                                                     "normals");
        };
        callbacks.index_cb = [](void* self, tinyobj::index_t* corners, int count) {
            static_cast<ObjReader*>(self)->add_face(corners, count);
        };
        callbacks.usemtl_cb = [](void* self, const char*, int material) {
            static_cast<ObjReader*>(self)->use_material(material);
        };
        callbacks.mtllib_cb = [](void* self, const tinyobj::material_t* materials, int count) {
            static_cast<ObjReader*>(self)->materials_.add_materials(materials, count);
        };
        callbacks.group_cb = [](void* self, const char** names, int count) {
            static_cast<ObjReader*>(self)->start_group(names, count);
        };
        callbacks.object_cb = [](void* self, const char* name) {
            auto* reader = static_cast<ObjReader*>(self);
            reader->objects_seen_ = true;
            reader->start_node(trimmed(name));
        };
        std::string warnings;
        std::string errors;
        tinyobj::LoadObjWithCallback(in, callbacks, this, &materials_, &warnings, &errors);
        if (in.bad()) {
            throw SceneFileError(path_, "cannot read the file");
        }
        end_node(true);
    }

  private:
    void add_point(float x, float y, float z, std::vector<host::Point3> FilePoints::*array,
                   std::size_t most, const char* what) {
        std::vector<host::Point3>& points = points_.*array;
        if (points.size() >= most) {
            throw SceneFileError(path_, "more than " + std::to_string(most) + " " + what);
        }
        points.emplace_back(x, y, z);
    }

    // The 0-based index of a face's 1-based or (negative) backward index among count points.
    std::uint32_t resolve(int index, std::size_t count, const char* what) const {
        const long long i = index > 0 ? index - 1LL : static_cast<long long>(count) + index;
        if (index == 0 || i < 0 || i >= static_cast<long long>(count)) {
            throw SceneFileError(path_, "face " + std::to_string(face_number_) + " names " + what +
                                            " " + std::to_string(index) + " of " +
                                            std::to_string(count));
        }
        return static_cast<std::uint32_t>(i);
    }

    // tinyobjloader gives 0 for a texture point or normal that a corner leaves out.
    std::uint32_t resolve_optional(int index, std::size_t count, const char* what) const {
        return index == 0 ? kNone : resolve(index, count, what);
    }

    void add_face(const tinyobj::index_t* corners, int count) {
        ++face_number_;
        if (count < 3) {
            return;
        }
        corners_.clear();
        for (int i = 0; i < count; ++i) {
            Corner c;
            c.position = resolve(corners[i].vertex_index, points_.positions.size(), "vertex");
            c.texture_point = resolve_optional(corners[i].texcoord_index,
                                               points_.texture_points.size(), "texture point");
            c.normal = resolve_optional(corners[i].normal_index, points_.normals.size(), "normal");
            corners_.push_back(c);
        }
        if (builder_.triangle_count() + static_cast<std::size_t>(count - 2) > kMaxPoints) {
            throw SceneFileError(path_, "object \"" + node_name_ + "\" has more than " +
                                            std::to_string(kMaxPoints) + " triangles");
        }
        if (!material_id_known_) {
            material_id_ = import_materials::material_id(material_list_, material_);
            material_id_known_ = true;
        }
        if (count == 3) {
            builder_.add_triangle(corners_[0], corners_[1], corners_[2], material_id_);
            return;
        }
        polygon_.clear();
        for (const Corner& c : corners_) {
            polygon_.push_back(points_.positions[c.position]);
        }
        for (const auto& t : triangulator_.triangulate(polygon_.data(), polygon_.size())) {
            builder_.add_triangle(corners_[t[0]], corners_[t[1]], corners_[t[2]], material_id_);
        }
    }

    void use_material(int index) {
        material_ = materials_.list_entry(index);
        material_id_known_ = false;
    }

    void start_group(const char** names, int count) {
        if (objects_seen_) {
            return;  // groups within objects do not split them
        }
        std::string name;
        for (int i = 0; i < count; ++i) {
            name += (i > 0 ? " " : "") + std::string(names[i]);
        }
        start_node(name);
    }

    void start_node(const std::string& name) {
        end_node(false);
        node_name_ = name.empty() ? stem_ : name;
        material_list_.clear();
        material_id_known_ = false;
    }

    // Makes the node of the faces gathered since the last one, if there are any; last: at the
    // end of the file, when no later face can name the file's points.
    void end_node(bool last) {
        if (builder_.triangle_count() == 0) {
            return;
        }
        Node& node = scene_.add_mesh_node(platform::utf8_to_utf16(node_name_),
                                          builder_.take_mesh(points_, last));
        if (options_.z_up) {
            node.set_transform(kYUpToZUp);
        }
        node.set_material(materials_.node_material(material_list_));
    }

    Scene& scene_;
    const std::string& path_;
    ObjImportOptions options_;
    std::string stem_;
    MaterialLibrary materials_;
    FilePoints points_;
    NodeMeshBuilder builder_;
    PolygonTriangulator triangulator_;
    std::vector<Corner> corners_;        // of the face being read
    std::vector<host::Point3> polygon_;  // its positions, for polygons of more than three corners
    std::size_t face_number_ = 0;        // f statements so far
    bool objects_seen_ = false;
    std::string node_name_;
    unsigned material_ = import_materials::kNoMaterial;  // of usemtl, for the faces that follow
    std::vector<unsigned> material_list_;                // the node's, in material id order
    std::uint16_t material_id_ = 0;                      // of material_ in material_list_
    bool material_id_known_ = false;
};

}  // namespace

void import_obj(Scene& scene, const std::string& path, const ObjImportOptions& options) {
    ObjReader(scene, path, options).run();
}

}  // namespace standin
