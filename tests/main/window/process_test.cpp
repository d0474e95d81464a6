// keyloom.exe started as a process: what start-up leaves in the registry and the
// block, the single-instance rule, switching hotkeys, and what exit cleans up.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "char_substitution.h"
#include "testing/child_process.h"
#include "testing/files.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "testing/support_library.h"
#include "testing/temp_folder.h"
#include "text255.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kBase[] = "Software\\Corvane\\Keyloom\\";
constexpr char kTemp[] = "Software\\Corvane\\Keyloom\\Temp";
constexpr char kBookmarks[] = "Software\\Corvane\\Keyloom\\Bookmarks";
constexpr int kBtnState = 1014;

// Waits for the program's error box, closes it with OK and returns its text
// (empty when no box appeared).
std::string AnswerErrorBox() {
    HWND box = nullptr;
    if (!PollUntil([&] {
            box = FindWindowA("#32770", "Keyloom");
            return box != nullptr;
        }))
        return {};
    char text[128] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return text;
}

bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

HWND WindowOf(Handle32 h) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(h)); }

std::string Caption(HWND w) {
    char text[128] = {};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

int ActivePage(HWND main) {
    HWND tabs = FindWindowExA(main, nullptr, WC_TABCONTROLA, nullptr);
    return tabs ? static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0)) : -2;
}

// True when the notification area holds the program's icon: changing the tip of an
// icon that is not there fails.
bool TrayHasIcon(HWND owner, UINT id) {
    NOTIFYICONDATAA data{};
    data.cbSize = 88;
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = NIF_TIP;
    std::strcpy(data.szTip, "Keyloom");
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// The program's own box with this caption, or null.
HWND FindBox(DWORD pid, const char* caption) {
    HWND box = nullptr;
    PollUntil([&] {
        box = FindWindowA("#32770", caption);
        DWORD owner = 0;
        if (box) GetWindowThreadProcessId(box, &owner);
        return box != nullptr && owner == pid;
    });
    return box;
}

// 300 hotkeys in the index: more than the block's table holds.
void StoreTooManyHotkeys() {
    for (int key = 10; key < 40; ++key) {
        std::string list;
        for (int n = 0; n < 10; ++n) list += std::to_string((key - 10) * 10 + n + 1) + ";";
        SetString(std::string(kBase) + "Hotkeys\\", std::to_string(key).c_str(), list);
    }
}

// Hotkey `id` on Ctrl+Alt+`key` runs `function` with `parameter`.
void StoreHotkey(int id, int key, int function, const std::string& parameter = "") {
    const std::string hotkeys = std::string(kBase) + "Hotkeys\\";
    const std::string sub = hotkeys + "HotKey" + std::to_string(id);
    SetString(sub, "Key", std::to_string(key));
    SetString(sub, "modifier", "3");
    SetString(sub, "Function", ScrambleFunction(std::to_string(function) + ";" + parameter));
    SetString(hotkeys, std::to_string(key).c_str(), std::to_string(id) + ";");
    SetString(hotkeys, "MaxKeyID", std::to_string(id));
}

class Keyloom : public ::testing::Test {
protected:
    CleanRegistry clean_;
    SettingsMap map_;
    SettingsBlock& b() { return map_.block(); }
    // Without a window manager every change of the tray costs Wine seconds.
    static void WithoutTray() { SetString(kBase, "NoSysTray", "1"); }
};

}  // namespace

TEST_F(Keyloom, StartsInTheTrayWithTheBlockFilledIn) {
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().KeyloomEnabled == -1 && TrayHasIcon(main, b().NotifyMessage); }));
    // Not a timed test: the figure is only reported.
    std::printf("[ figures  ] keyloom.exe start to tray icon and hotkeys enabled: %lu ms\n",
                static_cast<unsigned long>(GetTickCount() - app.startTicks()));

    EXPECT_EQ(GetText(kBase, "DataDir").value_or(""), BinDir());  // created on first start
    EXPECT_EQ(Text255View(b().DataDir), BinDir());
    EXPECT_EQ(WindowOf(b().MainWindow), main);
    EXPECT_EQ(WindowOf(b().AppWindow), main);
    EXPECT_EQ(b().NotifyMessage, RegisterWindowMessageA("KLSysTray1"));
    EXPECT_NE(b().IconDefault, 0u);
    EXPECT_NE(b().IconPlaying, 0u);
    EXPECT_NE(b().IconRecording, 0u);
    EXPECT_NE(b().IconDefault, b().IconPlaying);
    EXPECT_NE(b().HookModule, 0u);
    EXPECT_NE(b().SupportModule, 0u);
    EXPECT_EQ(b().BlockSize, kSettingsBlockSize);  // klsupport loaded the settings
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(TrayHasIcon(main, b().NotifyMessage));
    // Simple mode is the default: no hooks, only registrations (none here).
    EXPECT_EQ(b().HooksInstalled, 0);
    EXPECT_EQ(GetText(kTemp, "MaxKeyID").value_or(""), "0");
}

