// The tray menu's commands reach their handlers in the running program, and help opens
// the manual's page for what is in front (through a viewer of the test's own: no
// browser starts).
#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <string>

#include "ui/help_pages.h"
#include "model/language.h"
#include "model/profiles.h"
#include "dialogs/about_dialog.h"
#include "viewer_fixture.h"
#include "testing/files.h"
#include "testing/message_box_answerer.h"
#include "testing/support_library.h"
#include "testing/temp_dir.h"
#include "text255.h"
#include "window/control_ids.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr int kToggleWinKey = 178;

class TrayAndHelp : public ViewerEndToEnd {
protected:
    TrayAndHelp() : ViewerEndToEnd(kHelpViewerVariable) {}

    // The last address the viewer was started with ("" before the first).
    std::string Opened() const { return LastViewed(); }
    bool OpensPage(const std::string& address) {
        return PollUntil([&] { return Opened() == address; }, 8000);
    }
    static std::string TextOf(HWND w) {
        char text[512] = {};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &ignored);
        return text;
    }
    void OpenWindow() {
        Notify(0, -9);
        ASSERT_TRUE(PollUntil([&] { return IsWindowVisible(main_) != FALSE; }));
        SetForegroundWindow(main_);
        ASSERT_TRUE(PollUntil([&] { return GetForegroundWindow() == main_; }, 3000));
    }
};

}  // namespace

TEST_F(TrayAndHelp, TheStopwatchItemsDriveTheStopwatch) {
    Start();
    Command(ids::mnTimerStart);
    ASSERT_TRUE(PollUntil([&] { return b().StopwatchStartTicks != 0; }, 3000));
    Command(ids::mnTimerPause);
    ASSERT_TRUE(PollUntil([&] { return b().StopwatchPauseTicks != 0; }, 3000));
    const auto startBefore = b().StopwatchStartTicks;
    Sleep(50);
    Command(ids::mnTimerResume);
    ASSERT_TRUE(PollUntil([&] { return b().StopwatchPauseTicks == 0; }, 3000));
    EXPECT_GE(b().StopwatchStartTicks - startBefore, 40u) << "the pause is not taken off the time";
    Command(ids::mnTimerStop);
    ASSERT_TRUE(PollUntil([&] { return b().StopwatchStopTicks != 0; }, 3000));
    {
        MessageBoxAnswerer reading(english_.Text(33), {IDOK});
        Command(ids::mnTimerStatus);
        ASSERT_TRUE(PollUntil([&] { return !reading.Texts().empty(); }, 5000));
    }
    Command(ids::mnTimerClear);
    EXPECT_TRUE(PollUntil([&] { return b().StopwatchStartTicks == 0 && b().StopwatchStopTicks == 0; }, 3000));
}

TEST_F(TrayAndHelp, FunctionsProfilesAndMacrosOfTheTrayMenuReachTheirHandlers) {
    ASSERT_TRUE(AddProfile("Travel", BinDir()));
    Start();
    // The menu opens on a right click of the icon (its submenus built then) and closes
    // with Escape.
    SetForegroundWindow(main_);
    PostMessageA(main_, b().NotifyMessage, 0, WM_RBUTTONDOWN);  // a box of its own: not waited for
    HWND menu = nullptr;
    ASSERT_TRUE(PollUntil([&] { return (menu = FindWindowA("#32768", nullptr)) && IsWindowVisible(menu); }, 5000));
    PressCombination(VK_ESCAPE, 0);
    PressCombination(VK_ESCAPE, 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindowVisible(menu); }, 5000));

    const auto winKey = b().WinKeyEnabled;
    Command(ids::mnFunctionFirst + kToggleWinKey);
    EXPECT_TRUE(PollUntil([&] { return (b().WinKeyEnabled != 0) != (winKey != 0); }, 5000));

    Command(ids::mnProfileFirst + 1);  // the first stored profile
    EXPECT_TRUE(PollUntil([&] { return GetText255(b().ProfileName) == "Travel"; }, 8000));

    // Load and save ask for a file first (exchange_e2e_test.cpp); convert without a
    // recorded macro says there is nothing to type.
    MessageBoxAnswerer nothing(english_.Text(5), {IDOK});
    Command(ids::mnConvertMacro);
    ASSERT_TRUE(PollUntil([&] { return !nothing.Texts().empty(); }, 5000));
    EXPECT_EQ(nothing.Stop()[0], english_.Text(108));

    Command(ids::mnOpen);  // the default item
    EXPECT_TRUE(PollUntil([&] { return IsWindowVisible(main_) != FALSE; }, 5000));
}

