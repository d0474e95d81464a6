// The library binding against stand-in libraries (tests/fakes) and against none:
// mapping, loading, hooks, system hotkey registrations and the export wrappers.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "system/hook_install.h"
#include "system/library_binding.h"
#include "system/support_calls.h"
#include "system/system_hotkeys.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "text255.h"
#include "win_handles.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kBase[] = "Software\\Corvane\\Keyloom\\";
constexpr char kHotkeys[] = "Software\\Corvane\\Keyloom\\Hotkeys\\";
constexpr char kTemp[] = "Software\\Corvane\\Keyloom\\Temp";

std::string TestDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

// An existing folder without any library in it.
std::string EmptyDir() {
    const std::string dir = TestDir() + "nolibs";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;  // no trailing backslash: the binding adds it
}

class Binding : public ::testing::Test {
protected:
    CleanRegistry clean_;
    SettingsMap map_;  // keeps the block alive for inspection after FinalizeLibraries

    void Start(const std::string& dataDir) {
        SetString(kBase, "DataDir", dataDir);
        InitializeLibraries();
        ASSERT_NE(Block(), nullptr);
    }
    void TearDown() override { FinalizeLibraries(); }

    template <class Fn>
    Fn* Fake(const char* name) {
        return reinterpret_cast<Fn*>(reinterpret_cast<void*>(SupportExport(name)));
    }
    int FakeCount(int which) { return Fake<std::int32_t WINAPI(std::int32_t)>("FakeCount")(which); }
    SettingsBlock& b() { return map_.block(); }
};

class WithFakes : public Binding {
protected:
    void SetUp() override { Start(TestDir() + "fakes"); }
};

class WithoutLibraries : public Binding {
protected:
    void SetUp() override { Start(EmptyDir()); }
};

class WithHalfHookLibrary : public Binding {
protected:
    void SetUp() override { Start(TestDir() + "fakes-half"); }
};

}  // namespace

// Another program may create the mapping's name first, too small or only reserved.
TEST(ForeignMapping, OnlyReservedIsNotUsed) {
    UniqueHandle reserved(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_RESERVE, 0,
                                             kSettingsBlockSize, kSettingsMapName));
    ASSERT_TRUE(reserved);
    if (GetLastError() == ERROR_ALREADY_EXISTS) GTEST_SKIP() << "the block exists already in this Wine session";
    EXPECT_FALSE(OpenSettingsMap());
    EXPECT_EQ(Block(), nullptr);
}

TEST_F(WithoutLibraries, BlockIsMappedAndEveryCallReturnsZero) {
    EXPECT_EQ(b().HookModule, 0u);
    EXPECT_EQ(b().SupportModule, 0u);
    // A folder without the libraries is not taken: the program's, here as bare.
    EXPECT_EQ(Text255View(b().DataDir), TestDir());
    EXPECT_NE(LibraryLoadFailure().find(TestDir() + "klhook.dll: "), std::string::npos) << LibraryLoadFailure();
    EXPECT_EQ(Hook(), "DLL not loaded");
    EXPECT_EQ(Unhook(), "DLL not loaded");
    EXPECT_EQ(b().HooksInstalled, 0);
    EXPECT_EQ(CallExecuteFunctionEx(1, ""), 0);
    std::int32_t m = 9, k = 9, f = 9;
    EXPECT_FALSE(CallGetHotkey(1, &m, &k, &f, nullptr, nullptr));
    b().KeyloomEnabled = 5;
    EXPECT_FALSE(ReloadSettings());
    EXPECT_EQ(b().KeyloomEnabled, -1);
    EXPECT_EQ(SaveSettings(), 0);

    FinalizeLibraries();
    EXPECT_EQ(Block(), nullptr);
    EXPECT_EQ(Hook(), "");
    EXPECT_FALSE(ReloadSettings());
}

TEST_F(Binding, StartResetsOwnedFieldsAndTakesDataDirFromTheRegistry) {
    b().MainWindow = b().NotifyMessage = b().IconDefault = b().KbdHook = 77;
    b().HotkeysSuspended = b().WinComboUsed = b().NoSysTray = b().HooksInstalled = -1;
    b().SimpleMode = 0;
    Start(EmptyDir());
    EXPECT_EQ(b().MainWindow, 0u);
    EXPECT_EQ(b().NotifyMessage, 0u);
    EXPECT_EQ(b().IconDefault, 0u);
    EXPECT_EQ(b().KbdHook, 0u);
    EXPECT_EQ(b().HotkeysSuspended, 0);
    EXPECT_EQ(b().WinComboUsed, 0);
    EXPECT_EQ(b().NoSysTray, 0);
    EXPECT_EQ(b().HooksInstalled, 0);  // left by an instance that was killed
    EXPECT_EQ(b().SimpleMode, -1);
    EXPECT_EQ(Hook(), "DLL not loaded");
}

