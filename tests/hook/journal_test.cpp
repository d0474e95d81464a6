// klhook's journal procedures called directly, as the system calls them, on a
// block created as keyloom.exe creates it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

#include "testing/settings_map.h"
#include "testing/support_library.h"

using namespace kl;
using namespace kl::testing;

namespace {

using HookProc = LRESULT(CALLBACK*)(int, WPARAM, LPARAM);

LRESULT CALLBACK NoKeys(int code, WPARAM w, LPARAM l) { return CallNextHookEx(nullptr, code, w, l); }

class Journal : public ::testing::Test {
protected:
    SettingsMap map_;
    bool cleared_ = [this] {
        std::memset(&map_.block(), 0, sizeof(SettingsBlock));
        map_->BlockSize = kSettingsBlockSize;
        return true;
    }();
    Library hook_{"klhook.dll"};
    HookProc record_ = hook_.Get<LRESULT CALLBACK(int, WPARAM, LPARAM)>("KLJournalRecordProc");
    HookProc play_ = hook_.Get<LRESULT CALLBACK(int, WPARAM, LPARAM)>("KLJournalPlaybackProc");
    SettingsBlock& b() { return map_.block(); }

    LRESULT Record(std::uint32_t message, std::uint32_t paramL, EVENTMSG* out = nullptr) {
        EVENTMSG m{message, paramL, 0x1E0001, 0, reinterpret_cast<HWND>(0x42)};
        const LRESULT r = record_(HC_ACTION, 0, reinterpret_cast<LPARAM>(&m));
        if (out) *out = m;
        return r;
    }
    void SetMacro(std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> keysAndDelays) {
        int i = 0;
        for (auto [vk, delay] : keysAndDelays) b().MacroEvents[i++] = {WM_KEYDOWN, vk, 1, delay, 0};
        b().MacroLength = i;
        b().MacroPosition = 0;
        b().MacroRepeat = 1;
        b().JournalMode = 2;
        b().KeyloomEnabled = 0;
        b().HotkeysSuspended = -1;
    }
    LRESULT Skip() { return play_(HC_SKIP, 0, 0); }
    LRESULT Next(EVENTMSG& m) { return play_(HC_GETNEXT, 0, reinterpret_cast<LPARAM>(&m)); }

    // Plays through as the system does: skip, then fetch, until the journal stops.
    std::vector<std::uint32_t> PlayAll() {
        std::vector<std::uint32_t> keys;
        for (int guard = 0; guard < 1000 && b().JournalMode == 2; ++guard) {
            Skip();
            if (b().JournalMode != 2) break;
            EVENTMSG m{};
            Next(m);
            if (m.message) keys.push_back(m.paramL);
        }
        return keys;
    }
};

}  // namespace

TEST_F(Journal, NegativeCodesGoToTheNextHook) {
    EXPECT_EQ(record_(-1, 0, 0), 0);
    EXPECT_EQ(play_(-1, 0, 0), 0);
    EXPECT_EQ(b().MacroLength, 0);
}

TEST_F(Journal, RecordsKeysOnlyAndTheFirstAsKeyDown) {
    EVENTMSG seen{};
    EXPECT_EQ(Record(WM_KEYUP, 0x1E41, &seen), 0);
    EXPECT_EQ(seen.message, (UINT)WM_KEYDOWN);  // the system's record is changed too
    Record(WM_MOUSEMOVE, 10);
    Record(WM_KEYDOWN, 0x00FF);  // key 255 is not a key
    Record(WM_SYSKEYUP, 0x3812);
    ASSERT_EQ(b().MacroLength, 2);
    EXPECT_EQ(b().MacroEvents[0].Message, (std::uint32_t)WM_KEYDOWN);
    EXPECT_EQ(b().MacroEvents[0].ParamL, 0x1E41u);
    EXPECT_EQ(b().MacroEvents[0].ParamH, 0x1E0001u);
    EXPECT_EQ(b().MacroEvents[0].Window, 0x42u);
    EXPECT_EQ(b().MacroEvents[1].Message, (std::uint32_t)WM_SYSKEYUP);
    EXPECT_EQ(b().MacroEvents[1].Delay, 0u);
}

TEST_F(Journal, RecordingStopsAtTheBufferAndDistrustsTheCount) {
    b().MacroLength = 1024;
    Record(WM_KEYDOWN, 0x41);
    EXPECT_EQ(b().MacroLength, 1025);
    Record(WM_KEYDOWN, 0x42);
    EXPECT_EQ(b().MacroLength, 1025);
    b().MacroLength = -7;
    Record(WM_KEYDOWN, 0x43);
    EXPECT_EQ(b().MacroLength, -7);
    EXPECT_EQ(b().MacroEvents[1024].ParamL, 0x41u);
}

