// Hotkeys for chosen programs through keyloom.exe: two copies of the target under
// two executable names, each in front in turn. Built twice, for simple mode and
// (last, with the other hook-mode programs) for hook mode.
#include "e2e_fixture.h"

#include "model/hotkey_programs.h"
#include "model/profiles.h"
#include "testing/support_library.h"
#include "text255.h"

using namespace kl;
using namespace kl::testing;

namespace {

#ifdef KL_PROGRAMS_HOOK_MODE
constexpr bool kSimple = false;
#else
constexpr bool kSimple = true;
#endif
constexpr char kMinimised[] = "size 1";  // WM_SIZE with SIZE_MINIMIZED
constexpr WORD kKey = 'K';
constexpr int kMods = kCtrl | kShift;

class Programs : public EndToEnd {
protected:
    void SetUp() override { Options(kSimple); }

    static int StoreFor(int functionId, const std::string& programs, ProgramsMode mode) {
        const int id = Store(kKey, kMods, functionId);
        EXPECT_TRUE(WriteHotkeyPrograms(reg::kHotkeysKey, id, {programs, mode}));
        return id;
    }

    // The combination with `target` in front; true when the program received the
    // key itself (its press and release).
    static bool PressIn(TargetProgram& target) {
        EXPECT_TRUE(target.Focus());
        PressCombination(kKey, kMods);
        return PollUntil([&] { return target.Logged("down 75") && target.Logged("up 75"); }, 3000);
    }
};

TEST_F(Programs, OnlyInHotkeyActsThereAndTheKeyReachesTheOtherProgram) {
    const int id = StoreFor(kMinimiseForeground, "A.EXE", ProgramsMode::OnlyIn);
    Start();
    TargetProgram a("a.exe"), b2("b.exe");
    ASSERT_TRUE(a.ready() && b2.ready());

    EXPECT_TRUE(PressIn(b2)) << "the key did not reach b.exe";
    EXPECT_FALSE(b2.Logged(kMinimised));
    EXPECT_EQ(b().LastHotkey, 0);
    EXPECT_TRUE(b2.Logged("up 16") && b2.Logged("up 17")) << "a modifier was left down";
    EXPECT_FALSE(GetAsyncKeyState(VK_CONTROL) & 0x8000) << "Ctrl was left down";
    EXPECT_FALSE(GetAsyncKeyState(VK_SHIFT) & 0x8000) << "Shift was left down";

    EXPECT_TRUE(a.Focus());
    PressCombination(kKey, kMods);
    EXPECT_TRUE(PollUntil([&] { return a.Logged(kMinimised); }, 15000)) << "the hotkey did not act in a.exe";
    EXPECT_EQ(b().LastHotkey, id);
    EXPECT_FALSE(a.Logged("down 75"));
}

TEST_F(Programs, ExceptHotkeyLetsTheKeyThroughInItsPrograms) {
    const int id = StoreFor(kMinimiseForeground, "a.exe", ProgramsMode::ExceptIn);
    Start();
    TargetProgram a("a.exe"), b2("b.exe");
    ASSERT_TRUE(a.ready() && b2.ready());

    EXPECT_TRUE(PressIn(a)) << "the key did not reach a.exe";
    EXPECT_FALSE(a.Logged(kMinimised));
    EXPECT_EQ(b().LastHotkey, 0);

    EXPECT_TRUE(b2.Focus());
    PressCombination(kKey, kMods);
    EXPECT_TRUE(PollUntil([&] { return b2.Logged(kMinimised); }, 15000)) << "the hotkey did not act in b.exe";
    EXPECT_EQ(b().LastHotkey, id);
}

TEST_F(Programs, InAProgramWhereKeyloomIsOffEveryKeyPassesThrough) {
    const int id = Store(kKey, kMods, kMinimiseForeground);
    ASSERT_TRUE(WriteOffInPrograms(BaseKey(), "x.exe; B.exe"));
    Start();
    TargetProgram a("a.exe"), b2("b.exe");
    ASSERT_TRUE(a.ready() && b2.ready());

    EXPECT_TRUE(PressIn(b2)) << "the key did not reach b.exe";
    EXPECT_TRUE(b2.Logged("down 16") && b2.Logged("down 17"));
    EXPECT_EQ(b().LastHotkey, 0);

    EXPECT_TRUE(a.Focus());
    PressCombination(kKey, kMods);
    EXPECT_TRUE(PollUntil([&] { return a.Logged(kMinimised); }, 15000));
    EXPECT_EQ(b().LastHotkey, id);
}

TEST_F(Programs, TwoHotkeysOnOneCombinationEachActInTheirOwnProgram) {
    const int forA = StoreFor(kMinimiseForeground, "a.exe", ProgramsMode::OnlyIn);
    const int forB = StoreFor(kCloseForeground, "b.exe", ProgramsMode::OnlyIn);
    Start();
    TargetProgram a("a.exe"), b2("b.exe");
    ASSERT_TRUE(a.ready() && b2.ready());

    EXPECT_TRUE(b2.Focus());
    PressCombination(kKey, kMods);
    EXPECT_TRUE(PollUntil([&] { return b2.Logged("close 0"); }, 15000)) << "b.exe's hotkey did not act";
    EXPECT_EQ(b().LastHotkey, forB);
    EXPECT_FALSE(b2.Logged(kMinimised));

    EXPECT_TRUE(a.Focus());
    PressCombination(kKey, kMods);
    EXPECT_TRUE(PollUntil([&] { return a.Logged(kMinimised); }, 15000)) << "a.exe's hotkey did not act";
    EXPECT_EQ(b().LastHotkey, forA);
    EXPECT_FALSE(a.Logged("close 0"));
}

TEST_F(Programs, AProfileSwitchBringsItsOwnProgramsAndOffInPrograms) {
    const int id = StoreFor(kMinimiseForeground, "a.exe", ProgramsMode::OnlyIn);
    const std::string work = std::string(reg::kProfilesKey) + "Work\\";
    ASSERT_TRUE(AddProfile("Work", BinDir()));
    SetString(work, reg::kSimpleMode, kSimple ? "1" : "0");
    SetString(work, reg::kNoSysTray, "1");
    SetString(work, reg::kConfirmHotkeys, "0");
    ASSERT_TRUE(WriteOffInPrograms(work, "a.exe"));
    HotkeyStore(work + "Hotkeys\\", nullptr).StoreHotkey(-1, kKey, kMods, kCloseForeground, "work", "");
    Start();
    TargetProgram a("a.exe"), b2("b.exe");
    ASSERT_TRUE(a.ready() && b2.ready());

    Notify(1, -6);  // the first named profile: Work
    ASSERT_EQ(Text255View(b().ProfileName), "Work");
    EXPECT_TRUE(PressIn(a)) << "Keyloom is off in a.exe in this profile";
    EXPECT_FALSE(a.Logged(kMinimised));

    Notify(99, -6);  // back to the default profile
    ASSERT_EQ(Text255View(b().ProfileName), "");
    EXPECT_TRUE(PressIn(b2)) << "the default profile's hotkey is only for a.exe";
    EXPECT_FALSE(b2.Logged("close 0"));
    EXPECT_TRUE(a.Focus());
    PressCombination(kKey, kMods);
    EXPECT_TRUE(PollUntil([&] { return a.Logged(kMinimised); }, 15000));
    EXPECT_EQ(b().LastHotkey, id);
}

TEST_F(Programs, ACombinationHeldByAnotherProgramIsNamedInTheStatusBar) {
    // This test program holds Ctrl+Shift+J as another program would.
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_SHIFT, 'J'));
    Store('J', kMods, kMinimiseForeground, "", "Held elsewhere");
    Store('L', kMods, kMinimiseForeground, "", "Free one");
    Start();
    const std::string status(Text255View(b().StatusText));
    UnregisterHotKey(nullptr, 1);
    EXPECT_NE(status.find("This combination is in use by another program"), std::string::npos) << status;
    EXPECT_NE(status.find("Held elsewhere"), std::string::npos) << status;
    EXPECT_EQ(status.find("Free one"), std::string::npos) << status;
}

TEST_F(Programs, KeyloomsOwnRegistrationsAreNoConflict) {
    // Two hotkeys on one combination (for two programs) and the same again
    // after a profile's reload: Keyloom never counts its own registration.
    StoreFor(kMinimiseForeground, "a.exe", ProgramsMode::OnlyIn);
    StoreFor(kCloseForeground, "b.exe", ProgramsMode::OnlyIn);
    Start();
    EXPECT_EQ(std::string(Text255View(b().StatusText)).find("in use by another program"), std::string::npos)
        << Text255View(b().StatusText);
}

}  // namespace
