// The few dialog-manager services the plug-in's dialogs use. A dialog procedure is written once
// against these and runs over the window system in the plug-in and over a headless stand-in in
// tests, driven by the same messages.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

// Message ids, with the window system's values so that a real dialog's messages pass through as
// they are.
enum : unsigned {
    kNotifyMessage = 0x004E,      // a control reports an event (any control, any notification)
    kInitDialogMessage = 0x0110,  // first message; lparam is the parameter given to run_modal
    kCommandMessage = 0x0111,     // low word of wparam is the id of the button that was pressed
    kHScrollMessage = 0x0114,     // a horizontal trackbar was moved
};

// Command ids of the standard OK and Cancel buttons.
enum : int { kOkButton = 1, kCancelButton = 2 };

// The low 16 bits of a message parameter (the control id of a command message).
inline int low_word(std::uintptr_t value) {
    return static_cast<int>(value & 0xFFFFu);
}

// An opaque top-level window of the host, the owner of a modal dialog. May be null.
using WindowHandle = void*;

// One open dialog, as its procedure sees it. Controls are named by their ids in the dialog's
// template; an id the dialog does not have is the caller's fault.
class Dialog {
  public:
    virtual ~Dialog() = default;

    // Centres the dialog over its owner window (over the screen when it has none).
    virtual void center_over_owner() = 0;
    // Gives the dialog the keyboard focus.
    virtual void set_focus() = 0;

    // Check boxes.
    virtual void set_checked(int control, bool checked) = 0;
    virtual bool is_checked(int control) const = 0;

    // Trackbars. Range and position changes redraw the control; a position outside the range is
    // clamped to it.
    virtual void set_trackbar_range(int control, int minimum, int maximum) = 0;
    virtual void set_trackbar_position(int control, int position) = 0;
    virtual int trackbar_position(int control) const = 0;

    // The text of a static text (or any control that shows a text).
    virtual void set_text(int control, const std::u16string& text) = 0;

    // Ends the modal dialog once the current message is handled; run_modal returns `result`.
    virtual void end(std::intptr_t result) = 0;

    // One pointer that the procedure keeps with the dialog between messages; null at first.
    virtual void set_user_data(void* data) = 0;
    virtual void* user_data() const = 0;
};

// A dialog procedure: handles one message and returns its result (for the initialising message,
// nonzero lets the dialog manager set the default focus; for others, nonzero means handled).
using DialogProcedure = std::intptr_t (*)(Dialog& dialog, unsigned message, std::uintptr_t wparam,
                                          std::intptr_t lparam);

// Shows dialogs from templates.
class DialogRunner {
  public:
    virtual ~DialogRunner() = default;

    // Shows the dialog of template `template_id` modally over `owner` and returns when it ends.
    // `procedure` receives kInitDialogMessage with lparam = `parameter`, then every later
    // message. Returns the result given to Dialog::end, or -1 when the dialog cannot be shown.
    virtual std::intptr_t run_modal(int template_id, WindowHandle owner, DialogProcedure procedure,
                                    std::intptr_t parameter) = 0;
};

}  // namespace ui
