// A real top-level window for tests, running its own message loop on its own
// thread, that records the messages it receives.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace kl::testing {

// Polls `condition` every 10 ms until it holds or `timeoutMs` have passed.
bool PollFor(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class ThreadWindow {
public:
    struct Options {
        std::string title = "Keyloom test window";
        int x = 100, y = 100, width = 300, height = 400;
        HWND owner = nullptr;   // an owned popup has the owner as its parent
        bool child = false;     // a child of `owner` instead
        // Called on the window's thread for every message before it is recorded.
        std::function<void(UINT, WPARAM, LPARAM)> onMessage;

        Options& Title(std::string t) { title = std::move(t); return *this; }
        Options& At(int left, int top) { x = left; y = top; return *this; }
        Options& Size(int w, int h) { width = w; height = h; return *this; }
        Options& OwnedBy(HWND w) { owner = w; return *this; }
        Options& ChildOf(HWND w) { owner = w; child = true; return *this; }
        Options& OnMessage(std::function<void(UINT, WPARAM, LPARAM)> f) { onMessage = std::move(f); return *this; }
    };
    ThreadWindow() : ThreadWindow(Options{}) {}
    explicit ThreadWindow(const Options& options);
    ~ThreadWindow();
    ThreadWindow(const ThreadWindow&) = delete;
    ThreadWindow& operator=(const ThreadWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    // Makes the window the foreground window (from its own thread) and waits for it.
    bool BringToFront();
    // Destroys the window now; the thread ends with it. Under Wine without a
    // window manager this waits two seconds, so the destructor does not: it
    // parks the window off the screen, detached from this object, until the
    // process ends.
    void Destroy();

    std::vector<RecordedMessage> Messages(UINT message) const;
    bool WaitForMessage(UINT message, DWORD timeoutMs = 5000) const;
    void ClearMessages();

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp);
    static DWORD WINAPI ThreadMain(void* self);
    void Run();
    void Park();

    HWND hwnd_ = nullptr;
    DWORD threadId_ = 0;
    HANDLE ready_ = nullptr;
    mutable std::mutex mutex_;
    std::vector<RecordedMessage> messages_;
    Options options_;
    HANDLE thread_ = nullptr;
};

}  // namespace kl::testing
