// keyloom.exe when the system removes its journal hooks itself (Ctrl+Esc,
// Ctrl+Alt+Del) and tells its thread with WM_CANCELJOURNAL: the recording or
// playback ends and the block is left as the journal's own end leaves it.
#include <windows.h>

#include "macro_fixture.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "text255.h"

using namespace kl;
using namespace kl::testing;

namespace {

void Tap(WORD vk) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

class JournalCancel : public ::testing::Test {
protected:
    CleanRegistry clean_;
    bool options_ = (SetString("Software\\Corvane\\Keyloom\\", "NoSysTray", "1"), true);
    SettingsMap map_;
    KeyloomProcess app_;
    HWND main_ = app_.WaitForWindow();

    void SetUp() override {
        ASSERT_NE(main_, nullptr);
        ASSERT_TRUE(PollUntil([this] { return map_->KeyloomEnabled == -1; }));
    }
    void Run(std::uint32_t function) { SendMessageA(main_, map_->NotifyMessage, function, -10); }
    void CancelJournal() {
        ASSERT_TRUE(PostThreadMessageA(GetWindowThreadProcessId(main_, nullptr), WM_CANCELJOURNAL, 0, 0));
    }
};

}  // namespace

TEST_F(JournalCancel, RecordingEndsAsStoppingItWould) {
    EditTarget target;  // the keys need a window to go to
    Run(96);
    ASSERT_EQ(map_->JournalMode, 1);
    ASSERT_NE(map_->JournalHook, 0u);
    Tap(VK_F24);
    ASSERT_TRUE(PollUntil([this] { return map_->MacroLength >= 2; }, 5000));
    CancelJournal();
    ASSERT_TRUE(PollUntil([this] { return map_->JournalMode == 0; }, 5000));
    EXPECT_EQ(map_->JournalHook, 0u);
    EXPECT_EQ(GetText255(map_->StatusText), "Stopped recording");
    EXPECT_EQ(map_->HotkeysSuspended, 0);
    EXPECT_EQ(map_->KeyloomEnabled, -1);
    // Nothing records any more, and the record function starts afresh.
    const std::int32_t length = map_->MacroLength;
    Tap(VK_F24);
    PollUntil([] { return false; }, 300);
    EXPECT_EQ(map_->MacroLength, length);
    Run(96);
    EXPECT_EQ(map_->JournalMode, 1);
    Run(96);
    EXPECT_EQ(map_->JournalMode, 0);
}

TEST_F(JournalCancel, PlaybackEndsAsAnAbortWould) {
    EditTarget target;
    SettingsBlock& b = map_.block();
    const std::uint32_t keys[] = {'A', 'B'};
    for (int i = 0; i < 2; ++i) {
        const std::uint32_t scan = MapVirtualKeyA(keys[i], 0) << 16 | 1;
        b.MacroEvents[2 * i] = {WM_KEYDOWN, keys[i], scan, i ? 2000u : 0u, 0};
        b.MacroEvents[2 * i + 1] = {WM_KEYUP, keys[i], scan, 0, 0};
    }
    b.MacroLength = 4;
    b.MacroRepeat = 3;
    Run(97);
    EXPECT_EQ(b.JournalMode, 2);
    EXPECT_EQ(b.KeyloomEnabled, 0);
    EXPECT_EQ(b.HotkeysSuspended, -1);
    ASSERT_TRUE(target.WaitText("a"));  // then two seconds before the b
    const DWORD typed = GetTickCount();
    CancelJournal();
    ASSERT_TRUE(PollUntil([&] { return b.JournalMode == 0; }, 5000));
    EXPECT_EQ(b.JournalHook, 0u);
    EXPECT_EQ(b.HotkeysSuspended, 0);
    EXPECT_EQ(b.KeyloomEnabled, -1);
    EXPECT_EQ(b.MacroRepeat, 1);
    EXPECT_EQ(b.MacroPosition, 0);
    // The rest of the macro is not played.
    PumpUntil([&] { return GetTickCount() - typed > 2600; }, 5000);
    EXPECT_EQ(target.Text(), "a");
    EXPECT_EQ(b.JournalMode, 0);
}
