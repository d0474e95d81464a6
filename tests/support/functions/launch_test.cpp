// Launching through the shell: programs, shortcuts, autorun, run-or-activate
// and mail, observed through a helper program that records how it was started.
#include <objbase.h>
#include <shlobj.h>

#include <optional>
#include <vector>

#include "system/app_paths.h"
#include "model/hotkey_store.h"
#include "registry_names.h"
#include "win_handles.h"

#include "funcs_fixture.h"

using namespace kl;
using namespace kl::testing;

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) return parts;
        start = tab + 1;
    }
}

std::string NoTrailingBackslash(std::string folder) {
    if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

void MakeShortcut(const std::string& link, const std::string& target, const char* args, const std::string& dir,
                  int show) {
    CoInitialize(nullptr);
    IShellLinkA* shell = nullptr;
    ASSERT_TRUE(SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&shell)));
    shell->SetPath(target.c_str());
    shell->SetArguments(args);
    shell->SetWorkingDirectory(dir.c_str());
    shell->SetShowCmd(show);
    IPersistFile* file = nullptr;
    ASSERT_TRUE(SUCCEEDED(shell->QueryInterface(IID_IPersistFile, (void**)&file)));
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
    EXPECT_TRUE(SUCCEEDED(file->Save(wide, TRUE)));
    file->Release();
    shell->Release();
    CoUninitialize();
}

class LaunchTest : public FunctionTest {
protected:
    TempFolder temp_;
    std::string log_ = temp_ / "launch.log";
    ScopedEnv logEnv_{"KL_LAUNCH_LOG", log_};
    std::string target_ = TestExeDir() + "launch_target.exe";

    // The n-th line the helper wrote, split into show command, folder and arguments.
    std::vector<std::string> Started(std::size_t n = 1) {
        EXPECT_TRUE(WaitUntil([&] { return ReadLines(log_).size() >= n; })) << "helper was not started";
        const auto lines = ReadLines(log_);
        return lines.size() >= n ? SplitTabs(lines[n - 1]) : std::vector<std::string>{};
    }
};

TEST_F(LaunchTest, RunProgramPassesShowModeArgumentsAndItsFolder) {
    ASSERT_TRUE(PathExists(target_));
    EXPECT_EQ(Run(16, Fields({target_, "2", "alpha beta"})), 1);
    const auto started = Started();
    ASSERT_EQ(started.size(), 4u);
    EXPECT_EQ(started[0], "3");  // show mode 2 is maximised
    EXPECT_EQ(started[1], NoTrailingBackslash(TestExeDir()));
    EXPECT_EQ(started[2], "alpha");
    EXPECT_EQ(started[3], "beta");
}

TEST_F(LaunchTest, OpenDocumentAndLastFolderLaunchNormallyWithoutArguments) {
    EXPECT_EQ(Run(19, Fields({target_, "ignored"})), 1);
    auto started = Started(1);
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0], "1");

    SetText255(b().LastGotoDir, "");
    EXPECT_EQ(Run(21), 1);  // nothing to open
    SetText255(b().LastGotoDir, target_);
    EXPECT_EQ(Run(21), 1);
    started = Started(2);
    EXPECT_EQ(started.size(), 2u);
    EXPECT_EQ(ReadLines(log_).size(), 2u);
}

// An alias registered the way the aliases dialog registers it starts its program when a
// hotkey's document is the alias name.
TEST_F(LaunchTest, AHotkeyWhoseDocumentIsAnAliasStartsTheAliasProgram) {
    constexpr char kAlias[] = "kllaunchalias";
    const std::string entry = std::string(kAlias) + ".exe";
    ASSERT_EQ(WriteAlias(AliasScope::Machine, kAlias, target_), AliasWrite::Written);
    HotkeyStore store(reg::kHotkeysKey, &b());
    ASSERT_GT(store.StoreHotkey(-1, 'J', 3, 19, "alias", entry).id, 0);
    using ExecuteHotkeyFn = BOOL WINAPI(int, int, BOOL);
    auto* executeHotkey = lib_.Get<ExecuteHotkeyFn>("ExecuteHotkeyEx");
    ASSERT_NE(executeHotkey, nullptr);
    EXPECT_TRUE(executeHotkey('J', 3, TRUE));
    const auto started = Started();
    EXPECT_EQ(DeleteAlias(entry), AliasWrite::Written);
    ASSERT_EQ(started.size(), 2u) << Status();
    EXPECT_EQ(started[0], "1");
    EXPECT_TRUE(AliasPath(entry).empty());
}

