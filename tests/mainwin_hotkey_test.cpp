// Hotkeys arriving at a running keyloom.exe: code -11 from the hooks, WM_HOTKEY
// from the window system, and refusal while hotkeys are suspended.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "char_substitution.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "text255.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kBase[] = "Software\\Corvane\\Keyloom\\";
constexpr char kHotkeys[] = "Software\\Corvane\\Keyloom\\Hotkeys\\";
constexpr int kWindowsKeyOff = 176;

// Hotkey 7: Ctrl+Alt+K switches the Windows key off.
void StoreWindowsKeyOffHotkey() {
    const std::string sub = std::string(kHotkeys) + "HotKey7";
    SetString(sub, "Key", "75");
    SetString(sub, "modifier", "3");
    SetString(sub, "Description", "Windows key off");
    SetString(sub, "Function", ScrambleFunction(std::to_string(kWindowsKeyOff) + ";"));
    SetString(kHotkeys, "75", "7;");
    SetString(kHotkeys, "MaxKeyID", "7");
}

class KeyloomHotkeys : public ::testing::Test {
protected:
    CleanRegistry clean_;
    SettingsMap map_;
    std::optional<KeyloomProcess> app_;
    HWND main_ = nullptr;

    void SetUp() override {
        SetString(kBase, "NoSysTray", "1");
        StoreWindowsKeyOffHotkey();
        app_.emplace();
        main_ = app_->WaitForWindow();
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(PollUntil([&] { return map_->KeyloomEnabled == -1; }));
        ASSERT_EQ(map_->WinKeyEnabled, -1);
    }
    void Notify(WPARAM wp, LPARAM code) { SendMessageA(main_, map_->NotifyMessage, wp, code); }
};

}  // namespace

TEST_F(KeyloomHotkeys, NotificationExecutesTheStoredHotkey) {
    Notify(7, -11);
    EXPECT_EQ(map_->WinKeyEnabled, 0);
    EXPECT_EQ(map_->LastHotkey, 7);
    EXPECT_EQ(map_->SuppressStartMenu, -1);
    EXPECT_EQ(Text255View(map_->StatusText).rfind("Executing function ", 0), 0u) << GetText255(map_->StatusText);
}

TEST_F(KeyloomHotkeys, AnUnknownHotkeyOnlyBecomesTheLastOne) {
    Notify(99, -11);
    EXPECT_EQ(map_->LastHotkey, 99);
    EXPECT_EQ(map_->WinKeyEnabled, -1);
    EXPECT_EQ(map_->SuppressStartMenu, 0);
    Notify(0, -11);  // no hotkey ID: ignored
    EXPECT_EQ(map_->LastHotkey, 99);
}

TEST_F(KeyloomHotkeys, NothingRunsWhileHotkeysAreSuspended) {
    map_->HotkeysSuspended = -1;
    Notify(7, -11);
    SendMessageA(main_, WM_HOTKEY, 1, MAKELPARAM(3, 75));
    EXPECT_EQ(map_->WinKeyEnabled, -1);
    EXPECT_NE(map_->LastHotkey, 7);
    map_->HotkeysSuspended = 0;
}

TEST_F(KeyloomHotkeys, WindowSystemHotkeyIsLookedUpByKeyAndModifiers) {
    SendMessageA(main_, WM_HOTKEY, 1, MAKELPARAM(2, 75));  // Ctrl+K: no such hotkey
    EXPECT_EQ(map_->WinKeyEnabled, -1);
    SendMessageA(main_, WM_HOTKEY, 1, MAKELPARAM(3, 75));  // Ctrl+Alt+K
    EXPECT_EQ(map_->WinKeyEnabled, 0);
    EXPECT_EQ(map_->LastHotkey, 7);
}

TEST_F(KeyloomHotkeys, WindowSystemHotkeysAreIgnoredWhileDisabled) {
    map_->KeyloomEnabled = 0;
    SendMessageA(main_, WM_HOTKEY, 1, MAKELPARAM(3, 75));
    EXPECT_EQ(map_->WinKeyEnabled, -1);
    map_->KeyloomEnabled = -1;
}
