// A dialog without a window system: it keeps the state of its controls, applies what the
// procedure does to them, and lets a test act as the user (click, move a slider) or send any
// message. Misuse that a real dialog would silently ignore (an id the template lacks, a control
// of the wrong kind, a message after the dialog ended) throws std::logic_error, so tests see it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "plugin/ui/dialog_layer.h"

namespace standin {

enum class ControlKind { push_button, check_box, trackbar, static_text, group_box };

struct ControlTemplate {
    int id;
    ControlKind kind;
    std::u16string text;  // the template's text; empty for trackbars
};

struct DialogTemplate {
    int id;
    std::u16string caption;
    std::vector<ControlTemplate> controls;
};

class HeadlessDialog : public ui::Dialog {
  public:
    HeadlessDialog(const DialogTemplate& dialog_template, ui::DialogProcedure procedure);

    // The procedure's side (ui::Dialog).
    void center_over_owner() override { centred_ = true; }
    void set_focus() override { focused_ = true; }
    void set_checked(int control, bool checked) override;
    bool is_checked(int control) const override;
    void set_trackbar_range(int control, int minimum, int maximum) override;
    void set_trackbar_position(int control, int position) override;
    int trackbar_position(int control) const override;
    void set_text(int control, const std::u16string& text) override;
    void end(std::intptr_t result) override;
    void set_user_data(void* data) override { user_data_ = data; }
    void* user_data() const override { return user_data_; }

    // The user's side. Each sends what the window system sends for the action and returns the
    // procedure's result.
    // Sends a message to the procedure.
    std::intptr_t send(unsigned message, std::uintptr_t wparam, std::intptr_t lparam);
    // A button or check box click: a check box toggles first; then the command message.
    std::intptr_t click(int control);
    // Drags a trackbar to `position` (clamped to its range): the scroll message, then a
    // notification from the trackbar.
    void move_trackbar(int control, int position);

    // What the user sees.
    const std::u16string& text(int control) const;
    int trackbar_minimum(int control) const;
    int trackbar_maximum(int control) const;
    bool centred() const { return centred_; }
    bool focused() const { return focused_; }
    bool ended() const { return ended_; }
    std::intptr_t result() const { return result_; }

  private:
    struct Control {
        ControlKind kind;
        std::u16string text;
        bool checked = false;
        int minimum = 0;
        int maximum = 100;  // a new trackbar's range
        int position = 0;
    };

    Control& control_of(int control, ControlKind kind);
    const Control& control_of(int control, ControlKind kind) const;
    const Control& any_control(int control) const;

    ui::DialogProcedure procedure_;
    std::map<int, Control> controls_;
    void* user_data_ = nullptr;
    bool centred_ = false;
    bool focused_ = false;
    bool ended_ = false;
    std::intptr_t result_ = 0;
};

}  // namespace standin
