#include "plugin/settings/options_dialog.h"

#include "plugin/resource_ids.h"
#include "plugin/settings/curve_radius_slider.h"
#include "plugin/settings/settings_file.h"

namespace vsf {
namespace {

struct CheckBoxFlag {
    int control;
    bool Options::*flag;
};

// Every flag with a check box. The sky-lights flag has none: the dialog leaves it as it is.
constexpr CheckBoxFlag kCheckBoxFlags[] = {
    {IDC_HAIR_AND_FUR, &Options::hair_and_fur},
    {IDC_GENERAL_CURVES, &Options::general_curves},
    {IDC_PHOTOMETRIC_LIGHTS, &Options::photometric_lights},
    {IDC_BONES, &Options::bones},
    {IDC_TRANSFORM_ANIMATIONS, &Options::transform_animations},
    {IDC_CAMERA_ANIMATIONS, &Options::camera_animations},
    {IDC_DEFORMABLE, &Options::deformable},
    {IDC_CAMERAS, &Options::cameras},
    {IDC_LAYERS, &Options::layers},
};

void initialise(ui::Dialog& dialog, const Options& options) {
    dialog.center_over_owner();
    dialog.set_focus();
    for (const CheckBoxFlag& box : kCheckBoxFlags) {
        dialog.set_checked(box.control, options.*box.flag);
    }
    dialog.set_trackbar_range(IDC_CURVE_RADIUS_SLIDER, kCurveRadiusSliderMin,
                              kCurveRadiusSliderMax);
    dialog.set_trackbar_position(IDC_CURVE_RADIUS_SLIDER, kCurveRadiusSliderStart);
    // The slider opens in the middle but the text shows the neutral 1.0 until the slider is
    // touched; the multiplier itself is left alone until then.
    dialog.set_text(IDC_CURVE_RADIUS_TEXT, multiplier_text(1.0f));
}

// Follows the slider: the shared record takes the new multiplier at once.
void follow_slider(ui::Dialog& dialog, Options& options) {
    const float multiplier =
        slider_to_multiplier(dialog.trackbar_position(IDC_CURVE_RADIUS_SLIDER));
    options.curve_radius_multiplier = multiplier;
    dialog.set_text(IDC_CURVE_RADIUS_TEXT, multiplier_text(multiplier));
}

void accept(ui::Dialog& dialog, OptionsDialogSession& session) {
    Options& options = *session.options;
    for (const CheckBoxFlag& box : kCheckBoxFlags) {
        options.*box.flag = dialog.is_checked(box.control);
    }
    options.curve_radius_multiplier =
        slider_to_multiplier(dialog.trackbar_position(IDC_CURVE_RADIUS_SLIDER));
    dialog.end(1);
    save_settings(options, session.settings_path);
}

std::intptr_t handle(ui::Dialog& dialog, OptionsDialogSession& session, unsigned message,
                     std::uintptr_t wparam) {
    switch (message) {
        case ui::kInitDialogMessage:
            initialise(dialog, *session.options);
            return 1;
        case ui::kNotifyMessage:
        case ui::kHScrollMessage:
            follow_slider(dialog, *session.options);
            return 0;
        case ui::kCommandMessage:
            switch (ui::low_word(wparam)) {
                case ui::kOkButton:
                    accept(dialog, session);
                    return 1;
                case ui::kCancelButton:
                    dialog.end(0);
                    return 1;
                default:
                    return 0;
            }
        default:
            return 0;
    }
}

}  // namespace

std::intptr_t options_dialog_procedure(ui::Dialog& dialog, unsigned message, std::uintptr_t wparam,
                                       std::intptr_t lparam) {
    if (message == ui::kInitDialogMessage) {
        dialog.set_user_data(reinterpret_cast<void*>(lparam));
    }
    auto* session = static_cast<OptionsDialogSession*>(dialog.user_data());
    if (session == nullptr || session->options == nullptr) {
        return 0;
    }
    return handle(dialog, *session, message, wparam);
}

bool run_settings_dialog(Options& options, const std::u16string& settings_path,
                         ui::DialogRunner& dialogs, ui::WindowHandle owner) {
    OptionsDialogSession session{&options, settings_path};
    return dialogs.run_modal(IDD_VSF_OPTIONS, owner, options_dialog_procedure,
                             reinterpret_cast<std::intptr_t>(&session)) == 1;
}

bool run_settings_dialog(Options& options, host::Interface& host, ui::DialogRunner& dialogs) {
    return run_settings_dialog(options, settings_file_path(host), dialogs, host.main_window());
}

}  // namespace vsf
