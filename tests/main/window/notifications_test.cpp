// Messages to a running keyloom.exe: notification codes and the page keys.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "text255.h"

using namespace kl;
using namespace kl::testing;

namespace {

int ActivePage(HWND main) {
    HWND tabs = FindWindowExA(main, nullptr, WC_TABCONTROLA, nullptr);
    return tabs ? static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)) : -2;
}

class RunningKeyloom : public ::testing::Test {
protected:
    CleanRegistry clean_;
    SettingsMap map_;
    std::optional<KeyloomProcess> app_;
    HWND main_ = nullptr;
    UINT notify_ = 0;

    void SetUp() override {
        // Without a window manager every change of the tray costs Wine seconds.
        SetString("Software\\Corvane\\Keyloom\\", "NoSysTray", "1");
        app_.emplace();
        main_ = app_->WaitForWindow();
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(PollUntil([&] { return map_->KeyloomEnabled == -1; }));
        notify_ = map_->NotifyMessage;
    }
    void Notify(WPARAM wp, LPARAM code) { SendMessageA(main_, notify_, wp, code); }
};

}  // namespace

TEST_F(RunningKeyloom, DigitKeysOpenPagesWithoutModifiersOnly) {
    PostMessageA(main_, WM_KEYDOWN, '3', 0);
    EXPECT_TRUE(PollUntil([&] { return ActivePage(main_) == 2; }, 5000));
    PostMessageA(main_, WM_KEYDOWN, '5', 0);
    EXPECT_TRUE(PollUntil([&] { return ActivePage(main_) == 4; }, 5000));
    PostMessageA(main_, WM_KEYDOWN, '6', 0);
    PostMessageA(main_, WM_KEYDOWN, '1', 0);
    EXPECT_TRUE(PollUntil([&] { return ActivePage(main_) == 0; }, 5000));
}

// Switching pages refreshes the status bar, which lets waiting messages through:
// a digit typed meanwhile must still switch the page, not be lost.
TEST_F(RunningKeyloom, DigitKeysTypedInQuickSuccessionAreAllSeen) {
    PostMessageA(main_, WM_KEYDOWN, '3', 0);
    PostMessageA(main_, WM_KEYDOWN, '5', 0);
    EXPECT_TRUE(PollUntil([&] { return ActivePage(main_) == 4; }, 5000)) << ActivePage(main_);
    PostMessageA(main_, WM_KEYDOWN, '2', 0);
    PostMessageA(main_, WM_KEYDOWN, '4', 0);
    PostMessageA(main_, WM_KEYDOWN, '1', 0);
    EXPECT_TRUE(PollUntil([&] { return ActivePage(main_) == 0; }, 5000)) << ActivePage(main_);
}

TEST_F(RunningKeyloom, TimerPlaybackToggleFollowsJournalMode) {
    Notify(0, -8);
    EXPECT_EQ(map_->JournalMode, 4);
    Notify(0, -8);
    EXPECT_EQ(map_->JournalMode, 0);
    Notify(0, -8);
    Notify(static_cast<WPARAM>(-1), -7);  // stop
    EXPECT_EQ(map_->JournalMode, 0);
}

TEST_F(RunningKeyloom, TrayDoubleClickShowsAndHideHides) {
    Notify(0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_EQ(ActivePage(main_), 0);
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);  // btnHide, also Escape
    EXPECT_FALSE(IsWindowVisible(main_));
}

TEST_F(RunningKeyloom, IconCodesWithoutTrayAndUnknownCodesChangeNothing) {
    Notify(0x1234, -2);
    Notify(0, -12);
    Notify(0, 12345);
    Notify(map_->IconRecording, -2);
    EXPECT_TRUE(IsWindow(main_));
    EXPECT_EQ(map_->KeyloomEnabled, -1);
}

namespace {

// The modal box or question the main window opened with this caption, or null.
HWND WaitForDialog(const char* caption) {
    HWND box = nullptr;
    PollUntil([&] { return (box = FindWindowA("#32770", caption)) != nullptr; }, 10000);
    return box;
}

std::string ItemText(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

}  // namespace

TEST_F(RunningKeyloom, RepeatQuestionStoresTheCountAboveHundredAsFiveHundred) {
    PostMessageA(main_, notify_, 0, -4);
    HWND question = WaitForDialog("Repeat macro");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(ItemText(question, 100), "How many times should the macro be played?");
    EXPECT_EQ(ItemText(question, 101), "1");
    SetDlgItemTextA(question, 101, " 101 ");
    PostMessageA(question, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PollUntil([&] { return map_->MacroRepeat == 500; }, 5000));
    EXPECT_EQ(Text255View(map_->StatusText), "Repeating macro 500 times");
}

TEST_F(RunningKeyloom, RepeatQuestionWithZeroPlaysNothing) {
    map_->MacroRepeat = 3;
    PostMessageA(main_, notify_, 0, -4);
    HWND question = WaitForDialog("Repeat macro");
    ASSERT_NE(question, nullptr);
    SetDlgItemTextA(question, 101, "0");
    PostMessageA(question, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(question); }, 5000));
    SendMessageA(main_, WM_NULL, 0, 0);  // the main window has finished with the answer
    EXPECT_EQ(map_->MacroRepeat, 3);
}

TEST_F(RunningKeyloom, StopwatchReadingWhenNotStarted) {
    PostMessageA(main_, notify_, 0, -3);
    HWND box = WaitForDialog("Stopwatch");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ItemText(box, 0xFFFF), "The stopwatch has not been started.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PollUntil([&] { return !IsWindow(box); }, 5000));
}

TEST_F(RunningKeyloom, RunPromptCancelledKeepsTheLastFolder) {
    SetText255(map_->LastGotoDir, "C:\\windows");
    PostMessageA(main_, notify_, 0, -5);
    HWND question = WaitForDialog("Run");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(ItemText(question, 101), "C:\\windows");
    PostMessageA(question, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(question); }, 5000));
    SendMessageA(main_, WM_NULL, 0, 0);
    EXPECT_EQ(Text255View(map_->LastGotoDir), "C:\\windows");
}