TEST_F(LaunchTest, ShortcutSuppliesTargetArgumentsFolderAndShowCommand) {
    const std::string link = temp_ / "target.lnk";
    MakeShortcut(link, target_, "from-link", NoTrailingBackslash(temp_.path()), SW_SHOWNORMAL);
    ASSERT_TRUE(PathExists(link));
    // Maximised is asked for; the shortcut's own normal window wins. (Wine keeps
    // no other show command in a shortcut than normal.)
    EXPECT_EQ(Run(16, Fields({link, "2", "given"})), 1);
    const auto started = Started();
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[0], "1");
    EXPECT_EQ(started[1], NoTrailingBackslash(temp_.path()));
    EXPECT_EQ(started[2], "from-link");
}

TEST_F(LaunchTest, EmptyPathStartsNothing) {
    // (A missing program is left to the shell, which tells the user in a box of its own.)
    EXPECT_EQ(Run(16, Fields({"", "0", "x"})), 1);
    EXPECT_EQ(Run(17, Fields({"", "0", "x"})), 1);
    EXPECT_EQ(Run(19, ""), 1);
    EXPECT_FALSE(PathExists(log_));
}

TEST_F(LaunchTest, AutorunRunsItsOpenEntryFromTheFolder) {
    ASSERT_TRUE(CopyFileA(target_.c_str(), (temp_ / "setup.exe").c_str(), FALSE));
    WriteWholeFile(temp_ / "autorun.inf", "[autorun]\r\nopen=setup.exe /x /y\r\n");
    EXPECT_EQ(Run(20, temp_.path()), 1);
    const auto started = Started();
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[0], "1");
    EXPECT_EQ(started[1], NoTrailingBackslash(temp_.path()));
    EXPECT_EQ(started[2], "/x /y");  // two arguments pass as one quoted argument

    WriteWholeFile(temp_ / "autorun.inf", "[autorun]\r\nopen=setup.exe /x\r\n");
    EXPECT_EQ(Run(20, temp_ / "setup.exe"), 1);  // the folder of a file in it
    const auto again = Started(2);
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(again[2], "/x");
}

TEST_F(LaunchTest, MissingAutorunIsReported) {
    TempFolder empty;
    EXPECT_EQ(Run(20, empty.path()), 1);
    EXPECT_EQ(Status(), "No Autorun on " + empty.path() + "autorun.inf");
}

class StayingTarget {
public:
    explicit StayingTarget(const std::string& exe) {
        SetEnvironmentVariableA("KL_LAUNCH_STAY", "1");
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = "\"" + exe + "\"";
        started_ = CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
        SetEnvironmentVariableA("KL_LAUNCH_STAY", nullptr);
        if (started_) WaitUntil([&] { return (window_ = FindWindowA("KlLaunchTarget", nullptr)) != nullptr; });
    }
    ~StayingTarget() {
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (started_) {
            if (WaitForSingleObject(pi_.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi_.hProcess, 1);
            CloseHandle(pi_.hProcess);
            CloseHandle(pi_.hThread);
        }
    }
    HWND window() const { return window_; }

private:
    PROCESS_INFORMATION pi_{};
    BOOL started_ = FALSE;
    HWND window_ = nullptr;
};

TEST_F(LaunchTest, RunOrActivateRestoresTheRunningProgramInsteadOfStartingIt) {
    StayingTarget running(target_);
    ASSERT_NE(running.window(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ReadLines(log_).size() == 1; }));
    ShowWindow(running.window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(running.window()) != FALSE; }));

    EXPECT_EQ(Run(17, Fields({"\"'" + target_ + "'\"", "0", "second"})), 1);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(running.window()); }));
    EXPECT_TRUE(IsWindowVisible(running.window()));
    EXPECT_EQ(ReadLines(log_).size(), 1u);  // no second copy
}

