// Modal dialogs over the window system: templates from the plug-in's resources, procedures
// written against ui::Dialog. Windows only.
#pragma once

#include "plugin/ui/dialog_layer.h"

namespace ui {

class Win32DialogRunner : public DialogRunner {
  public:
    // `module` is the instance handle of the library whose resources hold the templates. The
    // trackbar class must be registered (common controls initialised) before a dialog with a
    // trackbar is shown.
    explicit Win32DialogRunner(void* module) : module_(module) {}

    std::intptr_t run_modal(int template_id, WindowHandle owner, DialogProcedure procedure,
                            std::intptr_t parameter) override;

  private:
    void* module_;
};

}  // namespace ui
