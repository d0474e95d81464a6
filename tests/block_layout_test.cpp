// The block is a binary format shared between processes: a field written
// through the struct must land on its fixed byte offset.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "settings_block.h"

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
