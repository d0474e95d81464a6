// The one shape of the program's dialogs: a class derived from DialogBase builds its
// template and answers its messages; the base owns the static dialog procedure (the
// instance travels in WM_INITDIALOG's lParam and stays in DWLP_USER), shows the dialog
// modally or modelessly and keeps its result.
#pragma once

#include <windows.h>

#include "ui/dialog_template.h"

namespace kl {

// How a dialog ended. None while it is open (or before it was shown).
enum class DialogResult : INT_PTR { None = 0, Ok = IDOK, Cancel = IDCANCEL };

class DialogBase {
public:
    DialogBase() = default;
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;
    virtual ~DialogBase();

    // Runs the dialog's own message loop until it ends; Cancel when it could not be made.
    DialogResult ShowModal(HWND owner);
    // Shows it without a loop of its own (the caller's loop runs it); null when it could
    // not be made. result() is None until it has ended.
    HWND ShowModeless(HWND owner);

    // Ends the dialog with this result (a modeless one is destroyed).
    void End(DialogResult result);

    HWND handle() const { return dlg_; }
    bool IsOpen() const { return dlg_ != nullptr; }
    DialogResult result() const { return result_; }

protected:
    virtual DialogTemplate BuildTemplate() = 0;
    // One message of the dialog; the value a dialog procedure returns.
    virtual INT_PTR Proc(UINT msg, WPARAM wp, LPARAM lp) = 0;
    // Called once the window is gone (WM_NCDESTROY), before handle() is cleared.
    virtual void Destroyed() {}
    // Whether Proc also gets what comes before WM_INITDIALOG (the font, the sizes of
    // owner-drawn items, the first WM_SIZE); otherwise those get the default handling.
    virtual bool TakesCreationMessages() const { return false; }

    HWND Item(int id) const { return GetDlgItem(dlg_, id); }
    bool modal() const { return modal_; }

    HWND dlg_ = nullptr;

private:
    static INT_PTR CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
    HWND Create(HWND owner, bool modal);

    bool modal_ = false;
    DialogResult result_ = DialogResult::None;
};

}  // namespace kl
