// For the tests of keyloom.exe's dialogs run inside the test program: the block mapped
// and klsupport.dll loaded as keyloom.exe does it (data folder: build/<arch>/bin), the
// English language loaded, COM started; each test begins with a clean registry and the
// settings loaded again from it.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "model/hotkey_store.h"
#include "system/library_binding.h"
#include "system/support_calls.h"
#include "model/text_fields.h"
#include "model/ui_language.h"
#include "registry_names.h"
#include "testing/registry.h"
#include "testing/support_library.h"

namespace kl::testing {

class EditorFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CoInitialize(nullptr);
        ActiveLanguage().SetDataDirectory(BinDir());
        ActiveLanguage().SetLanguageFile("english");
        ASSERT_EQ(ActiveLanguage().Load(), LanguageStatus::Loaded);
        DeleteKeyloomKey();
        SetString(std::string(kKeyloomKey) + "\\", reg::kDataDir, BinDir());
        InitializeLibraries();
        ASSERT_NE(Block(), nullptr);
    }

    void SetUp() override {
        DeleteKeyloomKey();
        SetString(std::string(kKeyloomKey) + "\\", reg::kDataDir, BinDir());
        ASSERT_NE(Block(), nullptr);
        ReloadSettings();
        b().ProfileName = {};
        b().HotkeysSuspended = 0;
    }
    void TearDown() override { DeleteKeyloomKey(); }

    static SettingsBlock& b() { return *Block(); }

    // Lets the window system deliver what is waiting for this thread.
    static void Pump() {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    static bool PumpUntil(const std::function<bool()>& done, DWORD ms = 5000) {
        const DWORD start = GetTickCount();
        for (;;) {
            Pump();
            if (done()) return true;
            if (GetTickCount() - start > ms) return false;
            Sleep(10);
        }
    }

    static void SynthKey(WORD vk, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
        in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (vk == VK_LWIN || vk == VK_RWIN ? KEYEVENTF_EXTENDEDKEY : 0);
        SendInput(1, &in, sizeof in);
    }

    static std::string WindowText(HWND w) {
        char text[1024] = {};
        GetWindowTextA(w, text, sizeof text);
        return text;
    }

    // Stores a hotkey of the default profile as the editor's store does; its ID.
    static int Store(int key, int modifier, int function, const std::string& parameter, const std::string& description) {
        HotkeyStore store(reg::kHotkeysKey, Block(), ReaderFrom(CallGetHotkey));
        const StoreResult r = store.StoreHotkey(-1, key, modifier, function, description, parameter);
        EXPECT_GT(r.id, 0) << r.error;
        return r.id;
    }
    static HotkeyDetails Read(int id) { return ReaderFrom(CallGetHotkey)(id); }
    static std::vector<int> StoredIds() {
        const HotkeyStore store(reg::kHotkeysKey, nullptr, ReaderFrom(CallGetHotkey));
        std::vector<int> ids;
        for (const std::string& line : store.ListHotkeys()) ids.push_back(NumberField(line, 1));
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    static bool TableHas(int id, int key, int modifier) {
        for (const HotkeyEntry& row : b().Hotkeys)
            if (row.ID == id && row.Key == key && row.Modifier == modifier) return true;
        return false;
    }
};

}  // namespace kl::testing
