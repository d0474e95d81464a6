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
#include "testing/support_library.h"
#include "text255.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kBase[] = "Software\\Corvane\\Keyloom\\";
constexpr char kHotkeys[] = "Software\\Corvane\\Keyloom\\Hotkeys\\";
constexpr int kWindowsKeyOff = 176;

constexpr int kEnableHotkeys = 1;
constexpr int kDisableHotkeys = 2;

void StoreHotkey(int id, int key, int function) {
    const std::string sub = std::string(kHotkeys) + "HotKey" + std::to_string(id);
    SetString(sub, "Key", std::to_string(key));
    SetString(sub, "modifier", "3");
    SetString(sub, "Description", "test");
    SetString(sub, "Function", ScrambleFunction(std::to_string(function) + ";"));
    SetString(kHotkeys, std::to_string(key).c_str(), std::to_string(id) + ";");
}

// Hotkey 7: Ctrl+Alt+K switches the Windows key off. Hotkeys 8 and 9 (Ctrl+Alt+D and
// Ctrl+Alt+E) switch hotkeys off and on again.
void StoreTestHotkeys() {
    StoreHotkey(7, 'K', kWindowsKeyOff);
    StoreHotkey(8, 'D', kDisableHotkeys);
    StoreHotkey(9, 'E', kEnableHotkeys);
    SetString(kHotkeys, "MaxKeyID", "9");
}

// Removes every reference of a global atom that earlier runs may have left behind.
void ForgetAtom(const char* name) {
    for (int n = 0; n < 100; ++n) {
        const ATOM atom = GlobalFindAtomA(name);
        if (!atom) return;
        GlobalDeleteAtom(atom);
    }
}

class KeyloomHotkeys : public ::testing::Test {
protected:
    CleanRegistry clean_;
    SettingsMap map_;
    std::optional<KeyloomProcess> app_;
    HWND main_ = nullptr;

    void SetUp() override {
        SetString(kBase, "NoSysTray", "1");
        SetString(kBase, "WinE", "0");  // one registration of its own: Windows+E
        ForgetAtom("HotKey1");
        StoreTestHotkeys();
        StoreMore();
        app_.emplace();
        main_ = app_->WaitForWindow();
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(PollUntil([&] { return map_->KeyloomEnabled == -1; }));
        ASSERT_EQ(map_->WinKeyEnabled, -1);
    }
    // What a test stores before the program starts and loads its settings.
    virtual void StoreMore() {}
    void Notify(WPARAM wp, LPARAM code) { SendMessageA(main_, map_->NotifyMessage, wp, code); }
    void Post(WPARAM wp, LPARAM code) { PostMessageA(main_, map_->NotifyMessage, wp, code); }
    // Waits until the window's thread takes messages again.
    void Settle() { SendMessageA(main_, WM_NULL, 0, 0); }
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

// The lookup reads the numbers as the settings load reads them: a modifier stored as
// "03" is the Ctrl+Alt that was registered for it. A definition stored beside the
// program (not in the block's table) is found too.
TEST_F(KeyloomHotkeys, WindowSystemHotkeyIsFoundInTheRegistryByTheNumbersStored) {
    SetString(std::string(kHotkeys) + "HotKey7", "modifier", "03");
    SendMessageA(main_, WM_HOTKEY, 1, MAKELPARAM(3, 75));  // Ctrl+Alt+K, as registered
    EXPECT_EQ(map_->WinKeyEnabled, 0);
    EXPECT_EQ(map_->LastHotkey, 7);

    map_->LastHotkey = 0;
    StoreHotkey(12, 'Q', kEnableHotkeys);  // in the registry only
    SendMessageA(main_, WM_HOTKEY, 1, MAKELPARAM(3, 'Q'));
    EXPECT_EQ(map_->LastHotkey, 12);
}

TEST_F(KeyloomHotkeys, WindowSystemHotkeysAreIgnoredWhileDisabled) {
    map_->KeyloomEnabled = 0;
    SendMessageA(main_, WM_HOTKEY, 1, MAKELPARAM(3, 75));
    EXPECT_EQ(map_->WinKeyEnabled, -1);
    map_->KeyloomEnabled = -1;
}

TEST_F(KeyloomHotkeys, QueuedHotkeysRunOneAfterTheOtherInTheirOrder) {
    for (int round = 0; round < 10; ++round) {
        map_->LastHotkey = 0;
        Post(8, -11);  // off ...
        Post(9, -11);  // ... and on again: the second must not run inside the first
        ASSERT_TRUE(PollUntil([&] { return map_->LastHotkey == 9; }));
        Sleep(50);
        Settle();
        ASSERT_EQ(map_->KeyloomEnabled, -1) << "round " << round;
    }
}

TEST_F(KeyloomHotkeys, AfterTheDisableFunctionExitStillReleasesTheRegistrations) {
    ASSERT_NE(GlobalFindAtomA("HotKey1"), 0);
    Notify(8, -11);
    ASSERT_EQ(map_->KeyloomEnabled, 0);
    // Enable finds the registrations in place and makes none twice.
    HWND button = GetDlgItem(main_, 1014);
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(1014, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(map_->KeyloomEnabled, -1);
    Notify(8, -11);
    ASSERT_TRUE(app_->Close());
    EXPECT_EQ(app_->ExitCode(), 0u);
    EXPECT_EQ(GlobalFindAtomA("HotKey1"), 0) << "a registration of Windows+E was left behind";
}

namespace {

using ExecuteHotkeyExFn = BOOL WINAPI(std::int32_t key, std::int32_t modifier, BOOL execute);

// Ctrl+Alt+K's list holds an empty piece and, after it, a second hotkey whose modifier
// is stored as "03"; the program starts with that.
class KeyloomDamagedKey : public KeyloomHotkeys {
protected:
    void StoreMore() override {
        StoreHotkey(13, 'K', kEnableHotkeys);
        SetString(std::string(kHotkeys) + "HotKey13", "modifier", "03");
        SetString(kHotkeys, "75", "7;;13;");
    }
};

}  // namespace

// WM_HOTKEY (simple mode) and klsupport's ExecuteHotkeyEx run the same hotkey of a
// damaged key: the last of the key's list that is on the combination, as the hooks'
// table (built by the settings load) has it.
TEST_F(KeyloomDamagedKey, WindowSystemHotkeyAndExecuteHotkeyExRunTheSameHotkey) {
    SendMessageA(main_, WM_HOTKEY, 1, MAKELPARAM(3, 75));
    const std::int32_t byWindowSystem = map_->LastHotkey;
    EXPECT_EQ(byWindowSystem, 13);
    EXPECT_EQ(map_->WinKeyEnabled, -1);  // hotkey 7 did not run

    map_->LastHotkey = 0;
    Library support("klsupport.dll");
    ASSERT_TRUE(support.Get<ExecuteHotkeyExFn>("ExecuteHotkeyEx")(75, 3, TRUE));
    EXPECT_EQ(map_->LastHotkey, byWindowSystem);
    EXPECT_EQ(map_->WinKeyEnabled, -1);
}
