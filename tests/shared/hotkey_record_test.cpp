// The hotkey record of kl_shared: what the store writes is read back whole, and the
// hotkey of a key follows one rule for damaged lists and values.
#include <gtest/gtest.h>

#include <string>

#include "char_substitution.h"
#include "hotkey_index.h"
#include "hotkey_record.h"
#include "testing/registry.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kHotkeys[] = "Software\\Corvane\\Keyloom\\Hotkeys\\";

std::string Sub(int id) { return std::string(kHotkeys) + "HotKey" + std::to_string(id); }

class HotkeyRecordTest : public ::testing::Test {
protected:
    CleanRegistry clean_;
};

}  // namespace

TEST_F(HotkeyRecordTest, WrittenRecordReadsBackWithTextsCut) {
    const std::string parameter = std::string(250, '\xFF') + "0123456789";
    ASSERT_TRUE(WriteHotkeyRecord(kHotkeys, 4, 300, 5, std::string(300, 'd'), 164, parameter));
    EXPECT_EQ(GetText(Sub(4), "Modifier"), "5");
    EXPECT_EQ(GetText(Sub(4), "Key"), "300");
    EXPECT_EQ(GetText(Sub(4), "Function"), ScrambleFunction("164;" + parameter.substr(0, 255)));

    const HotkeyRecord r = ReadHotkeyRecord("Software\\Corvane\\Keyloom\\Hotkeys", 4);  // no final backslash
    EXPECT_TRUE(r.exists && r.runnable);
    EXPECT_EQ(r.key, 300);
    EXPECT_EQ(r.modifier, 5);
    EXPECT_EQ(r.functionId, 164);
    EXPECT_EQ(r.description, std::string(255, 'd'));
    EXPECT_EQ(r.parameters, parameter.substr(0, 255));

    EXPECT_FALSE(ReadHotkeyRecord(kHotkeys, 5).exists);
    SetString(Sub(4), "Function", "!");
    EXPECT_FALSE(ReadHotkeyRecord(kHotkeys, 4).runnable);
    EXPECT_EQ(ReadHotkeyRecord(kHotkeys, 4).key, 300);
}

TEST_F(HotkeyRecordTest, IndexPiecesNameIdsByOneRule) {
    EXPECT_EQ(IndexId("12"), 12);
    EXPECT_EQ(IndexId(" 12 "), 12);
    for (const char* piece : {"", " ", "0", "+5", "-5", "5x", "2147483648", "99999999999"})
        EXPECT_EQ(IndexId(piece), 0) << piece;
    EXPECT_TRUE(IndexHolds("x;; 7 ;", 7));
    EXPECT_EQ(IndexWithout("x;; 7 ;8", 7), "x;8;");
}

TEST_F(HotkeyRecordTest, TheHotkeyOfAKeyIsTheLastOfItsOwnListOnTheCombination) {
    WriteHotkeyRecord(kHotkeys, 1, 'N', 3, "", 1, "");
    WriteHotkeyRecord(kHotkeys, 2, 'N', 3, "", 1, "");
    WriteHotkeyRecord(kHotkeys, 3, 'N', 2, "", 1, "");
    SetString(kHotkeys, "78", "1;;x;2;3;99;");  // 99 has no subkey
    EXPECT_EQ(FindHotkeyOfKey(kHotkeys, 'N', 3), 2);
    EXPECT_EQ(FindHotkeyOfKey(kHotkeys, 'N', 2), 3);
    EXPECT_EQ(FindHotkeyOfKey(kHotkeys, 'N', 1), 0);

    // The registry's number rule: "03" is 3, " 3" is no number.
    SetString(Sub(2), "Modifier", " 3");
    EXPECT_EQ(FindHotkeyOfKey(kHotkeys, 'N', 3), 1);
    SetString(Sub(2), "Modifier", "03");
    EXPECT_EQ(FindHotkeyOfKey(kHotkeys, 'N', 3), 2);

    // Listed under another key, or without its values, a definition is not on this one.
    SetString(kHotkeys, "78", "3;");
    SetString(kHotkeys, "79", "1;");
    EXPECT_EQ(FindHotkeyOfKey(kHotkeys, 'N', 3), 0);
    const DWORD number = 78;
    SetValue(Sub(3), "Key", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(FindHotkeyOfKey(kHotkeys, 'N', 2), 0);
}

TEST_F(HotkeyRecordTest, ScanCodeKeysAreFoundInTheList255) {
    WriteHotkeyRecord(kHotkeys, 6, 300, 0, "", 1, "");
    SetString(kHotkeys, "255", "6;");
    SetString(kHotkeys, "44", "6;");  // 300 & 0xFF: not where it is listed
    EXPECT_EQ(FindHotkeyOfKey(kHotkeys, 300, 0), 6);
    EXPECT_EQ(FindHotkeyOfKey(kHotkeys, 44, 0), 0);
    EXPECT_EQ(FindHotkeyOfKey(kHotkeys, 301, 0), 0);
    EXPECT_EQ(FindHotkeyOfKey("", 300, 0), 0);
}
