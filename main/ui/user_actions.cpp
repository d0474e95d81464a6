#include "ui/user_actions.h"

#include <cmath>
#include <cstdio>

#include "ui/input_box.h"
#include "system/library_binding.h"
#include "model/reg_text.h"
#include "system/support_calls.h"
#include "model/ui_language.h"
#include "handle_words.h"
#include "text255.h"

namespace kl {
namespace {

// Language texts of the macro's repeat question and the stopwatch's report.
constexpr int kTextRepeatQuestion = 87, kTextRepeatCaption = 88, kTextStopwatch = 33, kTextStopwatchNotStarted = 40,
              kTextStopwatchRunning = 41, kTextStopwatchStopped = 42, kTextStopwatchPaused = 43,
              kTextMilliseconds = 44, kTextTime = 45;

constexpr std::uint32_t kPlayMacroFunction = 97;

HWND WindowOf(Handle32 h) { return WindowFromWord(h); }

std::string HoursMinutesSeconds(double days) {
    long long seconds = std::llround(std::fabs(days) * 86400.0);
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", (seconds / 3600) % 24, (seconds / 60) % 60,
                  seconds % 60);
    return text;
}

}  // namespace

int RepeatCountFromAnswer(std::string_view answer) {
    const int count = ParseRegInt(answer);
    if (count <= 0) return 0;
    return count > 100 ? 500 : count;
}

bool RepeatMacro() {
    HWND previous = GetForegroundWindow();
    SettingsBlock* b = Block();
    HWND main = b ? WindowOf(b->MainWindow) : nullptr;
    BringWindowToFront(main);
    const auto answer = InputBox(IsWindow(main) ? main : nullptr, UiText(kTextRepeatCaption, "Repeat macro"),
                                 UiText(kTextRepeatQuestion, "How many times should the macro be played?"), "1");
    if (!answer) return false;
    const int count = RepeatCountFromAnswer(*answer);
    if (count <= 0) return false;
    b = Block();
    if (b) {
        b->MacroRepeat = count;
        SetText255(b->StatusText, "Repeating macro " + std::to_string(count) + " times");
        b->HotkeysSuspended = kFalse;
    }
    if (!BringWindowToTop(previous) || !SetForegroundWindow(previous)) return false;
    return CallExecuteFunctionEx(kPlayMacroFunction, nullptr) != 0;
}

std::string StopwatchReport(const SettingsBlock& b, std::uint32_t nowTicks, double nowTime) {
    std::string text;
    std::uint32_t elapsed = 0;
    double elapsedTime = 0;
    if (b.StopwatchStartTicks == 0) {
        text = UiText(kTextStopwatchNotStarted, "The stopwatch is not started.");
    } else if (b.StopwatchPauseTicks != 0) {
        text = UiText(kTextStopwatchPaused, "The stopwatch is paused.");
        elapsed = b.StopwatchPauseTicks - b.StopwatchStartTicks;
        elapsedTime = b.StopwatchPauseTime - b.StopwatchStartTime;
    } else if (b.StopwatchStopTicks != 0) {
        text = UiText(kTextStopwatchStopped, "The stopwatch is stopped.");
        elapsed = b.StopwatchStopTicks - b.StopwatchStartTicks;
        elapsedTime = b.StopwatchStopTime - b.StopwatchStartTime;
    } else {
        text = UiText(kTextStopwatchRunning, "The stopwatch is running.");
        elapsed = nowTicks - b.StopwatchStartTicks;
        elapsedTime = nowTime - b.StopwatchStartTime;
    }
    if (elapsed != 0) {
        text += "\r\n" + UiText(kTextMilliseconds, "Milliseconds:") + "\t " + std::to_string(elapsed);
        text += "\r\n" + UiText(kTextTime, "Time:") + "\t " + HoursMinutesSeconds(elapsedTime);
    }
    return text;
}

double CurrentDateTime() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    const ULONGLONG t = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    // 1601-01-01 to 1899-12-30 is 109205 days; FILETIME counts 100 ns steps.
    return static_cast<double>(t) / 864000000000.0 - 109205.0;
}

void ShowTimerStatus() {
    SettingsBlock* b = Block();
    if (!b) return;
    const std::string text = StopwatchReport(*b, GetTickCount(), CurrentDateTime());
    MessageBoxA(WindowOf(b->MainWindow), text.c_str(), UiText(kTextStopwatch, "Stopwatch").c_str(), MB_OK);
}

BOOL BringWindowToFront(HWND window) {
    if (!window || !IsWindow(window)) return 0;
    if (IsWindowVisible(window))
        ShowWindow(window, SW_RESTORE);
    else if (IsIconic(window))
        OpenIcon(window);
    else if (!IsZoomed(window) && !IsWindowEnabled(window))
        EnableWindow(window, TRUE);
    BringWindowToTop(window);
    return SetForegroundWindow(window);
}

}  // namespace kl
