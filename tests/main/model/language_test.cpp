// The language component against real files in a temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "model/language.h"
#include "testing/temp_dir.h"

namespace kl {
namespace {

using testing::TempDir;

std::string ProgramPath() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n);
}

// A file of `count` lines "text <n>".
std::string NumberedLines(int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += "text " + std::to_string(i) + "\r\n";
    return s;
}

class LanguageTest : public ::testing::Test {
protected:
    TempDir dir_;
    Language lang_;

    LanguageStatus LoadFile(const std::string& name, const std::string& contents) {
        dir_.Write(name + ".lan", contents);
        lang_.SetDataDirectory(dir_.path());
        lang_.SetLanguageFile(name);
        return lang_.Load();
    }
};

TEST_F(LanguageTest, SetupNormalisesDirectoryAndBuildsFileName) {
    EXPECT_EQ(lang_.Extension(), "lan");
    lang_.SetDataDirectory("  C:\\Keyloom  ");
    EXPECT_EQ(lang_.DataDirectory(), "C:\\Keyloom\\");
    lang_.SetDataDirectory("C:\\Keyloom\\");
    EXPECT_EQ(lang_.DataDirectory(), "C:\\Keyloom\\");
    lang_.SetDataDirectory("C:");
    EXPECT_EQ(lang_.DataDirectory(), "C:");
    lang_.SetDataDirectory("   ");
    EXPECT_EQ(lang_.DataDirectory(), "");

    lang_.SetLanguageFile("English");
    EXPECT_EQ(lang_.FileName(), "English.lan");
    lang_.SetExtension("txt");
    lang_.SetLanguageFile("Deutsch");
    EXPECT_EQ(lang_.FileName(), "Deutsch.txt");
    lang_.SetLanguageFile("");
    EXPECT_EQ(lang_.FileName(), "");
}

TEST_F(LanguageTest, LoadErrorsCarryTheirTexts) {
    lang_.SetDataDirectory(dir_.path());
    EXPECT_EQ(lang_.Load(), LanguageStatus::NoFileName);
    EXPECT_STREQ(LanguageErrorText(LanguageStatus::NoFileName), "No language file specified.");

    lang_.SetDataDirectory("");
    lang_.SetLanguageFile("English");
    EXPECT_EQ(lang_.Load(), LanguageStatus::NoDataDirectory);
    EXPECT_STREQ(LanguageErrorText(LanguageStatus::NoDataDirectory), "No data directory specified.");

    lang_.SetDataDirectory(dir_.path());
    EXPECT_EQ(lang_.Load(), LanguageStatus::FileMissing);
    EXPECT_STREQ(LanguageErrorText(LanguageStatus::FileMissing), "Language file does not exist.");

    // A folder carrying the file's name is not a language file either.
    dir_.MakeFolder("English.lan");
    EXPECT_EQ(lang_.Load(), LanguageStatus::FileMissing);

    EXPECT_TRUE(IsLanguageError(LanguageStatus::FileMissing));
    EXPECT_FALSE(IsLanguageError(LanguageStatus::Unreadable));
    EXPECT_STREQ(LanguageErrorText(LanguageStatus::Loaded), "");
    EXPECT_STREQ(LanguageErrorText(LanguageStatus::Unreadable), "");
    EXPECT_EQ(lang_.LineCount(), 0u);
}

TEST_F(LanguageTest, LineNumbersAreTextNumbersAndEndsAreEmpty) {
    ASSERT_EQ(LoadFile("Full", NumberedLines(484)), LanguageStatus::Loaded);
    EXPECT_EQ(lang_.LineCount(), 484u);
    EXPECT_EQ(lang_.Text(0), "text 0");
    EXPECT_EQ(lang_.Text(483), "text 483");
    EXPECT_EQ(lang_.Text(484), "");
    EXPECT_EQ(lang_.Text(-1), "");
    EXPECT_EQ(lang_.Text(1 << 30), "");

    // 485 lines are read as well; a short file gives empty texts past its end.
    ASSERT_EQ(LoadFile("Longer", NumberedLines(485)), LanguageStatus::Loaded);
    EXPECT_EQ(lang_.Text(484), "text 484");
    ASSERT_EQ(LoadFile("Short", "only\r\n"), LanguageStatus::Loaded);
    EXPECT_EQ(lang_.Text(0), "only");
    EXPECT_EQ(lang_.Text(1), "");
    EXPECT_EQ(lang_.Text(483), "");
}

