// Timer playback: PlayMacroStep tick by tick into an edit control of another
// process, and keyloom.exe playing the block's macro when told with code -8.
#include <windows.h>

#include <memory>
#include <optional>

#include "system/macro_step.h"
#include "support/macro/macro_fixture.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "testing/thread_window.h"

using namespace kl;
using namespace kl::testing;

namespace {

void PutKeys(SettingsBlock& b, std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> keysAndDelays) {
    int i = 0;
    for (auto [vk, delay] : keysAndDelays) {
        b.MacroEvents[i++] = {WM_KEYDOWN, vk, MapVirtualKeyA(vk, 0) << 16 | 1, delay, 0};
        b.MacroEvents[i++] = {WM_KEYUP, vk, MapVirtualKeyA(vk, 0) << 16 | 1, 0, 0};
    }
    b.MacroLength = i;
    b.MacroPosition = 0;
    b.MacroRepeat = 1;
    b.MacroInterval = 0;
    b.JournalMode = 4;
}

class TimerPlayback : public ::testing::Test {
protected:
    static inline std::unique_ptr<EditTarget> shared_;
    static void SetUpTestSuite() { shared_ = std::make_unique<EditTarget>(); }
    static void TearDownTestSuite() { shared_.reset(); }
    EditTarget& target_ = *shared_;
    bool cleared_ = (target_.Clear(), true);
    SettingsBlock b_{};
};

}  // namespace

TEST_F(TimerPlayback, DelaysTakeOneTickEachAndTheMacroReplays) {
    PutKeys(b_, {{'X', 0}, {'Y', 300}});
    MacroStepResult r = PlayMacroStep(b_);
    EXPECT_TRUE(r.startTimer);
    EXPECT_EQ(r.interval, 300u);
    EXPECT_EQ(b_.MacroPosition, 2);
    EXPECT_EQ(b_.HotkeysSuspended, 0);  // hotkeys work while waiting
    EXPECT_TRUE(target_.WaitText("x"));
    r = PlayMacroStep(b_);
    EXPECT_FALSE(r.startTimer);
    EXPECT_EQ(b_.JournalMode, 0);
    EXPECT_EQ(b_.MacroPosition, 0);
    EXPECT_EQ(b_.MacroEvents[2].Delay, 300u);  // waited marks are cleared as their events play
    EXPECT_TRUE(target_.WaitText("xy")) << target_.Text();
    b_.JournalMode = 4;
    b_.MacroRepeat = 1;
    EXPECT_TRUE(PlayMacroStep(b_).startTimer);
    PlayMacroStep(b_);
    EXPECT_TRUE(target_.WaitText("xyxy")) << target_.Text();
}

TEST_F(TimerPlayback, RepeatCountsAndSwitchingOff) {
    PutKeys(b_, {{'Q', 0}});
    b_.MacroRepeat = 3;
    b_.MacroInterval = 150;
    int ticks = 0;
    for (MacroStepResult r{0, true}; r.startTimer && ticks < 10; ++ticks) {
        r = PlayMacroStep(b_);
        if (r.startTimer) {
            EXPECT_EQ(r.interval, 150u);
        }
    }
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(b_.JournalMode, 0);
    EXPECT_TRUE(target_.WaitText("qqq")) << target_.Text();
    // A negative count repeats until timer playback is switched off.
    PutKeys(b_, {{'W', 0}});
    b_.MacroRepeat = -1;
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(PlayMacroStep(b_).startTimer);
    b_.JournalMode = 0;
    EXPECT_FALSE(PlayMacroStep(b_).startTimer);
    EXPECT_TRUE(target_.WaitText("qqqwwwww")) << target_.Text();
}

