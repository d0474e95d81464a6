// A hotkey pressed while another program has the focus runs its function:
// through the keyboard hook, through the system's hotkey registration, and
// through the get-message hook for a mouse button.
#include "e2e_fixture.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kMinimised[] = "size 1";  // WM_SIZE with SIZE_MINIMIZED

}  // namespace

TEST_F(EndToEnd, HookModeKeyHotkeyClosesTheFocusedProgram) {
    Options(false);
    const int id = Store('K', kCtrl | kShift, kCloseForeground);
    Start();
    TargetProgram target;
    ASSERT_TRUE(target.ready());

    PressCombination('K', kCtrl | kShift);
    EXPECT_TRUE(PollUntil([&] { return target.Logged("close 0"); }, 15000)) << "the function did not run";
    EXPECT_TRUE(target.process().WaitForExit(5000));
    EXPECT_EQ(b().LastHotkey, id);
    // The hook kept the hotkey's key from the program; the modifiers went through.
    EXPECT_FALSE(target.Logged("down 75"));
    EXPECT_FALSE(target.Logged("up 75"));
    EXPECT_TRUE(target.Logged("down 17"));
}

TEST_F(EndToEnd, HookModeOtherKeysReachTheProgram) {
    Options(false);
    Store('K', kCtrl | kShift, kCloseForeground);
    Start();
    TargetProgram target;
    ASSERT_TRUE(target.ready());

    PressCombination('K', kShift);  // not the hotkey's modifiers
    EXPECT_TRUE(PollUntil([&] { return target.Logged("up 75"); }, 15000));
    EXPECT_TRUE(target.Logged("down 75"));
    EXPECT_TRUE(target.process().Running());
    EXPECT_EQ(b().LastHotkey, 0);
}

TEST_F(EndToEnd, SimpleModeRegisteredHotkeyMinimisesTheFocusedProgram) {
    Options(true);
    const int id = Store('M', kCtrl | kShift, kMinimiseForeground);
    Start();
    EXPECT_EQ(b().HooksInstalled, 0);
    TargetProgram target;
    ASSERT_TRUE(target.ready());

    PressCombination('M', kCtrl | kShift);
    EXPECT_TRUE(PollUntil([&] { return target.Logged(kMinimised); }, 15000)) << "the function did not run";
    EXPECT_TRUE(IsIconic(target.window()));
    EXPECT_EQ(b().LastHotkey, id);
}

TEST_F(EndToEnd, HookModeMouseButtonHotkeyMinimisesTheProgramUnderThePointer) {
    Options(false);
    const int id = Store(4, kCtrl, kMinimiseForeground);  // Ctrl + middle button
    Start();
    EXPECT_NE(b().MouseHotkeys, 0);
    TargetProgram target;
    ASSERT_TRUE(target.ready());

    ClickWith(4, kCtrl, target.Centre());
    EXPECT_TRUE(PollUntil([&] { return target.Logged(kMinimised); }, 15000)) << "the function did not run";
    EXPECT_EQ(b().LastHotkey, id);
    // Both halves of the click were taken from the program.
    EXPECT_FALSE(target.Logged("button-down " + std::to_string(WM_MBUTTONDOWN)));
    EXPECT_FALSE(target.Logged("button-up " + std::to_string(WM_MBUTTONUP)));
}

TEST_F(EndToEnd, WithTheDefaultOptionsAHotkeyWorksAsAUserFindsIt) {
    // Simple mode, the tray icon and the confirmation beep, as after installation.
    const int id = Store('Q', kCtrl | kAlt, kCloseForeground);
    Start();
    EXPECT_NE(b().SimpleMode, 0);
    EXPECT_NE(b().ConfirmHotkeys, 0);
    TargetProgram target;
    ASSERT_TRUE(target.ready());

    PressCombination('Q', kCtrl | kAlt);
    EXPECT_TRUE(PollUntil([&] { return target.Logged("close 0"); }, 15000)) << "the function did not run";
    EXPECT_TRUE(target.process().WaitForExit(5000));
    EXPECT_EQ(b().LastHotkey, id);
}
