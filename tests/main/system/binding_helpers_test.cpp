// The small rules of the program core: registry numbers, folders, the repeat count,
// the stopwatch report, and the shell helpers' answers to bad input.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "model/reg_text.h"
#include "system/shell_links.h"
#include "ui/user_actions.h"

using namespace kl;

TEST(RegistryNumbers, TrimmedDecimalElseZero) {
    EXPECT_EQ(ParseRegInt(" 42 "), 42);
    EXPECT_EQ(ParseRegInt("-3"), -3);
    EXPECT_EQ(ParseRegInt(""), 0);
    EXPECT_EQ(ParseRegInt("  "), 0);
    EXPECT_EQ(ParseRegInt("12x"), 0);
    EXPECT_EQ(ParseRegInt("99999999999"), 0);
}

TEST(Folders, TrailingBackslashRule) {
    EXPECT_EQ(WithTrailingBackslash(""), "");
    EXPECT_EQ(WithTrailingBackslash("C:"), "C:");
    EXPECT_EQ(WithTrailingBackslash("C:\\x"), "C:\\x\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\x\\"), "C:\\x\\");
    EXPECT_EQ(WithTrailingBackslash("/tmp/"), "/tmp/");
}

TEST(RepeatCount, ZeroNegativeAndTextDoNotPlayAboveHundredPlaysFiveHundred) {
    EXPECT_EQ(RepeatCountFromAnswer("1"), 1);
    EXPECT_EQ(RepeatCountFromAnswer(" 100 "), 100);
    EXPECT_EQ(RepeatCountFromAnswer("101"), 500);
    EXPECT_EQ(RepeatCountFromAnswer("0"), 0);
    EXPECT_EQ(RepeatCountFromAnswer("-4"), 0);
    EXPECT_EQ(RepeatCountFromAnswer("three"), 0);
}

TEST(Stopwatch, ReportFollowsTheState) {
    SettingsBlock b{};
    EXPECT_EQ(StopwatchReport(b, 5000, 1.0).find("\r\n"), std::string::npos);

    b.StopwatchStartTicks = 1000;
    b.StopwatchStartTime = 10.0;
    const std::string running = StopwatchReport(b, 3723000 + 1000, 10.0 + 3723.0 / 86400);
    EXPECT_NE(running.find("\t 3723000"), std::string::npos) << running;
    EXPECT_NE(running.find("\t 01:02:03"), std::string::npos) << running;

    b.StopwatchStopTicks = 1500;
    b.StopwatchStopTime = 10.0 + 0.5 / 86400;
    const std::string stopped = StopwatchReport(b, 999999, 99.0);
    EXPECT_NE(stopped.find("\t 500\r\n"), std::string::npos) << stopped;

    b.StopwatchPauseTicks = 1000 + 61000;
    b.StopwatchPauseTime = 10.0 + 61.0 / 86400;
    const std::string paused = StopwatchReport(b, 999999, 99.0);
    EXPECT_NE(paused.find("\t 61000"), std::string::npos) << paused;
    EXPECT_NE(paused.find("00:01:01"), std::string::npos) << paused;
}

// keyloom.exe must not keep the folder of what it started busy.
TEST(ShellHelpers, OpeningAProgramLeavesOurWorkingFolderAlone) {
    char module[MAX_PATH] = {}, temp[MAX_PATH] = {}, before[MAX_PATH] = {}, after[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string source(module);
    source.erase(source.find_last_of("\\/") + 1);
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "keyloom-open-test";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string program = folder + "\\launch_target.exe";
    ASSERT_TRUE(CopyFileA((source + "launch_target.exe").c_str(), program.c_str(), FALSE));
    GetCurrentDirectoryA(MAX_PATH, before);
    EXPECT_EQ(ShellOpen(program, "", SW_HIDE), 0);
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, before);
    // The program ends by itself at once; its file can go once it has.
    for (int i = 0; i < 100 && !DeleteFileA(program.c_str()); ++i) Sleep(50);
    RemoveDirectoryA(folder.c_str());
}

TEST(ShellHelpers, BadInputGetsAClearAnswer) {
    EXPECT_EQ(BringWindowToFront(nullptr), 0);
    EXPECT_EQ(BringWindowToFront(reinterpret_cast<HWND>(0x7ffe)), 0);
    EXPECT_EQ(ShellOpen("", "", SW_SHOW), -1);
    ShortcutInfo info;
    info.target = "stale";
    EXPECT_FALSE(ReadShortcut("C:\\no\\such.lnk", info));
    EXPECT_EQ(info.target, "");
    EXPECT_FALSE(ReadShortcut("", info));
}