// A folder that cannot be reached now (a network drive not yet connected) may be back
// next time: the program runs from its own folder and keeps the setting.
TEST_F(Keyloom, ADataDirThatCannotBeReachedIsKeptWhileTheProgramFolderIsUsed) {
    WithoutTray();
    SetString(kBase, "DataDir", "C:\\no\\such\\folder\\");
    KeyloomProcess app;
    ASSERT_NE(app.WaitForWindow(), nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().KeyloomEnabled == -1; }));
    EXPECT_EQ(GetText(kBase, "DataDir").value_or(""), "C:\\no\\such\\folder\\");
    EXPECT_EQ(Text255View(b().DataDir), BinDir());
    EXPECT_NE(b().SupportModule, 0u);
}

TEST_F(Keyloom, ASecondInstanceShowsTheFirstOnTheHotkeysPageAndEnds) {
    WithoutTray();
    KeyloomProcess first;
    HWND main = first.WaitForWindow();
    ASSERT_NE(main, nullptr);
    HWND tabs = FindWindowExA(main, nullptr, WC_TABCONTROLA, nullptr);
    ASSERT_NE(tabs, nullptr);
    SendMessageA(tabs, TCM_SETCURSEL, 3, 0);

    KeyloomProcess second;
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(PollUntil([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_EQ(ActivePage(main), 0);
    EXPECT_EQ(FindWindowA(nullptr, kKeyloomTitle), main);
}

TEST_F(Keyloom, SimpleModeTakesSwitchedOffWindowsKeyCombinations) {
    WithoutTray();
    SetString(kBase, "WinE", "0");
    KeyloomProcess app;
    ASSERT_NE(app.WaitForWindow(), nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().KeyloomEnabled == -1; }));
    EXPECT_EQ(b().SimpleMode, -1);
    EXPECT_EQ(GetText(kTemp, "MaxKeyID").value_or(""), "1");
    EXPECT_NE(GetText(kTemp, "HotKey1").value_or("0"), "0");
}

TEST_F(Keyloom, StateButtonTwiceReturnsToTheStart) {
    WithoutTray();
    SetString(kBase, "WinE", "0");
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().KeyloomEnabled == -1; }));
    HWND button = GetDlgItem(main, kBtnState);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(Caption(button), "&Disable");

    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kBtnState, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(b().KeyloomEnabled, 0);
    EXPECT_EQ(Caption(button), "&Enable");
    EXPECT_EQ(GetText(kTemp, "MaxKeyID").value_or(""), "0");

    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kBtnState, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(b().KeyloomEnabled, -1);
    EXPECT_EQ(Caption(button), "&Disable");
    EXPECT_EQ(GetText(kTemp, "MaxKeyID").value_or(""), "1");
}

TEST_F(Keyloom, ExitReleasesEverythingDeletesTempKeysAndSavesOptions) {
    SetString(kBase, "WinE", "0");
    SetString(kBookmarks, "1", "123");
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().KeyloomEnabled == -1; }));
    ASSERT_TRUE(KeyExists(kTemp));
    const UINT notify = b().NotifyMessage;

    ASSERT_TRUE(app.Close());
    EXPECT_EQ(app.ExitCode(), 0u);
    EXPECT_FALSE(KeyExists(kTemp));
    EXPECT_FALSE(KeyExists(kBookmarks));
    EXPECT_EQ(b().KeyloomEnabled, 0);
    EXPECT_EQ(b().HookModule, 0u);
    EXPECT_EQ(b().SupportModule, 0u);
    EXPECT_TRUE(GetText(kBase, "WinD").has_value());  // the options were saved
    EXPECT_EQ(GetText(kBase, "WinE").value_or(""), "0");
    EXPECT_FALSE(TrayHasIcon(main, notify));
}

