#include "testing/thread_window.h"

#include <gtest/gtest.h>

namespace kl::testing {
namespace {

constexpr char kClassName[] = "KeyloomTestThreadWindow";
constexpr UINT kBringToFront = WM_APP + 77;
constexpr UINT kPark = WM_APP + 78;

void RegisterClassOnce() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;  // replaced per window once it exists
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

bool PollFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(10);
    }
}

ThreadWindow::ThreadWindow(const Options& options) {
    RegisterClassOnce();
    options_ = options;
    ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &ThreadWindow::ThreadMain, this, 0, &threadId_);
    if (WaitForSingleObject(ready_, 10000) != WAIT_OBJECT_0 || !hwnd_) ADD_FAILURE() << "test window not created";
}

ThreadWindow::~ThreadWindow() {
    Park();
    CloseHandle(ready_);
}

void ThreadWindow::Park() {
    if (!thread_) return;
    ResetEvent(ready_);
    PostThreadMessageA(threadId_, kPark, 0, 0);
    if (WaitForSingleObject(ready_, 5000) != WAIT_OBJECT_0) ADD_FAILURE() << "test window not parked";
    CloseHandle(thread_);
    thread_ = nullptr;
}

DWORD WINAPI ThreadWindow::ThreadMain(void* self) {
    static_cast<ThreadWindow*>(self)->Run();
    return 0;
}

void ThreadWindow::Destroy() {
    if (!thread_) return;
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    // Destroying a window may send messages to this thread (activation moves on):
    // keep ours flowing while waiting.
    const DWORD start = GetTickCount();
    while (MsgWaitForMultipleObjects(1, &thread_, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        if (GetTickCount() - start > 10000) {
            ADD_FAILURE() << "test window thread does not end";
            break;
        }
    }
    CloseHandle(thread_);
    thread_ = nullptr;
}

void ThreadWindow::Run() {
    const Options& o = options_;
    // An owned window is a pop-up: only then does the system name its owner as its parent.
    const DWORD style = o.child   ? (WS_CHILD | WS_VISIBLE)
                        : o.owner ? (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE)
                                  : (WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND w = CreateWindowExA(0, kClassName, o.title.c_str(), style, o.x, o.y, o.width, o.height, o.owner,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    if (w) {
        SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ThreadWindow::Proc));
    }
    hwnd_ = w;
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists from here
    SetEvent(ready_);
    while (w && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == kPark) {
            // From here on nothing may touch this object.
            SetWindowLongPtrA(w, GWLP_USERDATA, 0);
            // Still touching the screen: a window moved wholly off it is unmapped, which waits.
            SetWindowPos(w, HWND_BOTTOM, GetSystemMetrics(SM_CXSCREEN) - 4, GetSystemMetrics(SM_CYSCREEN) - 4, 0, 0,
                         SWP_NOACTIVATE | SWP_NOSIZE);
            SetEvent(ready_);
            while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
            return;
        }
        if (msg.message == kBringToFront) {
            SetForegroundWindow(w);
            SetActiveWindow(w);
            SetFocus(w);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (w) DestroyWindow(w);
}

LRESULT CALLBACK ThreadWindow::Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<ThreadWindow*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (self) {
        if (self->options_.onMessage) self->options_.onMessage(m, wp, lp);
        std::lock_guard lock(self->mutex_);
        self->messages_.push_back({m, wp, lp});
    }
    // Recorded only: the test decides what closing or system commands mean.
    if (m == WM_CLOSE || m == WM_SYSCOMMAND) return 0;
    return DefWindowProcA(w, m, wp, lp);
}

bool ThreadWindow::BringToFront() {
    if (!hwnd_) return false;
    // Focus events of windows shown just before may still arrive from the display
    // and move the foreground away again: ask again until it stays.
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        PostThreadMessageA(threadId_, kBringToFront, 0, 0);
        if (PollFor([this] { return GetForegroundWindow() == hwnd_; }, 250)) {
            Sleep(20);
            if (GetForegroundWindow() == hwnd_) return true;
        }
    }
    return false;
}

std::vector<RecordedMessage> ThreadWindow::Messages(UINT message) const {
    std::lock_guard lock(mutex_);
    std::vector<RecordedMessage> out;
    for (const auto& m : messages_)
        if (m.message == message) out.push_back(m);
    return out;
}

bool ThreadWindow::WaitForMessage(UINT message, DWORD timeoutMs) const {
    return PollFor([&] { return !Messages(message).empty(); }, timeoutMs);
}

void ThreadWindow::ClearMessages() {
    std::lock_guard lock(mutex_);
    messages_.clear();
}

}  // namespace kl::testing
