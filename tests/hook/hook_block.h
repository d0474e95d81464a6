// A zeroed block on the heap with Keyloom enabled and a main window to notify,
// plus helpers to fill the hotkey table, for the decision tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "fake_platform.h"
#include "settings_block.h"

namespace kl::testing {

inline constexpr UINT kNotify = 0xC123;
inline const HWND kMainWindow = FakeHandle(0x1000);

class HookBlockTest : public ::testing::Test {
protected:
    std::unique_ptr<SettingsBlock> owner_ = std::make_unique<SettingsBlock>();
    SettingsBlock& b = *owner_;
    int rows_ = 0;

    HookBlockTest() {
        World() = FakeWorld{};
        b.BlockSize = kSettingsBlockSize;
        b.KeyloomEnabled = kTrue;
        b.MainWindow = 0x1000;
        b.NotifyMessage = kNotify;
    }

    void AddHotkey(std::int32_t id, std::int32_t key, std::int32_t modifier, std::int32_t flag = 0) {
        ASSERT_LT(rows_, kHotkeyRows);
        b.Hotkeys[rows_++] = HotkeyEntry{id, key, modifier, flag};
        ++b.HotkeyCountPerKey[key < 256 ? key : 255];
    }

    static Posted ToMain(WPARAM wParam, LPARAM lParam) { return {kMainWindow, kNotify, wParam, lParam}; }
    static Posted Broadcast(WPARAM wParam, LPARAM lParam) { return {HWND_BROADCAST, kNotify, wParam, lParam}; }
    static std::vector<Posted>& Posts() { return World().posts; }
};

}  // namespace kl::testing
