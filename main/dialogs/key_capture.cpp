#include "dialogs/key_capture.h"

#include <commctrl.h>

#include "model/hotkey_editor_rules.h"

namespace kl {
namespace {

// A thread hook procedure has no context of its own: the capture attached on the thread
// that the hook belongs to.
thread_local KeyCapture* t_attached = nullptr;

enum class Control : UINT_PTR { KeyField = 1, KeyList = 2, ModifierList = 3 };

bool IsModifierVk(WPARAM vk) { return editor::ModifierForKey(static_cast<int>(vk)) >= 0; }

// Characters a captured key would still produce are dropped with it.
void DropPendingCharacters(HWND control) {
    MSG m;
    while (PeekMessageA(&m, control, WM_CHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
    }
}

}  // namespace

KeyCapture::KeyCapture(KeyCaptureTarget& target, BlockSource block) : target_(target), block_(std::move(block)) {}

KeyCapture::~KeyCapture() {
    Stop();
    Detach();
}

KeyCapture* KeyCapture::Attached() { return t_attached; }

void KeyCapture::Attach(HWND keyField, HWND keyList, HWND modifierList) {
    Detach();
    keyField_ = keyField;
    keyList_ = keyList;
    modifierList_ = modifierList;
    const auto ref = reinterpret_cast<DWORD_PTR>(this);
    SetWindowSubclass(keyField_, Subclass, static_cast<UINT_PTR>(Control::KeyField), ref);
    SetWindowSubclass(keyList_, Subclass, static_cast<UINT_PTR>(Control::KeyList), ref);
    SetWindowSubclass(modifierList_, Subclass, static_cast<UINT_PTR>(Control::ModifierList), ref);
    t_attached = this;
}

void KeyCapture::Detach() {
    const std::pair<HWND, Control> controls[] = {
        {keyField_, Control::KeyField}, {keyList_, Control::KeyList}, {modifierList_, Control::ModifierList}};
    for (const auto& [control, which] : controls)
        if (control && IsWindow(control)) RemoveWindowSubclass(control, Subclass, static_cast<UINT_PTR>(which));
    keyField_ = keyList_ = modifierList_ = nullptr;
    if (t_attached == this) t_attached = nullptr;
}

bool KeyCapture::Start() {
    SettingsBlock* b = block_ ? block_() : nullptr;
    if (!hook_) {
        if (b && !winKeySaved_) {
            savedWinKey_ = b->WinKeyEnabled != 0;
            winKeySaved_ = true;
            b->WinKeyEnabled = kFalse;  // the system-wide hook leaves the Windows keys alone
        }
        winDown_ = false;
        hook_ = SetWindowsHookExA(WH_KEYBOARD, EditKbdHookProc, nullptr, GetCurrentThreadId());
    }
    if (b) b->HotkeysSuspended = kTrue;  // no hotkey fires while a key is captured
    return hook_ != nullptr;
}

bool KeyCapture::Stop() {
    SettingsBlock* b = block_ ? block_() : nullptr;
    // Put back what Start changed, also when the hook itself could not be set.
    if (winKeySaved_) {
        if (b) b->WinKeyEnabled = savedWinKey_ ? kTrue : kFalse;
        winKeySaved_ = false;
    }
    if (hook_ && UnhookWindowsHookEx(hook_)) hook_ = nullptr;
    winDown_ = false;
    if (b) b->HotkeysSuspended = kFalse;
    return hook_ == nullptr;
}

int KeyCapture::HeldModifiers() const {
    int m = 0;
    if (GetKeyState(VK_MENU) < 0) m |= 1;
    if (GetKeyState(VK_CONTROL) < 0) m |= 2;
    if (GetKeyState(VK_SHIFT) < 0) m |= 4;
    if (winDown_) m |= 8;
    return m;
}

LRESULT KeyCapture::OnHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0) {
        if (wParam == 255) {
            lastScan_ = static_cast<int>((lParam >> 16) & 0xFF);
        } else if (wParam == VK_LWIN || wParam == VK_RWIN) {
            // Swallowed: neither the Start menu nor the system-wide hook sees it.
            if (code == HC_ACTION) OnWindowsKey((static_cast<DWORD>(lParam) & 0x80000000u) == 0);
            return 1;
        }
    }
    return CallNextHookEx(hook_, code, wParam, lParam);
}

