// The dispatcher's own modules linked with a table of test functions: the
// error guard, ExecuteHotkeyByID's handling of the busy flag, the parameter
// model and the binary-value reader.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "binary_value.h"
#include "block_view.h"
#include "char_substitution.h"
#include "dispatcher.h"
#include "fault_guard.h"
#include "functions/function_table.h"
#include "functions/hotkeys_held_back.h"
#include "hotkey_execution.h"
#include "params.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "text255.h"

using namespace kl;
using namespace kl::support;
using namespace kl::testing;

namespace {

constexpr std::uint32_t kRecord = 1000, kThrowStd = 1001, kThrowOther = 1002, kNested = 1003, kFaultHeldBack = 1004;

struct Seen {
    int runs = 0;
    std::int32_t suspended = 0;
    std::string field1;
    std::int32_t nestedResult = -99;
} g_seen;

void Record(SettingsBlock& b, const Params& p) {
    ++g_seen.runs;
    g_seen.suspended = b.HotkeysSuspended;
    g_seen.field1 = std::string(p.Field(1));
}
void ThrowStd(SettingsBlock&, const Params&) { throw std::runtime_error("disk on fire"); }
void ThrowOther(SettingsBlock&, const Params&) { throw 42; }
void Nested(SettingsBlock&, const Params&) { g_seen.nestedResult = ExecuteFunctionById(kRecord, "x"); }
char* volatile g_nowhere = nullptr;
void FaultHoldingHotkeysBack(SettingsBlock& b, const Params&) {
    const HotkeysHeldBack heldBack(b);
    *g_nowhere = 'x';
}

constexpr FunctionEntry kTestEntries[] = {
    {kRecord, Record}, {kThrowStd, ThrowStd}, {kThrowOther, ThrowOther}, {kNested, Nested},
    {kFaultHeldBack, FaultHoldingHotkeysBack}};

constexpr char kHotkeys[] = "Software\\Corvane\\Keyloom\\Hotkeys\\";

class Internal : public ::testing::Test {
protected:
    Internal() {
        std::memset(&map_.block(), 0, sizeof(SettingsBlock));
        g_seen = {};
        MapBlock();
    }
    ~Internal() override { UnmapBlock(); }
    CleanRegistry clean_;
    SettingsMap map_;
    SettingsBlock& b() { return map_.block(); }
};

}  // namespace

// The test table: the real program-control group and the functions above.
namespace kl::support {
FunctionHandler FindFunction(std::uint32_t id) {
    for (const FunctionEntry& e : ProgramControlFunctions())
        if (e.id == id) return e.run;
    for (const FunctionEntry& e : kTestEntries)
        if (e.id == id) return e.run;
    return nullptr;
}
}  // namespace kl::support

TEST_F(Internal, RaisedErrorsAreReportedAndClearTheBusyFlag) {
    EXPECT_EQ(ExecuteFunctionById(kThrowStd, "p"), 0);
    EXPECT_EQ(GetText255(b().StatusText), "EXCEPTION disk on fire");
    EXPECT_EQ(b().LastStatus, -1);
    EXPECT_EQ(b().HotkeysSuspended, 0);

    b().LastStatus = 0;
    EXPECT_EQ(ExecuteFunctionById(kThrowOther, nullptr), 0);
    EXPECT_EQ(GetText255(b().StatusText).rfind("EXCEPTION ", 0), 0u);
    EXPECT_EQ(b().LastStatus, -1);
    EXPECT_EQ(b().HotkeysSuspended, 0);

    EXPECT_EQ(ExecuteFunctionById(kRecord, "ok"), 1);  // the next call runs normally
    EXPECT_EQ(g_seen.runs, 1);
    EXPECT_EQ(g_seen.suspended, -1);
}

TEST_F(Internal, AContainedFaultPutsBackWhatTheFramesItEndedWouldHave) {
    InstallFaultGuard();
    for (const Bool32 enabled : {kTrue, kFalse}) {
        b().KeyloomEnabled = enabled;
        EXPECT_EQ(ExecuteFunctionById(kFaultHeldBack, ""), 0);
        EXPECT_EQ(GetText255(b().StatusText).rfind("EXCEPTION Access violation", 0), 0u) << GetText255(b().StatusText);
        EXPECT_EQ(b().KeyloomEnabled, enabled) << "hotkeys held back for good";
        EXPECT_EQ(b().HotkeysSuspended, 0);
    }
    RemoveFaultGuard();
}

TEST_F(Internal, NestedCallIsSkippedWhileTheOuterRuns) {
    EXPECT_EQ(ExecuteFunctionById(kNested, ""), 1);
    EXPECT_EQ(g_seen.nestedResult, 1);
    EXPECT_EQ(g_seen.runs, 0);
    EXPECT_EQ(GetText255(b().StatusText), "Skipping execution of function 3E8!");
    EXPECT_EQ(b().HotkeysSuspended, 0);
}

TEST_F(Internal, ExecuteHotkeyByIdRunsWithTheFlagClearedAndRestoresIt) {
    const std::string sub = std::string(kHotkeys) + "HotKey31";
    SetString(sub, "Function", ScrambleFunction("1000;field\xFF" "two"));
    SetString(sub, "Key", "65");

    b().HotkeysSuspended = kTrue;
    EXPECT_TRUE(ExecuteHotkeyByID(31));
    EXPECT_EQ(g_seen.runs, 1);
    EXPECT_EQ(g_seen.suspended, -1);  // the dispatcher's own busy mark, not a skip
    EXPECT_EQ(g_seen.field1, "field");
    EXPECT_EQ(b().HotkeysSuspended, kTrue);
    EXPECT_EQ(b().LastHotkey, 31);

    b().HotkeysSuspended = 1;  // any set value comes back as -1
    EXPECT_TRUE(ExecuteHotkeyByID(31));
    EXPECT_EQ(g_seen.runs, 2);
    EXPECT_EQ(b().HotkeysSuspended, kTrue);

    b().HotkeysSuspended = kFalse;
    b().CurrentStatus = 3;
    EXPECT_TRUE(ExecuteHotkeyByID(31));
    EXPECT_EQ(g_seen.runs, 3);
    EXPECT_EQ(b().HotkeysSuspended, kFalse);
}

