#include "standin/ui/plugin_dialogs.h"

#include "plugin/resource_ids.h"

namespace standin {

DialogTemplate options_dialog_template() {
    using K = ControlKind;
    return DialogTemplate{
        IDD_VSF_OPTIONS,
        u"Vistrel Vsf Export",
        {
            {ui::kOkButton, K::push_button, u"OK"},
            {ui::kCancelButton, K::push_button, u"Cancel"},
            {IDC_CURVES_GROUP, K::group_box, u"Curves"},
            {IDC_HAIR_AND_FUR, K::check_box, u"Export Hair and Fur as curves"},
            {IDC_GENERAL_CURVES, K::check_box, u"Export general curves"},
            {-1, K::static_text, u"Curve radius multiplier"},
            {IDC_CURVE_RADIUS_SLIDER, K::trackbar, u""},
            {IDC_CURVE_RADIUS_TEXT, K::static_text, u"Static"},
            {IDC_LIGHTS_GROUP, K::group_box, u"Lights"},
            {IDC_PHOTOMETRIC_LIGHTS, K::check_box, u"Export photometric lights"},
            {IDC_ANIMATIONS_GROUP, K::group_box, u"Animations"},
            {IDC_BONES, K::check_box, u"Export bones"},
            {IDC_TRANSFORM_ANIMATIONS, K::check_box, u"Export transform animations"},
            {IDC_CAMERA_ANIMATIONS, K::check_box, u"Export camera animations"},
            {IDC_DEFORMABLE, K::check_box, u"Export Deformable Geometry"},
            {IDC_GENERAL_GROUP, K::group_box, u"General"},
            {IDC_CAMERAS, K::check_box, u"Export Cameras"},
            {IDC_LAYERS, K::check_box, u"Export Layers"},
        },
    };
}

std::vector<DialogTemplate> plugin_dialog_templates() {
    return {options_dialog_template()};
}

}  // namespace standin
