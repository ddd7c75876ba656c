#include "plugin/ui/win32_dialog_runner.h"

#include <windows.h>
// Needs windows.h first.
#include <commctrl.h>

#include <string>

namespace ui {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide texts are UTF-16 on Windows");
static_assert(kNotifyMessage == WM_NOTIFY && kInitDialogMessage == WM_INITDIALOG &&
                  kCommandMessage == WM_COMMAND && kHScrollMessage == WM_HSCROLL,
              "message ids pass through unchanged");
static_assert(kOkButton == IDOK && kCancelButton == IDCANCEL, "standard button ids");

// The procedure and parameter of one modal dialog, kept with its window as a window property
// (the window's user data belongs to the procedure).
struct Binding {
    DialogProcedure procedure;
    std::intptr_t parameter;
};

constexpr wchar_t kBindingProperty[] = L"VSFExport.DialogBinding";

class Win32Dialog : public Dialog {
  public:
    explicit Win32Dialog(HWND window) : window_(window) {}

    void center_over_owner() override {
        RECT area;
        const HWND owner = GetWindow(window_, GW_OWNER);
        if (owner == nullptr || !GetWindowRect(owner, &area)) {
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        }
        RECT own;
        if (!GetWindowRect(window_, &own)) {
            return;
        }
        const int x = area.left + ((area.right - area.left) - (own.right - own.left)) / 2;
        const int y = area.top + ((area.bottom - area.top) - (own.bottom - own.top)) / 2;
        SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void set_focus() override { SetFocus(window_); }

    void set_checked(int control, bool checked) override {
        CheckDlgButton(window_, control, checked ? BST_CHECKED : BST_UNCHECKED);
    }

    bool is_checked(int control) const override {
        return IsDlgButtonChecked(window_, control) == BST_CHECKED;
    }

    void set_trackbar_range(int control, int minimum, int maximum) override {
        SendDlgItemMessageW(window_, control, TBM_SETRANGEMIN, TRUE, minimum);
        SendDlgItemMessageW(window_, control, TBM_SETRANGEMAX, TRUE, maximum);
    }

    void set_trackbar_position(int control, int position) override {
        SendDlgItemMessageW(window_, control, TBM_SETPOS, TRUE, position);
    }

    int trackbar_position(int control) const override {
        return static_cast<int>(SendDlgItemMessageW(window_, control, TBM_GETPOS, 0, 0));
    }

    void set_text(int control, const std::u16string& text) override {
        SetDlgItemTextW(window_, control, reinterpret_cast<const wchar_t*>(text.c_str()));
    }

    void end(std::intptr_t result) override { EndDialog(window_, result); }

    void set_user_data(void* data) override {
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
    }

    void* user_data() const override {
        return reinterpret_cast<void*>(GetWindowLongPtrW(window_, GWLP_USERDATA));
    }

  private:
    HWND window_;
};

INT_PTR CALLBACK dispatch(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const Binding* binding = nullptr;
    if (message == WM_INITDIALOG) {
        binding = reinterpret_cast<const Binding*>(lparam);
        SetPropW(window, kBindingProperty, const_cast<Binding*>(binding));
        lparam = binding->parameter;
    } else {
        binding = static_cast<const Binding*>(GetPropW(window, kBindingProperty));
    }
    if (binding == nullptr) {
        return FALSE;  // messages before the initialising one
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kBindingProperty);
    }
    Win32Dialog dialog(window);
    return binding->procedure(dialog, message, wparam, lparam);
}

}  // namespace

std::intptr_t Win32DialogRunner::run_modal(int template_id, WindowHandle owner,
                                           DialogProcedure procedure, std::intptr_t parameter) {
    if (procedure == nullptr) {
        return -1;
    }
    Binding binding{procedure, parameter};
    return DialogBoxParamW(static_cast<HINSTANCE>(module_), MAKEINTRESOURCEW(template_id),
                           static_cast<HWND>(owner), dispatch, reinterpret_cast<LPARAM>(&binding));
}

}  // namespace ui
