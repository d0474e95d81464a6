// The keyboard hook's decisions, fed with keyboard messages and a block.
#include "kbd_decision.h"

#include "getmsg_decision.h"

#include "hook_block.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr SHORT kDown = static_cast<SHORT>(0x8000);

class KbdHook : public HookBlockTest {
protected:
    bool Press(int vk, int scan = 0) { return Send(vk, scan, false); }
    bool Release(int vk, int scan = 0) { return Send(vk, scan, true); }
    // As on a real keyboard, the system's key state follows Shift, Ctrl and Alt.
    bool Send(int vk, int scan, bool release) {
        if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) World().async[vk] = release ? 0 : kDown;
        const DWORD flags = release ? 0xC0000001u : 0x00000001u;
        return hook::DecideKeyboard(b, FakePlatform(), static_cast<WPARAM>(vk),
                                    static_cast<LPARAM>(flags | (static_cast<DWORD>(scan) << 16)));
    }
    void HoldLeftWindowsKey() { World().async[VK_LWIN] = kDown; }
};

TEST_F(KbdHook, HotkeyIsDiscardedOnPressAndFiresOnRelease) {
    AddHotkey(7, 'K', kModCtrl | kModAlt);
    EXPECT_FALSE(Press(VK_CONTROL));
    EXPECT_FALSE(Press(VK_MENU));
    EXPECT_EQ(b.CtrlDown, 1);
    EXPECT_EQ(b.AltDown, 1);

    EXPECT_TRUE(Press('K'));
    EXPECT_TRUE(Posts().empty());
    EXPECT_EQ(b.SuppressStartMenu, 0);

    EXPECT_TRUE(Release('K'));
    EXPECT_EQ(Posts(), std::vector<Posted>{ToMain(7, -11)});
    EXPECT_EQ(b.SuppressStartMenu, 1);

    // Other modifier sets leave K alone.
    EXPECT_FALSE(Release(VK_MENU));
    EXPECT_EQ(b.AltDown, 0);
    EXPECT_FALSE(Press('K'));
    EXPECT_FALSE(Release('K'));
    EXPECT_EQ(Posts().size(), 1u);
}

TEST_F(KbdHook, SuspendedHotkeysAreDiscardedWithoutFiringAndSimpleModeIgnoresTheTable) {
    AddHotkey(7, 'K', 0);
    b.HotkeysSuspended = kTrue;
    EXPECT_TRUE(Press('K'));
    EXPECT_TRUE(Release('K'));
    EXPECT_TRUE(Posts().empty());

    b.HotkeysSuspended = 0;
    b.SimpleMode = kTrue;
    EXPECT_FALSE(Press('K'));
    EXPECT_FALSE(Release('K'));
    EXPECT_TRUE(Posts().empty());
}

TEST_F(KbdHook, RowsAreMatchedByKeyCountFlagAndEndMarker) {
    AddHotkey(1, 'K', kModShift);        // other modifiers
    AddHotkey(2, 'J', 0, 1);             // flagged rows never fire
    AddHotkey(3, 'K', 0);
    b.HotkeyCountPerKey['K'] = 1;        // the walk ends after the first K row
    EXPECT_FALSE(Release('K'));
    b.HotkeyCountPerKey['K'] = 2;
    EXPECT_TRUE(Release('K'));
    EXPECT_FALSE(Release('J'));
    EXPECT_EQ(Posts(), std::vector<Posted>{ToMain(3, -11)});

    b.Hotkeys[0].ID = 0;                 // the first empty row ends the table
    EXPECT_FALSE(Release('K'));
}

TEST_F(KbdHook, FullTableIsScannedToItsLastRowAndNoFurther) {
    for (int i = 0; i < kHotkeyRows - 1; ++i) AddHotkey(100 + i, 'A', 0);
    AddHotkey(999, 'Q', 0);
    EXPECT_TRUE(Release('Q'));
    EXPECT_EQ(Posts(), std::vector<Posted>{ToMain(999, -11)});
}

TEST_F(KbdHook, KeyWithoutVirtualKeyCodeMatchesByScanCode) {
    AddHotkey(5, 256 + 0x6C, 0);
    EXPECT_TRUE(Press(255, 0x6C));
    EXPECT_TRUE(Release(255, 0x6C));
    EXPECT_FALSE(Release(255, 0x6D));
    EXPECT_EQ(Posts(), std::vector<Posted>{ToMain(5, -11)});
}