TEST_F(Journal, SystemModalStateSuspendsAndEndsRecording) {
    const HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, NoKeys, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    b().JournalHook = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(hook));
    b().JournalMode = 1;
    record_(HC_SYSMODALON, 0, 0);
    EXPECT_EQ(b().SysModal, 1);
    Record(WM_KEYDOWN, 0x41);
    EXPECT_EQ(b().MacroLength, 0);
    record_(HC_SYSMODALOFF, 0, 0);
    EXPECT_EQ(b().SysModal, 0);
    EXPECT_EQ(b().JournalHook, 0u);
    EXPECT_EQ(b().JournalMode, 0);
    EXPECT_FALSE(UnhookWindowsHookEx(hook));  // already removed
}

TEST_F(Journal, DelayIsHandedOutOnceAndEventsComeInOrder) {
    SetMacro({{'A', 0}, {'B', 500}, {'C', 0}});
    EVENTMSG m{};
    EXPECT_EQ(Next(m), 0);  // nothing prepared before the first skip
    Skip();
    EXPECT_EQ(b().MacroPosition, 1);
    EXPECT_EQ(Next(m), 0);
    EXPECT_EQ(m.paramL, (UINT)'A');
    Skip();
    EXPECT_EQ(Next(m), 500);
    EXPECT_EQ(m.paramL, (UINT)'B');
    EXPECT_EQ(m.time, 500u);
    EXPECT_EQ(Next(m), 0);  // the same event again: no second wait
    EXPECT_EQ(b().MacroEvents[1].Delay, 500u);
    Skip();
    Next(m);
    EXPECT_EQ(m.paramL, (UINT)'C');
    Skip();
    EXPECT_EQ(b().JournalMode, 0);
    EXPECT_EQ(b().MacroPosition, 0);
    EXPECT_EQ(b().KeyloomEnabled, 1);
    EXPECT_EQ(b().HotkeysSuspended, 0);
}

TEST_F(Journal, RepeatCountsOneAndThree) {
    SetMacro({{'A', 0}, {'B', 0}});
    EXPECT_EQ(PlayAll(), (std::vector<std::uint32_t>{'A', 'B'}));
    SetMacro({{'A', 0}, {'B', 0}});
    b().MacroRepeat = 3;
    EXPECT_EQ(PlayAll(), (std::vector<std::uint32_t>{'A', 'B', 'A', 'B', 'A', 'B'}));
    EXPECT_EQ(b().JournalMode, 0);
}

class JournalNotify : public Journal {
protected:
    UINT message_ = RegisterWindowMessageA("KLSysTrayMacroJournalTest");
    HWND window_ = CreateWindowExA(0, "STATIC", "journal test", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    bool wired_ = [this] {
        b().MainWindow = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window_));
        b().NotifyMessage = message_;
        b().IconDefault = 0x777;
        return true;
    }();
    ~JournalNotify() override { DestroyWindow(window_); }

    std::vector<std::pair<WPARAM, LPARAM>> Posted() {
        std::vector<std::pair<WPARAM, LPARAM>> got;
        MSG m;
        // Each arrives twice: once to the main window, once by the broadcast.
        while (PeekMessageA(&m, window_, message_, message_, PM_REMOVE))
            if (got.empty() || got.back() != std::make_pair(m.wParam, m.lParam)) got.emplace_back(m.wParam, m.lParam);
        return got;
    }
};

TEST_F(JournalNotify, TimerMarkerHandsTheWaitToTheMainWindow) {
    const HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, NoKeys, nullptr, GetCurrentThreadId());
    SetMacro({{'A', 0}, {'B', 0}, {'C', 0x40000000 | 300}});
    b().JournalHook = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(hook));
    Skip();
    Skip();  // position 2: event 2 carries the marker
    EXPECT_EQ(b().JournalMode, 3);
    EXPECT_EQ(b().JournalHook, 0u);
    EXPECT_EQ(b().MacroPosition, 1);
    EXPECT_EQ(b().KeyloomEnabled, 1);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    EXPECT_EQ(b().MacroEvents[2].Delay, 0xC0000000u | 300u);
    const auto posted = Posted();
    ASSERT_GE(posted.size(), 2u);
    EXPECT_EQ(posted[0], std::make_pair(WPARAM(300), LPARAM(-7)));
    EXPECT_EQ(posted.back(), std::make_pair(WPARAM(-2), LPARAM(-7)));
    // Resumed by the main window: the taken marker is not waited twice.
    b().JournalMode = 2;
    Skip();
    EXPECT_EQ(b().MacroPosition, 2);
    EXPECT_EQ(b().MacroEvents[2].Delay, 0x40000000u | 300u);
}