TEST_F(TimerPlayback, MousePositionsAndBadCounts) {
    b_.MacroEvents[0] = {WM_MOUSEMOVE, 300 + 65536u * 210, 0, 0, 0};
    b_.MacroEvents[1] = {WM_MOUSEMOVE, 0x80008000u, 0, 0, 0};  // the current position: no move
    b_.MacroEvents[2] = {WM_MOUSEMOVE, (0x8000u | 20) + 65536u * (0xC000u | 10), 0, 0, 0};
    b_.MacroLength = 3;
    b_.MacroRepeat = 1;
    b_.JournalMode = 4;
    PlayMacroStep(b_);
    POINT p{};
    EXPECT_TRUE(PumpUntil([&] { return GetCursorPos(&p) && p.x == 320 && p.y == 200; }, 3000)) << p.x << "," << p.y;

    for (std::int32_t length : {0, -4, 100000}) {
        b_.MacroLength = length;
        b_.MacroPosition = -9;
        b_.JournalMode = 4;
        b_.MacroRepeat = 1;
        EXPECT_FALSE(PlayMacroStep(b_).startTimer);
        EXPECT_EQ(b_.JournalMode, 0);
    }
}

TEST(KeyloomTimerPlayback, CodeMinus8PlaysTheBlocksMacro) {
    CleanRegistry clean;
    SetString("Software\\Corvane\\Keyloom\\", "NoSysTray", "1");
    SettingsMap map;
    std::optional<KeyloomProcess> app;
    app.emplace();
    const HWND main = app->WaitForWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PollUntil([&] { return map->KeyloomEnabled == -1; }));
    EditTarget target;
    PutKeys(map.block(), {{'K', 0}, {'L', 200}});
    map->JournalMode = 0;
    map->MacroRepeat = 2;
    SendMessageA(main, map->NotifyMessage, 0, -8);
    EXPECT_EQ(map->JournalMode, 4);
    EXPECT_TRUE(target.WaitText("klkl")) << target.Text();
    EXPECT_TRUE(PollUntil([&] { return map->JournalMode == 0; }));
    EXPECT_EQ(map->HotkeysSuspended, 0);
}

// Keys of the extended part of the keyboard: typed events name them by their
// virtual key, recorded ones carry the system's flag; both play as extended.
TEST(TimerPlaybackKeys, ExtendedKeysKeepTheirFlag) {
    ThreadWindow window;
    ASSERT_TRUE(window.BringToFront());
    SettingsBlock b{};
    struct Key {
        std::uint32_t paramL, paramH;
        bool extended;
    };
    const Key keys[] = {
        {VK_LEFT, MapVirtualKeyA(VK_LEFT, 0) << 16 | 1, true},
        {VK_INSERT, MapVirtualKeyA(VK_INSERT, 0) << 16 | 1, true},
        {VK_RCONTROL, MapVirtualKeyA(VK_CONTROL, 0) << 16 | 1, true},
        {'A', MapVirtualKeyA('A', 0) << 16 | 1, false},
        {VK_RETURN | 0x1C00, 0x8001, true},  // recorded: the keypad's Enter
        {VK_HOME | 0x4700, 0x0001, false},   // recorded: the keypad's 7 with NumLock off
    };
    int n = 0;
    for (const Key& k : keys) {
        b.MacroEvents[n++] = {WM_KEYDOWN, k.paramL, k.paramH, 0, 0};
        b.MacroEvents[n++] = {WM_KEYUP, k.paramL, k.paramH, 0, 0};
    }
    b.MacroLength = n;
    b.MacroRepeat = 1;
    b.JournalMode = 4;
    PlayMacroStep(b);
    ASSERT_TRUE(PollFor([&] { return window.Messages(WM_KEYUP).size() >= std::size(keys); }));
    const auto downs = window.Messages(WM_KEYDOWN);
    ASSERT_EQ(downs.size(), std::size(keys));
    for (std::size_t i = 0; i < std::size(keys); ++i)
        EXPECT_EQ((downs[i].lParam >> 24) & 1, keys[i].extended ? 1 : 0) << i;
}
