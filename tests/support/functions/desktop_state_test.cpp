// Bookmarks, the stopwatch fields, MouseKeys and high contrast through
// ExecuteFunctionEx, against the real registry and system settings.
#include <cmath>

#include "function_fixture.h"
#include "testing/thread_window.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kTemp[] = "Software\\Corvane\\Keyloom\\Temp";

std::string Decimal(HWND w) { return std::to_string(static_cast<Handle32>(reinterpret_cast<UINT_PTR>(w))); }

using BookmarkTest = FunctionTest;
using StopwatchTest = FunctionTest;
using SystemSettingsTest = FunctionTest;

// The local date-time as days since 30 December 1899.
double NowDays() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    const double ticks = static_cast<double>((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
    return ticks / 864000000000.0 - 109205.0;
}

}  // namespace

TEST_F(BookmarkTest, RemembersTheForegroundWindowAndGoesBackToIt) {
    ThreadWindow first;
    ThreadWindow second(ThreadWindow::Options().Title("second").At(450, 100));
    ASSERT_TRUE(first.BringToFront());
    EXPECT_EQ(Run(80, "  editor "), 1);
    const auto stored = GetValue(kTemp, "Bookmark_editor");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored->data, Decimal(first.hwnd()) + std::string(1, '\0')) << "stored with its terminating zero";

    ASSERT_TRUE(second.BringToFront());
    EXPECT_EQ(Run(81, "editor"), 1);
    EXPECT_TRUE(PollFor([&] { return GetForegroundWindow() == first.hwnd(); }));
}

TEST_F(BookmarkTest, AnUnknownNameDoesNothingAndAStaleHandleIsDeleted) {
    ThreadWindow other;
    ASSERT_TRUE(other.BringToFront());
    EXPECT_EQ(Run(81, "nothing"), 1);
    EXPECT_EQ(GetForegroundWindow(), other.hwnd());
    EXPECT_TRUE(ValueNames(kTemp).empty());

    HWND gone = nullptr;
    {
        ThreadWindow temporary;
        gone = temporary.hwnd();
        ASSERT_TRUE(temporary.BringToFront());
        EXPECT_EQ(Run(80, "gone"), 1);
        temporary.Destroy();
    }
    ASSERT_FALSE(IsWindow(gone));
    SetString(kTemp, "Bookmark_junk", "not a handle");
    EXPECT_EQ(Run(81, "gone"), 1);
    EXPECT_EQ(Run(81, "junk"), 1);
    EXPECT_FALSE(GetValue(kTemp, "Bookmark_gone").has_value());
    EXPECT_FALSE(GetValue(kTemp, "Bookmark_junk").has_value());
}

TEST_F(StopwatchTest, FieldsAcrossStartPauseResumeAndStop) {
    const DWORD before = GetTickCount();
    EXPECT_EQ(Run(225), 1);
    const DWORD after = GetTickCount();
    SettingsBlock& s = b();
    EXPECT_GE(s.StopwatchStartTicks, before);
    EXPECT_LE(s.StopwatchStartTicks, after);
    EXPECT_EQ(s.StopwatchStopTicks, 0u);
    EXPECT_EQ(s.StopwatchPauseTicks, 0u);
    EXPECT_NEAR(s.StopwatchStartTime, NowDays(), 5.0 / 86400);
    EXPECT_EQ(s.StopwatchStopTime, 0.0);

    EXPECT_EQ(Run(227), 1);  // pause
    EXPECT_GE(s.StopwatchPauseTicks, before);
    EXPECT_EQ(s.StopwatchStopTicks, 0u);
    EXPECT_NEAR(s.StopwatchPauseTime, NowDays(), 5.0 / 86400);

    // Pretend the pause began a minute ago: resuming shifts the start by it.
    const DWORD start = s.StopwatchStartTicks;
    const double startTime = s.StopwatchStartTime;
    s.StopwatchPauseTicks -= 60000;
    s.StopwatchPauseTime -= 60.0 / 86400;
    EXPECT_EQ(Run(228), 1);
    EXPECT_GE(s.StopwatchStartTicks - start, 60000u);
    EXPECT_LE(s.StopwatchStartTicks - start, 65000u);
    EXPECT_NEAR(s.StopwatchStartTime - startTime, 60.0 / 86400, 5.0 / 86400);
    EXPECT_EQ(s.StopwatchPauseTicks, 0u);
    EXPECT_EQ(s.StopwatchPauseTime, 0.0);

    EXPECT_EQ(Run(226), 1);  // stop
    EXPECT_GE(s.StopwatchStopTicks, s.StopwatchStartTicks - 65000u);
    EXPECT_NE(s.StopwatchStopTicks, 0u);
    EXPECT_NEAR(s.StopwatchStopTime, NowDays(), 5.0 / 86400);
    EXPECT_EQ(s.StopwatchPauseTicks, 0u);

    EXPECT_EQ(Run(224), 1);  // reset
    EXPECT_EQ(s.StopwatchStartTicks, 0u);
    EXPECT_EQ(s.StopwatchStopTicks, 0u);
    EXPECT_EQ(s.StopwatchStartTime, 0.0);
    EXPECT_EQ(s.StopwatchStopTime, 0.0);
}

