// keyloom.exe with a data folder stored by another copy of the program: libraries of the
// other architecture or of another version are not used, the program's own are and the
// stored folder is brought up to date; no library at all ends the start with the reason.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "char_substitution.h"
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
constexpr int kStopwatchReading = 229;  // shows a box "Stopwatch": klsupport ran it

// The text of the box with this caption that process `pid` opens, closed with OK.
std::string AnswerBox(DWORD pid, const char* caption) {
    HWND box = nullptr;
    if (!PollUntil([&] {
            box = FindWindowA("#32770", caption);
            DWORD owner = 0;
            if (box) GetWindowThreadProcessId(box, &owner);
            return box != nullptr && owner == pid;
        }))
        return {};
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return text;
}

// The machine type of an image file in its file header, or the version in its version
// resource, changed in place.
bool PatchMachine(const std::string& path) {
    std::string image = ReadWholeFile(path);
    if (image.size() < 0x40) return false;
    std::uint32_t header = 0;
    std::memcpy(&header, image.data() + 0x3C, 4);
    if (header + 6 > image.size()) return false;
    std::uint16_t machine = 0;
    std::memcpy(&machine, image.data() + header + 4, 2);
    machine = machine == IMAGE_FILE_MACHINE_AMD64 ? IMAGE_FILE_MACHINE_I386 : IMAGE_FILE_MACHINE_AMD64;
    std::memcpy(image.data() + header + 4, &machine, 2);
    WriteWholeFile(path, image);
    return true;
}

bool PatchVersion(const std::string& path) {
    std::string image = ReadWholeFile(path);
    const std::string signature("\xBD\x04\xEF\xFE", 4);
    const auto at = image.find(signature);
    if (at == std::string::npos || at + 12 > image.size()) return false;
    ++image[at + 8];  // the minor version of dwFileVersionMS, one up
    WriteWholeFile(path, image);
    return true;
}

// The bin folder of the other architecture's build, where it has been built.
std::string OtherBuildBin() {
    std::string bin = BinDir();
    const bool x64 = sizeof(void*) == 8;
    const auto at = bin.rfind(x64 ? "\\x64\\bin\\" : "\\x86\\bin\\");
    if (at == std::string::npos) return {};
    bin.replace(at + 1, 3, x64 ? "x86" : "x64");
    return PathExists(bin + "klhook.dll") && PathExists(bin + "klsupport.dll") ? bin : std::string();
}

enum class Foreign { OtherBuild, OtherMachine, OtherVersion, NoLibraries };

class ForeignDataFolder : public ::testing::TestWithParam<Foreign> {
protected:
    CleanRegistry clean_;
    SettingsMap map_;
    TempFolder data_;
    SettingsBlock& b() { return map_.block(); }
};

}  // namespace

TEST_P(ForeignDataFolder, TheProgramRunsWithItsOwnLibrariesAndStoresItsFolder) {
    std::string stored = data_.path();
    if (GetParam() == Foreign::OtherBuild) {
        stored = OtherBuildBin();
        if (stored.empty()) GTEST_SKIP() << "the other architecture's build has no libraries here";
    } else if (GetParam() == Foreign::NoLibraries) {
        ASSERT_TRUE(CopyFiles(BinDir(), data_.path(), {"english.lan"}));
    } else {
        ASSERT_TRUE(CopyFiles(BinDir(), data_.path(), {"klhook.dll", "klsupport.dll", "english.lan"}));
        auto patch = GetParam() == Foreign::OtherMachine ? PatchMachine : PatchVersion;
        ASSERT_TRUE(patch(data_ / "klhook.dll"));
        ASSERT_TRUE(patch(data_ / "klsupport.dll"));
    }
    SetString(kBase, "DataDir", stored);
    SetString(kBase, "NoSysTray", "1");
    const std::string sub = std::string(kBase) + "Hotkeys\\HotKey5";
    SetString(sub, "Key", std::to_string('W'));
    SetString(sub, "modifier", "3");
    SetString(sub, "Function", ScrambleFunction(std::to_string(kStopwatchReading) + ";"));
    SetString(std::string(kBase) + "Hotkeys\\", std::to_string('W').c_str(), "5;");
    SetString(std::string(kBase) + "Hotkeys\\", "MaxKeyID", "5");

    KeyloomProcess app;
    HWND main = app.WaitForWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(PollUntil([&] { return b().KeyloomEnabled == -1; }));
    EXPECT_NE(b().HookModule, 0u);
    EXPECT_NE(b().SupportModule, 0u);
    EXPECT_EQ(Text255View(b().DataDir), BinDir());
    EXPECT_EQ(GetText(kBase, "DataDir").value_or(""), BinDir());
    PostMessageA(main, b().NotifyMessage, 5, -11);  // the hotkey, as the hooks report it
    EXPECT_NE(AnswerBox(GetProcessId(app.handle()), "Stopwatch"), "") << "the hotkey did nothing";
}

INSTANTIATE_TEST_SUITE_P(Libraries, ForeignDataFolder,
                         ::testing::Values(Foreign::OtherBuild, Foreign::OtherMachine, Foreign::OtherVersion,
                                           Foreign::NoLibraries));

// A copy of the program without its libraries cannot work: it says so and ends, and
// saves nothing.
TEST_F(ForeignDataFolder, WithoutLibrariesAnywhereTheStartSaysWhyAndEnds) {
    ASSERT_TRUE(CopyFiles(BinDir(), data_.path(), {"keyloom.exe", "english.lan"}));
    KeyloomProcess app(data_.path());
    const std::string text = AnswerBox(GetProcessId(app.handle()), "Fatal Error");
    EXPECT_EQ(text.rfind("Unable to initialize Keyloom!", 0), 0u) << text;
    EXPECT_NE(text.find(data_ / "klhook.dll"), std::string::npos) << text;
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_NE(app.ExitCode(), 0u);
    EXPECT_EQ(b().HookModule, 0u);
    EXPECT_FALSE(GetText(kBase, "WinD").has_value());  // nothing was saved
}
