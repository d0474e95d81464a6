// The language of a first start, and what a stored choice survives. Built twice: one
// program runs in a session whose display language is English, the other German
// (tests/main/window/CMakeLists.txt); each test names the languages it can judge.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "model/language.h"
#include "testing/files.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"
#include "testing/support_library.h"
#include "testing/temp_folder.h"
#include "window/control_ids.h"

using namespace kl;
using namespace kl::testing;

namespace {

bool GermanDisplay() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_GERMAN; }

std::string ExitCaption(const std::string& dir, const std::string& language) {
    Language texts;
    texts.SetDataDirectory(dir);
    texts.SetLanguageFile(language);
    return texts.Load() == LanguageStatus::Loaded ? texts.Text(13) : std::string();
}

// The caption of the running program's Exit button.
std::string ShownExitCaption(KeyloomProcess& app) {
    HWND main = app.WaitForWindow();
    if (!main) return "(no main window)";
    char text[128] = {};
    GetWindowTextA(GetDlgItem(main, ids::btnExit), text, sizeof text);
    return text;
}

class FirstStart : public ::testing::Test {
protected:
    CleanRegistry clean_;
    void SetUp() override { SetString(kKeyloomKey, "NoSysTray", "1"); }
    // The language the display language asks for, and the other one.
    std::string own_ = GermanDisplay() ? "deutsch" : "english";
    std::string other_ = GermanDisplay() ? "english" : "deutsch";
};

}  // namespace

TEST_F(FirstStart, SpeaksTheDisplayLanguageAndRemembersItsFile) {
    std::printf("[ display  ] %s (language %04x)\n", own_.c_str(), GetUserDefaultUILanguage());
    KeyloomProcess app(BinDir(), StartLanguage::AsStored);
    EXPECT_EQ(ShownExitCaption(app), ExitCaption(BinDir(), own_));
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(GetText(kKeyloomKey, "LanguageFile").value_or(""), own_ + ".lan");
    Language list;
    list.SetDataDirectory(BinDir());
    const auto names = list.ListLanguages();
    const auto it = std::find(names.begin(), names.end(), own_);
    ASSERT_NE(it, names.end());
    EXPECT_EQ(GetText(kKeyloomKey, "Language").value_or(""), std::to_string(it - names.begin()));
}

// A language file added later that sorts first moves every position: the choice is
// found by its name, and the position beside it is brought up to date.
TEST_F(FirstStart, ANewLanguageFileThatSortsFirstChangesNothing) {
    TempFolder copy;
    ASSERT_TRUE(CopyFiles(BinDir(), copy.path(),
                          {"keyloom.exe", "klhook.dll", "klsupport.dll", "functions.txt", "keynames.txt",
                           "english.lan", "deutsch.lan"}));
    {
        KeyloomProcess app(copy.path(), StartLanguage::AsStored);
        EXPECT_EQ(ShownExitCaption(app), ExitCaption(copy.path(), own_));
    }
    ASSERT_TRUE(CopyFileA((copy / (other_ + ".lan")).c_str(), (copy / "aaa.lan").c_str(), FALSE));
    {
        KeyloomProcess app(copy.path(), StartLanguage::AsStored);
        EXPECT_EQ(ShownExitCaption(app), ExitCaption(copy.path(), own_));
    }
    EXPECT_EQ(GetText(kKeyloomKey, "LanguageFile").value_or(""), own_ + ".lan");
    EXPECT_EQ(GetText(kKeyloomKey, "Language").value_or(""), own_ == "deutsch" ? "1" : "2");
}
