// Playing and recording macros under Wine, into an edit control of another
// process. Wine accepts the playback journal and never calls it, so these
// plays go through the SendInput fallback; the record journal works.
#include <windows.h>

#include <memory>
#include <vector>

#include "handle_words.h"
#include "macro/counter.h"
#include "macro/journal_hooks.h"
#include "macro/journal_support.h"
#include "macro/playback.h"
#include "macro/recording.h"
#include "macro/text_macros.h"
#include "macro_fixture.h"
#include "text255.h"

using namespace kl;
using namespace kl::support;
using namespace kl::testing;

namespace {

HHOOK WINAPI RefuseJournals(int id, HOOKPROC proc, HINSTANCE module, DWORD thread) {
    if (id == WH_JOURNALRECORD || id == WH_JOURNALPLAYBACK) return nullptr;
    return SetWindowsHookExA(id, proc, module, thread);
}

void Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
}

void Tap(WORD vk) {
    Key(vk, false);
    Key(vk, true);
}

class Playback : public MacroTest {
protected:
    // One target process for the suite: starting a process under Wine is slow.
    static inline std::unique_ptr<EditTarget> shared_;
    static void SetUpTestSuite() { shared_ = std::make_unique<EditTarget>(); }
    static void TearDownTestSuite() { shared_.reset(); }
    EditTarget& target_ = *shared_;
    bool cleared_ = (target_.Clear(), true);
    TypingServices services_{[](std::string_view) { return -1; }, nullptr, [this] { return NextNumber(b(), 0, 1); }};

    ~Playback() override {
        StopPlayback(b(), false);
        g_installJournalHook = &SetWindowsHookExA;
        SetHotkeyFunctionLookup(nullptr);
    }
    bool Finished(DWORD timeoutMs = 10000) {
        return PumpUntil([this] { return b().JournalMode == 0; }, timeoutMs);
    }
    void Type(const char* text, std::int32_t repeat = 1) { TypeText(b(), text, repeat, 0, services_); }
};

}  // namespace

TEST_F(Playback, TypesIntoTheFocusedEditOfAnotherProcess) {
    Type("Ab");
    EXPECT_EQ(b().JournalMode, 2);
    EXPECT_EQ(b().KeyloomEnabled, 0);
    EXPECT_EQ(b().HotkeysSuspended, -1);
    EXPECT_EQ(b().CurrentStatus, kStatusPlaying);
    EXPECT_EQ(GetText255(b().MacroName), "sendkeys");
    EXPECT_TRUE(Noted(0x702, -2));
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText("Ab")) << target_.Text();
    EXPECT_EQ(b().KeyloomEnabled, -1);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    EXPECT_EQ(b().JournalHook, 0u);
    EXPECT_EQ(b().MacroPosition, 0);
    EXPECT_TRUE(Noted(0x701, -2));
    EXPECT_FALSE(Noted(WPARAM(-1), -7));  // not an abort
}

TEST_F(Playback, RepeatCountsOneAndThree) {
    Type("x", 3);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText("xxx")) << target_.Text();
    target_.Clear();
    Type("y", 1);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText("y")) << target_.Text();
}

TEST_F(Playback, DelayIsWaitedBeforeItsEvent) {
    Type("x<P:500>y");
    ASSERT_TRUE(target_.WaitText("x"));
    const DWORD seenX = GetTickCount();
    ASSERT_TRUE(target_.WaitText("xy"));
    EXPECT_GE(GetTickCount() - seenX, 400u);
    EXPECT_TRUE(Finished());
}

TEST_F(Playback, MarkedDelayLetsKeysAndHotkeysThroughMeanwhile) {
    Type("x<T:300>y");
    ASSERT_TRUE(PumpUntil([this] { return b().JournalMode == 3; }));
    EXPECT_EQ(b().KeyloomEnabled, -1);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText("xy")) << target_.Text();
    EXPECT_EQ(b().MacroEvents[2].Delay, 0x40000000u + 300u);  // the stored macro is unchanged
}

