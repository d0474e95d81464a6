// The per-user installer of this build, installed silently into the test profile (the
// Wine prefix's user), started from its Start menu entry and uninstalled by its own
// uninstall entry: nothing of it may remain.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "system/shell_links.h"
#include "package_paths.h"
#include "profile_snapshot.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "testing/settings_map.h"
#include "version.h"

using namespace kl;
using namespace kl::testing;

namespace {

constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Keyloom";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += "\n  " + line;
    return text;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Exists(msi_)) << msi_ << " is missing: tools/install-deps installs wixl (msitools)";
        // Earlier tests may leave the maker's key empty; the uninstall removes it then.
        DeleteKeyloomKey();
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Corvane");
        // Likewise an empty Run key, which goes with the start-with-Windows value.
        RegDeleteKeyA(HKEY_CURRENT_USER, kRunKey);
        com_ = SUCCEEDED(CoInitialize(nullptr));
    }
    void TearDown() override {
        // Whatever a failed test left installed goes, so that the next one starts clean.
        if (Exists(installDir_ + "keyloom.exe")) RunCommand("msiexec.exe /x \"" + msi_ + "\" /qn KEEPSETTINGS=0");
        DeleteKeyloomKey();
        if (com_) CoUninitialize();
    }

    const std::string msi_ = PackageDir() + PackageName() + ".msi";
    const std::string installDir_ = ShellFolder(CSIDL_LOCAL_APPDATA) + "Programs\\Keyloom\\";
    bool com_ = false;
};

TEST_F(Installer, InstallsForTheUserStartsFromTheStartMenuAndUninstallsWithoutTrace) {
    const ProfileSnapshot before;
    ASSERT_EQ(RunCommand("msiexec.exe /i \"" + msi_ + "\" /qn DESKTOPSHORTCUT=1 STARTWITHSYSTEM=1"), 0);

    // Every file of the portable folder, the same in the installed one.
    const std::vector<std::string> shipped = FolderContents(PackageDir() + "unpacked copy\\" + PackageName() + "\\");
    ASSERT_FALSE(shipped.empty());
    EXPECT_EQ(FolderContents(installDir_), shipped);

    EXPECT_EQ(GetText(kUninstallKey, "DisplayVersion").value_or(""), KL_VERSION_TEXT);
    EXPECT_NE(GetText(kUninstallKey, "DisplayName").value_or("").find(KL_VERSION_TEXT), std::string::npos);
    const std::string uninstall = GetText(kUninstallKey, "UninstallString").value_or("");
    ASSERT_EQ(Lower(uninstall).rfind("msiexec.exe /x{", 0), 0u) << uninstall;
    EXPECT_EQ(Lower(GetText(kRunKey, "Keyloom").value_or("")), Lower(installDir_ + "keyloom.exe"));
    EXPECT_TRUE(Exists(ShellFolder(CSIDL_DESKTOPDIRECTORY) + "Keyloom.lnk"));

    // The program starts from the Start menu entry's target, in its working folder.
    ShortcutInfo entry;
    ASSERT_TRUE(ReadShortcut(ShellFolder(CSIDL_PROGRAMS) + "Keyloom.lnk", entry));
    EXPECT_EQ(Lower(entry.target), Lower(installDir_ + "keyloom.exe"));
    std::string folder = entry.workingDirectory;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    EXPECT_EQ(Lower(folder), Lower(installDir_));
    SetString(kKeyloomKey, "SimpleMode", "1");  // no hooks: nothing of it stays loaded elsewhere
    KeyloomProcess app(folder);
    ASSERT_NE(app.WaitForWindow(), nullptr);
    EXPECT_EQ(Lower(ProcessImage(app.handle())), Lower(entry.target));
    EXPECT_FALSE(ShowsABox(GetProcessId(app.handle())));

    // The uninstall entry's own command, silent, while the program runs: the uninstall
    // ends it (it saves its options then), and the settings go too.
    ASSERT_EQ(RunCommand(uninstall + " /qn"), 0);
    EXPECT_TRUE(app.WaitForExit(0));
    EXPECT_EQ(app.ExitCode(), 0u);
    const std::vector<std::string> left = before.Difference(ProfileSnapshot());
    EXPECT_TRUE(left.empty()) << "left behind (+) or taken away (-) by installing and uninstalling:" << Joined(left);
}

