#include "testing/notify_window.h"

#include <gtest/gtest.h>

namespace kl::testing {
namespace {

constexpr char kClassName[] = "KeyloomTestNotifyWindow";

void RegisterClassOnce(WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);  // fails harmlessly when already registered
}

}  // namespace

NotifyWindow::NotifyWindow() {
    RegisterClassOnce(&NotifyWindow::Proc);
    message_ = RegisterWindowMessageA("KLSysTray1");
    hwnd_ = CreateWindowExA(0, kClassName, "Keyloom test window", WS_POPUP, 100, 100, 300, 200,
                            nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (!hwnd_) ADD_FAILURE() << "cannot create the test window";
}

NotifyWindow::~NotifyWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
    Pump();
}

void NotifyWindow::AttachTo(SettingsBlock& block) const {
    block.MainWindow = static_cast<Handle32>(reinterpret_cast<UINT_PTR>(hwnd_));
    block.NotifyMessage = message_;
}

void NotifyWindow::Show() {
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
    Pump();
}

void NotifyWindow::Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool NotifyWindow::PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 200; ++i) {
        Pump();
        if (done()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    Pump();
    return done();
}

LRESULT CALLBACK NotifyWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<NotifyWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) {
        if (self->message_ && msg == self->message_) {
            self->received.push_back({wp, lp});
            if (self->onNotify) self->onNotify(wp, lp);
            return 0;
        }
        if (msg == WM_KEYDOWN || msg == WM_KEYUP || msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP) {
            self->keys.emplace_back(msg, wp);
            return 0;
        }
        if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace kl::testing
