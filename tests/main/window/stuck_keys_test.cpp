// No key or mouse button stays down after a macro: played to its end, aborted
// with Escape or both Windows keys, cut short by the program's end, and after a
// hotkey that types while the user still holds the hotkey's modifiers.
#include <string>

#include "e2e_fixture.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr int kPlayEventText = 100;
constexpr int kTypeText = 160;
constexpr int kEveryModifierAndButton[] = {
    VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_LMENU,
    VK_RMENU, VK_LWIN,   VK_RWIN,   VK_LBUTTON, VK_RBUTTON,  VK_MBUTTON,  VK_XBUTTON1, VK_XBUTTON2,
};

bool Down(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

std::string HeldNow() {
    std::string held;
    for (int vk : kEveryModifierAndButton)
        if (Down(vk)) held += std::to_string(vk) + " ";
    return held;
}

// Presses both halves of a key.
void Tap(WORD vk) {
    KeyDown(vk);
    KeyUp(vk);
}

class StuckKeys : public EndToEnd {
protected:
    // Hook mode; Ctrl+Shift+K plays `eventText` (start mode `mode`), and the
    // test waits until the macro holds Shift and the left button.
    void StartHolding(const std::string& eventText, const std::string& mode = "0") {
        Options(false);
        Store('K', kCtrl | kShift, kPlayEventText, eventText + '\xFF' + mode);
        Start();
        target_ = std::make_unique<TargetProgram>();
        ASSERT_TRUE(target_->ready());
        const POINT centre = target_->Centre();  // the macro's clicks land on the target
        SetCursorPos(centre.x, centre.y);
        PressCombination('K', kCtrl | kShift);
        ASSERT_TRUE(PollUntil([] { return Down(VK_SHIFT) && Down(VK_LBUTTON); }, 15000)) << "the macro did not start";
    }
    void ExpectNothingHeld() {
        EXPECT_TRUE(PollUntil([] { return HeldNow().empty(); }, 5000)) << "still down: " << HeldNow();
    }
    std::unique_ptr<TargetProgram> target_;
};

constexpr char kLongMacro[] = "SHIFT CTRL LD RD MD A P:8000 B";

}  // namespace

TEST_F(StuckKeys, PlaybackAbortedWithEscape) {
    StartHolding(kLongMacro);
    Tap(VK_ESCAPE);
    EXPECT_TRUE(PollUntil([&] { return b().JournalMode == 0; }, 5000));
    ExpectNothingHeld();
    EXPECT_FALSE(target_->Logged("down 66"));  // B never came
}

TEST_F(StuckKeys, PlaybackAbortedWithBothWindowsKeys) {
    StartHolding(kLongMacro);
    KeyDown(VK_LWIN);
    KeyDown(VK_RWIN);
    EXPECT_TRUE(PollUntil([&] { return b().JournalMode == 0; }, 5000));
    KeyUp(VK_RWIN);
    KeyUp(VK_LWIN);
    ExpectNothingHeld();
}

TEST_F(StuckKeys, PlaybackEndingWithKeysStillPressed) {
    StartHolding("SHIFT CTRL LD RD A P:300 B");  // never releases what it pressed
    EXPECT_TRUE(PollUntil([&] { return b().JournalMode == 0; }, 15000));
    EXPECT_TRUE(target_->Logged("down 66"));
    ExpectNothingHeld();
}

TEST_F(StuckKeys, TimerPlaybackAbortedWithEscape) {
    StartHolding(kLongMacro, "1");  // played by the main window's timer
    EXPECT_EQ(b().JournalMode, 4);
    Tap(VK_ESCAPE);
    EXPECT_TRUE(PollUntil([&] { return b().JournalMode == 0; }, 5000));
    ExpectNothingHeld();
}

TEST_F(StuckKeys, ProgramEndingInTheMiddleOfAPlayback) {
    StartHolding(kLongMacro);
    EXPECT_TRUE(app_->Close());
    app_.reset();
    ExpectNothingHeld();
}

TEST_F(StuckKeys, TypingWhileTheUserHoldsTheHotkeysModifiers) {
    Options(false);
    Store('T', kCtrl | kAlt, kTypeText, "Hello World<P:300>!");
    Start();
    TargetProgram target;
    ASSERT_TRUE(target.ready());
    PressModifiers(kCtrl | kAlt);
    Tap('T');  // the hotkey runs on the key's release, Ctrl and Alt still held
    // The text waits for the user's modifiers (or lets go of them itself): it arrives as
    // text, not as Ctrl+Alt combinations.
    EXPECT_TRUE(PollUntil([&] { return target.Logged("char 72"); }, 15000)) << "no H was typed";
    ReleaseModifiers(kCtrl | kAlt);
    EXPECT_TRUE(PollUntil([&] { return b().JournalMode == 0 && b().HotkeysSuspended == 0; }, 15000));
    ExpectNothingHeld();
}
