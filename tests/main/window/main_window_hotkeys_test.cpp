// What the main window does with a hotkey beyond the plain cases: the recently
// used list, a window hotkey on a key without a virtual-key code, code -10, and
// a function run from the Functions list with its parameters asked for.
// Messages are sent, so each has been handled when the call returns.
#include <cstdio>
#include <string>

#include "model/language.h"
#include "e2e_fixture.h"
#include "testing/child_process.h"
#include "testing/support_library.h"
#include "testing/temp_dir.h"
#include "text255.h"
#include "window/control_ids.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr LPARAM kExecuteHotkey = -11;
constexpr LPARAM kExecuteFunction = -10;
constexpr int kStarted = 265;  // CurrentStatus as the dispatcher starts a function

class MainWindowHotkeys : public EndToEnd {
protected:
    void SetUp() override {
        Options(true);
        id_ = Store('J', kCtrl | kAlt, kToggleWindowsKey);
        wide_ = Store(364, kCtrl, kToggleWindowsKey);  // a key without a virtual-key code of its own
        Start();
    }

    // Clears the marks a run leaves, so the next check sees only what follows.
    void Reset() {
        b().CurrentStatus = 0;
        b().SuppressStartMenu = 0;
    }
    bool Ran() { return b().CurrentStatus == kStarted; }
    static LPARAM HotkeyLParam(int modifier, int key) { return MAKELPARAM(modifier, key); }

    int id_ = 0;
    int wide_ = 0;
};

struct DialogSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<DialogSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid != s->pid || std::string(cls) != "#32770" || !IsWindowVisible(w)) return TRUE;
    s->found = w;
    return FALSE;
}

// The text of a window of another process, asked of the window itself.
std::string TextOf(HWND w) {
    char text[512] = {};
    DWORD_PTR copied = 0;
    if (!w || !SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000,
                                   &copied))
        return {};
    return text;
}

// The texts of a box's static controls, joined by line breaks.
std::string StaticTexts(HWND box) {
    std::string texts;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") == 0) texts += TextOf(child) + "\n";
    }
    return texts;
}

// The question box the main window shows, answered as a user answers it.
struct Question {
    HWND box = nullptr;
    std::string caption, prompt;

    explicit Question(HWND main) {
        DWORD pid = 0;
        GetWindowThreadProcessId(main, &pid);
        DialogSearch search{pid, nullptr};
        PollUntil([&] {
            search.found = nullptr;
            EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
            // Found once it has been given its texts.
            return search.found != nullptr && !TextOf(GetDlgItem(search.found, 100)).empty();
        }, 5000);
        box = search.found;
        if (!box) return;
        caption = TextOf(box);
        prompt = TextOf(GetDlgItem(box, 100));
    }
    void Answer(const std::string& text) { Close(text, IDOK); }
    void Cancel() { Close("", IDCANCEL); }

private:
    void Close(const std::string& text, int button) {
        if (!box) return;
        SendMessageA(GetDlgItem(box, 101), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        PostMessageA(box, WM_COMMAND, button, 0);
        EXPECT_TRUE(PollUntil([&] { return !IsWindow(box); }, 5000));
    }
};

}  // namespace

TEST_F(MainWindowHotkeys, RecentlyUsedListRunsItsHotkeysWithoutReordering) {
    Notify(static_cast<WPARAM>(id_), kExecuteHotkey);
    Notify(static_cast<WPARAM>(wide_), kExecuteHotkey);
    ASSERT_EQ(b().LastHotkey, wide_);

    // The list is oldest first: the first item is the hotkey run first.
    for (const int expected : {id_, id_, wide_}) {
        Reset();
        const int item = expected == id_ ? 0 : 1;
        SendToMain(WM_COMMAND, ids::mnCustomFirst + item, 0);
        EXPECT_TRUE(Ran());
        EXPECT_EQ(b().LastHotkey, expected);
    }

    // An item the list does not have runs nothing.
    Reset();
    b().LastHotkey = 0;
    SendToMain(WM_COMMAND, ids::mnCustomFirst + 4, 0);
    EXPECT_FALSE(Ran());
    EXPECT_EQ(b().LastHotkey, 0);
}

TEST_F(MainWindowHotkeys, WindowHotkeyOnKeyByte255IsLookedUpByItsIdentifier) {
    const auto before = b().WinKeyEnabled;
    Reset();
    SendToMain(WM_HOTKEY, 364, HotkeyLParam(kCtrl, 255));
    EXPECT_TRUE(Ran());
    EXPECT_EQ(b().LastHotkey, wide_);
    EXPECT_NE(b().WinKeyEnabled, before);

    // A combination registered only to keep it from the system ends here.
    Reset();
    SendToMain(WM_HOTKEY, 2, HotkeyLParam(kWin, 'E'));
    EXPECT_FALSE(Ran());

    // Code -10 runs a function by ID without a hotkey.
    Reset();
    Notify(kToggleWindowsKey, kExecuteFunction);
    EXPECT_TRUE(Ran());
    EXPECT_EQ(b().WinKeyEnabled, before);
}

