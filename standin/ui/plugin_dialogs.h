// The templates of the plug-in's dialogs, for the headless dialog runner: the controls of each
// dialog as its resource script declares them.
#pragma once

#include <vector>

#include "standin/ui/headless_dialog.h"

namespace standin {

// The options dialog (IDD_VSF_OPTIONS).
DialogTemplate options_dialog_template();

// Every dialog of the plug-in.
std::vector<DialogTemplate> plugin_dialog_templates();

}  // namespace standin
