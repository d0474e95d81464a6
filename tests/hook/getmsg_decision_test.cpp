// The get-message hook's decisions, fed with retrieved messages and a block.
#include "getmsg_decision.h"

#include "hook_block.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr SHORT kDown = static_cast<SHORT>(0x8000);
constexpr DWORD kReleaseFlags = 0xC0000001u;

class GetMsgHook : public HookBlockTest {
protected:
    MSG Run(UINT message, WPARAM wParam, DWORD lParam = 1, HWND window = nullptr) {
        MSG m{};
        m.hwnd = window;
        m.message = message;
        m.wParam = wParam;
        m.lParam = static_cast<LPARAM>(lParam);
        hook::DecideGetMessage(b, FakePlatform(), m);
        return m;
    }
    static bool Swallowed(const MSG& m) { return m.message == 0 && m.wParam == 0 && m.lParam == 0; }
    static DWORD Scan(const MSG& m) { return (static_cast<DWORD>(m.lParam) >> 16) & 0xFF; }

    void Remap(int index, std::uint8_t from, std::uint8_t toScan, std::uint8_t to, std::uint8_t force = 0) {
        b.RemapKeys = kTrue;
        b.KeyRemap.Entries[index] = KeyRemapEntry{0x1E, from, toScan, to, force};
        if (b.KeyRemap.Count <= index) b.KeyRemap.Count = index + 1;
    }
};