TEST_F(KbdHook, DisabledKeyloomPassesKeysButKeepsModifiers) {
    AddHotkey(7, 'K', 0);
    b.KeyloomEnabled = 0;
    EXPECT_FALSE(Press(VK_SHIFT));
    EXPECT_EQ(b.ShiftDown, 1);
    EXPECT_FALSE(Release('K'));
    EXPECT_FALSE(Press(VK_ESCAPE));  // no journal: Escape is an ordinary key
    EXPECT_TRUE(Posts().empty());
}

TEST_F(KbdHook, EscapeAbortsARunningJournalEvenWhenDisabled) {
    b.KeyloomEnabled = 0;  // as while a macro plays
    b.HotkeysSuspended = kTrue;
    b.JournalMode = 2;
    b.JournalHook = 0x5151;
    b.MacroPosition = 3;
    b.MacroRepeat = 4;
    b.IconDefault = 0x77;
    b.MacroLength = 4;
    b.MacroEvents[2].Delay = (1u << 31) | (1u << 30) | 500;  // its timer period taken

    EXPECT_TRUE(Press(VK_ESCAPE));
    EXPECT_EQ(World().unhooked, std::vector<HHOOK>{reinterpret_cast<HHOOK>(0x5151)});
    EXPECT_EQ(b.JournalHook, 0u);
    EXPECT_EQ(b.JournalMode, 0);
    EXPECT_EQ(b.MacroPosition, 0);
    EXPECT_EQ(b.KeyloomEnabled, 1);
    EXPECT_EQ(b.HotkeysSuspended, 0);
    EXPECT_EQ(b.MacroRepeat, 1);
    EXPECT_EQ(b.MacroEvents[2].Delay, (1u << 30) | 500);  // the macro keeps its marker
    const std::vector<Posted> expected{ToMain(0x77, -2), Broadcast(0x77, -2), ToMain(WPARAM(-1), -7),
                                       Broadcast(WPARAM(-1), -7)};
    EXPECT_EQ(Posts(), expected);

    // Playback by the main program's timer has no hook to remove.
    b.JournalMode = 4;
    b.MacroPosition = 5000;  // out of range: no event is touched
    EXPECT_TRUE(Press(VK_ESCAPE));
    EXPECT_EQ(World().unhooked.size(), 1u);
    EXPECT_EQ(b.JournalMode, 0);
}

TEST_F(KbdHook, BothWindowsKeysCallTheMainWindowOrAbortTheJournal) {
    b.WinKeysTrap = kTrue;
    World().async[VK_LWIN] = World().async[VK_RWIN] = kDown;
    EXPECT_TRUE(Press(VK_RWIN));
    EXPECT_EQ(b.LWinDown, 1);
    EXPECT_EQ(b.RWinDown, 1);
    EXPECT_EQ(Posts(), std::vector<Posted>{ToMain(0, -9)});
    EXPECT_EQ(b.SuppressStartMenu, 1);
    EXPECT_EQ(b.WinComboUsed, 1);

    Posts().clear();
    b.JournalMode = 1;
    EXPECT_TRUE(Press('A'));
    EXPECT_EQ(b.JournalMode, 0);
    ASSERT_EQ(Posts().size(), 4u);
    EXPECT_EQ(Posts()[3], Broadcast(WPARAM(-1), -7));
}

TEST_F(KbdHook, WindowsDigitSwitchesToBookmarkAndShiftStoresIt) {
    b.BookmarksEnabled = kTrue;
    HoldLeftWindowsKey();
    const HWND target = FakeHandle(0x4242);
    World().windows[target] = {};
    b.Bookmarks[5] = 0x4242;

    EXPECT_TRUE(Press('5'));
    EXPECT_EQ(World().foreground, nullptr);
    EXPECT_TRUE(Release('5'));
    EXPECT_EQ(World().topped, target);
    EXPECT_EQ(World().foreground, target);
    EXPECT_EQ(b.SuppressStartMenu, 1);

    World().foreground = FakeHandle(0x777);
    Press(VK_SHIFT);
    EXPECT_TRUE(Release('3'));
    EXPECT_EQ(b.Bookmarks[3], 0x777u);

    // A bookmark whose window has gone is consumed and goes nowhere.
    Release(VK_SHIFT);
    World().foreground = nullptr;
    b.Bookmarks[1] = 0x9999;
    EXPECT_TRUE(Release('1'));
    EXPECT_EQ(World().foreground, nullptr);

    b.BookmarksEnabled = 0;
    EXPECT_FALSE(Press('5'));
}

