// The Options, Defaults and MouseKeys pages of the running program: every control is
// a live view of its block field, and the registry follows within seconds, at the end
// of the session and at exit.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <optional>

#include "system/system_options.h"
#include "options_fixture.h"
#include "text255.h"
#include "window/option_ids.h"

using namespace kl;
using namespace kl::testing;

namespace {

struct Box {
    int id;
    std::int32_t SettingsBlock::*field;
    bool inverted;
};

const Box kBoxes[] = {
    {ids::cbLoadDuringStartup, &SettingsBlock::LoadDuringStartup, false},
    {ids::cbDesktopShortcut, &SettingsBlock::DesktopShortcut, false},
    {ids::cbConfirmHotkeys, &SettingsBlock::ConfirmHotkeys, false},
    {ids::cbOnlineHelp, &SettingsBlock::OnlineHelp, false},
    {ids::cbSysTrayIcon, &SettingsBlock::NoSysTray, true},
    {ids::cbWinKeysTrap, &SettingsBlock::WinKeysTrap, false},
    {ids::cbCaptureMenuDblClicks, &SettingsBlock::CaptureMenuDblClicks, false},
    {ids::cbBookmarksEnabled, &SettingsBlock::BookmarksEnabled, false},
    {ids::cbWinDefaultsEnabled, &SettingsBlock::WinDefaultsEnabled, false},
    {ids::cbWinM, &SettingsBlock::WinM, false},
    {ids::cbWinD, &SettingsBlock::WinD, false},
    {ids::cbWinE, &SettingsBlock::WinE, false},
    {ids::cbWinF, &SettingsBlock::WinF, false},
    {ids::cbWinR, &SettingsBlock::WinR, false},
    {ids::cbWinU, &SettingsBlock::WinU, false},
    {ids::cbWinV, &SettingsBlock::WinV, false},
    {ids::cbWinKeyEnabled, &SettingsBlock::WinKeyEnabled, false},
    {ids::cbLWinKeyEnabled, &SettingsBlock::LWinKeyEnabled, false},
    {ids::cbRWinKeyEnabled, &SettingsBlock::RWinKeyEnabled, false},
    {ids::cbMKEnabled, &SettingsBlock::MouseKeysEnabled, false},
    {ids::cbMKNumlockON, &SettingsBlock::MKNumlockON, false},
    {ids::cbMKBorderKeys, &SettingsBlock::MKBorderKeys, false},
    {ids::cbMKNumpad, &SettingsBlock::MKNumpad, false},
    {ids::cbMKCursorKeys, &SettingsBlock::MKCursorKeys, false},
    {ids::cbMKInc, &SettingsBlock::MKInc, false},
};

// The Run value and the desktop shortcut are the user's: what stood there comes back.
class OptionPages : public OptionsTest {
protected:
    void SetUp() override { run_ = GetText(kRunKey, kRunValueName); }
    void TearDown() override {
        OptionsTest::TearDown();
        if (run_)
            SetString(kRunKey, kRunValueName, *run_);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kRunValueName);
        DeleteFileA((DesktopFolder() + kShortcutFileName).c_str());
    }
    std::optional<std::string> run_;
};

