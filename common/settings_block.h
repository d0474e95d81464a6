// The record shared by keyloom.exe, klsupport.dll and every copy of klhook.dll
// through the file mapping "KeyloomSettingsMap". It is a binary format between
// processes: every offset below is fixed and checked at compile time.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kl {

inline constexpr char kSettingsMapName[] = "KeyloomSettingsMap";
inline constexpr std::uint32_t kSettingsBlockSize = 27469;

inline constexpr int kHotkeyRows = 256;
inline constexpr int kMacroEventCapacity = 1025;
inline constexpr int kCollapsedSlots = 26;
inline constexpr int kBookmarkSlots = 10;
inline constexpr int kKeyRemapEntries = 101;

// Values of CurrentStatus and LastStatus.
inline constexpr std::int32_t kStatusFunctionError = -1;
inline constexpr std::int32_t kStatusMouseKeysUnavailable = 1;
inline constexpr std::int32_t kStatusNoMacro = 3;
inline constexpr std::int32_t kStatusBlockUninitialised = 102;
inline constexpr std::int32_t kStatusRecording = 262;
inline constexpr std::int32_t kStatusPlaying = 263;
inline constexpr std::int32_t kStatusExecutingHotkey = 272;

// Modifier bits, the same in the block, the registry and RegisterHotKey.
inline constexpr std::int32_t kModAlt = 1;
inline constexpr std::int32_t kModCtrl = 2;
inline constexpr std::int32_t kModShift = 4;
inline constexpr std::int32_t kModWin = 8;

// Truth values written by keyloom.exe and klsupport (klhook writes 1).
inline constexpr std::int32_t kTrue = -1;
inline constexpr std::int32_t kFalse = 0;

#pragma pack(push, 1)

// Length-prefixed text: byte 0 the length, then up to 255 ANSI characters,
// no terminator.
struct Text255 {
    std::uint8_t length;
    char chars[255];
};

struct HotkeyEntry {
    std::int32_t ID;        // 0 ends the used rows
    std::int32_t Key;       // virtual key, mouse button 1/2/4, or 256 + scan code
    std::int32_t Modifier;  // kModAlt | kModCtrl | kModShift | kModWin
    std::int32_t Flag;      // nonzero rows never fire
};

struct MacroEvent {
    std::uint32_t Message;  // 0x100..0x108 keyboard, 0x200..0x20A mouse, 0 erased
    std::uint32_t ParamL;
    std::uint32_t ParamH;
    std::uint32_t Delay;    // bits 0-14 ms, 15 handed out, 30 timer marker, 31 taken
    std::uint32_t Window;
};

struct KeyRemapEntry {
    std::uint8_t FromScan;
    std::uint8_t FromVk;    // 0 ends the table
    std::uint8_t ToScan;
    std::uint8_t ToVk;
    std::uint8_t ForceModifiers;  // 1 Alt, 2 Ctrl, 4 Shift
};

struct KeyRemapTable {
    std::uint32_t Header1;
    std::uint32_t Header2;
    std::int32_t Count;
    KeyRemapEntry Entries[kKeyRemapEntries];
};

// Handles are stored as 32-bit words: the program is 32-bit and other
// processes read the same bytes.
using Handle32 = std::uint32_t;
using Bool32 = std::int32_t;

struct SettingsBlock {
    std::uint32_t BlockSize;
    Handle32 CollapsedWindows[kCollapsedSlots];
    std::int32_t CollapsedHeights[kCollapsedSlots];
    Handle32 MainWindow;
    std::uint32_t NotifyMessage;
    Handle32 AppWindow;
    Handle32 IconPlaying;
    Handle32 IconRecording;
    Handle32 IconDefault;
    Handle32 GetMsgHook;
    Handle32 KbdHook;
    Handle32 JournalHook;
    std::int32_t JournalMode;
    Bool32 LWinDown;
    Bool32 RWinDown;
    Bool32 AltDown;
    Bool32 CtrlDown;
    Bool32 ShiftDown;
    Text255 DirPlayDir;
    std::int32_t DirPlayPos;
    std::int32_t DirPlayMode;
    Text255 DataDir;
    Text255 LastGotoDir;
    Text255 ProfileName;
    Text255 StatusText;
    std::int32_t LastStatus;
    std::int32_t CurrentStatus;
    std::int32_t Reserved1568;
    std::int32_t MacroPosition;
    std::int32_t MacroLength;
    std::int32_t MacroRepeat;
    std::int32_t MacroInterval;
    Text255 MacroName;
    MacroEvent MacroEvents[kMacroEventCapacity];
    std::uint8_t HotkeyCountPerKey[256];
    HotkeyEntry Hotkeys[kHotkeyRows];
    Handle32 Bookmarks[kBookmarkSlots];
    Bool32 CounterStarted;
    std::int32_t CounterValue;
    Bool32 WinComboUsed;
    Bool32 SysModal;
    Bool32 SuppressStartMenu;
    Bool32 SimpleMode;
    Bool32 HotkeysSuspended;
    Bool32 LoadDuringStartup;
    Bool32 Debug;
    Bool32 CaptureMenuDblClicks;
    Bool32 ConfirmHotkeys;
    Bool32 NoSysTray;
    Bool32 MouseKeysEnabled;
    Bool32 MKNumlockON;
    Bool32 MKBorderKeys;
    Bool32 MKNumpad;
    Bool32 MKCursorKeys;
    Bool32 MKInc;
    Bool32 WinDefaultsEnabled;
    Bool32 WinD;
    Bool32 WinE;
    Bool32 WinF;
    Bool32 WinM;
    Bool32 WinR;
    Bool32 WinU;
    Bool32 WinV;
    Bool32 WinKeyEnabled;
    Bool32 LWinKeyEnabled;
    Bool32 RWinKeyEnabled;
    Bool32 KeyloomEnabled;
    Bool32 WinKeysTrap;
    Bool32 DesktopShortcut;
    Bool32 OnlineHelp;
    Bool32 BookmarksEnabled;
    std::int32_t Language;
    std::int32_t LastHotkey;
    std::int32_t MKSpeedMod;
    std::int32_t MKSpeed;
    std::int32_t MKAcceleration;
    std::uint32_t StopwatchStartTicks;
    std::uint32_t StopwatchStopTicks;
    std::uint32_t StopwatchPauseTicks;
    double StopwatchStartTime;
    double StopwatchStopTime;
    double StopwatchPauseTime;
    std::int32_t Reserved26928;
    Handle32 HookModule;
    Handle32 SupportModule;
    Bool32 HooksInstalled;
    Bool32 RemapKeys;
    Bool32 MouseHotkeys;
    KeyRemapTable KeyRemap;
};