TEST_F(Binding, ADataDirThatCannotBeReachedLeavesTheProgramFolder) {
    SetString(kBase, "DataDir", "C:\\no\\such\\folder");
    InitializeLibraries();
    ASSERT_NE(Block(), nullptr);
    EXPECT_EQ(Text255View(b().DataDir), TestDir());
}

TEST_F(WithHalfHookLibrary, OneHookAloneIsTakenBack) {
    EXPECT_NE(b().HookModule, 0u);
    EXPECT_EQ(Hook(), "NOT Hooked");
    EXPECT_EQ(b().HooksInstalled, 0);
    EXPECT_EQ(b().GetMsgHook, 0u);
    EXPECT_EQ(b().KbdHook, 0u);
    EXPECT_EQ(Unhook(), "Not hooked");
}

TEST_F(WithFakes, TheEndOfTheOutermostLibraryCallIsAnnounced) {
    static int ended = 0;
    ended = 0;
    OnLibraryCallsEnded([] { ++ended; });
    {
        LibraryCall outer;
        EXPECT_EQ(CallExecuteFunctionEx(12, "x"), 1);
        EXPECT_EQ(LibraryCallDepth(), 1);
        EXPECT_EQ(ended, 0);
    }
    EXPECT_EQ(ended, 1);
    std::int32_t m = 0, k = 0, f = 0;
    CallGetHotkey(5, &m, &k, &f, nullptr, nullptr);
    SaveSettings();
    EXPECT_EQ(ended, 3);
    EXPECT_EQ(LibraryCallDepth(), 0);
    OnLibraryCallsEnded(nullptr);
}

TEST_F(WithFakes, ACallWhoseEndAFaultSkippedDoesNotKeepTheLibraryBusy) {
    static int ended = 0;
    ended = 0;
    OnLibraryCallsEnded([] { ++ended; });
    {
        LibraryCall outer;
        // A nested call whose frame a contained fault left without running its end.
        alignas(LibraryCall) unsigned char skipped[sizeof(LibraryCall)];
        std::construct_at(reinterpret_cast<LibraryCall*>(skipped));
        EXPECT_EQ(LibraryCallDepth(), 2);
    }
    EXPECT_EQ(LibraryCallDepth(), 0);
    EXPECT_EQ(ended, 1);  // the program's exit and deferred work run again
    OnLibraryCallsEnded(nullptr);
}

TEST_F(Binding, WithoutDataDirValueTheProgramFolderIsUsed) {
    InitializeLibraries();
    ASSERT_NE(Block(), nullptr);
    EXPECT_EQ(Text255View(b().DataDir), TestDir());
}

TEST_F(WithFakes, LoadsBothLibrariesAndTheSettingsOnce) {
    EXPECT_NE(b().HookModule, 0u);
    EXPECT_NE(b().SupportModule, 0u);
    EXPECT_EQ(FakeCount(0), 1);
}

TEST_F(WithFakes, HookTwiceThenUnhookTwice) {
    EXPECT_EQ(Hook(), "Hooked");
    EXPECT_EQ(b().HooksInstalled, -1);
    const auto getMsg = b().GetMsgHook, kbd = b().KbdHook;
    EXPECT_NE(getMsg, 0u);
    EXPECT_NE(kbd, 0u);
    EXPECT_EQ(b().JournalHook, 0u);

    EXPECT_EQ(Hook(), "Already hooked");
    EXPECT_EQ(b().GetMsgHook, getMsg);
    EXPECT_EQ(b().KbdHook, kbd);

    EXPECT_EQ(Unhook(), "NOT Hooked");
    EXPECT_EQ(b().HooksInstalled, 0);
    EXPECT_EQ(b().GetMsgHook, 0u);
    EXPECT_EQ(b().KbdHook, 0u);
    EXPECT_EQ(Unhook(), "Not hooked");
}

TEST_F(WithFakes, FinalizeRemovesHooksSavesAndFreesTheLibraries) {
    EXPECT_EQ(Hook(), "Hooked");
    HMODULE support = GetModuleHandleA((TestDir() + "fakes\\klsupport.dll").c_str());
    ASSERT_NE(support, nullptr);
    auto count = reinterpret_cast<std::int32_t(WINAPI*)(std::int32_t)>(
        reinterpret_cast<void*>(GetProcAddress(support, "FakeCount")));
    const int savesBefore = count(1);
    // Hold the module so that its counters survive the binding's FreeLibrary.
    HMODULE held = LoadLibraryA((TestDir() + "fakes\\klsupport.dll").c_str());
    FinalizeLibraries();
    EXPECT_EQ(count(1), savesBefore + 1);
    EXPECT_EQ(b().HooksInstalled, 0);
    EXPECT_EQ(b().HookModule, 0u);
    EXPECT_EQ(b().SupportModule, 0u);
    EXPECT_EQ(Block(), nullptr);
    EXPECT_EQ(GetModuleHandleA((TestDir() + "fakes\\klhook.dll").c_str()), nullptr);
    FreeLibrary(held);
}

