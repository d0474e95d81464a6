// Profiles in the registry: the names a user may give, the list and its numbers, and
// what adding, copying and removing leave behind.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/profiles.h"
#include "registry_names.h"
#include "testing/registry.h"

using namespace kl;
using namespace kl::testing;

namespace {

const std::vector<std::string> kList = {"(default)", "Work", "Games"};

TEST(ProfileNames, AreRefusedWhenTheyCannotBeASubkeyOfProfiles) {
    struct Case {
        std::string name;
        ProfileNameProblem problem;
    };
    const Case cases[] = {
        {"", ProfileNameProblem::Empty},
        {"Sixteen chars ok", ProfileNameProblem::None},
        {"Seventeen chars!!", ProfileNameProblem::TooLong},
        {"..", ProfileNameProblem::BadCharacters},
        {".", ProfileNameProblem::BadCharacters},
        {"a\\b", ProfileNameProblem::BadCharacters},
        {"..\\..\\Run", ProfileNameProblem::BadCharacters},
        {"a/b", ProfileNameProblem::BadCharacters},
        {"C:", ProfileNameProblem::BadCharacters},
        {std::string("tab\there"), ProfileNameProblem::BadCharacters},
        {"(default)", ProfileNameProblem::Reserved},
        {"(STANDARD)", ProfileNameProblem::Reserved},
        {"work", ProfileNameProblem::Exists},
        {"Work 2", ProfileNameProblem::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckProfileName(c.name, kList), c.problem) << c.name;
        EXPECT_EQ(ProfileNameMessage(c.problem).empty(), c.problem == ProfileNameProblem::None) << c.name;
    }
    EXPECT_EQ(TrimSpaces("  Home  "), "Home");
    EXPECT_EQ(CheckProfileName(TrimSpaces("   "), kList), ProfileNameProblem::Empty);
}

TEST(ProfileList, StartsWithTheDefaultAndNumbersFromIt) {
    CleanRegistry clean;
    ASSERT_TRUE(AddProfile("Work", "C:\\data\\"));
    const auto list = GetProfileList("(default)");
    ASSERT_EQ(list, (std::vector<std::string>{"(default)", "Work"}));
    EXPECT_EQ(IDToProfile(list, 1), "Work");
    for (int n : {0, -1, 2, 99}) {
        EXPECT_EQ(IDToProfile(list, n), "") << n;
        EXPECT_EQ(ProfileNameByNumber(list, n), "(default)") << n;
    }
    const std::string key = std::string(reg::kProfilesKey) + "Work\\";
    EXPECT_EQ(GetText(key, "DataDir").value_or(""), "C:\\data\\");
    EXPECT_EQ(GetText(key, "Language").value_or(""), "1");
    EXPECT_EQ(GetText(key, "WinKeysTrap").value_or(""), "1");
    EXPECT_EQ(ValueNames(key).size(), 25u);
}

TEST(ProfileCopy, CopiesOptionsHotkeysAndTheBinaryRemapTableByteForByte) {
    CleanRegistry clean;
    const std::string hotkeys = reg::kHotkeysKey;
    SetString(reg::kBaseKey, "SimpleMode", "0");
    SetString(hotkeys, "MaxKeyID", "12");
    SetString(hotkeys, "65", "3;12;");
    SetString(hotkeys + "HotKey3", "Key", "65");
    SetString(hotkeys + "HotKey12", "Function", "scrambled=text");  // "=" stays in the data
    const std::uint8_t table[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0x1E, 65, 0x30, 66, 0, 0, 0, 0, 0, 0};
    SetValue(hotkeys, "Scancode Map", REG_BINARY, table, sizeof table);

    ASSERT_TRUE(CopyProfile("", "Copy"));
    const std::string to = std::string(reg::kProfilesKey) + "Copy\\";
    EXPECT_EQ(GetText(to, "SimpleMode").value_or(""), "0");
    EXPECT_EQ(GetText(to + "Hotkeys", "MaxKeyID").value_or(""), "12");
    EXPECT_EQ(GetText(to + "Hotkeys", "65").value_or(""), "3;12;");
    EXPECT_EQ(GetText(to + "Hotkeys\\HotKey3", "Key").value_or(""), "65");
    EXPECT_EQ(GetText(to + "Hotkeys\\HotKey12", "Function").value_or(""), "scrambled=text");
    const auto copied = GetValue(to + "Hotkeys", "Scancode Map");
    ASSERT_TRUE(copied.has_value());
    EXPECT_EQ(copied->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(copied->data, std::string(reinterpret_cast<const char*>(table), sizeof table));

    // A copy of the copy, then removing the first leaves the second whole.
    ASSERT_TRUE(CopyProfile("Copy", "Second"));
    EXPECT_TRUE(RemoveProfile("Copy"));
    EXPECT_EQ(GetProfileList("(default)"), (std::vector<std::string>{"(default)", "Second"}));
    EXPECT_EQ(GetText(std::string(reg::kProfilesKey) + "Second\\Hotkeys\\HotKey3", "Key").value_or(""), "65");
    EXPECT_FALSE(RemoveProfile("Copy"));
    // A source outside the program's key is never read.
    EXPECT_FALSE(CopyProfileKey("Software\\Corvane", std::string(reg::kProfilesKey) + "X"));
}

}  // namespace