TEST_F(StopwatchTest, ResumingWithoutAPauseKeepsTheStart) {
    EXPECT_EQ(Run(225), 1);
    const DWORD start = b().StopwatchStartTicks;
    const double startTime = b().StopwatchStartTime;
    EXPECT_EQ(Run(228), 1);
    EXPECT_EQ(b().StopwatchStartTicks, start);
    EXPECT_EQ(b().StopwatchStartTime, startTime);
}

TEST_F(SystemSettingsTest, MouseKeysFollowTheOptionOrReportTheServiceMissing) {
    MOUSEKEYS saved{};
    saved.cbSize = sizeof saved;
    const bool readable = SystemParametersInfoA(SPI_GETMOUSEKEYS, sizeof saved, &saved, 0);
    b().MouseKeysEnabled = kFalse;
    b().LastStatus = 0;

    EXPECT_EQ(Run(75), 1);  // toggles to on
    EXPECT_EQ(b().MouseKeysEnabled, kTrue);
    MOUSEKEYS now{};
    now.cbSize = sizeof now;
    if (!readable) {
        EXPECT_EQ(Status(), "  MouseKeys settings cannot be retrieved");
        EXPECT_EQ(b().LastStatus, kStatusMouseKeysUnavailable);
    } else if (!(saved.dwFlags & MKF_AVAILABLE)) {
        EXPECT_EQ(Status(), "MouseKeys not available");
        EXPECT_EQ(b().LastStatus, kStatusMouseKeysUnavailable);
    } else {
        ASSERT_TRUE(SystemParametersInfoA(SPI_GETMOUSEKEYS, sizeof now, &now, 0));
        EXPECT_TRUE(now.dwFlags & MKF_MOUSEKEYSON);
    }

    EXPECT_EQ(Run(75), 1);  // and back off
    EXPECT_EQ(b().MouseKeysEnabled, kFalse);
    if (readable && (saved.dwFlags & MKF_AVAILABLE)) {
        ASSERT_TRUE(SystemParametersInfoA(SPI_GETMOUSEKEYS, sizeof now, &now, 0));
        EXPECT_FALSE(now.dwFlags & MKF_MOUSEKEYSON);
    }
    EXPECT_EQ(Run(77), 1);
    EXPECT_EQ(b().MouseKeysEnabled, kTrue);
    EXPECT_EQ(Run(78), 1);
    EXPECT_EQ(b().MouseKeysEnabled, kFalse);
    if (readable) SystemParametersInfoA(SPI_SETMOUSEKEYS, sizeof saved, &saved, 0);
}

TEST_F(SystemSettingsTest, HighContrastTogglesOrReportsItIsUnsupported) {
    HIGHCONTRASTA saved{};
    saved.cbSize = sizeof saved;
    const bool readable = SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof saved, &saved, 0);
    SetText255(b().StatusText, "");
    EXPECT_EQ(Run(198), 1);
    if (!readable) return;  // nothing to toggle
    if (!(saved.dwFlags & HCF_AVAILABLE)) {
        EXPECT_EQ(Status(), " * High Contrast mode is not supported.");
        return;
    }
    HIGHCONTRASTA now{};
    now.cbSize = sizeof now;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof now, &now, 0));
    if (Status() != "Cannot set High Contrast mode") {
        EXPECT_NE(now.dwFlags & HCF_HIGHCONTRASTON, saved.dwFlags & HCF_HIGHCONTRASTON);
    }
    SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof saved, &saved, SPIF_SENDCHANGE);
}
