#include "ui/dialog_base.h"

namespace kl {
namespace {

// The dialog whose window this thread is making: the messages that come before
// WM_INITDIALOG (the font, the sizes of owner-drawn items) belong to it.
thread_local DialogBase* t_creating = nullptr;

class CreatingScope {
public:
    explicit CreatingScope(DialogBase* dialog) : previous_(t_creating) { t_creating = dialog; }
    ~CreatingScope() { t_creating = previous_; }
    CreatingScope(const CreatingScope&) = delete;
    CreatingScope& operator=(const CreatingScope&) = delete;

private:
    DialogBase* previous_;
};

}  // namespace

DialogBase::~DialogBase() {
    if (dlg_) {
        HWND dlg = dlg_;
        SetWindowLongPtrA(dlg, DWLP_USER, 0);
        dlg_ = nullptr;
        if (!modal_) DestroyWindow(dlg);
    }
}

DialogResult DialogBase::ShowModal(HWND owner) {
    if (dlg_) return DialogResult::Cancel;
    modal_ = true;
    result_ = DialogResult::None;
    const DialogTemplate t = BuildTemplate();
    {
        CreatingScope creating(this);
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), owner, StaticProc, reinterpret_cast<LPARAM>(this));
    }
    modal_ = false;
    if (result_ == DialogResult::None) result_ = DialogResult::Cancel;
    return result_;
}

HWND DialogBase::ShowModeless(HWND owner) {
    if (dlg_) return dlg_;
    modal_ = false;
    result_ = DialogResult::None;
    const DialogTemplate t = BuildTemplate();
    HWND dlg = nullptr;
    {
        CreatingScope creating(this);
        dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), t.Get(), owner, StaticProc,
                                         reinterpret_cast<LPARAM>(this));
    }
    if (dlg && dlg_ == dlg) ShowWindow(dlg, SW_SHOW);
    return dlg_;
}

void DialogBase::End(DialogResult result) {
    result_ = result;
    if (!dlg_) return;
    if (modal_)
        EndDialog(dlg_, static_cast<INT_PTR>(result));
    else
        DestroyWindow(dlg_);
}

INT_PTR CALLBACK DialogBase::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<DialogBase*>(lp);
        SetWindowLongPtrA(hwnd, DWLP_USER, lp);
        if (self) self->dlg_ = hwnd;
    }
    if (!self) {
        self = t_creating;
        if (!self || !self->TakesCreationMessages()) return FALSE;
        if (!self->dlg_) self->dlg_ = hwnd;
    }
    // What a window that is no longer the dialog's still receives is not its business.
    if (self->dlg_ != hwnd) return FALSE;
    const INT_PTR handled = self->Proc(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        if (self->result_ == DialogResult::None) self->result_ = DialogResult::Cancel;
        self->Destroyed();
        self->dlg_ = nullptr;
    }
    return handled;
}

}  // namespace kl