void KeyCapture::OnWindowsKey(bool down) {
    const bool pressed = down && !winDown_;
    winDown_ = down;
    if (pressed && modifierList_ && GetFocus() == modifierList_) {
        target_.SelectModifier(8);
        target_.MarkModified();
    }
}

// The dialog keys stay the dialog's while no modifier but Shift is held: Tab moves on,
// Enter is OK, Escape is Cancel.
bool KeyCapture::IsDialogKey(WPARAM vk) const {
    return (vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE) && !(HeldModifiers() & ~4);
}

bool KeyCapture::KeyPressedIn(HWND control, UINT msg, WPARAM vk) {
    const bool isList = control == keyList_;
    const bool down = msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN;
    const bool up = msg == WM_KEYUP || msg == WM_SYSKEYUP;
    const bool character = msg == WM_CHAR || msg == WM_SYSCHAR || msg == WM_DEADCHAR || msg == WM_SYSDEADCHAR;
    if (!down && !up && !character) return false;
    if (isList && SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0)) return false;  // the open list works as usual
    if (character) return true;
    // The key list also opens with F4 and Alt+Up/Down. Those keys are chosen from the list.
    const bool opensList = isList && (vk == VK_F4 || (msg == WM_SYSKEYDOWN && (vk == VK_UP || vk == VK_DOWN)));
    if (IsDialogKey(vk) || opensList) return false;
    if (up) return true;
    if (!target_.SelectKey(static_cast<int>(vk))) return true;
    // A combination pressed in the key field also chooses its modifier set.
    if (!isList && !IsModifierVk(vk)) {
        const int held = HeldModifiers();
        if (held != 0) target_.SelectModifier(held);
    }
    target_.MarkModified();
    DropPendingCharacters(control);
    return true;
}

bool KeyCapture::ModifierKeyPressed(UINT msg, WPARAM vk) {
    const int modifier = editor::ModifierForKey(static_cast<int>(vk));
    if (modifier < 0 || modifier == 8) return false;  // the Windows keys come through the hook
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
        target_.SelectModifier(modifier);
        target_.MarkModified();
        return true;
    }
    // Alt released alone would enter the system menu.
    return msg == WM_KEYUP || msg == WM_SYSKEYUP;
}

LRESULT KeyCapture::OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    if (control == keyField_ && msg == WM_GETDLGCODE) {
        const LRESULT code = DefSubclassProc(control, msg, wp, lp);
        const auto* m = reinterpret_cast<const MSG*>(lp);
        if (m && m->message == WM_KEYDOWN && IsDialogKey(m->wParam)) return code;
        return code | DLGC_WANTALLKEYS;
    }
    if (control == modifierList_) {
        if (ModifierKeyPressed(msg, wp)) return 0;
    } else if (KeyPressedIn(control, msg, wp)) {
        return 0;
    }
    return DefSubclassProc(control, msg, wp, lp);
}

LRESULT CALLBACK KeyCapture::Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR which, DWORD_PTR ref) {
    auto* self = reinterpret_cast<KeyCapture*>(ref);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, Subclass, which);
        if (self->keyField_ == hwnd) self->keyField_ = nullptr;
        if (self->keyList_ == hwnd) self->keyList_ = nullptr;
        if (self->modifierList_ == hwnd) self->modifierList_ = nullptr;
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    return self->OnControlMessage(hwnd, msg, wp, lp);
}

}  // namespace kl

extern "C" LRESULT CALLBACK EditKbdHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (kl::KeyCapture* capture = kl::KeyCapture::Attached()) return capture->OnHook(code, wParam, lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