TEST_F(Internal, ExecuteHotkeyByIdRefusesIdZeroAndSkipsUnreadableHotkeys) {
    b().CurrentStatus = 3;
    EXPECT_FALSE(ExecuteHotkeyByID(0));
    EXPECT_EQ(GetText255(b().StatusText), "Hotkey not recognized");
    EXPECT_EQ(b().CurrentStatus, 3);

    b().HotkeysSuspended = kTrue;
    EXPECT_TRUE(ExecuteHotkeyByID(77));  // no such hotkey: nothing runs
    EXPECT_EQ(GetText255(b().StatusText), "Executing Hotkey by ID");
    EXPECT_EQ(g_seen.runs, 0);
    EXPECT_EQ(b().LastHotkey, 0);
    EXPECT_EQ(b().HotkeysSuspended, kTrue);
    EXPECT_EQ(b().CurrentStatus, 3);
}

TEST(InternalUnmapped, ExecuteHotkeyByIdNeedsTheBlock) {
    UnmapBlock();
    EXPECT_FALSE(ExecuteHotkeyByID(1));
    EXPECT_EQ(ExecuteFunctionById(1, ""), 0);
}

TEST(ParamsModel, FieldsAreSplitFromTheLeftAfterCutting) {
    const Params p("a\xFF" "b\xFF\xFF" "d\xFF" "e");
    EXPECT_EQ(p.Field(1), "a");
    EXPECT_EQ(p.Field(2), "b");
    EXPECT_EQ(p.Field(3), "");
    EXPECT_EQ(p.Field(4), "d");
    EXPECT_EQ(p.Field(0), "");
    EXPECT_EQ(p.Field(5), "");
    EXPECT_EQ(Params("only").Field(2), "");
    EXPECT_EQ(Params("end\xFF").Field(1), "end");

    const std::string longText = std::string(254, 'x') + "\xFF" "field2";
    const Params cut(longText.c_str());
    EXPECT_EQ(cut.text().size(), 255u);
    EXPECT_EQ(cut.Field(2), "");  // the separator is the 255th character; its field is cut away

    const Params null(static_cast<const char*>(nullptr));
    EXPECT_TRUE(null.isNull());
    EXPECT_EQ(null.Field(1), "");
    EXPECT_EQ(null.Number(1), 0);
    EXPECT_FALSE(Params("").isNull());
}

TEST(ParamsModel, NumbersAndTrimming) {
    EXPECT_EQ(ParseParamNumber("123"), 123);
    EXPECT_EQ(ParseParamNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseParamNumber("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseParamNumber("2147483648"), 0);
    EXPECT_EQ(ParseParamNumber("$7fFFffFF"), INT32_MAX);
    EXPECT_EQ(ParseParamNumber("$80000000"), INT32_MIN);
    EXPECT_EQ(ParseParamNumber("$100000000"), 0);
    EXPECT_EQ(ParseParamNumber("$"), 0);
    EXPECT_EQ(ParseParamNumber("--1"), 0);
    EXPECT_EQ(ParseParamNumber("1 "), 0);
    EXPECT_EQ(ParseParamNumber("0x10"), 0);
    EXPECT_EQ(Params(" \t x y \r\n\xFF 2 ").Trimmed(1), "x y");
    EXPECT_EQ(Params(" \t x y \r\n\xFF 2 ").Trimmed(2), "2");
}

TEST(BinaryValueReader, ReadsOnlyWhatFits) {
    CleanRegistry clean;
    const std::string key = "Software\\Corvane\\Keyloom\\Hotkeys";
    const unsigned char data[6] = {1, 2, 3, 4, 5, 6};
    SetValue(key, "Scancode Map", REG_BINARY, data, sizeof data);
    SetValue(key, "Empty", REG_BINARY, data, 0);
    SetString(key, "Text", "abc");

    unsigned char buffer[8] = {};
    EXPECT_TRUE(ReadBinaryValue(HKEY_CURRENT_USER, key.c_str(), "Scancode Map", buffer, 6));
    EXPECT_EQ(std::memcmp(buffer, data, 6), 0);
    std::memset(buffer, 0xEE, sizeof buffer);
    EXPECT_FALSE(ReadBinaryValue(HKEY_CURRENT_USER, key.c_str(), "Scancode Map", buffer, 5));
    EXPECT_EQ(buffer[0], 0xEE);  // too large: the buffer is left alone
    EXPECT_FALSE(ReadBinaryValue(HKEY_CURRENT_USER, key.c_str(), "Empty", buffer, 8));
    EXPECT_FALSE(ReadBinaryValue(HKEY_CURRENT_USER, key.c_str(), "Missing", buffer, 8));
    EXPECT_FALSE(ReadBinaryValue(HKEY_CURRENT_USER, "Software\\Corvane\\Nothing", "Text", buffer, 8));
    EXPECT_TRUE(ReadBinaryValue(HKEY_CURRENT_USER, key.c_str(), "Text", buffer, 8));  // any type
    EXPECT_EQ(buffer[0], 'a');
}
