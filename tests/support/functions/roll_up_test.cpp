// Rolling windows up to their caption and down again through fn_ShowHideClientArea
// and function 38, on the block's shared rolled-up windows table.
#include <algorithm>

#include "function_fixture.h"
#include "testing/thread_window.h"
#include "testing/fresh_session.h"

using namespace kl;
using namespace kl::testing;

KL_REQUIRE_FRESH_SESSION();

namespace {

int Height(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r.bottom - r.top;
}

// A rolled-up window is as low as the caption allows: the caption button height
// plus 8, or the system's minimum tracking height for a sizable window, and in
// any case no higher than the button height plus 10, where rolling down begins.
::testing::AssertionResult RolledUp(HWND w) {
    const int h = Height(w);
    const int caption = GetSystemMetrics(SM_CYSIZE);
    const int expected = std::max(caption + 8, GetSystemMetrics(SM_CYMINTRACK));
    if (h == expected) return ::testing::AssertionSuccess();
    // Wine may settle the frame a pixel or two differently under load.
    if (h > caption && h <= caption + 10) return ::testing::AssertionSuccess() << "height " << h;
    return ::testing::AssertionFailure() << "height " << h << ", expected " << expected;
}

Handle32 H(HWND w) { return static_cast<Handle32>(reinterpret_cast<UINT_PTR>(w)); }

class RollUpTest : public FunctionTest {
protected:
    BOOLEAN(WINAPI* roll_)(HWND) = lib_.Get<BOOLEAN WINAPI(HWND)>("fn_ShowHideClientArea");

    void SetUp() override {
        FunctionTest::SetUp();
        b().CaptureMenuDblClicks = kTrue;
        std::fill(std::begin(b().CollapsedWindows), std::end(b().CollapsedWindows), 0u);
        std::fill(std::begin(b().CollapsedHeights), std::end(b().CollapsedHeights), 0);
    }
};

}  // namespace

TEST_F(RollUpTest, RollsUpToTheCaptionAndRestoresTheStoredHeight) {
    ThreadWindow window;
    HWND w = window.hwnd();
    ASSERT_EQ(Height(w), 400);

    EXPECT_EQ(roll_(w), 1);
    EXPECT_TRUE(RolledUp(w));
    EXPECT_EQ(b().CollapsedWindows[0], H(w));
    EXPECT_EQ(b().CollapsedHeights[0], 400);

    EXPECT_EQ(roll_(w), 1);
    EXPECT_EQ(Height(w), 400);
    EXPECT_EQ(b().CollapsedWindows[0], H(w)) << "the slot keeps its window";

    // Rolled up again, the window reuses its own slot.
    ASSERT_TRUE(window.BringToFront());
    EXPECT_EQ(Run(38), 1);
    EXPECT_TRUE(RolledUp(w));
    EXPECT_EQ(b().CollapsedWindows[1], 0u);
    EXPECT_EQ(Run(38), 1);
    EXPECT_EQ(Height(w), 400);
}

TEST_F(RollUpTest, TakesTheFirstFreeSlotAndDoesNothingWhenTheTableIsFull) {
    ThreadWindow window;
    HWND w = window.hwnd();
    for (int i = 0; i < kCollapsedSlots; ++i) b().CollapsedWindows[i] = 0x10000u + i;
    b().CollapsedWindows[7] = 0;
    EXPECT_EQ(roll_(w), 1);
    EXPECT_EQ(b().CollapsedWindows[7], H(w));
    EXPECT_EQ(roll_(w), 1);

    ThreadWindow other(ThreadWindow::Options().Title("second").At(450, 100));
    EXPECT_EQ(roll_(other.hwnd()), 1);
    EXPECT_EQ(Height(other.hwnd()), 400) << "no slot left";
}

TEST_F(RollUpTest, LeavesChildWindowsAndAllWindowsWhileTheOptionIsOff) {
    ThreadWindow parent;
    ThreadWindow child(ThreadWindow::Options().At(0, 0).Size(200, 300).ChildOf(parent.hwnd()));
    EXPECT_EQ(roll_(child.hwnd()), 1);
    EXPECT_EQ(Height(child.hwnd()), 300);

    b().CaptureMenuDblClicks = kFalse;
    EXPECT_EQ(roll_(parent.hwnd()), 1);
    EXPECT_EQ(Height(parent.hwnd()), 400);
    EXPECT_EQ(b().CollapsedWindows[0], 0u);

    EXPECT_EQ(roll_(nullptr), 1);
}

TEST_F(RollUpTest, AWindowThatStaysHigherThanTheCaptionStillRollsDown) {
    ThreadWindow window(ThreadWindow::Options().OnMessage([](UINT m, WPARAM, LPARAM lp) {
        if (m == WM_GETMINMAXINFO) reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize.y = 90;
    }));
    HWND w = window.hwnd();
    EXPECT_EQ(roll_(w), 1);
    EXPECT_EQ(Height(w), 90);
    EXPECT_EQ(b().CollapsedHeights[0], 400);
    EXPECT_EQ(roll_(w), 1);
    EXPECT_EQ(Height(w), 400) << "the full height is not lost";
    EXPECT_EQ(roll_(w), 1);
    EXPECT_EQ(Height(w), 90);
    EXPECT_EQ(b().CollapsedHeights[0], 400);
}

TEST_F(RollUpTest, ABadStoredHeightNeverSizesTheWindow) {
    ThreadWindow window;
    HWND w = window.hwnd();
    ASSERT_EQ(roll_(w), 1);
    const int rolled = Height(w);
    b().CollapsedHeights[0] = -5;
    EXPECT_EQ(roll_(w), 1);
    EXPECT_EQ(Height(w), rolled);
}

TEST(RollUpUnmapped, ReportsFalseWithoutTheBlock) {
    Library lib("klsupport.dll");  // no mapping exists in this process
    ThreadWindow window;
    EXPECT_EQ(lib.Get<BOOLEAN WINAPI(HWND)>("fn_ShowHideClientArea")(window.hwnd()), 0);
    EXPECT_EQ(Height(window.hwnd()), 400);
}
