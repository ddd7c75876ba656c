#include "material_scene.h"

#include <map>

namespace materials_test {

namespace {

using Shaders = std::map<int, const vsf::Block*>;

// The numbered shaders defined in a material block, by id.
Shaders shaders_of(const vsf::Block& material) {
    Shaders shaders;
    for (const vsf::Block& block : material.blocks) {
        if (block.keyword == "shader" && !block.args.empty()) {
            shaders[block.args[0].as_int()] = &block;
        }
    }
    return shaders;
}

std::string shader_type(const vsf::Block& shader) {
    return shader.args.size() > 1 ? shader.args[1].text : std::string();
}

// The shader that parameter param refers to: "! id" for a shader reference, or a plain id for a
// parameter of shader type (as the bump shader's "bumpmap" is written).
const vsf::Block* referenced(const Shaders& shaders, const vsf::Block& shader,
                             const std::string& param, bool plain_id = false) {
    for (const vsf::Param* p : shader.params_named(param)) {
        const vsf::Value* v = p->value();
        if (v && (v->kind == vsf::Value::Kind::shader_id || (plain_id && v->is_number()))) {
            auto found = shaders.find(static_cast<int>(v->number));
            return found == shaders.end() ? nullptr : found->second;
        }
    }
    return nullptr;
}

std::string text_param(const vsf::Block* shader, const std::string& name) {
    const vsf::Param* p = shader ? shader->param(name) : nullptr;
    return p && p->value() ? p->value()->text : std::string();
}

// The numbers of the first parameter called name whose values are numbers (a colour).
std::vector<double> numbers(const vsf::Block& shader, const std::string& name) {
    for (const vsf::Param* p : shader.params_named(name)) {
        if (!p->values.empty() && p->values[0].is_number()) {
            std::vector<double> out;
            for (const vsf::Value& v : p->values) {
                out.push_back(v.number);
            }
            return out;
        }
    }
    return {};
}

}  // namespace

std::vector<MaterialView> material_views(const vsf::Document& document) {
    std::vector<MaterialView> views;
    for (const vsf::Block* material : document.root.find_all("material")) {
        MaterialView view;
        view.name = material->name();
        const Shaders shaders = shaders_of(*material);
        for (const auto& entry : shaders) {
            const vsf::Block& shader = *entry.second;
            const std::string type = shader_type(shader);
            if (type == "zyl_diffuse" || type == "zyl_plastic_simple") {
                view.base_type = type;
                view.diffuse = numbers(shader, "diffuse");
                view.specular = numbers(shader, "specular");
                view.diffuse_texture =
                    text_param(referenced(shaders, shader, "diffuse"), "texture");
                view.specular_texture =
                    text_param(referenced(shaders, shader, "specular"), "texture");
            } else if (type == "zyl_bumpmap") {
                const vsf::Block* lookup = referenced(shaders, shader, "bumpmap", true);
                view.bump_texture = text_param(lookup, "texture");
                const vsf::Param* height = lookup ? lookup->param("bump_height") : nullptr;
                view.bump_height = height && height->value() ? height->value()->number : -1.0;
            } else if (type == "texture2_rgba") {
                view.opacity_texture = text_param(&shader, "texture");
            }
        }
        views.push_back(view);
    }
    return views;
}

host::Mesh MaterialTest::mesh_with_ids(const std::vector<int>& ids) {
    host::Mesh mesh;
    host::MapChannel uv;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const float x = static_cast<float>(i);
        const auto base = static_cast<std::uint32_t>(mesh.verts.size());
        mesh.verts.insert(mesh.verts.end(), {{x, 0, 0}, {x + 1, 0, 0}, {x, 1, 0}});
        host::Face face;
        face.v = {base, base + 1, base + 2};
        face.material_id = static_cast<std::uint16_t>(ids[i]);
        mesh.faces.push_back(face);
        uv.verts.insert(uv.verts.end(), {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
        uv.faces.push_back({base, base + 1, base + 2});
    }
    mesh.maps.resize(2);
    mesh.maps[1] = uv;
    return mesh;
}

std::vector<MaterialView> MaterialTest::written(const vsf::MaterialTable& table) {
    exporter_test::WrittenScene file;
    for (const auto& record : table.records) {
        if (!record) {
            break;
        }
        zyl::TriangleObject probe("probe");
        probe.add_vertex(0, 0, 0);
        probe.add_vertex(1, 0, 0);
        probe.add_vertex(0, 1, 0);
        probe.add_triangle(0, 1, 2);
        probe.set_material(record->material);
        file.api().emit(probe);
    }
    return material_views(file.read());
}

}  // namespace materials_test
