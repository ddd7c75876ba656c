#include "exporter/material_table.h"

#include <algorithm>
#include <string>

#include "exporter/material_rules.h"
#include "exporter/narrow_text.h"
#include "plugin/host/class_id.h"

namespace vsf {

const char16_t* map_slot_word(MapSlot slot) {
    switch (slot) {
        case MapSlot::diffuse:
            return u"diffuse";
        case MapSlot::bump:
            return u"bump";
        case MapSlot::specular:
            return u"specular";
        case MapSlot::opacity:
            return u"opacity";
    }
    return u"";
}

int MaterialRecord::uv_channel() const {
    for (int ch : {diffuse_channel, opacity_channel, bump_channel}) {
        if (ch != -1) {
            return ch;
        }
    }
    return -1;
}

int& MaterialRecord::channel(MapSlot slot) {
    switch (slot) {
        case MapSlot::bump:
            return bump_channel;
        case MapSlot::specular:
            return specular_channel;
        case MapSlot::opacity:
            return opacity_channel;
        case MapSlot::diffuse:
            break;
    }
    return diffuse_channel;
}

const MaterialRecord* MaterialTable::record_for(int material_id) const {
    const int index = record_index(material_id);
    return index < 0 ? nullptr : records[static_cast<std::size_t>(index)].get();
}

MaterialTable build_material_table(const MaterialContext& context, const host::Mesh& mesh,
                                   const host::Node& node, host::TimeValue time) {
    MaterialTable table;
    host::Material* node_material = node.material();
    const int subs =
        node_material ? std::min(node_material->sub_material_count(), kMaxMaterialSlots) : 0;
    table.count = subs >= 2 ? subs : 1;

    for (const host::Face& face : mesh.faces) {
        const int slot = face.material_id % table.count;
        if (table.slot_record[static_cast<std::size_t>(slot)] != -1) {
            continue;
        }
        host::Material* wanted = subs < 1 ? node_material : node_material->sub_material(slot);
        for (std::size_t i = 0; i < table.records.size(); ++i) {
            std::unique_ptr<MaterialRecord>& entry = table.records[i];
            if (entry && entry->host_material == wanted) {
                table.slot_record[static_cast<std::size_t>(slot)] = static_cast<int>(i);
                break;
            }
            if (!entry) {
                entry = std::make_unique<MaterialRecord>();
                entry->time = time;
                entry->host_material = wanted;
                table.slot_record[static_cast<std::size_t>(slot)] = static_cast<int>(i);
                if (wanted) {
                    convert_material(context, *entry, mesh, *wanted);
                } else {
                    convert_empty_material(*entry, node, slot);
                }
                break;
            }
        }
    }
    return table;
}

void convert_empty_material(MaterialRecord& record, const host::Node& node, int slot_index) {
    const std::uint32_t wire = node.wire_color();
    const unsigned red = wire & 0xFF;
    const unsigned green = (wire >> 8) & 0xFF;
    const unsigned blue = (wire >> 16) & 0xFF;
    std::string name = narrow_text(node.name()) + " - EmptyMaterial#" + std::to_string(slot_index) +
                       " : " + std::to_string(red) + ":" + std::to_string(green) + ":" +
                       std::to_string(blue);
    if (name.size() > kMaxEmptyMaterialName) {
        name.resize(kMaxEmptyMaterialName);
    }
    record.empty_name = name;
    record.material = std::make_shared<zyl::GenericMaterial>(name);
    record.material->set_diffuse_color(static_cast<float>(red) / 255.0f,
                                       static_cast<float>(green) / 255.0f,
                                       static_cast<float>(blue) / 255.0f);
}

void convert_material(const MaterialContext& context, MaterialRecord& record,
                      const host::Mesh& mesh, host::Material& material) {
    record.uv_transform = host::Matrix3::identity();
    record.material = std::make_shared<zyl::GenericMaterial>(narrow_text(material.name()));
    const host::ClassId cid = material.class_id();
    if (cid == host::kStandardMaterialClassId && material.as_std_material()) {
        convert_standard_material(context, record, mesh, *material.as_std_material());
    } else if (cid == host::kBlockColorMaterialClassId) {
        convert_block_color_material(context, record, mesh, material);
    } else if (cid == host::kNamedMapMaterialClassId) {
        convert_named_map_material(context, record, mesh, material);
    } else {
        convert_generic_material(context, record, mesh, material);
    }
}

}  // namespace vsf