TEST_F(LaunchTest, RunOrActivateStartsTheProgramWhenNoWindowHasIt) {
    EXPECT_EQ(Run(17, Fields({target_, "0", "fresh"})), 1);
    const auto started = Started();
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[2], "fresh");
}

TEST_F(LaunchTest, NewestRecentDocumentIsOpenedThroughItsShortcut) {
    char recent[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, recent, CSIDL_RECENT, TRUE));
    const std::string link = std::string(recent) + "\\kltest_newest.lnk";
    MakeShortcut(link, target_, "recent", NoTrailingBackslash(temp_.path()), SW_SHOWNORMAL);
    {
        // Written last of all the folder's entries.
        UniqueHandle file(CreateFileA(link.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        SYSTEMTIME later{2100, 1, 5, 1, 0, 0, 0, 0};
        FILETIME when{};
        SystemTimeToFileTime(&later, &when);
        ASSERT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &when));
    }
    EXPECT_EQ(Run(22), 1);
    DeleteFileA(link.c_str());
    const auto started = Started();
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[2], "recent");
}

TEST_F(LaunchTest, DialUpAndHangUpFollowTheConnectionState) {
    // Wine reports a connection and accepts the hang-up without acting.
    EXPECT_EQ(Run(115), 1);
    EXPECT_EQ(Run(116), 1);
}

// A "mailto" handler in the test prefix: the helper program.
// Wine looks protocol handlers up in the machine's classes only, so the
// prefix's own handler is replaced for the test and put back afterwards.
class MailHandler {
public:
    explicit MailHandler(const std::string& exe) {
        RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS);
        char old[1024] = {};
        DWORD size = sizeof old - 1, type = 0;
        if (key && RegQueryValueExA(key.get(), nullptr, nullptr, &type, (BYTE*)old, &size) == ERROR_SUCCESS)
            previous_ = old;
        const std::string command = "\"" + exe + "\" \"%1\"";
        if (key) RegSetValueExA(key.get(), nullptr, 0, REG_SZ, (const BYTE*)command.c_str(), command.size() + 1);
    }
    ~MailHandler() {
        RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, kKey, KEY_ALL_ACCESS);
        if (!key) return;
        if (previous_)
            RegSetValueExA(key.get(), nullptr, 0, REG_SZ, (const BYTE*)previous_->c_str(), previous_->size() + 1);
        else
            RegDeleteValueA(key.get(), nullptr);
    }

private:
    static constexpr char kKey[] = "Software\\Classes\\mailto\\shell\\open\\command";
    std::optional<std::string> previous_;
};

TEST_F(LaunchTest, MailOpensTheMailtoHandlerWithAddressAndSubject) {
    MailHandler handler(target_);
    EXPECT_EQ(Run(114, Fields({"someone@example.org", "Hello"})), 1);
    auto started = Started(1);
    ASSERT_GE(started.size(), 3u);
    EXPECT_EQ(started[2], "mailto:someone@example.org?subject=Hello");

    EXPECT_EQ(Run(114, Fields({"someone@example.org", ""})), 1);
    started = Started(2);
    ASSERT_GE(started.size(), 3u);
    EXPECT_EQ(started[2], "mailto:someone@example.org");

    EXPECT_EQ(Run(113), 1);
    started = Started(3);
    ASSERT_GE(started.size(), 3u);
    EXPECT_EQ(started[2], "mailto:");
}

}  // namespace
