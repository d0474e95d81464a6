// ExecuteHotkeyEx: from a key and modifier set to the stored hotkey's function.
#include "hotkey_fixture.h"

using namespace kl;
using namespace kl::testing;

TEST_F(HotkeyTest, UnknownCombinationIsNotRecognized) {
    EXPECT_FALSE(executeHotkey_(65, 1, TRUE));
    EXPECT_EQ(Status(), "Hotkey not recognized");
    EXPECT_EQ(b().CurrentStatus, 272);
}

TEST_F(HotkeyTest, ExecuteRunsTheStoredFunction) {
    StoreHotkey(kHotkeysKey, 21, 78, 3, "2;");
    StoreIndex(kHotkeysKey, "78", "21");
    b().ConfirmHotkeys = kTrue;
    EXPECT_TRUE(executeHotkey_(78, 3, TRUE));
    EXPECT_EQ(b().KeyloomEnabled, kFalse);
    EXPECT_EQ(b().LastHotkey, 21);
    EXPECT_EQ(Status(), "Executing function 2 with parameter \"\".");
    EXPECT_EQ(b().CurrentStatus, 265);
    EXPECT_EQ(b().HotkeysSuspended, 0);
}

TEST_F(HotkeyTest, CheckOnlyRunsNothing) {
    StoreHotkey(kHotkeysKey, 21, 78, 3, "2;");
    StoreIndex(kHotkeysKey, "78", "21");
    b().LastHotkey = 5;
    EXPECT_TRUE(executeHotkey_(78, 3, FALSE));
    EXPECT_TRUE(executeHotkey_(78, 3, 0x100));  // only the low byte of the flag counts
    EXPECT_EQ(b().KeyloomEnabled, kTrue);
    EXPECT_EQ(b().LastHotkey, 5);
    EXPECT_EQ(Status(), "Executing hotkey");
    EXPECT_EQ(b().CurrentStatus, 272);

    EXPECT_TRUE(executeHotkey_(78, 3, 0x101));
    EXPECT_EQ(b().KeyloomEnabled, kFalse);
}

TEST_F(HotkeyTest, UnreadableDefinitionRunsNothingButIsRecognized) {
    StoreHotkey(kHotkeysKey, 22, 79, 1, "2");  // no separator
    StoreIndex(kHotkeysKey, "79", "22");
    EXPECT_TRUE(executeHotkey_(79, 1, TRUE));
    EXPECT_EQ(b().KeyloomEnabled, kTrue);
    EXPECT_EQ(b().LastHotkey, 0);
    EXPECT_EQ(Status(), "Executing hotkey");
}

TEST_F(HotkeyTest, BusyFlagStillSkipsTheFunction) {
    StoreHotkey(kHotkeysKey, 21, 78, 3, "2;");
    StoreIndex(kHotkeysKey, "78", "21");
    b().HotkeysSuspended = kTrue;
    EXPECT_TRUE(executeHotkey_(78, 3, TRUE));
    EXPECT_EQ(b().KeyloomEnabled, kTrue);
    EXPECT_EQ(Status(), "Skipping execution of function 2!");
    EXPECT_EQ(b().HotkeysSuspended, kTrue);
}