TEST_F(MainWindowHotkeys, FunctionFromTheFunctionsListAsksForEachParameter) {
    Language english;
    english.SetDataDirectory(BinDir());
    english.SetLanguageFile("english");
    ASSERT_EQ(english.Load(), LanguageStatus::Loaded);

    // Function 16 runs a program: program, window state and arguments are asked for.
    TempDir dir;
    const std::string log = dir.path() + "launched.log";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string program(self);
    program = program.substr(0, program.find_last_of("\\/") + 1) + "e2e_target.exe";

    PostMessageA(main_, WM_COMMAND, ids::mnFunctionFirst + 16, 0);
    Question first(main_);
    ASSERT_NE(first.box, nullptr) << "no question was asked";
    EXPECT_EQ(first.caption, english.Text(344));
    EXPECT_EQ(first.prompt, english.Text(461));
    first.Answer(program);

    Question second(main_);
    ASSERT_NE(second.box, nullptr);
    EXPECT_EQ(second.prompt, english.Text(462));
    second.Cancel();  // a cancelled question gives an empty field and goes on

    Question third(main_);
    ASSERT_NE(third.box, nullptr);
    EXPECT_EQ(third.prompt, english.Text(463));
    third.Answer("\"" + log + "\"");

    auto logged = [&](const char* line) {
        std::string contents;
        if (FILE* f = std::fopen(log.c_str(), "r")) {
            char buffer[256];
            while (std::fgets(buffer, sizeof buffer, f)) contents += buffer;
            std::fclose(f);
        }
        return contents.find(line) != std::string::npos;
    };
    EXPECT_TRUE(PollUntil([&] { return logged("ready 0"); }, 10000)) << "the program was not started";
    if (HWND launched = FindWindowA("KeyloomE2ETarget", kTargetTitle)) {
        PostMessageA(launched, WM_CLOSE, 0, 0);
        EXPECT_TRUE(PollUntil([&] { return !IsWindow(launched); }, 5000));
    }
}

TEST_F(MainWindowHotkeys, EditLastHotkeyRightAfterStartSaysNoHotkeyRanYet) {
    Language english;
    english.SetDataDirectory(BinDir());
    english.SetLanguageFile("english");
    ASSERT_EQ(english.Load(), LanguageStatus::Loaded);
    ASSERT_EQ(b().LastHotkey, 0);
    ASSERT_FALSE(english.Text(86).empty());

    PostMessageA(main_, WM_COMMAND, ids::mnEditLastHotkey, 0);
    DWORD pid = 0;
    GetWindowThreadProcessId(main_, &pid);
    DialogSearch search{pid, nullptr};
    ASSERT_TRUE(PollUntil([&] {
        search.found = nullptr;
        EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr && StaticTexts(search.found).find(english.Text(86)) != std::string::npos;
    }, 5000)) << "no message box with text 86";
    EXPECT_EQ(TextOf(search.found), "Keyloom");
    PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PollUntil([&] { return !IsWindow(search.found); }, 5000));
}

TEST_F(MainWindowHotkeys, AFaultDispatchedWhileAFunctionAsksLeavesTheBoxAndTheExitWorking) {
    // "Shut down" with an empty parameter asks before it does anything.
    PostMessageA(main_, b().NotifyMessage, 49, kExecuteFunction);
    DWORD pid = 0;
    GetWindowThreadProcessId(main_, &pid);
    DialogSearch search{pid, nullptr};
    ASSERT_TRUE(PollUntil([&] {
        search.found = nullptr;
        EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr && TextOf(search.found) == "Warning";
    }, 5000)) << "the function did not ask";
    const HWND box = search.found;

    // A timer message whose callback lies nowhere: the box's loop dispatches it,
    // and the call faults inside the program's message dispatch, not in the function.
    PostMessageA(main_, WM_TIMER, 1, 0x10);
    PostMessageA(box, WM_COMMAND, IDNO, 0);  // queued behind it: answered once it has faulted
    EXPECT_TRUE(PollUntil([&] { return !IsWindow(box); }, 5000)) << "the box was left behind";
    EXPECT_TRUE(PollUntil([&] { return IsWindowEnabled(main_) != FALSE; }, 5000)) << "the box's owner stayed disabled";
    const std::string status(Text255View(b().StatusText));
    EXPECT_EQ(status.rfind("Executing function 31", 0), 0u) << status;
    EXPECT_NE(b().LastStatus, -1);

    // Exit from the tray menu ends the program.
    PostMessageA(main_, WM_COMMAND, ids::mnExit, 0);
    EXPECT_TRUE(app_->WaitForExit(15000)) << "keyloom.exe did not end";
}