TEST_F(LanguageTest, LineEndingsOfEveryKind) {
    ASSERT_EQ(LoadFile("Mixed", "a\r\nb\nc\rd\r\n\r\ne"), LanguageStatus::Loaded);
    ASSERT_EQ(lang_.LineCount(), 6u);
    EXPECT_EQ(lang_.Text(2), "c");
    EXPECT_EQ(lang_.Text(3), "d");
    EXPECT_EQ(lang_.Text(4), "");
    EXPECT_EQ(lang_.Text(5), "e");
    ASSERT_EQ(LoadFile("Blank", "\r\n"), LanguageStatus::Loaded);
    EXPECT_EQ(lang_.LineCount(), 1u);
}

TEST_F(LanguageTest, EmptyFileKeepsTheTextsLoadedBefore) {
    ASSERT_EQ(LoadFile("Good", "Hello\r\n"), LanguageStatus::Loaded);
    EXPECT_EQ(LoadFile("Empty", ""), LanguageStatus::Unreadable);
    EXPECT_EQ(lang_.Text(0), "Hello");
    EXPECT_EQ(lang_.FileName(), "Empty.lan");
}

TEST_F(LanguageTest, ProgNameIsReplacedInAnyCase) {
    ASSERT_EQ(LoadFile("Names", "Run <progname> now\r\n<PROGNAME>|<ProgName>\r\n<prog name> <progname\r\n"),
              LanguageStatus::Loaded);
    const std::string path = ProgramPath();
    EXPECT_EQ(lang_.Text(0), "Run " + path + " now");
    EXPECT_EQ(lang_.Text(1), path + "|" + path);
    EXPECT_EQ(lang_.Text(2), "<prog name> <progname");
}

TEST_F(LanguageTest, LongTextsAreCutTo255) {
    const std::string line(300, 'x');
    ASSERT_EQ(LoadFile("Long", line + "\r\n" + std::string(250, 'y') + "<progname>\r\n"), LanguageStatus::Loaded);
    EXPECT_EQ(lang_.Text(0), std::string(255, 'x'));
    const std::string replaced = lang_.Text(1);
    EXPECT_EQ(replaced.size(), 255u);
    EXPECT_EQ(replaced.substr(0, 250), std::string(250, 'y'));
    EXPECT_EQ(replaced.substr(250), ProgramPath().substr(0, 5));
}

TEST_F(LanguageTest, ListsLanguageFilesSortedWithoutCase) {
    dir_.Write("english.lan", "x");
    dir_.Write("Deutsch.lan", "x");
    dir_.Write("Zulu.LAN", "x");
    dir_.Write("Afrikaans.lan", "x");
    dir_.Write("notes.txt", "x");
    dir_.Write("other.lanx", "x");
    dir_.MakeFolder("Folder.lan");
    lang_.SetDataDirectory(dir_.path());
    EXPECT_EQ(lang_.ListLanguages(), (std::vector<std::string>{"Afrikaans", "Deutsch", "english", "Zulu"}));

    lang_.SetExtension("txt");
    EXPECT_EQ(lang_.ListLanguages(), (std::vector<std::string>{"notes"}));

    lang_.SetDataDirectory(dir_.path() + "missing");
    EXPECT_TRUE(lang_.ListLanguages().empty());
    lang_.SetDataDirectory("");
    EXPECT_TRUE(lang_.ListLanguages().empty());
}

}  // namespace
}  // namespace kl
