#include "standin/ui/headless_dialog_runner.h"

#include <stdexcept>

namespace standin {

HeadlessDialogRunner::HeadlessDialogRunner(std::vector<DialogTemplate> templates)
    : templates_(std::move(templates)) {}

std::intptr_t HeadlessDialogRunner::run_modal(int template_id, ui::WindowHandle owner,
                                              ui::DialogProcedure procedure,
                                              std::intptr_t parameter) {
    const DialogTemplate* found = nullptr;
    for (const DialogTemplate& candidate : templates_) {
        if (candidate.id == template_id) {
            found = &candidate;
        }
    }
    if (found == nullptr || procedure == nullptr) {
        return -1;
    }
    last_owner_ = owner;
    ++dialogs_shown_;

    HeadlessDialog dialog(*found, procedure);
    dialog.send(ui::kInitDialogMessage, 0, parameter);
    if (!dialog.ended() && user_) {
        user_(dialog);
    }
    if (!dialog.ended()) {
        dialog.send(ui::kCommandMessage, ui::kCancelButton, 0);
    }
    if (!dialog.ended()) {
        throw std::logic_error("headless dialog: the procedure does not end the dialog on Cancel");
    }
    return dialog.result();
}

}  // namespace standin