TEST_F(Installer, KeepsTheSettingsWhenTheUserSaysSo) {
    ASSERT_EQ(RunCommand("msiexec.exe /i \"" + msi_ + "\" /qn"), 0);
    EXPECT_TRUE(Exists(installDir_ + "klhook.dll"));
    EXPECT_FALSE(Exists(ShellFolder(CSIDL_DESKTOPDIRECTORY) + "Keyloom.lnk"));  // options not chosen
    EXPECT_FALSE(GetText(kRunKey, "Keyloom").has_value());
    SetString(kKeyloomKey, "Language", "1");
    SetString(kKeyloomKey, "DataDir", installDir_);
    SetString(kKeyloomKey + std::string("\\HotKey1"), "Key", "65");

    ASSERT_EQ(RunCommand("msiexec.exe /x \"" + msi_ + "\" /qn KEEPSETTINGS=1"), 0);
    EXPECT_FALSE(Exists(installDir_));
    EXPECT_FALSE(GetText(kUninstallKey, "DisplayName").has_value());
    EXPECT_EQ(GetText(kKeyloomKey, "Language").value_or(""), "1");
    EXPECT_EQ(GetText(kKeyloomKey + std::string("\\HotKey1"), "Key").value_or(""), "65");
    EXPECT_FALSE(GetText(kKeyloomKey, "DataDir").has_value());  // it named the removed folder
}

struct BoxSearch {
    DWORD pid;
    const std::string& caption;
    HWND found;
};

BOOL CALLBACK CheckBox(HWND w, LPARAM lp) {
    auto& s = *reinterpret_cast<BoxSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char cls[16] = {}, text[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, text, sizeof text);
    if (owner != s.pid || std::string(cls) != "#32770" || !IsWindowVisible(w) || s.caption != text) return TRUE;
    s.found = w;
    return FALSE;
}

// The visible dialog of process `pid` with the caption `caption`, or null.
HWND FindBox(DWORD pid, const std::string& caption) {
    BoxSearch search{pid, caption, nullptr};
    EnumWindows(&CheckBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(Installer, TheUninstallGoesOnOnlyOnceTheProgramHasEnded) {
    ASSERT_EQ(RunCommand("msiexec.exe /i \"" + msi_ + "\" /qn"), 0);
    SetString(kKeyloomKey, "SimpleMode", "1");
    SetString(kKeyloomKey, "NoSysTray", "1");
    const SettingsMap map;  // the program's block, to reach its notification message
    KeyloomProcess app(installDir_);
    const HWND main = app.WaitForWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PollUntil([&] { return map->NotifyMessage != 0 && map->KeyloomEnabled != 0; }));

    // "Shut down" asks first; while its box is open the program ends only after the answer.
    PostMessageA(main, map->NotifyMessage, 49, -10);
    HWND box = nullptr;
    ASSERT_TRUE(PollUntil([&] { return (box = FindBox(GetProcessId(app.handle()), "Warning")) != nullptr; }));
    EXPECT_NE(RunCommand("msiexec.exe /x \"" + msi_ + "\" /qn KEEPSETTINGS=0"), 0) << "uninstalled while running";
    EXPECT_FALSE(app.WaitForExit(0));
    EXPECT_TRUE(Exists(installDir_ + "keyloom.exe"));

    // Answered, the program ends as it was asked to, and the uninstall goes through.
    PostMessageA(box, WM_COMMAND, IDNO, 0);
    EXPECT_TRUE(app.WaitForExit(15000));
    EXPECT_EQ(RunCommand("msiexec.exe /x \"" + msi_ + "\" /qn KEEPSETTINGS=0"), 0);
    EXPECT_FALSE(Exists(installDir_));
}

}  // namespace
