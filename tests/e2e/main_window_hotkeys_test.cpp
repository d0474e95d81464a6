// What the main window does with a hotkey that reaches it: the notification
// code -11 and WM_HOTKEY lead to the stored definition and its function; the
// recently used list runs it again. Messages are sent, so each has been
// handled when the call returns.
#include "e2e/e2e_fixture.h"
#include "window/control_ids.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr LPARAM kExecuteHotkey = -11;
constexpr LPARAM kExecuteFunction = -10;
constexpr int kStarted = 265;  // CurrentStatus as the dispatcher starts a function

class MainWindowHotkeys : public EndToEnd {
protected:
    void SetUp() override {
        Options(true);
        id_ = Store('J', kCtrl | kAlt, kToggleWindowsKey);
        wide_ = Store(364, kCtrl, kToggleWindowsKey);  // a key without a virtual-key code of its own
        Start();
    }

    // Clears the marks a run leaves, so the next check sees only what follows.
    void Reset() {
        b().CurrentStatus = 0;
        b().SuppressStartMenu = 0;
    }
    bool Ran() { return b().CurrentStatus == kStarted; }
    static LPARAM HotkeyLParam(int modifier, int key) { return MAKELPARAM(modifier, key); }

    int id_ = 0;
    int wide_ = 0;
};

}  // namespace

TEST_F(MainWindowHotkeys, NotificationRunsTheStoredHotkey) {
    const auto before = b().WinKeyEnabled;
    Reset();
    b().HotkeysSuspended = 0;
    Notify(static_cast<WPARAM>(id_), kExecuteHotkey);
    EXPECT_TRUE(Ran());
    EXPECT_NE(b().WinKeyEnabled, before);
    EXPECT_EQ(b().LastHotkey, id_);
    EXPECT_EQ(b().SuppressStartMenu, -1);
    EXPECT_EQ(b().HotkeysSuspended, 0);

    // The recently used list now holds it: its item runs it again.
    Reset();
    b().LastHotkey = 0;
    SendToMain(WM_COMMAND, ids::mnCustomFirst, 0);
    EXPECT_TRUE(Ran());
    EXPECT_EQ(b().WinKeyEnabled, before);
    EXPECT_EQ(b().LastHotkey, id_);

    // Code -10 runs a function by ID without a hotkey.
    Reset();
    Notify(kToggleWindowsKey, kExecuteFunction);
    EXPECT_TRUE(Ran());
    EXPECT_NE(b().WinKeyEnabled, before);
}

TEST_F(MainWindowHotkeys, RefusedWhileSuspendedAndSilentForUnknownHotkeys) {
    const auto before = b().WinKeyEnabled;
    Reset();
    b().LastHotkey = 0;
    b().HotkeysSuspended = -1;
    Notify(static_cast<WPARAM>(id_), kExecuteHotkey);
    SendToMain(WM_HOTKEY, 1, HotkeyLParam(kCtrl | kAlt, 'J'));
    EXPECT_FALSE(Ran());
    EXPECT_EQ(b().LastHotkey, 0);
    EXPECT_EQ(b().WinKeyEnabled, before);
    b().HotkeysSuspended = 0;

    // An ID without a definition runs nothing, yet becomes the last hotkey.
    Notify(9999, kExecuteHotkey);
    EXPECT_FALSE(Ran());
    EXPECT_EQ(b().LastHotkey, 9999);
    EXPECT_EQ(b().SuppressStartMenu, 0);

    // ID 0 is no hotkey at all.
    Notify(0, kExecuteHotkey);
    EXPECT_EQ(b().LastHotkey, 9999);

    // A command of the recently used list that no item carries does nothing.
    SendToMain(WM_COMMAND, ids::mnCustomFirst + 5, 0);
    EXPECT_FALSE(Ran());
}

TEST_F(MainWindowHotkeys, WindowHotkeyIsLookedUpByKeyAndModifiers) {
    const auto before = b().WinKeyEnabled;
    Reset();
    SendToMain(WM_HOTKEY, 1, HotkeyLParam(kCtrl | kAlt, 'J'));
    EXPECT_TRUE(Ran());
    EXPECT_EQ(b().LastHotkey, id_);
    EXPECT_NE(b().WinKeyEnabled, before);

    // Key code 255: the registration's identifier names the key.
    Reset();
    SendToMain(WM_HOTKEY, 364, HotkeyLParam(kCtrl, 255));
    EXPECT_TRUE(Ran());
    EXPECT_EQ(b().LastHotkey, wide_);

    // A combination registered only to keep it from the system ends here.
    Reset();
    SendToMain(WM_HOTKEY, 2, HotkeyLParam(kWin, 'E'));
    EXPECT_FALSE(Ran());

    // Nothing runs while hotkeys are switched off.
    b().KeyloomEnabled = 0;
    SendToMain(WM_HOTKEY, 1, HotkeyLParam(kCtrl | kAlt, 'J'));
    b().KeyloomEnabled = -1;
    EXPECT_FALSE(Ran());
}
