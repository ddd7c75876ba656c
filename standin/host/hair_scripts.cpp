#include "standin/host/hair_scripts.h"

#include <vector>

#include "standin/host/scene.h"

namespace standin {

namespace {

const char16_t* const kHairAttribute = u"vistrel_hair_and_fur_data";
const char16_t* const kDeleteMarker = u"vistrel_delete";

bool is_blank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r';
}

// The text's non-empty lines, trimmed, with inner runs of blanks as one space.
std::u16string normalise(const std::u16string& text) {
    std::u16string out;
    std::u16string line;
    auto flush = [&]() {
        if (!line.empty() && line.back() == u' ') {
            line.pop_back();
        }
        if (!line.empty()) {
            if (!out.empty()) {
                out += u'\n';
            }
            out += line;
        }
        line.clear();
    };
    for (char16_t c : text) {
        if (c == u'\n') {
            flush();
        } else if (is_blank(c)) {
            if (!line.empty() && line.back() != u' ') {
                line += u' ';
            }
        } else {
            line += c;
        }
    }
    flush();
    return out;
}

}  // namespace

const std::u16string& hair_conversion_script() {
    static const std::u16string text =
        u"vistrel_hair_and_fur_data = attributes vistrel_hair_and_fur_data\n"
        u"(\n"
        u"parameters data\n"
        u"(\n"
        u"vistrel_start_radius type:#float default:1\n"
        u"vistrel_end_radius type:#float default:1\n"
        u"vistrel_delete type:#boolean default:True\n"
        u"vistrel_root_color type:#color\n"
        u"vistrel_tip_color type:#color\n"
        u"vistrel_hue type:#float default:10\n"
        u"vistrel_value type:#float default:50\n"
        u")\n"
        u")\n"
        u"for OBJ in Geometry where OBJ.modifiers[#Hair_and_Fur]!=undefined do\n"
        u"(\n"
        u"if OBJ != undefined do (\n"
        u"root = OBJ.modifiers[#Hair_and_Fur].HairRootThickness\n"
        u"tip = OBJ.modifiers[#Hair_and_Fur].HairTipThickness\n"
        u"name = OBJ.name\n"
        u"tc = OBJ.modifiers[#Hair_and_Fur].MaterialTipColor\n"
        u"rc = OBJ.modifiers[#Hair_and_Fur].MaterialRootColor\n"
        u"hv = OBJ.modifiers[#Hair_and_Fur].MaterialHueVariation\n"
        u"vv = OBJ.modifiers[#Hair_and_Fur].MaterialValueVariation\n"
        u"obj = OBJ.modifiers[#Hair_and_Fur].ConvertHairsToSplines instance:OBJ\n"
        u"obj.name = name\n"
        u"custAttributes.add obj vistrel_hair_and_fur_data\n"
        u"obj.vistrel_start_radius = root\n"
        u"obj.vistrel_end_radius = tip\n"
        u"obj.vistrel_root_color = rc\n"
        u"obj.vistrel_tip_color = tc\n"
        u"obj.vistrel_hue = hv\n"
        u"obj.vistrel_value = vv\n"
        u")\n"
        u")";
    return text;
}

const std::u16string& hair_clean_up_script() {
    static const std::u16string text =
        u"for OBJ in Shapes where isProperty OBJ.baseObject #vistrel_delete == true do ( if OBJ "
        u"!= undefined do delete OBJ )";
    return text;
}

HairScript recognise_hair_script(const std::u16string& text) {
    const std::u16string n = normalise(text);
    if (n == hair_conversion_script()) {
        return HairScript::conversion;
    }
    if (n == hair_clean_up_script()) {
        return HairScript::clean_up;
    }
    return HairScript::none;
}

void run_hair_conversion(Scene& scene) {
    const host::TimeValue now = scene.current_time();
    // The new shapes are created while walking, so the walk runs over a snapshot.
    for (Node* source : scene.nodes()) {
        MeshObject* geometry = source->mesh_object();
        if (geometry == nullptr || !geometry->hair()) {
            continue;
        }
        const HairSettings& hair = *geometry->hair();
        const host::Matrix3 to_world = source->object_tm(now, nullptr);
        ShapeSettings shape;
        shape.splines.reserve(hair.strands.size());
        for (const std::vector<host::Point3>& strand : hair.strands) {
            std::vector<host::Point3> world(strand.size());
            for (std::size_t i = 0; i < strand.size(); ++i) {
                world[i] = strand[i] * to_world;
            }
            shape.splines.push_back(polyline_spline(world));
        }
        Node& made = scene.add_shape_node(source->name(), std::move(shape));
        ParamBlock& data =
            made.object()->add_custom_attribute(kHairAttribute).add_param_block(0, u"data");
        data.add_param(0, host::kParamFloat, u"vistrel_start_radius", hair.root_thickness);
        data.add_param(1, host::kParamFloat, u"vistrel_end_radius", hair.tip_thickness);
        data.add_param(2, host::kParamBool, kDeleteMarker, 1);
        data.add_param(3, host::kParamRgba, u"vistrel_root_color", hair.root_color);
        data.add_param(4, host::kParamRgba, u"vistrel_tip_color", hair.tip_color);
        data.add_param(5, host::kParamFloat, u"vistrel_hue", hair.hue_variation);
        data.add_param(6, host::kParamFloat, u"vistrel_value", hair.value_variation);
    }
}

void run_hair_clean_up(Scene& scene) {
    for (Node* node : scene.nodes()) {
        if (node->shape_object() == nullptr) {
            continue;
        }
        const host::Object& object = node->object()->host_object();
        bool marked = false;
        for (int i = 0; i < object.custom_attribute_count() && !marked; ++i) {
            const host::CustomAttribute* attribute = object.custom_attribute(i);
            for (int b = 0; b < attribute->param_block_count() && !marked; ++b) {
                const auto* block = static_cast<const ParamBlock*>(attribute->param_block(b));
                const host::ParamId id = block->find(kDeleteMarker);
                int value = 0;
                marked = id >= 0 && block->get_int(id, 0, value) && value != 0;
            }
        }
        if (marked) {
            scene.delete_node(*node);
        }
    }
}

}  // namespace standin