// A shown window is left to the end of the process, which ends all the same with
// everything released, saved and deleted; the tray icon goes too.
TEST_F(Keyloom, ExitWithTheWindowShownReleasesEverythingToo) {
    SetString(kBase, "WinE", "0");
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().KeyloomEnabled == -1 && TrayHasIcon(main, b().NotifyMessage); }));
    const UINT notify = b().NotifyMessage;
    PostMessageA(main, notify, 0, -9);
    ASSERT_TRUE(PollUntil([&] { return IsWindowVisible(main) != FALSE; }));

    ASSERT_TRUE(app.Close());
    EXPECT_EQ(app.ExitCode(), 0u);
    EXPECT_FALSE(KeyExists(kTemp));
    EXPECT_EQ(b().KeyloomEnabled, 0);
    EXPECT_EQ(GlobalFindAtomA("HotKey1"), 0) << "the registration of Windows+E was left behind";
    EXPECT_EQ(GetText(kBase, "WinE").value_or(""), "0");
    EXPECT_FALSE(TrayHasIcon(main, notify));
}

TEST_F(Keyloom, WithoutALanguageFileStartUpReportsTheErrorAndEnds) {
    TempFolder data;  // the program's libraries, no language file
    ASSERT_TRUE(CopyFiles(BinDir(), data.path(), {"klhook.dll", "klsupport.dll"}));
    SetString(kBase, "DataDir", data.path());

    KeyloomProcess app;
    EXPECT_EQ(AnswerErrorBox(), "No language file specified.");
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_NE(app.ExitCode(), 0u);
    EXPECT_EQ(b().KeyloomEnabled, 0);
    EXPECT_EQ(b().SupportModule, 0u);
    EXPECT_FALSE(KeyExists(kTemp));
    EXPECT_EQ(GetText(kBase, "DataDir").value_or(""), data.path());  // its libraries are the program's own
}

TEST_F(Keyloom, OutsideSimpleModeTheHooksAreInstalledAndRemovedWithTheStateButton) {
    WithoutTray();
    SetString(kBase, "SimpleMode", "0");
    SetString(kBase, "WinE", "0");  // only simple mode takes combinations away
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().KeyloomEnabled == -1; }));
    EXPECT_EQ(b().SimpleMode, 0);
    EXPECT_EQ(b().HooksInstalled, -1);
    EXPECT_NE(b().GetMsgHook, 0u);
    EXPECT_NE(b().KbdHook, 0u);
    EXPECT_EQ(GetText(kTemp, "MaxKeyID").value_or(""), "0");

    HWND button = GetDlgItem(main, kBtnState);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kBtnState, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(b().KeyloomEnabled, 0);
    EXPECT_EQ(b().HooksInstalled, 0);
    EXPECT_EQ(b().GetMsgHook, 0u);
    EXPECT_EQ(b().KbdHook, 0u);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kBtnState, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(b().HooksInstalled, -1);

    ASSERT_TRUE(app.Close());
    EXPECT_EQ(b().HooksInstalled, 0);
    EXPECT_EQ(b().KbdHook, 0u);
    EXPECT_EQ(b().HookModule, 0u);
}

TEST_F(Keyloom, TooManyHotkeysIsReportedAndStartUpGoesOn) {
    WithoutTray();
    StoreTooManyHotkeys();
    KeyloomProcess app;
    EXPECT_EQ(AnswerErrorBox(), "too many hotkeys");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    EXPECT_TRUE(PollUntil([&] { return b().KeyloomEnabled == -1; }));
    EXPECT_EQ(b().Hotkeys[255].ID, 256);
}

// Exit chosen while a function of klsupport waits for an answer must not unload the
// library under it: the program ends once the function has returned.
TEST_F(Keyloom, ExitWhileAFunctionAsksWaitsForTheAnswer) {
    WithoutTray();
    constexpr int kShutDown = 49;
    StoreHotkey(6, 'S', kShutDown);  // asks "Shut down computer ?" first
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().KeyloomEnabled == -1; }));
    const DWORD keyloomPid = GetProcessId(app.handle());
    PostMessageA(main, b().NotifyMessage, 6, -11);
    HWND box = FindBox(keyloomPid, "Warning");
    ASSERT_NE(box, nullptr);
    PostMessageA(main, WM_COMMAND, 2102, 0);  // tray menu Exit
    Sleep(300);
    EXPECT_TRUE(IsWindow(main)) << "the window went while the question was open";
    PostMessageA(box, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(app.ExitCode(), 0u);
}

