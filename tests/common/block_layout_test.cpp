// The block is a binary format shared between processes: a field written
// through the struct must land on its fixed byte offset, and a 32-bit and a 64-bit
// process see each other's values; handles cross as 32-bit words.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "handle_words.h"
#include "settings_block.h"
#include "testing/block_exchange.h"
#include "testing/settings_map.h"
#include "win_handles.h"

using kl::SettingsBlock;

namespace {

struct Probe {
    const char* name;
    std::size_t offset;
    std::size_t size;
    void (*write)(SettingsBlock&);
};

#define PROBE(field, off)                                                             \
    Probe {                                                                           \
        #field, off, sizeof(SettingsBlock::field), [](SettingsBlock& b) {             \
            std::memset(reinterpret_cast<void*>(&b.field), 0xA5, sizeof(b.field));    \
        }                                                                             \
    }

const Probe kProbes[] = {
    PROBE(BlockSize, 0), PROBE(CollapsedWindows, 4), PROBE(CollapsedHeights, 108),
    PROBE(MainWindow, 212), PROBE(NotifyMessage, 216), PROBE(AppWindow, 220),
    PROBE(IconPlaying, 224), PROBE(IconRecording, 228), PROBE(IconDefault, 232),
    PROBE(GetMsgHook, 236), PROBE(KbdHook, 240), PROBE(JournalHook, 244), PROBE(JournalMode, 248),
    PROBE(LWinDown, 252), PROBE(RWinDown, 256), PROBE(AltDown, 260), PROBE(CtrlDown, 264),
    PROBE(ShiftDown, 268), PROBE(DirPlayDir, 272), PROBE(DirPlayPos, 528), PROBE(DirPlayMode, 532),
    PROBE(DataDir, 536), PROBE(LastGotoDir, 792), PROBE(ProfileName, 1048), PROBE(StatusText, 1304),
    PROBE(LastStatus, 1560), PROBE(CurrentStatus, 1564), PROBE(Reserved1568, 1568),
    PROBE(MacroPosition, 1572), PROBE(MacroLength, 1576), PROBE(MacroRepeat, 1580),
    PROBE(MacroInterval, 1584), PROBE(MacroName, 1588), PROBE(MacroEvents, 1844),
    PROBE(HotkeyCountPerKey, 22344), PROBE(Hotkeys, 22600), PROBE(Bookmarks, 26696),
    PROBE(CounterStarted, 26736), PROBE(CounterValue, 26740), PROBE(WinComboUsed, 26744),
    PROBE(SysModal, 26748), PROBE(SuppressStartMenu, 26752), PROBE(SimpleMode, 26756),
    PROBE(HotkeysSuspended, 26760), PROBE(LoadDuringStartup, 26764), PROBE(Debug, 26768),
    PROBE(CaptureMenuDblClicks, 26772), PROBE(ConfirmHotkeys, 26776), PROBE(NoSysTray, 26780),
    PROBE(MouseKeysEnabled, 26784), PROBE(MKNumlockON, 26788), PROBE(MKBorderKeys, 26792),
    PROBE(MKNumpad, 26796), PROBE(MKCursorKeys, 26800), PROBE(MKInc, 26804),
    PROBE(WinDefaultsEnabled, 26808), PROBE(WinD, 26812), PROBE(WinE, 26816), PROBE(WinF, 26820),
    PROBE(WinM, 26824), PROBE(WinR, 26828), PROBE(WinU, 26832), PROBE(WinV, 26836),
    PROBE(WinKeyEnabled, 26840), PROBE(LWinKeyEnabled, 26844), PROBE(RWinKeyEnabled, 26848),
    PROBE(KeyloomEnabled, 26852), PROBE(WinKeysTrap, 26856), PROBE(DesktopShortcut, 26860),
    PROBE(OnlineHelp, 26864), PROBE(BookmarksEnabled, 26868), PROBE(Language, 26872),
    PROBE(LastHotkey, 26876), PROBE(MKSpeedMod, 26880), PROBE(MKSpeed, 26884),
    PROBE(MKAcceleration, 26888), PROBE(StopwatchStartTicks, 26892), PROBE(StopwatchStopTicks, 26896),
    PROBE(StopwatchPauseTicks, 26900), PROBE(StopwatchStartTime, 26904), PROBE(StopwatchStopTime, 26912),
    PROBE(StopwatchPauseTime, 26920), PROBE(Reserved26928, 26928), PROBE(HookModule, 26932),
    PROBE(SupportModule, 26936), PROBE(HooksInstalled, 26940), PROBE(RemapKeys, 26944),
    PROBE(MouseHotkeys, 26948), PROBE(KeyRemap, 26952),
};

}  // namespace

TEST(BlockLayout, EveryFieldWritesExactlyItsBytes) {
    ASSERT_EQ(sizeof(SettingsBlock), 27469u);
    std::size_t covered = 0;
    for (const Probe& p : kProbes) {
        std::vector<unsigned char> bytes(sizeof(SettingsBlock), 0);
        p.write(*reinterpret_cast<SettingsBlock*>(bytes.data()));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const bool inside = i >= p.offset && i < p.offset + p.size;
            ASSERT_EQ(bytes[i], inside ? 0xA5 : 0) << p.name << " at byte " << i;
        }
        covered += p.size;
    }
    EXPECT_EQ(covered, sizeof(SettingsBlock)) << "fields overlap or leave gaps";
}

