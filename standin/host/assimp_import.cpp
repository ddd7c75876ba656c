#include "standin/host/assimp_import.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <system_error>
#include <unordered_map>
#include <vector>

#include <assimp/config.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>

#include "platform/utf.h"
#include "standin/host/assimp_import_animation.h"
#include "standin/host/assimp_import_materials.h"
#include "standin/host/assimp_import_mesh.h"
#include "standin/host/assimp_import_objects.h"
#include "standin/host/assimp_import_transform.h"
#include "standin/host/import_axes.h"
#include "standin/host/import_materials.h"

namespace standin {

namespace {

namespace fs = std::filesystem;
using namespace assimp_import;

std::string text_of(const aiString& s) {
    return std::string(s.data, s.length);
}

// Whether a mesh has polygons that a fan cannot be trusted with (more than four corners, which
// may be concave); quads are split as fans without asking assimp.
bool needs_triangulation(const aiScene& ai) {
    for (unsigned i = 0; i < ai.mNumMeshes; ++i) {
        const aiMesh* m = ai.mMeshes[i];
        if (m == nullptr || m->mFaces == nullptr ||
            (m->mPrimitiveTypes & aiPrimitiveType_POLYGON) == 0) {
            continue;
        }
        for (unsigned f = 0; f < m->mNumFaces; ++f) {
            if (m->mFaces[f].mNumIndices > 4) {
                return true;
            }
        }
    }
    return false;
}

bool is_gltf(const std::string& path) {
    std::string ext = fs::u8path(path).extension().u8string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".gltf" || ext == ".glb";
}

// Fills the scene from one assimp scene, freeing each assimp mesh once its last node has it.
class SceneImporter {
  public:
    SceneImporter(Scene& scene, aiScene& ai, const std::string& path,
                  const AssimpImportOptions& options)
        : scene_(scene),
          ai_(ai),
          path_(path),
          materials_(scene, ai, path, texture_folder(options)),
          animation_(ai),
          axis_(options.z_up ? kYUpToZUp : host::Matrix3()),
          gltf_(is_gltf(path)) {
        for (unsigned i = 0; i < ai.mNumCameras; ++i) {
            if (ai.mCameras[i] != nullptr) {
                cameras_.emplace(text_of(ai.mCameras[i]->mName), ai.mCameras[i]);
            }
        }
        for (unsigned i = 0; i < ai.mNumLights; ++i) {
            if (ai.mLights[i] != nullptr) {
                lights_.emplace(text_of(ai.mLights[i]->mName), ai.mLights[i]);
            }
        }
    }

    void run() {
        const aiNode* root = ai_.mRootNode;
        if (root == nullptr) {
            return;
        }
        count_mesh_uses(*root);
        const host::Matrix3 root_tm = to_matrix3(root->mTransformation);
        std::vector<Pending> pending;
        if (made_up_root(*root, root_tm)) {
            // Its children go to the top, carrying its transform and the change of axes.
            const host::Matrix3 after = root_tm * axis_;
            for (unsigned i = root->mNumChildren; i-- > 0;) {
                pending.push_back({root->mChildren[i], nullptr, after});
            }
        } else {
            pending.push_back({root, nullptr, axis_});
        }
        // Depth first, siblings in file order, without recursion: a file's hierarchy can be deep.
        while (!pending.empty()) {
            const Pending p = pending.back();
            pending.pop_back();
            if (p.node == nullptr) {
                continue;
            }
            Node& node = add_node(*p.node, p.parent, p.after);
            for (unsigned i = p.node->mNumChildren; i-- > 0;) {
                pending.push_back({p.node->mChildren[i], &node, host::Matrix3()});
            }
        }
        const host::TimeValue last = animation_.last_key_time();
        const host::Interval range = scene_.animation_range();
        if (last > range.start()) {
            scene_.set_animation_range(range.start(), last);
        }
    }

  private:
    struct Pending {
        const aiNode* node;
        Node* parent;
        host::Matrix3 after;  // carried by the node's local transform (top-level nodes)
    };

    static std::string texture_folder(const AssimpImportOptions& options) {
        if (!options.texture_folder.empty()) {
            return options.texture_folder;
        }
        std::error_code ec;
        const fs::path tmp = fs::temp_directory_path(ec);
        return ((ec ? fs::path(".") : tmp) / "vsfexport-textures").u8string();
    }

    void count_mesh_uses(const aiNode& root) {
        uses_.assign(ai_.mNumMeshes, 0);
        std::vector<const aiNode*> stack{&root};
        while (!stack.empty()) {
            const aiNode* n = stack.back();
            stack.pop_back();
            for (unsigned k = 0; k < n->mNumMeshes; ++k) {
                if (n->mMeshes[k] < ai_.mNumMeshes) {
                    ++uses_[n->mMeshes[k]];
                }
            }
            for (unsigned i = 0; i < n->mNumChildren; ++i) {
                if (n->mChildren[i] != nullptr) {
                    stack.push_back(n->mChildren[i]);
                }
            }
        }
    }

    // A root that only groups the file's top-level nodes: assimp makes one up for formats whose
    // scenes have no single root node (for glTF only when there are several, named "ROOT").
    bool made_up_root(const aiNode& root, const host::Matrix3& root_tm) const {
        const std::string name = text_of(root.mName);
        return root.mNumMeshes == 0 && cameras_.count(name) == 0 && lights_.count(name) == 0 &&
               animation_.channel(name) == nullptr && is_rigid(root_tm) &&
               (!gltf_ || name == "ROOT");
    }

