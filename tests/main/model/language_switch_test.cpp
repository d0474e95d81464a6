// Switching languages by position in the sorted list of installed files.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "model/language_choice.h"
#include "model/language_switch.h"
#include "testing/temp_dir.h"

namespace kl {
namespace {

using Outcome = LanguageSwitch::Outcome;

class LanguageSwitchTest : public ::testing::Test {
protected:
    testing::TempDir dir_;
    Language lang_;
    std::vector<std::string> names_;

    void SetUp() override {
        dir_.Write("Deutsch.lan", "Deutsch\r\n");
        dir_.Write("english.lan", "English\r\n");
        dir_.Write("Zulu.lan", "Zulu\r\n");
        lang_.SetDataDirectory(dir_.path());
        names_ = lang_.ListLanguages();
        ASSERT_EQ(names_, (std::vector<std::string>{"Deutsch", "english", "Zulu"}));
    }
};

TEST_F(LanguageSwitchTest, LoadsByPositionAndFallsBackToTheFirst) {
    LanguageSwitch s = SwitchLanguage(lang_, names_, 1, -1);
    EXPECT_EQ(s.outcome, Outcome::Loaded);
    EXPECT_EQ(s.position, 1);
    EXPECT_EQ(lang_.Text(0), "English");
    EXPECT_EQ(lang_.LoadedFileName(), "english.lan");

    // A stored position beyond the list loads the first language.
    s = SwitchLanguage(lang_, names_, 7, 1);
    EXPECT_EQ(s.outcome, Outcome::Loaded);
    EXPECT_EQ(s.position, 0);
    EXPECT_EQ(lang_.Text(0), "Deutsch");

    EXPECT_EQ(SwitchLanguage(lang_, names_, -1, 0).outcome, Outcome::Ignored);
    EXPECT_EQ(lang_.Text(0), "Deutsch");
}

TEST_F(LanguageSwitchTest, TheLoadedLanguageIsNotReadAgain) {
    ASSERT_EQ(SwitchLanguage(lang_, names_, 2, 0).outcome, Outcome::Loaded);
    ASSERT_TRUE(DeleteFileA((dir_.path() + "Zulu.lan").c_str()));
    const LanguageSwitch s = SwitchLanguage(lang_, names_, 2, 2);
    EXPECT_EQ(s.outcome, Outcome::AlreadyLoaded);
    EXPECT_EQ(lang_.Text(0), "Zulu");
    // With another box selection the file is read, and now it is gone.
    EXPECT_EQ(SwitchLanguage(lang_, names_, 2, 0).outcome, Outcome::Error);
}

TEST_F(LanguageSwitchTest, FailuresKeepTheLoadedTexts) {
    ASSERT_EQ(SwitchLanguage(lang_, names_, 0, -1).outcome, Outcome::Loaded);

    dir_.Write("english.lan", "");
    LanguageSwitch s = SwitchLanguage(lang_, names_, 1, 0);
    EXPECT_EQ(s.outcome, Outcome::NotOpened);
    EXPECT_EQ(s.position, 1);
    EXPECT_EQ(s.message, "Cannot open language file english.lan.");
    EXPECT_EQ(lang_.Text(0), "Deutsch");
    EXPECT_EQ(lang_.LoadedFileName(), "Deutsch.lan");

    ASSERT_TRUE(DeleteFileA((dir_.path() + "Zulu.lan").c_str()));
    s = SwitchLanguage(lang_, names_, 2, 0);
    EXPECT_EQ(s.outcome, Outcome::Error);
    EXPECT_EQ(s.message, "Language file does not exist.");
    EXPECT_EQ(lang_.Text(0), "Deutsch");

    s = SwitchLanguage(lang_, {}, 0, -1);
    EXPECT_EQ(s.outcome, Outcome::Error);
    EXPECT_EQ(s.message, "No language file specified.");

    Language noDirectory;
    s = SwitchLanguage(noDirectory, names_, 0, -1);
    EXPECT_EQ(s.outcome, Outcome::Error);
    EXPECT_EQ(s.message, "No data directory specified.");
}

// The language a run starts in: the stored file by its name, else a stored position,
// else the display language's file; English where none of them is there.
TEST(StartLanguage, FileNameWinsThenPositionThenDisplayLanguage) {
    const std::vector<std::string> names{"aaa", "Deutsch", "english", "Zulu"};
    const unsigned short german = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN_AUSTRIAN);
    const unsigned short english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK);
    const unsigned short french = MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);
    EXPECT_EQ(StartLanguagePosition(names, "lan", {"ZULU.LAN", 0}, german), 3);
    EXPECT_EQ(StartLanguagePosition(names, "lan", {"klingon.lan", 3}, german), 2);  // gone: English
    EXPECT_EQ(StartLanguagePosition(names, "lan", {"", 3}, german), 3);
    EXPECT_EQ(StartLanguagePosition(names, "lan", {}, german), 1);
    EXPECT_EQ(StartLanguagePosition(names, "lan", {}, english), 2);
    EXPECT_EQ(StartLanguagePosition(names, "lan", {}, french), 2);
    EXPECT_EQ(StartLanguagePosition({"english", "Zulu"}, "lan", {}, german), 0);  // no German file
    EXPECT_EQ(StartLanguagePosition({"aaa", "Zulu"}, "lan", {"gone.lan", {}}, english), 0);
}

}  // namespace
}  // namespace kl