TEST_F(Playback, EscapeAbortsAndRestoresEverything) {
    Type("a<P:5000>b", 4);
    ASSERT_TRUE(target_.WaitText("a"));
    Key(VK_ESCAPE, false);
    const bool stopped = Finished(3000);
    Key(VK_ESCAPE, true);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(b().MacroRepeat, 1);
    EXPECT_EQ(b().KeyloomEnabled, -1);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    EXPECT_TRUE(Noted(0x701, -2));
    EXPECT_TRUE(Noted(WPARAM(-1), -7));  // the main window's timer stops
    EXPECT_EQ(target_.Text(), "a");
}

TEST_F(Playback, PlayWhilePlayingStops) {
    Type("a<P:5000>b");
    ASSERT_TRUE(target_.WaitText("a"));
    EXPECT_FALSE(PlayMacro(b()));
    EXPECT_EQ(b().JournalMode, 0);
    EXPECT_EQ(b().MacroRepeat, 1);
    EXPECT_EQ(b().KeyloomEnabled, -1);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    EXPECT_FALSE(FallbackPlayerActive());
}

TEST_F(Playback, TypingWhileAPlaybackWaitsCancelsIt) {
    Type("a<T:5000>b");
    ASSERT_TRUE(PumpUntil([this] { return b().JournalMode == 3; }));
    Type("zz");
    EXPECT_EQ(b().JournalMode, 0);
    EXPECT_EQ(b().MacroRepeat, 1);
    EXPECT_TRUE(Noted(WPARAM(-1), -7));
    EXPECT_FALSE(FallbackPlayerActive());
    EXPECT_TRUE(target_.WaitText("a")) << target_.Text();
}

TEST_F(Playback, RefusedJournalPlaysAtOnce) {
    g_installJournalHook = RefuseJournals;
    Type("q");
    EXPECT_TRUE(FallbackPlayerActive());
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText("q"));
}

// Wine accepts the playback journal and never calls it: the first macro waits for the
// journal to move, and every later one plays at once, its first event sent before the
// playing function returns.
TEST_F(Playback, AJournalThatNeverMovesIsNotWaitedForAgain) {
    NoteJournalSupport(JournalSupport::Unknown);
    Type("a");
    EXPECT_NE(b().JournalHook, 0u);
    EXPECT_EQ(b().MacroPosition, 0);
    ASSERT_TRUE(Finished());
    EXPECT_EQ(PlaybackJournalSupport(), JournalSupport::Stuck);
    Type("b");
    EXPECT_EQ(b().JournalHook, 0u);
    EXPECT_EQ(b().JournalMode, 2);
    EXPECT_GE(b().MacroPosition, 1);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText("ab")) << target_.Text();
}

// The probe learns the same before the first macro; a macro played meanwhile ends it.
TEST_F(Playback, TheProbeLearnsBeforeTheFirstMacro) {
    NoteJournalSupport(JournalSupport::Unknown);
    ASSERT_TRUE(ProbePlaybackJournal());
    EXPECT_FALSE(ProbePlaybackJournal());  // one at a time
    ASSERT_TRUE(PumpUntil([] { return PlaybackJournalSupport() != JournalSupport::Unknown; }, 3000));
    EXPECT_EQ(PlaybackJournalSupport(), JournalSupport::Stuck);
    EXPECT_FALSE(ProbePlaybackJournal());  // nothing left to learn
    Type("c");
    EXPECT_EQ(b().JournalHook, 0u);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText("c"));

    NoteJournalSupport(JournalSupport::Unknown);
    ASSERT_TRUE(ProbePlaybackJournal());
    target_.Clear();
    Type("d");  // the probe gives way: the macro's own journal is watched instead
    EXPECT_NE(b().JournalHook, 0u);
    ASSERT_TRUE(Finished());
    EXPECT_TRUE(target_.WaitText("d"));
    EXPECT_EQ(PlaybackJournalSupport(), JournalSupport::Stuck);

    NoteJournalSupport(JournalSupport::Unknown);
    g_installJournalHook = RefuseJournals;
    EXPECT_FALSE(ProbePlaybackJournal());
    EXPECT_EQ(PlaybackJournalSupport(), JournalSupport::Stuck);
}

