// keyloom.exe with its main window's controls and dialogs found as a user meets them:
// by their identifiers within the window, and by their captions from the language file.
#pragma once

#include <string>

#include "e2e_fixture.h"
#include "testing/child_process.h"

namespace kl::testing {

struct ControlSearch {
    int id;
    HWND found;
};

inline BOOL CALLBACK MatchControl(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<ControlSearch*>(lp);
    if (GetDlgCtrlID(w) != s->id) return TRUE;
    s->found = w;
    return FALSE;
}

// A control anywhere below `parent` (on any page).
inline HWND FindControl(HWND parent, int id) {
    ControlSearch s{id, nullptr};
    EnumChildWindows(parent, MatchControl, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Asked of the window itself: GetWindowText does not ask another process's controls.
inline std::string WindowText(HWND w) {
    char text[512] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &ignored);
    return text;
}

struct DialogSearch {
    DWORD pid;
    const char* caption;
    HWND found;
};

inline BOOL CALLBACK MatchDialog(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<DialogSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid != s->pid || !IsWindowVisible(w) || std::string(cls) != "#32770" || WindowText(w) != s->caption)
        return TRUE;
    s->found = w;
    return FALSE;
}

class OptionsTest : public EndToEnd {
protected:
    HWND Control(int id) { return FindControl(main_, id); }
    bool Checked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // A click that returns once it was handled; for controls that open no modal window.
    void Click(int id) {
        HWND c = Control(id);
        ASSERT_NE(c, nullptr) << id;
        DWORD_PTR ignored = 0;
        ASSERT_NE(SendMessageTimeoutA(c, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &ignored), 0) << id;
    }
    // A command whose handler opens a modal window: posted, so that the test goes on.
    void PostCommand(int id) { PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // The program's own visible dialog or box with this caption.
    HWND WaitForOwnWindow(const char* caption, DWORD ms = 10000) {
        DialogSearch search{GetProcessId(app_->handle()), caption, nullptr};
        PollUntil([&] { return EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search)), search.found != nullptr; },
                  ms);
        return search.found;
    }
    static void PostClick(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    // Waits for the program's message box with this caption, presses `button` and
    // returns its text; empty when none came.
    std::string AnswerBox(const char* caption, int button) {
        HWND box = WaitForOwnWindow(caption);
        if (!box) return {};
        const std::string text = WindowText(GetDlgItem(box, 0xFFFF));
        PostClick(box, button);
        PollUntil([&] { return !IsWindow(box); });
        return text;
    }
};

}  // namespace kl::testing