TEST_F(GetMsgHook, RemapTurnsAIntoB) {
    Remap(0, 'A', 0x30, 'B');
    MSG m = Run(WM_KEYDOWN, 'A', (0x1Eu << 16) | 1);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(m.wParam, WPARAM('B'));
    EXPECT_EQ(Scan(m), 0x30u);
    EXPECT_EQ(m.lParam & 1, 1);

    m = Run(WM_CHAR, 'a');
    EXPECT_EQ(m.message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(m.wParam, WPARAM('B'));  // what the B key gives

    EXPECT_EQ(Run(WM_KEYDOWN, 'C').wParam, WPARAM('C'));
    b.RemapKeys = 0;
    EXPECT_EQ(Run(WM_KEYDOWN, 'A').wParam, WPARAM('A'));
}

TEST_F(GetMsgHook, RemapToAltMakesSystemKeysAndTracksAlt) {
    Remap(0, 'A', 0x11, VK_MENU);
    MSG m = Run(WM_KEYDOWN, 'A', (0x1Eu << 16) | (1u << 24) | 1);
    EXPECT_EQ(m.message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(m.wParam, WPARAM(VK_MENU));
    EXPECT_EQ(Scan(m), 0x38u);
    EXPECT_EQ(static_cast<DWORD>(m.lParam) & (1u << 24), 0u);
    EXPECT_NE(static_cast<DWORD>(m.lParam) & (1u << 29), 0u);
    EXPECT_EQ(b.AltDown, 1);
    EXPECT_EQ(World().keyboard[VK_MENU], 0x80);

    m = Run(WM_KEYUP, 'A', kReleaseFlags | (0x1Eu << 16));
    EXPECT_EQ(m.message, static_cast<UINT>(WM_SYSKEYUP));
    EXPECT_EQ(m.wParam, WPARAM(VK_MENU));
    EXPECT_EQ(b.AltDown, 0);
    EXPECT_EQ(World().keyboard[VK_MENU], 0);
}

TEST_F(GetMsgHook, RemapAdjustsTheThreadKeyboardState) {
    Remap(0, VK_SHIFT, 0x3A, VK_CAPITAL, 2);   // Shift becomes Caps Lock with Ctrl forced
    Remap(1, VK_NUMLOCK, 0x46, VK_SCROLL);
    Remap(2, 'X', 0x1D, VK_RCONTROL);          // extended target
    World().keyboard[VK_SHIFT] = 0x80;
    Run(WM_KEYDOWN, VK_SHIFT);
    EXPECT_EQ(World().keyboard[VK_SHIFT], 0);
    EXPECT_EQ(World().keyboard[VK_CONTROL], 0x80);
    Run(WM_KEYDOWN, VK_NUMLOCK);
    EXPECT_EQ(World().keyboard[VK_NUMLOCK], 1);

    const MSG m = Run(WM_KEYDOWN, 'X');
    EXPECT_EQ(World().keyboard[VK_RCONTROL], 0x80);
    EXPECT_NE(static_cast<DWORD>(m.lParam) & (1u << 24), 0u);

    World() = FakeWorld{};
    World().keyboardReadable = false;  // nothing is written without a state to start from
    World().keyboard[VK_CONTROL] = 0x55;
    Run(WM_KEYDOWN, VK_SHIFT);
    EXPECT_EQ(World().keyboard[VK_CONTROL], 0x55);
}

// A CapsLock remap with forced Ctrl must not make the next "w" a Ctrl+W.
TEST_F(GetMsgHook, ForcedModifiersEndWithTheRemappedKeysRelease) {
    Remap(0, VK_CAPITAL, 0x01, VK_ESCAPE, 2 | 4);  // CapsLock gives Escape with Ctrl and Shift
    Run(WM_KEYDOWN, VK_CAPITAL, (0x3Au << 16) | 1);
    EXPECT_EQ(World().keyboard[VK_CONTROL], 0x80);
    EXPECT_EQ(World().keyboard[VK_SHIFT], 0x80);
    Run(WM_KEYDOWN, VK_CAPITAL, (0x3Au << 16) | (1u << 30) | 1);  // repeat
    EXPECT_EQ(World().keyboard[VK_CONTROL], 0x80);
    EXPECT_EQ(Run(WM_KEYUP, VK_CAPITAL, kReleaseFlags | (0x3Au << 16)).wParam, WPARAM(VK_ESCAPE));
    EXPECT_EQ(World().keyboard[VK_CONTROL], 0);
    EXPECT_EQ(World().keyboard[VK_SHIFT], 0);
    EXPECT_EQ(World().keyboard[VK_MENU], 0);  // never forced

    // A modifier the user really holds stays down.
    World().async[VK_SHIFT] = kDown;
    Run(WM_KEYDOWN, VK_CAPITAL, (0x3Au << 16) | 1);
    Run(WM_KEYUP, VK_CAPITAL, kReleaseFlags | (0x3Au << 16));
    EXPECT_EQ(World().keyboard[VK_CONTROL], 0);
    EXPECT_EQ(World().keyboard[VK_SHIFT], 0x80);
}

TEST_F(GetMsgHook, RemapStopsAtCountOrEmptyEntry) {
    Remap(1, 'A', 0x30, 'B');
    b.KeyRemap.Entries[0].FromVk = 0;  // ends the table before the A entry
    EXPECT_EQ(Run(WM_KEYDOWN, 'A').wParam, WPARAM('A'));
    b.KeyRemap.Entries[0].FromVk = 'Z';
    b.KeyRemap.Count = 1;
    EXPECT_EQ(Run(WM_KEYDOWN, 'A').wParam, WPARAM('A'));
    b.KeyRemap.Count = -5;
    EXPECT_EQ(Run(WM_KEYDOWN, 'Z').wParam, WPARAM('Z'));
    b.KeyRemap.Count = 2;
    EXPECT_EQ(Run(WM_KEYDOWN, 'A').wParam, WPARAM('B'));
}

TEST_F(GetMsgHook, MouseButtonHotkeyIsSwallowedAndFiresOnRelease) {
    b.MouseHotkeys = kTrue;
    AddHotkey(9, 4, kModCtrl);
    EXPECT_FALSE(Swallowed(Run(WM_MBUTTONUP, 0)));  // no Ctrl
    b.CtrlDown = 1;                                  // released out of the hooks' sight
    EXPECT_FALSE(Swallowed(Run(WM_MBUTTONUP, 0)));
    EXPECT_TRUE(Posts().empty());
    World().async[VK_CONTROL] = kDown;
    EXPECT_TRUE(Swallowed(Run(WM_MBUTTONDOWN, 0)));
    EXPECT_TRUE(Posts().empty());
    EXPECT_TRUE(Swallowed(Run(WM_MBUTTONUP, 0)));
    EXPECT_TRUE(Swallowed(Run(WM_NCMBUTTONUP, 0)));
    EXPECT_EQ(Posts(), (std::vector<Posted>{ToMain(9, -11), ToMain(9, -11)}));
    EXPECT_EQ(b.SuppressStartMenu, 1);
    EXPECT_FALSE(Swallowed(Run(WM_LBUTTONUP, 0)));
    b.MouseHotkeys = 0;
    EXPECT_FALSE(Swallowed(Run(WM_MBUTTONUP, 0)));
}

TEST_F(GetMsgHook, MouseHotkeyInTheLastRowOfAFullTableFires) {
    b.MouseHotkeys = kTrue;
    for (int i = 0; i < kHotkeyRows - 1; ++i) AddHotkey(100 + i, 'A', 0);
    AddHotkey(77, 2, 0);
    EXPECT_TRUE(Swallowed(Run(WM_RBUTTONUP, 0)));
    EXPECT_EQ(Posts(), std::vector<Posted>{ToMain(77, -11)});
}

TEST_F(GetMsgHook, WindowsKeysAreSwallowedWhenSwitchedOffButCharactersPass) {
    b.LWinKeyEnabled = kTrue;
    EXPECT_FALSE(Swallowed(Run(WM_KEYDOWN, VK_LWIN)));
    b.LWinKeyEnabled = 0;
    b.RWinKeyEnabled = kTrue;
    EXPECT_TRUE(Swallowed(Run(WM_KEYDOWN, VK_LWIN)));
    EXPECT_TRUE(Swallowed(Run(WM_KEYUP, VK_LWIN, kReleaseFlags)));
    EXPECT_FALSE(Swallowed(Run(WM_KEYDOWN, VK_RWIN)));
    EXPECT_FALSE(Swallowed(Run(WM_CHAR, '[')));  // character 91 is not the Windows key
}

class MouseKeys : public GetMsgHook {
protected:
    MouseKeys() {
        b.MouseKeysEnabled = kTrue;
        b.MKCursorKeys = kTrue;
        b.MKSpeed = 4;
        b.MKSpeedMod = 4;
    }
};

TEST_F(MouseKeys, ArrowsMoveThePointerOnPressInTheChosenNumLockState) {
    EXPECT_TRUE(Swallowed(Run(WM_KEYDOWN, VK_LEFT)));
    EXPECT_TRUE(Swallowed(Run(WM_KEYDOWN, VK_DOWN)));
    EXPECT_FALSE(Swallowed(Run(WM_KEYUP, VK_LEFT, kReleaseFlags)));
    EXPECT_FALSE(Swallowed(Run(WM_CHAR, '%')));  // character 37 types a percent sign
    ASSERT_EQ(World().relativeMoves.size(), 2u);
    EXPECT_EQ(World().relativeMoves[0].x, -4);
    EXPECT_EQ(World().relativeMoves[1].y, 4);

    World().toggles[VK_NUMLOCK] = 1;  // NumLock on, but the keys act with it off
    EXPECT_FALSE(Swallowed(Run(WM_KEYDOWN, VK_LEFT)));
    b.MKNumlockON = kTrue;
    EXPECT_TRUE(Swallowed(Run(WM_KEYDOWN, VK_UP)));
    b.MKCursorKeys = 0;
    EXPECT_FALSE(Swallowed(Run(WM_KEYDOWN, VK_UP)));
}

TEST_F(MouseKeys, CtrlArrowsJumpToTheBorders) {
    b.MKBorderKeys = kTrue;
    World().async[VK_CONTROL] = kDown;
    World().cursor = {300, 200};
    Run(WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(World().cursor.x, 0);
    EXPECT_EQ(World().cursor.y, 200);
    Run(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(World().cursor.y, 999);
    Run(WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(World().cursor.x, 1279);
    EXPECT_TRUE(World().relativeMoves.empty());
}

TEST_F(MouseKeys, SpeedKeysCentreAndChangeTheSpeedWithinOneToHundred) {
    b.MKInc = kTrue;
    b.MKSpeed = 98;
    EXPECT_FALSE(Swallowed(Run(WM_KEYDOWN, VK_ADD)));  // speed keys act on release
    EXPECT_TRUE(Swallowed(Run(WM_KEYUP, VK_ADD, kReleaseFlags)));
    EXPECT_EQ(b.MKSpeed, 100);
    Run(WM_KEYUP, VK_ADD, kReleaseFlags);
    EXPECT_EQ(b.MKSpeed, 100);

    Run(WM_KEYUP, VK_SUBTRACT, kReleaseFlags);
    EXPECT_EQ(b.MKSpeed, 96);
    b.MKSpeed = 4;
    Run(WM_KEYUP, VK_SUBTRACT, kReleaseFlags);
    EXPECT_EQ(b.MKSpeed, 1);
    b.MKSpeed = 3;
    Run(WM_KEYUP, VK_SUBTRACT, kReleaseFlags);
    EXPECT_EQ(b.MKSpeed, 1);  // never below one

    b.MKSpeed = 0x7FFFFFF0;
    b.MKSpeedMod = 0x7FFFFFF0;
    Run(WM_KEYUP, VK_ADD, kReleaseFlags);
    EXPECT_EQ(b.MKSpeed, 100);

    EXPECT_TRUE(Swallowed(Run(WM_KEYUP, VK_MULTIPLY, kReleaseFlags)));
    EXPECT_EQ(World().cursor.x, 640);
    EXPECT_EQ(World().cursor.y, 500);
}

TEST_F(GetMsgHook, StartMenuRule) {
    const auto startMenu = [&] { return Swallowed(Run(WM_SYSCOMMAND, SC_TASKLIST)); };
    b.LWinKeyEnabled = b.RWinKeyEnabled = kTrue;
    EXPECT_FALSE(startMenu());
    b.LWinDown = 1;
    b.LWinKeyEnabled = 0;
    EXPECT_TRUE(startMenu());  // blocked key

    b.LWinKeyEnabled = kTrue;
    b.WinComboUsed = 1;
    b.SuppressStartMenu = 1;
    EXPECT_TRUE(startMenu());  // the release after a combination
    EXPECT_EQ(b.SuppressStartMenu, 0);
    EXPECT_EQ(b.WinComboUsed, 0);

    b.WinComboUsed = 1;
    b.SuppressStartMenu = 1;
    b.RWinDown = 1;            // both keys still down: the flags stay
    EXPECT_TRUE(startMenu());
    EXPECT_EQ(b.SuppressStartMenu, 1);
    EXPECT_EQ(b.WinComboUsed, 1);
}

TEST_F(GetMsgHook, SystemWindowsShortcutsFollowTheirOptions) {
    const auto winHotkey = [&](int vk, UINT mods = MOD_WIN) {
        return Swallowed(Run(WM_HOTKEY, 0, (static_cast<DWORD>(vk) << 16) | mods));
    };
    EXPECT_TRUE(winHotkey('E'));
    EXPECT_EQ(b.LastHotkey, 'E');
    b.WinE = kTrue;
    EXPECT_FALSE(winHotkey('E'));
    EXPECT_FALSE(winHotkey('Q'));
    EXPECT_EQ(b.LastHotkey, 'Q');
    EXPECT_FALSE(winHotkey('D', MOD_WIN | MOD_SHIFT));
    b.HotkeysSuspended = kTrue;
    EXPECT_FALSE(winHotkey('D'));
    EXPECT_EQ(b.LastHotkey, 'Q');
}

TEST_F(GetMsgHook, CaptionDoubleClickRollsUpAndRestores) {
    b.CaptureMenuDblClicks = kTrue;
    const HWND w = FakeHandle(0x500);
    World().windows[w] = {RECT{10, 20, 410, 620}};
    EXPECT_TRUE(Swallowed(Run(WM_NCLBUTTONDBLCLK, HTCAPTION, 0, w)));
    EXPECT_EQ(World().windows[w].rect.bottom - World().windows[w].rect.top, 18 + 8);
    EXPECT_EQ(b.CollapsedWindows[0], 0x500u);
    EXPECT_EQ(b.CollapsedHeights[0], 600);
    Run(WM_NCLBUTTONDBLCLK, HTCAPTION, 0, w);
    EXPECT_EQ(World().windows[w].rect.bottom - World().windows[w].rect.top, 600);
    EXPECT_EQ(World().windows[w].rect.left, 10);
    EXPECT_EQ(b.CollapsedWindows[0], 0x500u);  // the slot stays taken

    const HWND child = FakeHandle(0x501);
    World().windows[child] = {RECT{0, 0, 100, 100}, w};
    EXPECT_FALSE(Swallowed(Run(WM_NCLBUTTONDBLCLK, HTCAPTION, 0, child)));
    b.CaptureMenuDblClicks = 0;
    EXPECT_FALSE(Swallowed(Run(WM_NCLBUTTONDBLCLK, HTCAPTION, 0, w)));
}

TEST_F(GetMsgHook, TwentySeventhWindowIsNotRolledUp) {
    b.CaptureMenuDblClicks = kTrue;
    for (UINT_PTR i = 0; i < 27; ++i) {
        World().windows[FakeHandle(0x600 + i)] = {RECT{0, 0, 300, 400}};
        Run(WM_NCLBUTTONDBLCLK, HTCAPTION, 0, FakeHandle(0x600 + i));
    }
    for (int i = 0; i < kCollapsedSlots; ++i) EXPECT_EQ(b.CollapsedWindows[i], 0x600u + i);
    EXPECT_EQ(World().windows[FakeHandle(0x600 + 25)].rect.bottom, 26);
    EXPECT_EQ(World().windows[FakeHandle(0x600 + 26)].rect.bottom, 400);

    // A rolled-up window restored and rolled up again keeps its own slot.
    Run(WM_NCLBUTTONDBLCLK, HTCAPTION, 0, FakeHandle(0x600 + 3));
    Run(WM_NCLBUTTONDBLCLK, HTCAPTION, 0, FakeHandle(0x600 + 3));
    EXPECT_EQ(World().windows[FakeHandle(0x600 + 3)].rect.bottom, 26);
}

}  // namespace
