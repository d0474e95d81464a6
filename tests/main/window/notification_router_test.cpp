// The main window's notification router: which code reaches which handler, and what
// waits while the window is being created or a library call is in progress.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "handle_words.h"
#include "system/library_binding.h"
#include "window/notification_router.h"

using namespace kl;

namespace {

std::unique_ptr<SettingsBlock> g_block;
SettingsBlock* TestBlock() { return g_block.get(); }

class Target : public NotificationTarget {
public:
    bool creating = false, closed = false;
    std::vector<std::string> calls;

    bool Creating() const override { return creating; }
    bool Closed() const override { return closed; }
    void CompleteStartup() override { calls.push_back("startup"); }
    void RunHotkey(std::uint32_t id) override { calls.push_back("hotkey " + std::to_string(id)); }
    void ShowMainWindow() override { calls.push_back("show"); }
    void ToggleTimerPlayback() override { calls.push_back("toggle"); }
    void ControlTimer(std::int32_t argument) override { calls.push_back("timer " + std::to_string(argument)); }
    void LoadProfileNumber(int number) override { calls.push_back("profile " + std::to_string(number)); }
    void RunPrompt() override { calls.push_back("prompt"); }
    void ShowIcon(HICON) override { calls.push_back("icon"); }
    void PopupTrayMenu() override { calls.push_back("menu"); }
};

class Router : public ::testing::Test {
protected:
    void SetUp() override { g_block = std::make_unique<SettingsBlock>(); }
    void TearDown() override { g_block.reset(); }
    Target target;
    NotificationRouter router{target, BlockAccess(&TestBlock)};
};

using Calls = std::vector<std::string>;

}  // namespace

TEST_F(Router, HandsEachCodeToItsHandlerAfterTheControlsAreMade) {
    router.Route(7, -11);
    router.Route(0, -11);  // no hotkey ID: nothing
    router.Route(3, -6);
    router.Route(0, WM_RBUTTONDOWN);
    EXPECT_EQ(target.calls, (Calls{"startup", "hotkey 7", "startup", "startup", "profile 3", "startup", "menu"}));
    target.calls.clear();
    router.Route(static_cast<WPARAM>(-2), -7);  // a state change only: no controls needed
    router.Route(0, -8);
    EXPECT_EQ(target.calls, (Calls{"timer -2", "toggle"}));
}

TEST_F(Router, TakesOnlyTheProgramsOwnIcons) {
    g_block->IconPlaying = 0x1234;
    router.Route(0x1234, -2);
    router.Route(0x9999, -2);
    router.Route(0, -2);
    EXPECT_EQ(target.calls, (Calls{"icon"}));
}

TEST_F(Router, HoldsWhatArrivesDuringCreationOrALibraryCallUntilItIsOver) {
    target.creating = true;
    router.Route(5, -11);
    router.Route(0, -8);  // during creation everything waits
    EXPECT_TRUE(target.calls.empty());
    target.creating = false;
    {
        LibraryCall call;
        router.Route(6, -11);
        router.Route(0, -8);  // runs in place inside the call
        EXPECT_EQ(target.calls, (Calls{"toggle"}));
        router.RunWaiting();  // still inside the call: what may show something waits again
        EXPECT_EQ(target.calls, (Calls{"toggle", "toggle"}));
    }
    target.calls.clear();
    EXPECT_TRUE(router.HasWaiting());
    router.RunWaiting();
    EXPECT_EQ(target.calls, (Calls{"startup", "hotkey 5", "startup", "hotkey 6"}));
    EXPECT_FALSE(router.HasWaiting());
}

TEST_F(Router, DropsWhatWaitsOnceTheWindowClosesOrTheBlockIsGone) {
    target.creating = true;
    router.Route(5, -11);
    router.Route(6, -11);
    target.creating = false;
    target.closed = true;
    router.RunWaiting();
    EXPECT_TRUE(target.calls.empty());
    EXPECT_FALSE(router.HasWaiting());
    target.closed = false;
    router.Route(7, -11);
    g_block.reset();
    router.Route(8, -11);  // no block: the controls are made, nothing runs
    EXPECT_EQ(target.calls, (Calls{"startup", "hotkey 7", "startup"}));
}