TEST(BlockLayout, RowAndRecordFormats) {
    unsigned char raw[sizeof(SettingsBlock)] = {};
    auto& b = *reinterpret_cast<SettingsBlock*>(raw);
    b.Hotkeys[1] = {0x11223344, 0x55, 0x0A, 0x01};
    const unsigned char row1[] = {0x44, 0x33, 0x22, 0x11, 0x55, 0, 0, 0, 0x0A, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(std::memcmp(raw + 22600 + 16, row1, 16), 0);

    b.MacroEvents[2] = {0x100, 0x41, 0x1E, 0x4000'8000u, 0x1234};
    const unsigned char ev2[] = {0, 1, 0, 0, 0x41, 0, 0, 0, 0x1E, 0, 0, 0, 0, 0x80, 0, 0x40, 0x34, 0x12, 0, 0};
    EXPECT_EQ(std::memcmp(raw + 1844 + 40, ev2, 20), 0);

    b.KeyRemap.Count = 2;
    b.KeyRemap.Entries[1] = {0x1E, 0x41, 0x30, 0x42, 4};
    const unsigned char entry1[] = {0x1E, 0x41, 0x30, 0x42, 4};
    EXPECT_EQ(std::memcmp(raw + 26952 + 12 + 5, entry1, 5), 0);
    EXPECT_EQ(raw[26952 + 8], 2);
}

namespace {

// Runs block_peer.exe at `path` against the block; its exit code, or -1 when it
// cannot be started here.
int RunPeer(const std::string& path) {
    std::string command = "\"" + path + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    kl::UniqueHandle process(pi.hProcess);
    CloseHandle(pi.hThread);
    if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return static_cast<int>(code);
}

std::string TestsDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.erase(dir.find_last_of("\\/") + 1);
}

// Both sides' values pass through the mapping whole; `bits` is the peer's pointer size.
void ExpectExchange(const std::string& peer, int bits) {
    kl::testing::SettingsMap map;
    ASSERT_TRUE(map);
    std::memset(&map.block(), 0, sizeof(SettingsBlock));
    kl::testing::WriteTestSide(map.block());
    const int result = RunPeer(peer);
    if (result == -1) GTEST_SKIP() << peer << " cannot run here";
    // Wine without its 32-bit part "starts" a 32-bit program that never runs and ends
    // with 0: a peer that wrote nothing did not run.
    if (result == 0 && map->Reserved1568 == 0) GTEST_SKIP() << peer << " did not run here";
    ASSERT_EQ(result, 0) << "the peer read value " << result << " wrongly";
    EXPECT_EQ(kl::testing::CheckPeerSide(map.block()), 0);
    EXPECT_EQ(map->Reserved1568 * 8, bits);
    EXPECT_EQ(kl::testing::CheckTestSide(map.block()), 0) << "the peer wrote over the test's values";
}

}  // namespace

TEST(BlockSharing, ProcessOfTheSameArchitecture) {
    ExpectExchange(TestsDir() + "block_peer.exe", static_cast<int>(sizeof(void*) * 8));
}

// A 32-bit and a 64-bit process in one mapping, as on 64-bit Windows: the x64 tests
// start the x86 build's peer where this machine runs 32-bit programs.
TEST(BlockSharing, ThirtyTwoBitProcessBesideSixtyFourBit) {
    if (sizeof(void*) == 4) GTEST_SKIP() << "the x64 tests start the 32-bit peer";
    const std::string peer = TestsDir() + "..\\..\\x86\\tests\\block_peer.exe";
    if (GetFileAttributesA(peer.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no x86 build of the tests beside this one";
    ExpectExchange(peer, 32);
}

TEST(HandleWords, WindowHandlesWidenBySignExtension) {
    EXPECT_EQ(reinterpret_cast<INT_PTR>(kl::WindowFromWord(0x00012345u)), 0x12345);
    EXPECT_EQ(reinterpret_cast<INT_PTR>(kl::WindowFromWord(0xFFFF0010u)), -0xFFF0);
    EXPECT_EQ(kl::WordFromHandle(kl::WindowFromWord(0x80000001u)), 0x80000001u);
}

TEST(HandleWords, ModuleTokensAreZeroOnlyForNoModule) {
    EXPECT_EQ(kl::ModuleToken(nullptr), 0u);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    ASSERT_NE(kernel, nullptr);
    const kl::Handle32 token = kl::ModuleToken(kernel);
    EXPECT_NE(token, 0u);
    if (sizeof(void*) == 4) {
        EXPECT_EQ(token, kl::WordFromHandle(kernel));
    }
    EXPECT_EQ(kl::ModuleMatchingToken(token, "kernel32.dll"), kernel);
    EXPECT_EQ(kl::ModuleMatchingToken(token ^ 0x10000u, "kernel32.dll"), nullptr);
    EXPECT_EQ(kl::ModuleMatchingToken(0, "kernel32.dll"), nullptr);
    EXPECT_EQ(kl::ModuleMatchingToken(token, "no-such-module.dll"), nullptr);
#ifdef _WIN64
    // Addresses whose low word is 0, or whose two halves are equal, still give a token.
    EXPECT_NE(kl::ModuleToken(reinterpret_cast<HMODULE>(0x700000000ull)), 0u);
    EXPECT_NE(kl::ModuleToken(reinterpret_cast<HMODULE>(0x0000000100000001ull)), 0u);
#endif
}