TEST_F(WithFakes, WrappersPassThroughToTheExports) {
    EXPECT_EQ(CallExecuteFunctionEx(97, nullptr), 1);
    char param[256];
    BOOL wasNull = FALSE;
    EXPECT_EQ(Fake<std::uint32_t WINAPI(char*, BOOL*)>("FakeLastExecute")(param, &wasNull), 97u);
    EXPECT_TRUE(wasNull);
    EXPECT_EQ(CallExecuteFunctionEx(12, "abc"), 1);
    EXPECT_EQ(Fake<std::uint32_t WINAPI(char*, BOOL*)>("FakeLastExecute")(param, &wasNull), 12u);
    EXPECT_STREQ(param, "abc");

    std::int32_t m = 0, k = 0, f = 0;
    char desc[kHotkeyTextBuffer], par[kHotkeyTextBuffer];
    EXPECT_TRUE(CallGetHotkey(5, &m, &k, &f, desc, par));
    EXPECT_EQ(m, 3);
    EXPECT_EQ(k, 0x42);
    EXPECT_FALSE(CallGetHotkey(3, &m, &k, &f, nullptr, nullptr));
    EXPECT_EQ(SaveSettings(), 7);
}

TEST_F(WithFakes, ReloadNeverSwitchesHotkeysOnOrOff) {
    auto setLoad = Fake<void WINAPI(std::int32_t, std::int32_t)>("FakeSetLoad");
    setLoad(0x101, 0);  // low byte true; the load clears KeyloomEnabled
    b().KeyloomEnabled = -1;
    EXPECT_TRUE(ReloadSettings());
    EXPECT_EQ(b().KeyloomEnabled, -1);

    setLoad(0x100, 1);  // low byte false; the load sets it
    b().KeyloomEnabled = 0;
    EXPECT_FALSE(ReloadSettings());
    EXPECT_EQ(b().KeyloomEnabled, 0);
    setLoad(1, 0);
}

TEST_F(WithFakes, SimpleModeRegistersSwitchedOffWinKeysThenHotkeys) {
    SetString(kBase, "WinE", "0");
    SetString(kBase, "WinR", " 1 ");
    SetString(kBase, "WinV", "x");  // not a number: counts as 0, so taken as well
    SetString(kHotkeys, "MaxKeyID", " 6 ");
    b().SimpleMode = -1;
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);

    RegisterSystemHotkeys(window);
    // Win+E, Win+V, then IDs 1, 2 (as key 255), 5; ID 3 has no definition, ID 4 is a
    // second key beyond 255 and ID 6 does not exist.
    EXPECT_EQ(GetText(kTemp, "MaxKeyID").value_or(""), "5");
    for (int n = 1; n <= 5; ++n) {
        const std::string name = "HotKey" + std::to_string(n);
        const ATOM atom = GlobalFindAtomA(name.c_str());
        EXPECT_NE(atom, 0) << name;
        EXPECT_EQ(GetText(kTemp, name.c_str()).value_or(""), std::to_string(atom)) << name;
    }
    // The registrations hold: the same combination cannot be registered again.
    EXPECT_FALSE(RegisterHotKey(window, 0x100, MOD_CONTROL, 0x41));
    EXPECT_FALSE(RegisterHotKey(window, 0x101, MOD_ALT | MOD_CONTROL, 0x42));

    EXPECT_TRUE(UnregisterSystemHotkeys(window));
    EXPECT_EQ(GetText(kTemp, "MaxKeyID").value_or(""), "0");
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(GlobalFindAtomA(("HotKey" + std::to_string(n)).c_str()), 0) << n;
    EXPECT_TRUE(RegisterHotKey(window, 0x100, MOD_CONTROL, 0x41));
    UnregisterHotKey(window, 0x100);
    DestroyWindow(window);
}

TEST_F(WithFakes, OutsideSimpleModeNothingIsRegisteredButTheCountIsWritten) {
    SetString(kBase, "WinE", "0");
    SetString(kHotkeys, "MaxKeyID", "6");
    SetString(kTemp, "MaxKeyID", "9");
    b().SimpleMode = 0;
    RegisterSystemHotkeys(nullptr);
    EXPECT_EQ(GetText(kTemp, "MaxKeyID").value_or(""), "0");
    EXPECT_EQ(GlobalFindAtomA("HotKey1"), 0);
}

TEST_F(WithFakes, UnregisterSkipsValuesThatAreNoAtoms) {
    SetString(kTemp, "MaxKeyID", "3");
    SetString(kTemp, "HotKey1", "junk");
    SetString(kTemp, "HotKey2", "5");  // an integer atom, never one of ours
    const ATOM other = GlobalAddAtomA("SomebodyElse");
    SetString(kTemp, "HotKey3", std::to_string(other));
    EXPECT_TRUE(UnregisterSystemHotkeys(nullptr));
    EXPECT_EQ(GetText(kTemp, "MaxKeyID").value_or(""), "0");
    EXPECT_EQ(GlobalFindAtomA("SomebodyElse"), 0);  // HotKey3 named it, so it went
}
