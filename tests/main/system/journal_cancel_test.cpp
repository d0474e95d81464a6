// keyloom.exe when the system removes its journal hooks itself (Ctrl+Esc,
// Ctrl+Alt+Del) and tells its thread with WM_CANCELJOURNAL.
#include <windows.h>

#include "support/macro/macro_fixture.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "text255.h"

using namespace kl;
using namespace kl::testing;

namespace {

class JournalCancel : public ::testing::Test {
protected:
    CleanRegistry clean_;
    bool options_ = (SetString("Software\\Corvane\\Keyloom\\", "NoSysTray", "1"), true);
    SettingsMap map_;
    SettingsBlock& b = map_.block();
    KeyloomProcess app_;
    HWND main_ = app_.WaitForWindow();
    EditTarget target_;  // where keys go

    void SetUp() override { ASSERT_TRUE(main_ && PollUntil([this] { return b.KeyloomEnabled == -1; })); }
    void Run(std::uint32_t function) { SendMessageA(main_, b.NotifyMessage, function, -10); }
    bool CancelJournal() {
        PostThreadMessageA(GetWindowThreadProcessId(main_, nullptr), WM_CANCELJOURNAL, 0, 0);
        return PollUntil([this] { return b.JournalMode == 0; }, 5000);
    }
    // Taps F24; the number of events recorded meanwhile.
    std::int32_t RecordF24(DWORD ms) {
        const std::int32_t before = b.MacroLength;
        keybd_event(VK_F24, 0, 0, 0);
        keybd_event(VK_F24, 0, KEYEVENTF_KEYUP, 0);
        PollUntil([&] { return b.MacroLength >= before + 2; }, ms);
        return b.MacroLength - before;
    }
};

}  // namespace

TEST_F(JournalCancel, RecordingEndsAsStoppingItWould) {
    Run(96);
    ASSERT_EQ(b.JournalMode, 1);
    ASSERT_EQ(RecordF24(5000), 2);
    ASSERT_TRUE(CancelJournal());
    EXPECT_EQ(b.JournalHook, 0u);
    EXPECT_EQ(GetText255(b.StatusText), "Stopped recording");
    EXPECT_EQ(b.HotkeysSuspended, 0);
    EXPECT_EQ(RecordF24(500), 0);  // nothing records any more
    Run(96);  // and recording starts afresh
    EXPECT_EQ(b.JournalMode, 1);
    Run(96);
}

TEST_F(JournalCancel, PlaybackEndsAsAnAbortWould) {
    const std::uint32_t keys[] = {'A', 'B'};
    for (int i = 0; i < 2; ++i) {
        b.MacroEvents[2 * i] = {WM_KEYDOWN, keys[i], MapVirtualKeyA(keys[i], 0) << 16 | 1, i ? 2000u : 0u, 0};
        b.MacroEvents[2 * i + 1] = {WM_KEYUP, keys[i], MapVirtualKeyA(keys[i], 0) << 16 | 1, 0, 0};
    }
    b.MacroLength = 4;
    b.MacroRepeat = 3;
    Run(97);
    EXPECT_EQ(b.HotkeysSuspended, -1);
    ASSERT_TRUE(target_.WaitText("a"));  // then two seconds before the b
    const DWORD typed = GetTickCount();
    ASSERT_TRUE(CancelJournal());
    EXPECT_EQ(b.JournalHook, 0u);
    EXPECT_EQ(b.HotkeysSuspended, 0);
    EXPECT_EQ(b.KeyloomEnabled, -1);
    EXPECT_EQ(b.MacroRepeat, 1);
    PumpUntil([&] { return GetTickCount() - typed > 2600; }, 5000);
    EXPECT_EQ(target_.Text(), "a");  // the rest is not played
}
