#include "standin/ui/headless_dialog.h"

#include <algorithm>
#include <stdexcept>

namespace standin {
namespace {

std::logic_error misuse(const std::string& what, int control) {
    return std::logic_error("headless dialog: " + what + " (control " + std::to_string(control) +
                            ")");
}

constexpr int kUnaddressed = -1;

// The scroll code of a trackbar drag that has ended (TB_THUMBPOSITION).
constexpr std::uintptr_t kThumbPosition = 4;

}  // namespace

HeadlessDialog::HeadlessDialog(const DialogTemplate& dialog_template, ui::DialogProcedure procedure)
    : procedure_(procedure) {
    for (const ControlTemplate& control : dialog_template.controls) {
        Control state;
        state.kind = control.kind;
        state.text = control.text;
        // Static texts that are never addressed share the id -1; the first one is kept.
        if (!controls_.emplace(control.id, state).second && control.id != kUnaddressed) {
            throw misuse("the template has this id twice", control.id);
        }
    }
}

const HeadlessDialog::Control& HeadlessDialog::any_control(int control) const {
    const auto found = controls_.find(control);
    if (found == controls_.end()) {
        throw misuse("no such control", control);
    }
    return found->second;
}

const HeadlessDialog::Control& HeadlessDialog::control_of(int control, ControlKind kind) const {
    const Control& state = any_control(control);
    if (state.kind != kind) {
        throw misuse("the control is of another kind", control);
    }
    return state;
}

HeadlessDialog::Control& HeadlessDialog::control_of(int control, ControlKind kind) {
    return const_cast<Control&>(
        static_cast<const HeadlessDialog&>(*this).control_of(control, kind));
}

void HeadlessDialog::set_checked(int control, bool checked) {
    control_of(control, ControlKind::check_box).checked = checked;
}

bool HeadlessDialog::is_checked(int control) const {
    return control_of(control, ControlKind::check_box).checked;
}

void HeadlessDialog::set_trackbar_range(int control, int minimum, int maximum) {
    Control& trackbar = control_of(control, ControlKind::trackbar);
    trackbar.minimum = minimum;
    trackbar.maximum = std::max(minimum, maximum);
    trackbar.position = std::clamp(trackbar.position, trackbar.minimum, trackbar.maximum);
}

void HeadlessDialog::set_trackbar_position(int control, int position) {
    Control& trackbar = control_of(control, ControlKind::trackbar);
    trackbar.position = std::clamp(position, trackbar.minimum, trackbar.maximum);
}

int HeadlessDialog::trackbar_position(int control) const {
    return control_of(control, ControlKind::trackbar).position;
}

int HeadlessDialog::trackbar_minimum(int control) const {
    return control_of(control, ControlKind::trackbar).minimum;
}

int HeadlessDialog::trackbar_maximum(int control) const {
    return control_of(control, ControlKind::trackbar).maximum;
}

void HeadlessDialog::set_text(int control, const std::u16string& text) {
    const ControlKind kind = any_control(control).kind;
    if (kind == ControlKind::trackbar) {
        throw misuse("a trackbar shows no text", control);
    }
    controls_.at(control).text = text;
}

const std::u16string& HeadlessDialog::text(int control) const {
    return any_control(control).text;
}

void HeadlessDialog::end(std::intptr_t result) {
    if (ended_) {
        return;  // The first result stands, as with the window system.
    }
    ended_ = true;
    result_ = result;
}

std::intptr_t HeadlessDialog::send(unsigned message, std::uintptr_t wparam, std::intptr_t lparam) {
    if (ended_) {
        throw std::logic_error("headless dialog: message after the dialog ended");
    }
    return procedure_(*this, message, wparam, lparam);
}

std::intptr_t HeadlessDialog::click(int control) {
    any_control(control);  // throws for an id the template lacks
    Control& state = controls_.at(control);
    if (state.kind == ControlKind::check_box) {
        state.checked = !state.checked;
    } else if (state.kind != ControlKind::push_button) {
        throw misuse("only buttons and check boxes can be clicked", control);
    }
    // Command message: notification code 0 (clicked) in the high word, the id in the low word.
    return send(ui::kCommandMessage, static_cast<std::uintptr_t>(control), 0);
}

void HeadlessDialog::move_trackbar(int control, int position) {
    set_trackbar_position(control, position);
    send(ui::kHScrollMessage, kThumbPosition, 0);  // lparam would be the trackbar's window
    if (!ended_) {
        // The notification's header is not modelled: lparam is null.
        send(ui::kNotifyMessage, static_cast<std::uintptr_t>(control), 0);
    }
}

}  // namespace standin
