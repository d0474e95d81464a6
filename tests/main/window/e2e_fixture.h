// End to end: hotkeys stored as the hotkey list stores them, keyloom.exe started
// as a user starts it, and a program of its own with the focus.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "model/hotkey_store.h"
#include "handle_words.h"
#include "registry_names.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "testing/synth_input.h"
#include "testing/target_program.h"

namespace kl::testing {

// Function IDs whose effect a test can see.
inline constexpr int kToggleWindowsKey = 178;   // flips WinKeyEnabled in the block
inline constexpr int kCloseForeground = 32;     // WM_CLOSE to the foreground window
inline constexpr int kMinimiseForeground = 35;  // minimises the foreground window

class EndToEnd : public ::testing::Test {
protected:
    CleanRegistry clean_;
    SettingsMap map_;  // the block keyloom.exe opens; the test watches it
    std::unique_ptr<KeyloomProcess> app_;
    HWND main_ = nullptr;

    SettingsBlock& b() { return map_.block(); }

    // Hook mode or simple mode; no tray icon (each tray change costs Wine
    // seconds without a window manager) and no confirmation beep.
    static void Options(bool simpleMode) {
        SetString(BaseKey(), reg::kSimpleMode, simpleMode ? "1" : "0");
        SetString(BaseKey(), reg::kNoSysTray, "1");
        SetString(BaseKey(), reg::kConfirmHotkeys, "0");
    }
    static std::string BaseKey() { return std::string(kKeyloomKey) + "\\"; }

    // Stores a hotkey through the hotkey store; its ID.
    static int Store(int key, int modifier, int functionId, const std::string& parameter = "",
                     const std::string& description = "e2e") {
        HotkeyStore store(reg::kHotkeysKey, nullptr);
        const StoreResult r = store.StoreHotkey(-1, key, modifier, functionId, description, parameter);
        EXPECT_GT(r.id, 0) << r.error;
        return r.id;
    }

    // Starts keyloom.exe and waits until its hotkeys work.
    void Start() {
        app_ = std::make_unique<KeyloomProcess>();
        main_ = app_->WaitForWindow();
        ASSERT_NE(main_, nullptr) << "keyloom.exe did not start";
        // The block may still hold the values of the last run or of the settings just
        // loaded; MainWindow names this window only once the program has switched hotkey
        // handling off at its start and registers its hotkeys, so the flags are read after it.
        const Handle32 thisWindow = WordFromHandle(main_);
        ASSERT_TRUE(PollUntil([&] {
            return b().MainWindow == thisWindow && b().KeyloomEnabled != 0 &&
                   (b().SimpleMode != 0 || b().HooksInstalled != 0);
        })) << "hotkeys were not enabled";
    }

    // Sends a notification to the main window and returns once it was handled.
    void Notify(WPARAM wp, LPARAM lp) {
        DWORD_PTR result = 0;
        ASSERT_NE(SendMessageTimeoutA(main_, b().NotifyMessage, wp, lp, SMTO_NORMAL, 10000, &result), 0);
    }
    void SendToMain(UINT msg, WPARAM wp, LPARAM lp) {
        DWORD_PTR result = 0;
        ASSERT_NE(SendMessageTimeoutA(main_, msg, wp, lp, SMTO_NORMAL, 10000, &result), 0);
    }

    void TearDown() override {
        if (app_) {
            EXPECT_TRUE(app_->Close());
        }
    }
};

}  // namespace kl::testing