#pragma pack(pop)

#define KL_OFFSET(type, field, expected) \
    static_assert(offsetof(type, field) == (expected), #type "::" #field " moved")

static_assert(sizeof(Text255) == 256);
static_assert(sizeof(HotkeyEntry) == 16);
KL_OFFSET(HotkeyEntry, ID, 0);
KL_OFFSET(HotkeyEntry, Key, 4);
KL_OFFSET(HotkeyEntry, Modifier, 8);
KL_OFFSET(HotkeyEntry, Flag, 12);
static_assert(sizeof(MacroEvent) == 20);
KL_OFFSET(MacroEvent, Message, 0);
KL_OFFSET(MacroEvent, ParamL, 4);
KL_OFFSET(MacroEvent, ParamH, 8);
KL_OFFSET(MacroEvent, Delay, 12);
KL_OFFSET(MacroEvent, Window, 16);
static_assert(sizeof(KeyRemapEntry) == 5);
KL_OFFSET(KeyRemapEntry, FromScan, 0);
KL_OFFSET(KeyRemapEntry, FromVk, 1);
KL_OFFSET(KeyRemapEntry, ToScan, 2);
KL_OFFSET(KeyRemapEntry, ToVk, 3);
KL_OFFSET(KeyRemapEntry, ForceModifiers, 4);
static_assert(sizeof(KeyRemapTable) == 517);
KL_OFFSET(KeyRemapTable, Header1, 0);
KL_OFFSET(KeyRemapTable, Header2, 4);
KL_OFFSET(KeyRemapTable, Count, 8);
KL_OFFSET(KeyRemapTable, Entries, 12);

KL_OFFSET(SettingsBlock, BlockSize, 0);
KL_OFFSET(SettingsBlock, CollapsedWindows, 4);
KL_OFFSET(SettingsBlock, CollapsedHeights, 108);
KL_OFFSET(SettingsBlock, MainWindow, 212);
KL_OFFSET(SettingsBlock, NotifyMessage, 216);
KL_OFFSET(SettingsBlock, AppWindow, 220);
KL_OFFSET(SettingsBlock, IconPlaying, 224);
KL_OFFSET(SettingsBlock, IconRecording, 228);
KL_OFFSET(SettingsBlock, IconDefault, 232);
KL_OFFSET(SettingsBlock, GetMsgHook, 236);
KL_OFFSET(SettingsBlock, KbdHook, 240);
KL_OFFSET(SettingsBlock, JournalHook, 244);
KL_OFFSET(SettingsBlock, JournalMode, 248);
KL_OFFSET(SettingsBlock, LWinDown, 252);
KL_OFFSET(SettingsBlock, RWinDown, 256);
KL_OFFSET(SettingsBlock, AltDown, 260);
KL_OFFSET(SettingsBlock, CtrlDown, 264);
KL_OFFSET(SettingsBlock, ShiftDown, 268);
KL_OFFSET(SettingsBlock, DirPlayDir, 272);
KL_OFFSET(SettingsBlock, DirPlayPos, 528);
KL_OFFSET(SettingsBlock, DirPlayMode, 532);
KL_OFFSET(SettingsBlock, DataDir, 536);
KL_OFFSET(SettingsBlock, LastGotoDir, 792);
KL_OFFSET(SettingsBlock, ProfileName, 1048);
KL_OFFSET(SettingsBlock, StatusText, 1304);
KL_OFFSET(SettingsBlock, LastStatus, 1560);
KL_OFFSET(SettingsBlock, CurrentStatus, 1564);
KL_OFFSET(SettingsBlock, Reserved1568, 1568);
KL_OFFSET(SettingsBlock, MacroPosition, 1572);
KL_OFFSET(SettingsBlock, MacroLength, 1576);
KL_OFFSET(SettingsBlock, MacroRepeat, 1580);
KL_OFFSET(SettingsBlock, MacroInterval, 1584);
KL_OFFSET(SettingsBlock, MacroName, 1588);
KL_OFFSET(SettingsBlock, MacroEvents, 1844);
KL_OFFSET(SettingsBlock, HotkeyCountPerKey, 22344);
KL_OFFSET(SettingsBlock, Hotkeys, 22600);
KL_OFFSET(SettingsBlock, Bookmarks, 26696);
KL_OFFSET(SettingsBlock, CounterStarted, 26736);
KL_OFFSET(SettingsBlock, CounterValue, 26740);
KL_OFFSET(SettingsBlock, WinComboUsed, 26744);
KL_OFFSET(SettingsBlock, SysModal, 26748);
KL_OFFSET(SettingsBlock, SuppressStartMenu, 26752);
KL_OFFSET(SettingsBlock, SimpleMode, 26756);
KL_OFFSET(SettingsBlock, HotkeysSuspended, 26760);
KL_OFFSET(SettingsBlock, LoadDuringStartup, 26764);
KL_OFFSET(SettingsBlock, Debug, 26768);
KL_OFFSET(SettingsBlock, CaptureMenuDblClicks, 26772);
KL_OFFSET(SettingsBlock, ConfirmHotkeys, 26776);
KL_OFFSET(SettingsBlock, NoSysTray, 26780);
KL_OFFSET(SettingsBlock, MouseKeysEnabled, 26784);
KL_OFFSET(SettingsBlock, MKNumlockON, 26788);
KL_OFFSET(SettingsBlock, MKBorderKeys, 26792);
KL_OFFSET(SettingsBlock, MKNumpad, 26796);
KL_OFFSET(SettingsBlock, MKCursorKeys, 26800);
KL_OFFSET(SettingsBlock, MKInc, 26804);
KL_OFFSET(SettingsBlock, WinDefaultsEnabled, 26808);
KL_OFFSET(SettingsBlock, WinD, 26812);
KL_OFFSET(SettingsBlock, WinE, 26816);
KL_OFFSET(SettingsBlock, WinF, 26820);
KL_OFFSET(SettingsBlock, WinM, 26824);
KL_OFFSET(SettingsBlock, WinR, 26828);
KL_OFFSET(SettingsBlock, WinU, 26832);
KL_OFFSET(SettingsBlock, WinV, 26836);
KL_OFFSET(SettingsBlock, WinKeyEnabled, 26840);
KL_OFFSET(SettingsBlock, LWinKeyEnabled, 26844);
KL_OFFSET(SettingsBlock, RWinKeyEnabled, 26848);
KL_OFFSET(SettingsBlock, KeyloomEnabled, 26852);
KL_OFFSET(SettingsBlock, WinKeysTrap, 26856);
KL_OFFSET(SettingsBlock, DesktopShortcut, 26860);
KL_OFFSET(SettingsBlock, OnlineHelp, 26864);
KL_OFFSET(SettingsBlock, BookmarksEnabled, 26868);
KL_OFFSET(SettingsBlock, Language, 26872);
KL_OFFSET(SettingsBlock, LastHotkey, 26876);
KL_OFFSET(SettingsBlock, MKSpeedMod, 26880);
KL_OFFSET(SettingsBlock, MKSpeed, 26884);
KL_OFFSET(SettingsBlock, MKAcceleration, 26888);
KL_OFFSET(SettingsBlock, StopwatchStartTicks, 26892);
KL_OFFSET(SettingsBlock, StopwatchStopTicks, 26896);
KL_OFFSET(SettingsBlock, StopwatchPauseTicks, 26900);
KL_OFFSET(SettingsBlock, StopwatchStartTime, 26904);
KL_OFFSET(SettingsBlock, StopwatchStopTime, 26912);
KL_OFFSET(SettingsBlock, StopwatchPauseTime, 26920);
KL_OFFSET(SettingsBlock, Reserved26928, 26928);
KL_OFFSET(SettingsBlock, HookModule, 26932);
KL_OFFSET(SettingsBlock, SupportModule, 26936);
KL_OFFSET(SettingsBlock, HooksInstalled, 26940);
KL_OFFSET(SettingsBlock, RemapKeys, 26944);
KL_OFFSET(SettingsBlock, MouseHotkeys, 26948);
KL_OFFSET(SettingsBlock, KeyRemap, 26952);
static_assert(sizeof(SettingsBlock) == kSettingsBlockSize, "SettingsBlock must be 27469 bytes");

#undef KL_OFFSET

}  // namespace kl
