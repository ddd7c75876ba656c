// The options dialog (template IDD_VSF_OPTIONS): check boxes for the export flags and a slider
// for the curve radius multiplier. OK takes the check boxes and writes the settings file; the
// multiplier follows the slider at once, so Cancel does not undo a slider move.
#pragma once

#include <cstdint>
#include <string>

#include "exporter/options.h"
#include "plugin/host/interface.h"
#include "plugin/ui/dialog_layer.h"

namespace vsf {

// What the dialog edits: the shared record, and the settings file that OK writes.
struct OptionsDialogSession {
    Options* options = nullptr;
    std::u16string settings_path;
};

// The dialog procedure. The initialising message carries the session (an OptionsDialogSession*,
// which must outlive the dialog) in lparam; later messages find it in the dialog's user data and
// are ignored (result 0) when there is none.
std::intptr_t options_dialog_procedure(ui::Dialog& dialog, unsigned message, std::uintptr_t wparam,
                                       std::intptr_t lparam);

// Shows the options dialog modally over `owner` to edit `options`; OK saves the flags to
// `settings_path` (see save_settings). True when the dialog ended with OK.
bool run_settings_dialog(Options& options, const std::u16string& settings_path,
                         ui::DialogRunner& dialogs, ui::WindowHandle owner);

// The Settings command: the options dialog over the host's main window, OK saving to the settings
// file in the host's plug-in configuration folder. True when the dialog ended with OK.
bool run_settings_dialog(Options& options, host::Interface& host, ui::DialogRunner& dialogs);

}  // namespace vsf
