// The options that act on the system: the per-user "Run" value and the desktop
// shortcut are real side effects in the shared Wine prefix, so each test puts back
// what stood there before. And the snapshot that tells whether options changed.
#include <gtest/gtest.h>

#include <objbase.h>

#include <optional>
#include <string>

#include "model/option_snapshot.h"
#include "system/shell_links.h"
#include "system/system_options.h"
#include "testing/registry.h"
#include "text255.h"

using namespace kl;
using namespace kl::testing;

namespace {

class RunValue : public ::testing::Test {
protected:
    void SetUp() override { saved_ = GetText(kRunKey, kRunValueName); }
    void TearDown() override {
        if (saved_)
            SetString(kRunKey, kRunValueName, *saved_);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kRunValueName);
    }
    std::optional<std::string> saved_;
};

TEST_F(RunValue, IsWrittenWhenMissingKeptWhenPresentAndDeletedWhenOff) {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kRunKey, kRunValueName);
    EXPECT_TRUE(SetRunAtStartup(kRunValueName, RunCommandLine("C:\\Keyloom\\keyloom.exe"), true));
    EXPECT_EQ(GetText(kRunKey, kRunValueName).value_or(""), "C:\\Keyloom\\keyloom.exe");
    // An entry that exists is never rewritten.
    EXPECT_TRUE(SetRunAtStartup(kRunValueName, "D:\\other.exe", true));
    EXPECT_EQ(GetText(kRunKey, kRunValueName).value_or(""), "C:\\Keyloom\\keyloom.exe");
    EXPECT_TRUE(SetRunAtStartup(kRunValueName, "", false));
    EXPECT_FALSE(GetText(kRunKey, kRunValueName).has_value());
    EXPECT_EQ(RunCommandLine("C:\\Program Files\\Keyloom\\keyloom.exe"), "\"C:\\Program Files\\Keyloom\\keyloom.exe\"");
}

TEST(DesktopShortcut, IsCreatedPointingToTheProgramAndDeletedAgain) {
    const std::string folder = DesktopFolder();
    ASSERT_FALSE(folder.empty());
    const std::string file = folder + kShortcutFileName;
    const bool existed = GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
    ASSERT_FALSE(existed) << "a Keyloom.lnk of someone else's is on the desktop";
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    CoInitialize(nullptr);  // as keyloom.exe does at start

    EXPECT_TRUE(SetDesktopShortcut(true, self, "C:\\"));
    ShortcutInfo info;
    ASSERT_TRUE(ReadShortcut(file, info));
    EXPECT_EQ(lstrcmpiA(info.target.c_str(), self), 0) << info.target;
    EXPECT_EQ(info.description, "Keyloom");
    EXPECT_TRUE(SetDesktopShortcut(false, self, "C:\\"));
    EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(SetDesktopShortcut(false, self, "C:\\"));  // none there: nothing to do
    DeleteFileA(file.c_str());
    CoUninitialize();
}

TEST(OptionSnapshot, SeesEveryChangeASaveWouldWrite) {
    SettingsBlock b{};
    const OptionSnapshot before = TakeOptionSnapshot(b);
    EXPECT_EQ(TakeOptionSnapshot(b), before);
    b.LastHotkey = 7;  // not an option
    b.HotkeysSuspended = kTrue;
    EXPECT_EQ(TakeOptionSnapshot(b), before);
    for (std::int32_t SettingsBlock::*field : {&SettingsBlock::RemapKeys, &SettingsBlock::MKSpeed,
                                               &SettingsBlock::KeyloomEnabled, &SettingsBlock::WinV}) {
        SettingsBlock c{};
        c.*field = 1;
        EXPECT_FALSE(TakeOptionSnapshot(c) == before);
    }
    SetText255(b.LastGotoDir, "C:\\");
    EXPECT_FALSE(TakeOptionSnapshot(b) == before);
}

}  // namespace
