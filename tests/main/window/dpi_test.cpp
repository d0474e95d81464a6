// keyloom.exe at 100 %, 150 % and 200 %: the main window, its pages and the hotkey editor
// grow with the display and no control is clipped. Wine takes the dots per inch from
// the prefix's "LogPixels", read by every program as it starts; the test puts it back.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "window_checks.h"
#include "testing/child_process.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "window/control_ids.h"
#include "win_handles.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

// Sets "LogPixels" for the programs started from now on and puts back what was there.
class LogPixels {
public:
    explicit LogPixels(DWORD dpi) {
        saved_ = GetValue(kDesktopKey, "LogPixels");
        SetValue(kDesktopKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    ~LogPixels() {
        if (saved_) {
            SetValue(kDesktopKey, "LogPixels", saved_->type, saved_->data.data(), static_cast<DWORD>(saved_->data.size()));
        } else if (RegKey key = RegKey::Open(HKEY_CURRENT_USER, kDesktopKey, KEY_SET_VALUE)) {
            RegDeleteValueA(key.get(), "LogPixels");
        }
    }

private:
    std::optional<Value> saved_;
};

std::string Faults(const std::vector<std::string>& faults) {
    std::string all;
    for (const std::string& f : faults) all += "\n  " + f;
    return all;
}

SIZE ClientSize(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return {r.right, r.bottom};
}

class Dpi : public ::testing::TestWithParam<int> {
protected:
    CleanRegistry clean_;
};

TEST_P(Dpi, MainWindowPagesAndEditorScaleWithNothingClipped) {
    const int dpi = GetParam();
    LogPixels pixels(static_cast<DWORD>(dpi));
    SetString(kKeyloomKey, "NoSysTray", "1");  // without a window manager the tray costs seconds
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_SHOWNORMAL);

    // The main window is 576 x 392 pixels at 100 %, and grows with the display.
    const SIZE size = ClientSize(main);
    EXPECT_NEAR(size.cx, MulDiv(576, dpi, 96), 2);
    EXPECT_NEAR(size.cy, MulDiv(392, dpi, 96), 2);

    HWND tabs = FindWindowExA(main, nullptr, WC_TABCONTROLA, nullptr);
    ASSERT_NE(tabs, nullptr);
    const int pages = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int page = 0; page < pages; ++page) {
        PostMessageA(main, WM_KEYDOWN, '1' + page, 0);  // the digit keys open the pages
        ASSERT_TRUE(PollUntil([&] { return SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == page; }, 5000));
        WaitForInputIdle(app.handle(), 5000);
        EXPECT_GE(VisibleDescendants(main).size(), 8u) << "page " << page + 1;
        const auto faults = LayoutFaults(main, dpi);
        EXPECT_TRUE(faults.empty()) << "page " << page + 1 << " at " << dpi << " dpi:" << Faults(faults);
    }

    PostMessageA(main, WM_COMMAND, ids::mnNewHotkey, 0);
    HWND editor = nullptr, modifiers = nullptr;
    ASSERT_TRUE(PollUntil([&] {
        editor = FindProcessWindow(GetProcessId(app.handle()), "Edit hotkey");
        return editor && (modifiers = FindWindowExA(editor, nullptr, "ComboBox", nullptr)) != nullptr;
    }));
    WaitForInputIdle(app.handle(), 5000);
    const auto faults = LayoutFaults(editor, dpi);
    EXPECT_TRUE(faults.empty()) << "editor at " << dpi << " dpi:" << Faults(faults);
    // Its owner-drawn lists draw each item in a line of the scaled font.
    EXPECT_GE(SendMessageA(modifiers, CB_GETITEMHEIGHT, 0, 0), MulDiv(13, dpi, 96));
    PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(PollUntil([&] { return !IsWindow(editor); }, 5000));
}

INSTANTIATE_TEST_SUITE_P(Displays, Dpi, ::testing::Values(96, 144, 192),
                         [](const auto& info) { return std::to_string(info.param) + "dpi"; });

}  // namespace