TEST_F(JournalNotify, NegativeRepeatWaitsForTheMainWindowTimer) {
    SetMacro({{'A', 0}});
    b().MacroRepeat = -1;
    b().MacroInterval = 1500;
    Skip();
    Skip();
    EXPECT_EQ(b().JournalMode, 3);
    EXPECT_EQ(b().MacroRepeat, -1);
    const auto posted = Posted();
    const std::vector<std::pair<WPARAM, LPARAM>> want{{0x777, -2}, {1500, -7}, {WPARAM(-2), -7}};
    EXPECT_EQ(posted, want);
    // -1 and -2 are the timer's control codes, never an interval.
    for (std::int32_t interval : {-1, -2, -100}) {
        SetMacro({{'A', 0}});
        b().MacroRepeat = -1;
        b().MacroInterval = interval;
        Skip();
        Skip();
        EXPECT_EQ(Posted(), (std::vector<std::pair<WPARAM, LPARAM>>{{0x777, -2}, {0, -7}, {WPARAM(-2), -7}}))
            << interval;
    }
}

TEST_F(JournalNotify, EscapeAndSystemModalAbort) {
    SetMacro({{'A', 0}, {'B', 0}});
    b().MacroRepeat = 5;
    Skip();
    keybd_event(VK_ESCAPE, 0, 0, 0);
    for (int i = 0; i < 200 && !(GetAsyncKeyState(VK_ESCAPE) & 0x8000); ++i) Sleep(5);
    Skip();
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_EQ(b().JournalMode, 0);
    EXPECT_EQ(b().MacroRepeat, 1);
    EXPECT_EQ(b().KeyloomEnabled, 1);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    auto posted = Posted();
    EXPECT_EQ(posted, (std::vector<std::pair<WPARAM, LPARAM>>{{0x777, -2}, {WPARAM(-1), -7}}));

    for (int i = 0; i < 200 && (GetAsyncKeyState(VK_ESCAPE) & 0x8000); ++i) Sleep(5);
    SetMacro({{'A', 0}});
    b().MacroRepeat = 5;
    play_(HC_SYSMODALON, 0, 0);
    EXPECT_EQ(b().SysModal, 1);
    play_(HC_SYSMODALOFF, 0, 0);
    EXPECT_EQ(b().SysModal, 0);
    EXPECT_EQ(b().JournalMode, 0);
    EXPECT_EQ(b().MacroRepeat, 1);
}

TEST_F(Journal, BadCountsInTheBlockStayInsideTheBuffer) {
    SetMacro({{'A', 0}});
    b().MacroLength = 100000;
    b().MacroPosition = 1024;
    Skip();  // position 1025: the last event of the buffer is prepared
    EVENTMSG m{};
    Next(m);
    Skip();  // past the buffer: the macro has ended
    EXPECT_EQ(b().JournalMode, 0);
    b().JournalMode = 2;
    b().MacroPosition = 0x7FFFFFFF;
    b().MacroLength = 3;
    Skip();
    EXPECT_EQ(b().JournalMode, 0);
    b().JournalMode = 2;
    b().MacroPosition = -50;
    b().MacroLength = -3;
    Skip();
    EXPECT_EQ(Next(m), 0);
}

TEST_F(Journal, AfterARepeatWrapsTheNextRequestGetsTheFirstEvent) {
    SetMacro({{'A', 0}, {'B', 0}});
    b().MacroRepeat = 2;
    std::vector<std::uint32_t> handed;  // 0 for a request that got nothing
    for (int guard = 0; guard < 20 && b().JournalMode == 2; ++guard) {
        Skip();
        if (b().JournalMode != 2) break;
        EVENTMSG m{};
        Next(m);
        handed.push_back(m.message ? m.paramL : 0);
    }
    EXPECT_EQ(handed, (std::vector<std::uint32_t>{'A', 'B', 'A', 'B'}));
}

TEST_F(JournalNotify, AnAbortLeavesTheMacroAsItWasStored) {
    auto delays = [this] {
        std::vector<std::uint32_t> d;
        for (int i = 0; i < b().MacroLength; ++i) d.push_back(b().MacroEvents[i].Delay);
        return d;
    };
    // Aborted while a delay has been handed out for event 1.
    SetMacro({{'A', 0}, {'B', 200}, {'C', 0}, {'D', 0x40000000 | 300}});
    const std::vector<std::uint32_t> stored = delays();
    Skip();
    Skip();
    EXPECT_NE(delays(), stored);  // the delay of B is marked as handed out
    play_(HC_SYSMODALOFF, 0, 0);  // stops as an abort, as Escape does
    EXPECT_EQ(delays(), stored);

    // Aborted while the journal waits out the timer period of event 3.
    const HHOOK hook = SetWindowsHookExA(WH_KEYBOARD, NoKeys, nullptr, GetCurrentThreadId());
    SetMacro({{'A', 0}, {'B', 0}, {'C', 0}, {'D', 0x40000000 | 300}});
    const std::vector<std::uint32_t> marked = delays();
    b().JournalHook = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(hook));
    for (int i = 0; i < 3; ++i) Skip();
    ASSERT_EQ(b().JournalMode, 3);
    play_(HC_SYSMODALOFF, 0, 0);
    EXPECT_EQ(delays(), marked);
    EXPECT_EQ(b().MacroRepeat, 1);
}