TEST_F(KbdHook, SystemShortcutsFollowTheirOptions) {
    HoldLeftWindowsKey();
    b.WinE = kTrue;
    EXPECT_FALSE(Press('E'));
    b.HotkeysSuspended = kTrue;  // the editor is capturing a key
    EXPECT_TRUE(Press('E'));
    b.HotkeysSuspended = 0;
    b.WinE = 0;
    EXPECT_TRUE(Press('E'));
    EXPECT_EQ(b.SuppressStartMenu, 0);
    EXPECT_TRUE(Release('E'));
    EXPECT_EQ(b.SuppressStartMenu, 1);
    EXPECT_FALSE(Press('G'));  // not one of the system's shortcuts

    World().async[VK_LWIN] = 0;
    EXPECT_FALSE(Press('E'));  // without a Windows key nothing is blocked
}

TEST_F(KbdHook, WindowsKeyReleaseAfterACombinationIsSwallowedOnce) {
    HoldLeftWindowsKey();
    b.LWinKeyEnabled = kTrue;
    b.SuppressStartMenu = 1;
    EXPECT_TRUE(Release(VK_LWIN));
    EXPECT_EQ(b.SuppressStartMenu, 0);
    EXPECT_EQ(b.WinComboUsed, 1);
    EXPECT_FALSE(Press(VK_LWIN));
    EXPECT_EQ(b.WinComboUsed, 0);

    b.LWinKeyEnabled = 0;  // the key alone is switched off
    EXPECT_TRUE(Press(VK_LWIN));
    EXPECT_EQ(b.WinComboUsed, 1);
}

TEST_F(KbdHook, WindowsNumLockTogglesMouseKeysOnRelease) {
    HoldLeftWindowsKey();
    EXPECT_FALSE(Press(VK_NUMLOCK));
    b.MouseKeysEnabled = kTrue;
    EXPECT_TRUE(Press(VK_NUMLOCK));
    EXPECT_TRUE(Posts().empty());
    EXPECT_TRUE(Release(VK_NUMLOCK));
    EXPECT_EQ(Posts(), std::vector<Posted>{ToMain(75, -10)});
    EXPECT_EQ(b.SuppressStartMenu, 1);
}

// Releases on the secure desktop (Ctrl+Alt+Del, the lock screen, an elevation
// prompt) or in an elevated window never reach the hook.
TEST_F(KbdHook, ModifiersReleasedOutOfSightNoLongerCount) {
    AddHotkey(7, 'T', kModCtrl | kModAlt);
    Press(VK_CONTROL);
    Press(VK_MENU);
    World().async[VK_CONTROL] = World().async[VK_MENU] = 0;
    EXPECT_FALSE(Press('T'));
    EXPECT_FALSE(Release('T'));
    EXPECT_TRUE(Posts().empty());
    EXPECT_EQ(b.CtrlDown, 0);
    EXPECT_EQ(b.AltDown, 0);

    // A stale Shift no longer turns Windows+digit into storing a bookmark.
    b.BookmarksEnabled = kTrue;
    HoldLeftWindowsKey();
    Press(VK_SHIFT);
    World().async[VK_SHIFT] = 0;
    World().foreground = FakeHandle(0x777);
    EXPECT_TRUE(Release('3'));
    EXPECT_EQ(b.ShiftDown, 0);
    EXPECT_EQ(b.Bookmarks[3], 0u);
}

// A key remapped to Alt sets AltDown and Alt in the thread's key state, not in
// the system's: it still makes an Alt hotkey of the next key.
TEST_F(KbdHook, KeyRemappedToAltStillCounts) {
    AddHotkey(7, 'T', kModAlt);
    b.RemapKeys = kTrue;
    b.KeyRemap.Count = 1;
    b.KeyRemap.Entries[0] = KeyRemapEntry{0x3A, VK_CAPITAL, 0x38, VK_MENU, 0};
    EXPECT_FALSE(Press(VK_CAPITAL));
    MSG m{nullptr, WM_KEYDOWN, VK_CAPITAL, (0x3A << 16) | 1, 0, {}};
    hook::DecideGetMessage(b, FakePlatform(), m);
    ASSERT_EQ(b.AltDown, 1);
    EXPECT_TRUE(Press('T'));
    EXPECT_TRUE(Release('T'));
    EXPECT_EQ(Posts(), std::vector<Posted>{ToMain(7, -11)});
}

TEST_F(KbdHook, OnlyARegisteredNotificationMessageIsPosted) {
    AddHotkey(7, 'K', 0);
    b.NotifyMessage = WM_CLOSE;  // a damaged block
    EXPECT_TRUE(Release('K'));
    b.NotifyMessage = kNotify;
    b.MainWindow = 0;            // the main window has not stored itself yet
    EXPECT_TRUE(Release('K'));
    EXPECT_TRUE(Posts().empty());
    EXPECT_FALSE(hook::DecideKeyboard(b, FakePlatform(), 0x10000, 0));  // no key in the low word
}

}  // namespace