TEST_F(Playback, NothingToPlayOrNoModule) {
    b().MacroLength = 0;
    EXPECT_FALSE(PlayMacro(b()));
    EXPECT_EQ(b().LastStatus, kStatusNoMacro);
    b().MacroLength = 2;
    b().HookModule = 0;
    EXPECT_FALSE(PlayMacro(b()));
    EXPECT_EQ(GetText255(b().StatusText), "Module not loaded");
    b().HookModule = ModuleToken(GetModuleHandleA(nullptr));
    EXPECT_FALSE(PlayMacro(b()));
    EXPECT_EQ(GetText255(b().StatusText), "Failed to Play Macro");
    EXPECT_EQ(b().JournalMode, 0);
}

TEST_F(Playback, StartModeOneHandsTheMacroToTheMainWindow) {
    TypeText(b(), "x", 1, 1, services_);
    EXPECT_TRUE(Noted(0, -8));
    EXPECT_EQ(b().JournalMode, 0);
    EXPECT_EQ(b().MacroLength, 2);
}

TEST_F(Playback, EventLanguageMovesThePointer) {
    PlayEventText(b(), "MV:100,120 MV:+5,-7", 1, 0, 0, services_.keyName);
    EXPECT_EQ(GetText255(b().MacroName), "tarn");
    ASSERT_TRUE(Finished());
    POINT p{};
    ASSERT_TRUE(PumpUntil([&] { return GetCursorPos(&p) && p.x == 105 && p.y == 113; }, 3000)) << p.x << "," << p.y;
}

namespace {

// Records keys typed into the target, stops, and plays them back.
void RecordAndReplay(Playback& t, EditTarget& target, SettingsBlock& b) {
    ASSERT_TRUE(StartRecording(b));
    EXPECT_EQ(b.JournalMode, 1);
    EXPECT_EQ(GetText255(b.StatusText), "Started recording");
    Tap('K');
    Tap('Q');
    ASSERT_TRUE(target.WaitText("kq"));
    ASSERT_TRUE(PumpUntil([&] { return b.MacroLength >= 4; }, 5000)) << b.MacroLength;
    EXPECT_TRUE(StopRecording(b));
    EXPECT_EQ(b.JournalMode, 0);
    EXPECT_EQ(b.JournalHook, 0u);
    EXPECT_EQ(b.MacroEvents[0].Message, (std::uint32_t)WM_KEYDOWN);
    target.Clear();
    ASSERT_TRUE(PlayMacro(b));
    ASSERT_TRUE(PumpUntil([&] { return b.JournalMode == 0; }));
    EXPECT_TRUE(target.WaitText("kq")) << target.Text();
    (void)t;
}

}  // namespace

TEST_F(Playback, RecordedMacroReplaysThroughTheRecordJournal) {
    RecordAndReplay(*this, target_, b());
    EXPECT_TRUE(Noted(0x703, -2));
}

TEST_F(Playback, RecordedMacroReplaysThroughTheKeyboardHookFallback) {
    g_installJournalHook = RefuseJournals;
    RecordAndReplay(*this, target_, b());
}

TEST_F(Playback, StoppingHotkeyIsTrimmedFromTheRecording) {
    g_installJournalHook = RefuseJournals;
    SetHotkeyFunctionLookup([](std::int32_t key, std::int32_t mod) -> std::uint32_t {
        return key == 'R' && mod == (kModCtrl | kModAlt) ? 96 : 0;
    });
    ASSERT_TRUE(StartRecording(b()));
    Key(VK_CONTROL, false);
    Tap('A');
    Key(VK_CONTROL, true);
    Key(VK_CONTROL, false);
    Key(VK_MENU, false);
    Tap('R');
    ASSERT_TRUE(PumpUntil([this] { return b().MacroLength >= 8; }, 5000)) << b().MacroLength;
    EXPECT_TRUE(StopRecording(b()));
    Key(VK_MENU, true);
    Key(VK_CONTROL, true);
    std::vector<std::uint32_t> kept;
    for (int i = 0; i < b().MacroLength; ++i)
        if (b().MacroEvents[i].Message) kept.push_back(b().MacroEvents[i].ParamL & 0xFF);
    ASSERT_EQ(kept.size(), 4u);
    EXPECT_EQ(kept[1], (std::uint32_t)'A');
    EXPECT_EQ(kept[2], (std::uint32_t)'A');
    EXPECT_EQ(b().MacroEvents[3].Message, (std::uint32_t)WM_KEYUP);  // the Ctrl release of Ctrl+A stays
}
