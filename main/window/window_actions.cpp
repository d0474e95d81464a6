// Showing, hiding and leaving the main window, its tray icon and its keyboard pages.
#include <cstdint>

#include "system/library_binding.h"
#include "window/control_ids.h"
#include "window/main_window.h"
#include "window/process_messages.h"

namespace kl {

void TfrmMain::btnStateClick() {
    SettingsBlock* b = Block();
    if (!b) return;
    if (b->KeyloomEnabled)
        hotkeys_.Disable();
    else
        hotkeys_.Enable();
    ShowData();
}

void TfrmMain::btnHideClick() { ShowWindow(hwnd_, SW_HIDE); }

void TfrmMain::btnExitClick() {
    // Never unload the libraries under a call still in progress, nor tear down a window
    // that is being created: the exit happens when both are over.
    if (creating_ || LibraryCallDepth() > 0) {
        exitPending_ = true;
        return;
    }
    ProcessMessages();
    EndProgram();
}

// A shown window is left to the end of the process: taking it down waits for the window
// manager (seconds, under Wine without one), and nothing is left to do with it.
void TfrmMain::EndProgram() {
    if (!hwnd_ || destroyed_) return;
    if (!IsWindowVisible(hwnd_)) {
        DestroyWindow(hwnd_);
        return;
    }
    FormDestroy();
    PostQuitMessage(0);
}

void TfrmMain::LibraryCallsEnded() {
    TfrmMain& form = MainForm();
    if (!form.hwnd_ || form.destroyed_ || form.creating_) return;
    if (form.exitPending_ || form.notifications_.HasWaiting() || form.pendingEditor_ || form.profiles_.HasPending())
        PostMessageA(form.hwnd_, ids::kRunDeferred, 0, 0);
}

void TfrmMain::RunDeferred() {
    if (creating_ || destroyed_ || LibraryCallDepth() > 0) return;  // asked again when the call ends
    if (exitPending_) {
        exitPending_ = false;
        notifications_.Clear();
        btnExitClick();
        return;
    }
    if (pendingEditor_) {
        const int id = *pendingEditor_;
        pendingEditor_.reset();
        if (id == kAddHotkeyRequest)
            mnNewHotkeyClick();
        else
            EditHotkey(id);
    }
    notifications_.RunWaiting();
    if (destroyed_ || !Block()) return;
    // A profile switch that waited for the editing dialogs to close.
    profiles_.RunPending();
}

void TfrmMain::mnOpenClick() {
    Status("Showing Keyloom");
    SelectPage(0);
    ShowData();
    if (IsWindowVisible(hwnd_)) {
        Reactivate();
    } else {
        ShowWindow(hwnd_, SW_SHOW);
        BringWindowToTop(hwnd_);
        SetForegroundWindow(hwnd_);
    }
}

void TfrmMain::Reactivate() {
    if (!IsWindow(hwnd_)) return;
    if (IsWindowVisible(hwnd_)) {
        SetForegroundWindow(hwnd_);
        for (int poll = 0; poll < 1001 && GetForegroundWindow() != hwnd_; ++poll) {
        }
        SetActiveWindow(hwnd_);
    } else {
        if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
        SetForegroundWindow(hwnd_);
    }
}

bool TfrmMain::ChangeIcon(HICON icon) {
    const SettingsBlock* b = Block();
    if (!b || b->NoSysTray) return false;
    tray_.Modify(icon);
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    return true;
}

bool TfrmMain::FormKeyDown(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam < '1' || msg.wParam > '5') return false;
    if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
    if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    // Digits typed into a text box stay there.
    char cls[32] = {};
    GetClassNameA(msg.hwnd, cls, sizeof cls);
    if (lstrcmpiA(cls, "Edit") == 0) return false;
    SelectPage(static_cast<int>(msg.wParam - '1'));
    ShowData();
    return true;
}

bool TfrmMain::PreTranslateMessage(MSG& msg) {
    if (menus_.accelerators && TranslateAcceleratorA(hwnd_, menus_.accelerators, &msg)) return true;
    if (FormKeyDown(msg) || lists_.KeyDown(msg)) return true;
    return IsWindow(hwnd_) && IsDialogMessageA(hwnd_, &msg);
}

void TfrmMain::PopupTrayMenu() {
    pmSystrayPopup();
    SetForegroundWindow(hwnd_);
    POINT pt{};
    GetCursorPos(&pt);
    TrackPopupMenu(menus_.pmSystray, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd_, nullptr);
    PostMessageA(hwnd_, WM_NULL, 0, 0);
}

}  // namespace kl
