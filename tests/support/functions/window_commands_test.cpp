// Functions on the foreground window and the shell through ExecuteFunctionEx,
// against real windows: close, restore, topmost, minimise, maximise, the task
// list and screen saver commands, and the taskbar.
#include <atomic>

#include "function_fixture.h"
#include "testing/hung_window.h"
#include "testing/thread_window.h"

using namespace kl;
using namespace kl::testing;

namespace {

bool Topmost(HWND w) { return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

using WindowFunctionTest = FunctionTest;

}  // namespace

TEST_F(WindowFunctionTest, CloseSendsTheCloseMessageToTheForegroundWindow) {
    ThreadWindow window;
    ASSERT_TRUE(window.BringToFront());
    EXPECT_EQ(Run(32), 1);
    EXPECT_TRUE(window.WaitForMessage(WM_CLOSE));
}

TEST_F(WindowFunctionTest, ShowCommandsActOnTheForegroundWindow) {
    ThreadWindow window;
    HWND w = window.hwnd();
    ASSERT_TRUE(window.BringToFront());

    EXPECT_EQ(Run(36), 1);
    EXPECT_TRUE(IsZoomed(w));
    EXPECT_EQ(Run(33), 1);
    EXPECT_FALSE(IsZoomed(w));
    EXPECT_EQ(Run(37), 1);
    EXPECT_TRUE(IsZoomed(w));
    EXPECT_EQ(Run(33), 1);

    EXPECT_FALSE(Topmost(w));
    EXPECT_EQ(Run(34), 1);
    EXPECT_TRUE(Topmost(w));

    EXPECT_EQ(Run(35), 1);
    EXPECT_TRUE(IsIconic(w));
}

TEST_F(WindowFunctionTest, AnOwnedForegroundWindowPassesTheCommandToItsOwner) {
    ThreadWindow owner;
    ThreadWindow popup(ThreadWindow::Options().Title("owned").At(150, 150).Size(200, 100).OwnedBy(owner.hwnd()));
    ASSERT_TRUE(popup.BringToFront());
    EXPECT_EQ(Run(36), 1);
    EXPECT_TRUE(IsZoomed(owner.hwnd()));
    EXPECT_FALSE(IsZoomed(popup.hwnd()));
}

TEST_F(WindowFunctionTest, SystemCommandsReachTheForegroundWindowWithHotkeysOffMeanwhile) {
    std::atomic<int> enabledDuringTaskList{1};
    SettingsBlock* block = &b();
    ThreadWindow window(ThreadWindow::Options().OnMessage([&](UINT m, WPARAM wp, LPARAM) {
        if (m == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_TASKLIST) enabledDuringTaskList = block->KeyloomEnabled;
    }));
    ASSERT_TRUE(window.BringToFront());
    b().KeyloomEnabled = kTrue;

    EXPECT_EQ(Run(185), 1);
    auto commands = window.Messages(WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u) << "sent, not posted";
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(SC_TASKLIST));
    EXPECT_EQ(enabledDuringTaskList, kFalse);
    EXPECT_EQ(b().KeyloomEnabled, kTrue);

    b().KeyloomEnabled = kFalse;
    EXPECT_EQ(Run(185), 1);
    EXPECT_EQ(b().KeyloomEnabled, kFalse);

    window.ClearMessages();
    EXPECT_EQ(Run(192), 1);
    ASSERT_TRUE(window.WaitForMessage(WM_SYSCOMMAND));  // posted: nothing to wait for
    commands = window.Messages(WM_SYSCOMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(SC_SCREENSAVE));
}

TEST_F(WindowFunctionTest, SystemCommandsToAHungWindowDoNotWaitForIt) {
    HungWindow hung;
    ASSERT_TRUE(hung.window().BringToFront());
    ASSERT_TRUE(hung.Hang());
    b().KeyloomEnabled = kTrue;
    EXPECT_EQ(Run(185), 1);
    EXPECT_EQ(Run(192), 1);
    EXPECT_TRUE(hung.StillHung()) << "a function waited for the hung window";
    EXPECT_EQ(b().KeyloomEnabled, kTrue);
    hung.Release();
    // The screen saver's command, posted, is taken once the window answers again.
    EXPECT_TRUE(PollFor([&] {
        for (const RecordedMessage& m : hung.window().Messages(WM_SYSCOMMAND))
            if (m.wParam == SC_SCREENSAVE) return true;
        return false;
    }));
}

TEST_F(WindowFunctionTest, TaskbarTogglesBetweenHiddenAndShown) {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    if (!taskbar) {
        EXPECT_EQ(Run(184), 1) << "no taskbar: nothing to do";
        return;
    }
    const bool visible = IsWindowVisible(taskbar);
    EXPECT_EQ(Run(184), 1);
    EXPECT_NE(IsWindowVisible(taskbar) != 0, visible);
    EXPECT_EQ(Run(184), 1);
    EXPECT_EQ(IsWindowVisible(taskbar) != 0, visible);
}
