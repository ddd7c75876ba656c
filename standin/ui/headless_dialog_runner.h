// Modal dialogs without a window system. A dialog is built from its template, gets its
// initialising message, and then a scripted user acts on it; a user who leaves the dialog open
// closes it with the close box, which the dialog manager turns into Cancel.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "plugin/ui/dialog_layer.h"
#include "standin/ui/headless_dialog.h"

namespace standin {

class HeadlessDialogRunner : public ui::DialogRunner {
  public:
    using User = std::function<void(HeadlessDialog& dialog)>;

    explicit HeadlessDialogRunner(std::vector<DialogTemplate> templates);

    // What the user does with every dialog shown from now on; by default nothing.
    void set_user(User user) { user_ = std::move(user); }

    // Builds the dialog, sends the initialising message, lets the user act, and closes the
    // dialog with Cancel if the user left it open. -1 for a template it does not know. Throws
    // std::logic_error when the procedure does not end the dialog on Cancel (a real one would
    // stay open for ever).
    std::intptr_t run_modal(int template_id, ui::WindowHandle owner, ui::DialogProcedure procedure,
                            std::intptr_t parameter) override;

    // The owner window of the last dialog shown, and how many were shown.
    ui::WindowHandle last_owner() const { return last_owner_; }
    int dialogs_shown() const { return dialogs_shown_; }

  private:
    std::vector<DialogTemplate> templates_;
    User user_;
    ui::WindowHandle last_owner_ = nullptr;
    int dialogs_shown_ = 0;
};

}  // namespace standin
