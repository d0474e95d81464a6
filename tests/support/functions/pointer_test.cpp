// Pointer functions through ExecuteFunctionEx: centring, relative moves by the
// MKSpeed step, clicks arriving at the foreground window, and the wheel.
#include <cstdint>

#include "function_fixture.h"
#include "testing/hung_window.h"
#include "testing/thread_window.h"

using namespace kl;
using namespace kl::testing;

namespace {

POINT Cursor() {
    POINT p{};
    GetCursorPos(&p);
    return p;
}

::testing::AssertionResult CursorAt(int x, int y) {
    POINT p{};
    if (PollFor([&] {
            p = Cursor();
            return p.x == x && p.y == y;
        }, 2000))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pointer at " << p.x << "," << p.y;
}

using PointerFunctionTest = FunctionTest;

}  // namespace

TEST_F(PointerFunctionTest, CentresThePointerInTheWorkArea) {
    RECT area{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    SetCursorPos(area.left + 3, area.top + 3);
    EXPECT_EQ(Run(64), 1);
    EXPECT_TRUE(CursorAt(area.left + (area.right - area.left) / 2, area.top + (area.bottom - area.top) / 2));
}

TEST_F(PointerFunctionTest, MovesThePointerByTheSpeedStep) {
    ASSERT_TRUE(SetCursorPos(300, 300));
    ASSERT_TRUE(CursorAt(300, 300));
    // Relative moves are accelerated beyond the system's first mouse threshold (6).
    b().MKSpeed = 5;
    EXPECT_EQ(Run(70), 1);  // down
    EXPECT_TRUE(CursorAt(300, 305));
    EXPECT_EQ(Run(72), 1);  // right
    EXPECT_TRUE(CursorAt(305, 305));
    EXPECT_EQ(Run(69), 1);  // up
    EXPECT_TRUE(CursorAt(305, 300));
    EXPECT_EQ(Run(71), 1);  // left
    EXPECT_TRUE(CursorAt(300, 300));
}

TEST_F(PointerFunctionTest, AnOutlandishSpeedInTheBlockIsHarmless) {
    ASSERT_TRUE(SetCursorPos(300, 300));
    b().MKSpeed = INT32_MIN;
    EXPECT_EQ(Run(69), 1);
    EXPECT_EQ(Run(73), 1);
}

TEST_F(PointerFunctionTest, ClicksArriveAtTheForegroundWindowBelowItsCaption) {
    ThreadWindow window;
    ASSERT_TRUE(window.BringToFront());
    ASSERT_TRUE(SetCursorPos(150, 200));
    ASSERT_TRUE(CursorAt(150, 200));
    POINT client{150, 200};
    ScreenToClient(window.hwnd(), &client);
    const LPARAM at = MAKELPARAM(client.x + 4, client.y + GetSystemMetrics(SM_CYCAPTION) + 4);

    struct Button {
        DWORD id;
        UINT down, up;
    };
    for (const Button& button : {Button{66, WM_LBUTTONDOWN, WM_LBUTTONUP}, Button{67, WM_RBUTTONDOWN, WM_RBUTTONUP},
                                 Button{68, WM_MBUTTONDOWN, WM_MBUTTONUP}}) {
        window.ClearMessages();
        EXPECT_EQ(Run(button.id), 1);
        // Sent, so they have arrived when the call returns.
        const auto downs = window.Messages(button.down);
        const auto ups = window.Messages(button.up);
        ASSERT_EQ(downs.size(), 1u) << button.id;
        ASSERT_EQ(ups.size(), 1u) << button.id;
        EXPECT_EQ(downs[0].lParam, at);
        EXPECT_EQ(ups[0].lParam, at);
        EXPECT_EQ(downs[0].wParam, 0u);
    }
}

TEST_F(PointerFunctionTest, AClickOnAHungWindowDoesNotWaitForIt) {
    HungWindow hung;
    ThreadWindow& window = hung.window();
    ASSERT_TRUE(window.BringToFront());
    ASSERT_TRUE(SetCursorPos(150, 200));
    ASSERT_TRUE(CursorAt(150, 200));
    ASSERT_TRUE(hung.Hang());
    EXPECT_EQ(Run(66), 1);
    EXPECT_TRUE(hung.StillHung()) << "the click waited for the hung window";
    hung.Release();
    // Once the window answers again the click arrives whole: no button stays down.
    EXPECT_TRUE(window.WaitForMessage(WM_LBUTTONUP));
    EXPECT_EQ(window.Messages(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(window.Messages(WM_LBUTTONUP).size(), 1u);
}

TEST_F(PointerFunctionTest, TheWheelTurnsByTheSpeedStep) {
    ThreadWindow window;
    ASSERT_TRUE(window.BringToFront());
    ASSERT_TRUE(SetCursorPos(200, 250));  // over the window
    b().MKSpeed = 120;
    EXPECT_EQ(Run(74), 1);
    ASSERT_TRUE(window.WaitForMessage(WM_MOUSEWHEEL));
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(window.Messages(WM_MOUSEWHEEL)[0].wParam), 120);
    window.ClearMessages();
    EXPECT_EQ(Run(73), 1);
    ASSERT_TRUE(window.WaitForMessage(WM_MOUSEWHEEL));
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(window.Messages(WM_MOUSEWHEEL)[0].wParam), -120);
}

// The focus belongs to the calling thread's windows, so these live on the test's own thread.
TEST_F(PointerFunctionTest, FocusFollowsThePointerAndThePointerFollowsTheFocus) {
    HWND host = CreateWindowExA(0, "STATIC", "focus host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 300, 300, 200,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(host);
    HWND left = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 30, host, nullptr, nullptr, nullptr);
    HWND right = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 150, 10, 100, 30, host, nullptr, nullptr, nullptr);
    SetForegroundWindow(host);
    SetFocus(left);
    ASSERT_EQ(GetFocus(), left);

    RECT r{};
    GetWindowRect(right, &r);
    ASSERT_TRUE(SetCursorPos(r.left + 20, r.top + 10));
    ASSERT_TRUE(CursorAt(r.left + 20, r.top + 10));
    EXPECT_EQ(Run(76), 1);
    EXPECT_EQ(GetFocus(), right);

    SetFocus(left);
    GetWindowRect(left, &r);
    EXPECT_EQ(Run(65), 1);
    EXPECT_TRUE(CursorAt(r.left, r.top));
}