    Node& add_node(const aiNode& an, Node* parent, const host::Matrix3& after) {
        const std::string name8 = text_of(an.mName);
        std::u16string name = platform::utf8_to_utf16(name8);
        const host::Matrix3 local = to_matrix3(an.mTransformation) * after;
        const aiNodeAnim* channel = animation_.channel(name8);
        const auto camera = cameras_.find(name8);
        const aiCamera* cam = camera == cameras_.end() ? nullptr : camera->second;
        const auto light = lights_.find(name8);
        const aiLight* lamp = light == lights_.end() ? nullptr : light->second;
        const std::optional<StandardLightSettings> lamp_settings =
            lamp != nullptr ? light_settings(*lamp) : std::nullopt;

        Node* node = nullptr;
        host::Matrix3 frame;  // where the node's object sits within the node
        if (an.mNumMeshes > 0) {
            node = &add_mesh_node(an, name, parent);
        } else if (cam != nullptr) {
            frame = camera_frame(*cam, gltf_);
        } else if (lamp_settings) {
            frame = light_frame(*lamp);
        }
        const bool object_on_child = node == nullptr && !is_identity(frame) && channel != nullptr;
        if (node == nullptr && !object_on_child && cam != nullptr) {
            node = &scene_.add_camera_node(name, camera_settings(*cam, gltf_), parent);
        } else if (node == nullptr && !object_on_child && lamp_settings) {
            node = &scene_.add_standard_light_node(name, *lamp_settings, parent);
        } else if (node == nullptr) {
            node = &scene_.add_helper_node(name, parent);
        }
        node->set_transform(object_on_child ? local : frame * local);
        if (channel != nullptr) {
            animation_.add_keys(*channel, *node, after);
        }
        // A camera or light that cannot share the node's transform (the node has meshes, or
        // keys and its own placement) sits on a child node of the same name.
        const bool meshes_too = an.mNumMeshes > 0 && (cam != nullptr || lamp_settings);
        if (object_on_child || meshes_too) {
            Node& child = cam != nullptr
                              ? scene_.add_camera_node(name, camera_settings(*cam, gltf_), node)
                              : scene_.add_standard_light_node(name, *lamp_settings, node);
            child.set_transform(cam != nullptr ? camera_frame(*cam, gltf_) : light_frame(*lamp));
        }
        return *node;
    }

    Node& add_mesh_node(const aiNode& an, const std::u16string& name, Node* parent) {
        std::vector<MeshPart> parts;
        // Materials in material id order: assimp material indices, kNoMaterial for faces without.
        std::vector<unsigned> material_list;
        parts.reserve(an.mNumMeshes);
        for (unsigned k = 0; k < an.mNumMeshes; ++k) {
            const unsigned index = an.mMeshes[k];
            if (index >= ai_.mNumMeshes || ai_.mMeshes[index] == nullptr) {
                throw SceneFileError(path_, "node \"" + text_of(an.mName) + "\" names mesh " +
                                                std::to_string(index) + " of " +
                                                std::to_string(ai_.mNumMeshes));
            }
            const aiMesh* m = ai_.mMeshes[index];
            const unsigned material = materials_.is_material(m->mMaterialIndex)
                                          ? m->mMaterialIndex
                                          : import_materials::kNoMaterial;
            parts.push_back({m, import_materials::material_id(material_list, material)});
        }
        host::Mesh mesh = merge_meshes(parts, path_);
        parts.clear();
        release_meshes(an);
        Node& node = mesh.faces.empty() ? scene_.add_helper_node(name, parent)
                                        : scene_.add_mesh_node(name, std::move(mesh), parent);
        if (node.mesh_object() != nullptr) {
            node.set_material(materials_.node_material(material_list));
        }
        return node;
    }

    // Frees the node's assimp meshes that no later node uses.
    void release_meshes(const aiNode& an) {
        for (unsigned k = 0; k < an.mNumMeshes; ++k) {
            const unsigned index = an.mMeshes[k];
            if (--uses_[index] == 0) {
                delete ai_.mMeshes[index];
                ai_.mMeshes[index] = nullptr;
            }
        }
    }

    Scene& scene_;
    aiScene& ai_;
    const std::string& path_;
    MaterialImporter materials_;
    AnimationImporter animation_;
    host::Matrix3 axis_;
    bool gltf_;
    std::unordered_map<std::string, const aiCamera*> cameras_;
    std::unordered_map<std::string, const aiLight*> lights_;
    std::vector<unsigned> uses_;  // per assimp mesh: nodes (references) not yet imported
};

}  // namespace

void import_with_assimp(Scene& scene, const std::string& path, const AssimpImportOptions& options) {
    std::unique_ptr<aiScene> ai;
    {
        Assimp::Importer importer;
        importer.SetPropertyBool(AI_CONFIG_IMPORT_FBX_PRESERVE_PIVOTS, false);
        importer.SetPropertyBool(AI_CONFIG_IMPORT_NO_SKELETON_MESHES, true);
        const aiScene* read = importer.ReadFile(path, 0);
        if (read == nullptr) {
            throw SceneFileError(path, importer.GetErrorString());
        }
        if (needs_triangulation(*read)) {
            read = importer.ApplyPostProcessing(aiProcess_Triangulate);
            if (read == nullptr) {
                throw SceneFileError(path, importer.GetErrorString());
            }
        }
        ai.reset(importer.GetOrphanedScene());
    }
    SceneImporter(scene, *ai, path, options).run();
}

}  // namespace standin