TEST_F(TrayAndHelp, F1OpensThePageOfWhatIsInFront) {
    Start();
    OpenWindow();
    // Each page of the main window (keys 1 to 5 switch to it).
    for (const char page : {'1', '2', '3', '4', '5'}) {
        PressCombination(page, 0);
        PressCombination(VK_F1, 0);
        const std::string file = BinDir() + "manual\\screenshots_main_" + page + ".html";
        EXPECT_TRUE(OpensPage(file)) << Opened();
        EXPECT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << file;
    }

    // In a dialog: the hotkey editor's page.
    Command(ids::mnNewHotkey);
    DWORD pid = 0;
    GetWindowThreadProcessId(main_, &pid);
    HWND dlg = nullptr;
    ASSERT_TRUE(PollUntil([&] { return (dlg = FindProcessWindow(pid, english_.Text(164).c_str())) != nullptr; }));
    PollUntil([&] { return GetForegroundWindow() == dlg; }, 3000);
    PressCombination(VK_F1, 0);
    EXPECT_TRUE(OpensPage(BinDir() + "manual\\screenshots_hotkey.html")) << Opened();
    PressCombination(VK_ESCAPE, 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dlg); }, 5000));

    // The alias dialog and the About dialog, which shows the version and this build's
    // architecture.
    Command(ids::mnNewAlias);
    ASSERT_TRUE(PollUntil([&] { return (dlg = FindProcessWindow(pid, english_.Text(145).c_str())) != nullptr; }));
    PollUntil([&] { return GetForegroundWindow() == dlg; }, 3000);
    PressCombination(VK_F1, 0);
    EXPECT_TRUE(OpensPage(BinDir() + "manual\\screenshots_alias.html")) << Opened();
    PressCombination(VK_ESCAPE, 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dlg); }, 5000));

    Command(ids::mnAbout);
    // The box is shown once its texts are set: it may be found while they are being set.
    ASSERT_TRUE(PollUntil([&] {
        return (dlg = FindProcessWindow(pid, english_.Text(132).c_str())) != nullptr && IsWindowVisible(dlg);
    }));
    EXPECT_EQ(TextOf(GetDlgItem(dlg, about_dialog::lblVersion)), english_.Text(134));
    EXPECT_NE(TextOf(GetDlgItem(dlg, about_dialog::lblBuild)).find(sizeof(void*) == 8 ? "x64" : "x86"),
              std::string::npos);
    PollUntil([&] { return GetForegroundWindow() == dlg; }, 3000);
    PressCombination(VK_F1, 0);
    EXPECT_TRUE(OpensPage(BinDir() + "manual\\screenshots_about.html")) << Opened();
    PressCombination(VK_RETURN, 0);
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(dlg); }, 5000));

    // The Help menu's offline and online manual.
    Command(ids::mnHelpContents);
    EXPECT_TRUE(OpensPage(BinDir() + "manual\\index.html")) << Opened();
    Command(ids::mnHelpIndex);
    EXPECT_TRUE(OpensPage(std::string(kHelpWebBase) + "manual/index.html")) << Opened();
}

TEST_F(TrayAndHelp, WithOnlineHelpF1OpensTheSamePageOnTheWeb) {
    SetString(BaseKey(), reg::kOnlineHelp, "1");
    Start();
    OpenWindow();
    PressCombination('5', 0);
    PressCombination(VK_F1, 0);
    EXPECT_TRUE(OpensPage(std::string(kHelpWebBase) + "manual/screenshots_main_5.html")) << Opened();
}