// The stopwatch box is opened after the function's call has returned: Exit closes it.
TEST_F(Keyloom, ExitWhileTheStopwatchReadingIsShownEndsCleanly) {
    WithoutTray();
    constexpr int kStopwatchReading = 229;
    StoreHotkey(5, 'W', kStopwatchReading);
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().KeyloomEnabled == -1; }));
    const DWORD keyloomPid = GetProcessId(app.handle());
    PostMessageA(main, b().NotifyMessage, 5, -11);
    ASSERT_NE(FindBox(keyloomPid, "Stopwatch"), nullptr);
    PostMessageA(main, WM_COMMAND, 2102, 0);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(app.ExitCode(), 0u);
}

// Closing the window while start-up still shows its settings error waits for start-up.
TEST_F(Keyloom, CloseDuringTheStartUpErrorBoxEndsCleanly) {
    WithoutTray();
    StoreTooManyHotkeys();
    KeyloomProcess app;
    HWND box = nullptr;
    ASSERT_TRUE(PollUntil([&] { return (box = FindWindowA("#32770", "Keyloom")) != nullptr; }));
    DWORD keyloomPid = 0;
    GetWindowThreadProcessId(box, &keyloomPid);
    HWND main = FindProcessWindow(keyloomPid, kKeyloomTitle);
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_CLOSE, 0, 0);
    PostMessageA(main, RegisterWindowMessageA("KLSysTray1"), 0, -9);  // a second start
    Sleep(200);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(app.ExitCode(), 0u);
}

TEST_F(Keyloom, AWindowOfAnotherProgramWithTheSameTitleStopsNothing) {
    WithoutTray();
    HWND lookalike = CreateWindowExA(0, "STATIC", kKeyloomTitle, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(lookalike, nullptr);
    KeyloomProcess app;
    EXPECT_NE(app.WaitForWindow(), nullptr);
    EXPECT_FALSE(app.WaitForExit(500));
    DestroyWindow(lookalike);
}

TEST_F(Keyloom, TwoStartsCloseTogetherLeaveOneRunning) {
    WithoutTray();
    KeyloomProcess first;
    KeyloomProcess second;
    ASSERT_TRUE(PollUntil([&] { return first.WaitForExit(0) || second.WaitForExit(0); }));
    KeyloomProcess& ended = first.WaitForExit(0) ? first : second;
    KeyloomProcess& running = first.WaitForExit(0) ? second : first;
    EXPECT_EQ(ended.ExitCode(), 0u);
    HWND main = running.WaitForWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(running.WaitForExit(500));
    EXPECT_EQ(WindowOf(b().MainWindow), main);
}

// A killed instance leaves HooksInstalled set in the block, which outlives it in the
// programs its hook library was loaded into.
TEST_F(Keyloom, HooksAreInstalledAfterAnInstanceThatLeftTheFlagSet) {
    WithoutTray();
    SetString(kBase, "SimpleMode", "0");
    b().HooksInstalled = -1;
    KeyloomProcess app;
    ASSERT_NE(app.WaitForWindow(), nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().KeyloomEnabled == -1; }));
    EXPECT_EQ(b().HooksInstalled, -1);
    EXPECT_NE(b().KbdHook, 0u);
    EXPECT_NE(b().GetMsgHook, 0u);
}

TEST_F(Keyloom, ARestartedShellGetsTheIconAgain) {
    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PollUntil([&] { return TrayHasIcon(main, b().NotifyMessage); }));
    NOTIFYICONDATAA gone{};
    gone.cbSize = 88;
    gone.hWnd = main;
    gone.uID = b().NotifyMessage;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));  // as a new shell knows no icons
    ASSERT_FALSE(TrayHasIcon(main, b().NotifyMessage));
    SendMessageA(main, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(TrayHasIcon(main, b().NotifyMessage));
}