TEST_F(OptionPages, EveryControlChangesItsFieldAtOnceAndSurvivesARestart) {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kRunValueName);
    Options(false);  // advanced mode: every control is usable
    Start();
    bool expected[std::size(kBoxes)] = {};
    for (std::size_t i = 0; i < std::size(kBoxes); ++i) {
        const Box& box = kBoxes[i];
        const bool was = (b().*box.field != 0) != box.inverted;
        EXPECT_EQ(Checked(box.id), was) << box.id;
        Click(box.id);
        expected[i] = !was;
        EXPECT_EQ((b().*box.field != 0) != box.inverted, !was) << box.id;
    }
    EXPECT_TRUE(GetText(kRunKey, kRunValueName).has_value());
    EXPECT_NE(GetFileAttributesA((DesktopFolder() + kShortcutFileName).c_str()), INVALID_FILE_ATTRIBUTES);
    // A master box sets the boxes it rules.
    Click(ids::cbWinDefaultsEnabled);
    expected[8] = !expected[8];
    for (std::size_t i = 9; i <= 15; ++i) {
        expected[i] = expected[8];
        EXPECT_EQ(b().*kBoxes[i].field != 0, expected[8]) << i;
    }

    // Track bars move from the keyboard; the speed step is typed.
    HWND speed = Control(ids::tbMKSpeed);
    SendMessageA(speed, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(b().MKSpeed, 5);
    EXPECT_EQ(WindowText(Control(ids::lblMouseSpeed)), "Mouse speed (5)");
    SendMessageA(Control(ids::ebMKSpeedMod), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    EXPECT_EQ(b().MKSpeedMod, 4);
    EXPECT_EQ(Text255View(b().StatusText), "Failed to save certain settings.");
    SendMessageA(Control(ids::ebMKSpeedMod), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("7"));
    EXPECT_EQ(b().MKSpeedMod, 7);
    // English and German are shipped: the language box offers both.
    EXPECT_NE(GetWindowLongA(Control(ids::cbLanguage), GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(SendMessageA(Control(ids::cbLanguage), CB_GETCOUNT, 0, 0), 2);

    ASSERT_TRUE(app_->Close());
    EXPECT_EQ(GetText(BaseKey(), "MKSpeedMod").value_or(""), "7");
    Start();
    for (std::size_t i = 0; i < std::size(kBoxes); ++i) {
        EXPECT_EQ(Checked(kBoxes[i].id), expected[i]) << kBoxes[i].id;
        EXPECT_EQ((b().*kBoxes[i].field != 0) != kBoxes[i].inverted, expected[i]) << kBoxes[i].id;
    }
    EXPECT_EQ(SendMessageA(Control(ids::tbMKSpeed), TBM_GETPOS, 0, 0), 5);
    EXPECT_EQ(WindowText(Control(ids::ebMKSpeedMod)), "7");
    // Unchecking removes what checking made.
    Click(ids::cbLoadDuringStartup);
    Click(ids::cbDesktopShortcut);
    EXPECT_FALSE(GetText(kRunKey, kRunValueName).has_value());
    EXPECT_EQ(GetFileAttributesA((DesktopFolder() + kShortcutFileName).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(OptionPages, SimpleModeSwitchesBetweenRegistrationsAndHooksWhileRunning) {
    Options(false);
    Store('K', kCtrl | kShift, kToggleWindowsKey);
    Start();
    ASSERT_NE(b().HooksInstalled, 0);
    Click(ids::cbSimpleMode);
    EXPECT_EQ(b().SimpleMode, kTrue);
    EXPECT_EQ(b().HooksInstalled, 0);
    EXPECT_EQ(b().KeyloomEnabled, kTrue);
    EXPECT_EQ(GetText(std::string(kKeyloomKey) + "\\Temp", "MaxKeyID").value_or(""), "1");
    EXPECT_FALSE(IsWindowEnabled(Control(ids::cbWinKeysTrap)));
    EXPECT_FALSE(IsWindowEnabled(Control(ids::tbMKSpeed)));
    EXPECT_TRUE(IsWindowEnabled(Control(ids::cbConfirmHotkeys)));

    Click(ids::cbSimpleMode);
    EXPECT_EQ(b().SimpleMode, 0);
    EXPECT_NE(b().HooksInstalled, 0);
    EXPECT_EQ(GetText(std::string(kKeyloomKey) + "\\Temp", "MaxKeyID").value_or(""), "0");
    EXPECT_TRUE(IsWindowEnabled(Control(ids::cbWinKeysTrap)));
}

// A function or the hook changes fields while the pages still show the old values.
TEST_F(OptionPages, AClickStoresOnlyItsOwnControl) {
    Options(true);
    Start();
    b().WinKeyEnabled = kFalse;  // function 178, say
    b().MKSpeed = 60;            // the keypad's speed keys go beyond the track bar
    Click(ids::cbOnlineHelp);
    EXPECT_NE(b().OnlineHelp, 0);
    EXPECT_EQ(b().WinKeyEnabled, kFalse);
    EXPECT_EQ(b().MKSpeed, 60);
}

TEST_F(OptionPages, TheEndOfTheSessionSavesTheOptions) {
    Options(true);
    Start();
    b().ConfirmHotkeys = kTrue;  // changed by a function, say
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutA(main_, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &answer), 0);
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    EXPECT_EQ(GetText(BaseKey(), "ConfirmHotkeys").value_or(""), "1");
    b().WinV = kFalse;
    SendToMain(WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(GetText(BaseKey(), "WinV").value_or(""), "0");
    // and the program ends as by Exit, without waiting to be ended
    EXPECT_TRUE(app_->WaitForExit(5000));
    EXPECT_EQ(app_->ExitCode(), 0u);
    EXPECT_FALSE(GetText(BaseKey() + "Temp", "MaxKeyID").has_value());
}

TEST_F(OptionPages, AKilledProgramLosesAtMostTheLastSecondsOfChanges) {
    Options(true);
    Start();
    const DWORD start = GetTickCount();
    Click(ids::cbOnlineHelp);
    ASSERT_TRUE(PollUntil([&] { return GetText(BaseKey(), "OnlineHelp").value_or("") == "1"; }, 15000));
    std::printf("[ figures  ] option change to registry: %lu ms\n", static_cast<unsigned long>(GetTickCount() - start));
    TerminateProcess(app_->handle(), 1);
    ASSERT_TRUE(app_->WaitForExit());
    EXPECT_EQ(GetText(BaseKey(), "OnlineHelp").value_or(""), "1");
}

}  // namespace
