// The function catalogue and key names read from files of a data folder,
// with language texts supplied by the test.
#include <windows.h>

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "model/parameter_slots.h"
#include "registry_names.h"
#include "testing/registry.h"
#include "testing/temp_dir.h"

using namespace kl;
using namespace kl::testing;

namespace {

std::string FakeText(int number) { return "T" + std::to_string(number); }

class CatalogueTest : public ::testing::Test {
protected:
    CleanRegistry clean_;
    TempDir dir_;
    Catalogue cat_{dir_.path(), FakeText};

    void Functions(std::string_view text) { dir_.Write(kFunctionsFile, text); }
    std::vector<std::string> All() {
        auto r = cat_.FunctionCatalogue(0);
        EXPECT_TRUE(r.ok()) << r.error;
        return r.value;
    }
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(CatalogueTest, DropsCommentsBlankLinesAndNegativeIdsButKeepsLinesAsRead) {
    Functions("{ comment }\r\n\r\n   \r\n  { indented comment\r\n 1;0;1;0 \r\n-1;2;1;0\r\nx;3;2;0\n16;4;2;1;0:4,255");
    // A non-numeric ID counts as 0, which is allowed.
    EXPECT_EQ(All(), (Lines{" 1;0;1;0 ", "x;3;2;0", "16;4;2;1;0:4,255"}));
}

TEST_F(CatalogueTest, CategoryRequestKeepsOnlyThatCategoryInFileOrder) {
    Functions("1;0;5;0\n2;1;3;0\n3;2; 5 ;0\n4;3;50;0\n5;4;5;0\n");
    auto five = cat_.FunctionCatalogue(5);
    ASSERT_TRUE(five.ok());
    EXPECT_EQ(five.value, (Lines{"1;0;5;0", "3;2; 5 ;0", "5;4;5;0"}));
    EXPECT_EQ(cat_.FunctionCatalogue(-3).value.size(), 5u);  // 0 or less means all
    EXPECT_TRUE(cat_.FunctionCatalogue(7).value.empty());
}

TEST_F(CatalogueTest, OnlyTheRequestForAllFunctionsFillsTheCache) {
    Functions("1;0;5;0\n");
    EXPECT_EQ(cat_.FunctionCatalogue(5).value.size(), 1u);
    Functions("1;0;5;0\n2;1;5;0\n");
    EXPECT_EQ(cat_.FunctionCatalogue(5).value.size(), 2u);  // read again: nothing cached yet
    EXPECT_EQ(All().size(), 2u);
    Functions("9;0;5;0\n");
    EXPECT_EQ(All(), (Lines{"1;0;5;0", "2;1;5;0"}));  // the file is not read again
    EXPECT_EQ(cat_.FunctionCatalogue(5).value.size(), 2u);
}

TEST_F(CatalogueTest, FunctionsNotAllowedAreHiddenEverywhere) {
    Functions("1;0;1;0\n2;1;1;0\n3;2;1;0\n");
    SetString(reg::kAllowedKey, "2", "0");
    SetString(reg::kAllowedKey, "3", "yes");  // only "1" allows
    SetValue(reg::kAllowedKey, "1", REG_DWORD, "\1\0\0\0", 4);  // wrong type reads as the default "1"
    EXPECT_EQ(All(), (Lines{"1;0;1;0"}));
    EXPECT_EQ(cat_.FunctionName(2).value, "");
    EXPECT_EQ(cat_.FunctionName(1).value, "T340");
    EXPECT_FALSE(IsFunctionAllowed(2));
    EXPECT_TRUE(IsFunctionAllowed(99));
}

TEST_F(CatalogueTest, FunctionNameComesFromTheFunctionsSectionOfTheLanguage) {
    Functions("7;12;1;0\n8;0;1;0\n7;13;1;0\n9;120;1;0\n10;-1;1;0\n11\n");
    EXPECT_EQ(cat_.FunctionName(7).value, "T352");  // the first line of the ID
    EXPECT_EQ(cat_.FunctionName(8).value, "T340");
    EXPECT_EQ(cat_.FunctionName(11).value, "T340");  // missing field 2 counts as 0
    EXPECT_EQ(cat_.FunctionName(9).value, "");       // beyond the Functions section
    EXPECT_EQ(cat_.FunctionName(10).value, "");
    EXPECT_EQ(cat_.FunctionName(12).value, "");  // not in the catalogue
}

TEST_F(CatalogueTest, SortingByNameUsesTheDisplayNames) {
    const std::vector<std::string> names = {"zebra", "Apple", "mango"};
    Catalogue cat(dir_.path(), [&](int n) { return n >= 340 && n < 343 ? names[n - 340] : std::string(); });
    EXPECT_EQ(cat.SortedByName({"1;0;1;0", "2;1;1;0", "3;2;1;0", "4"}),
              (Lines{"4", "2;1;1;0", "3;2;1;0", "1;0;1;0"}));
}

TEST_F(CatalogueTest, MissingFilesReportAnErrorAndAreReadOnceTheyExist) {
    auto functions = cat_.FunctionCatalogue(0);
    EXPECT_FALSE(functions.ok());
    EXPECT_NE(functions.error.find("functions.txt"), std::string::npos) << functions.error;
    EXPECT_FALSE(cat_.FunctionName(1).ok());
    auto key = cat_.KeyName(65);
    EXPECT_FALSE(key.ok());
    EXPECT_NE(key.error.find("keynames.txt"), std::string::npos) << key.error;
    EXPECT_FALSE(cat_.KeyPickList().ok());
    EXPECT_FALSE(cat_.HotkeyText(65, 1).ok());

    Functions("1;0;1;0\n");
    dir_.Write(kKeyNamesFile, "0;ILLEGAL\n1;One\n");
    EXPECT_EQ(All().size(), 1u);
    EXPECT_EQ(cat_.KeyName(1).value, "One");
}

TEST_F(CatalogueTest, CategoriesAndModifiersComeFromLanguageTexts) {
    const auto categories = cat_.CategoryList();
    ASSERT_EQ(categories.size(), 15u);
    EXPECT_EQ(categories.front(), "T272;0");
    EXPECT_EQ(categories[9], "T283;11");  // 9 and 10 are skipped
    EXPECT_EQ(categories.back(), "T288;16");

    const auto modifiers = cat_.ModifierList();
    ASSERT_EQ(modifiers.size(), 17u);
    EXPECT_EQ(modifiers.front(), "T246");
    EXPECT_EQ(modifiers.back(), "T262");
    EXPECT_EQ(cat_.ModifierName(3), "T249");
    EXPECT_EQ(cat_.ModifierName(17), "");
    EXPECT_EQ(cat_.ModifierName(-1), "");
}

TEST_F(CatalogueTest, KeyNamesByCode) {
    std::string file;
    for (int k = 0; k < 256; ++k) file += std::to_string(k) + ";Key" + std::to_string(k) + ";x\r\n";
    dir_.Write(kKeyNamesFile, file);
    EXPECT_EQ(cat_.KeyName(65).value, "Key65");
    EXPECT_EQ(cat_.KeyName(255).value, "Key255 FF");
    EXPECT_EQ(cat_.KeyName(300).value, "Key255 12C");
    EXPECT_EQ(cat_.KeyName(-5).value, "");
    EXPECT_EQ(cat_.HotkeyText(300, 2).value, "T248+Key255 12C");
    EXPECT_EQ(cat_.KeyNameList().value.size(), 256u);
}

TEST_F(CatalogueTest, KeyCodesBeyondAShortFileHaveNoName) {
    dir_.Write(kKeyNamesFile, "0;Zero\n1;One\n");
    EXPECT_EQ(cat_.KeyName(1).value, "One");
    EXPECT_EQ(cat_.KeyName(2).value, "");
    EXPECT_EQ(cat_.KeyName(300).value, "");
}

TEST_F(CatalogueTest, KeyPickListLeavesOutIllegalCodesAndSortsByName) {
    dir_.Write(kKeyNamesFile, "0;ILLEGAL\n1;banana\n2;Apple\n3;ILLEGAL\n4;cherry\n5;\n6;apple pie\n");
    auto pick = cat_.KeyPickList();
    ASSERT_TRUE(pick.ok());
    EXPECT_EQ(pick.value, (Lines{"apple pie;6", "Apple;2", "banana;1", "cherry;4"}));  // blank before ";"
}

TEST_F(CatalogueTest, AFolderWithoutTrailingBackslashWorks) {
    dir_.Write(kKeyNamesFile, "0;Zero\n");
    Functions("1;0;1;0\n");
    std::string folder = dir_.path();
    folder.pop_back();
    Catalogue cat(folder, FakeText);
    EXPECT_EQ(cat.KeyName(0).value, "Zero");
    EXPECT_EQ(cat.FunctionName(1).value, "T340");
}

TEST(CDDriveList, ListsDriveRootsOfCDRomDrivesOnly) {
    for (const std::string& drive : CDDriveList()) {
        ASSERT_EQ(drive.size(), 3u);
        EXPECT_TRUE(drive[0] >= 'A' && drive[0] <= 'Z');
        EXPECT_EQ(drive.substr(1), ":\\");
        EXPECT_EQ(GetDriveTypeA(drive.c_str()), static_cast<UINT>(DRIVE_CDROM));
    }
}

TEST_F(CatalogueTest, KeyNamesAreReadOnce) {
    dir_.Write(kKeyNamesFile, "0;Zero\n");
    EXPECT_EQ(cat_.KeyName(0).value, "Zero");
    dir_.Write(kKeyNamesFile, "0;Changed\n");
    EXPECT_EQ(cat_.KeyName(0).value, "Zero");
}

TEST(ParameterSlots, ReadsLabelKindAndArgumentsPerSlot) {
    const auto slots = ParameterSlots("16;4;2;3;0:4,255; 1 : 3 ;2:0,x");
    ASSERT_EQ(slots.size(), 3u);
    EXPECT_EQ(slots[0].label, 0);
    EXPECT_EQ(slots[0].kind, kKindPath);
    EXPECT_EQ(slots[0].arguments, std::vector<int>{255});
    EXPECT_EQ(slots[1].label, 1);
    EXPECT_EQ(slots[1].kind, kKindShowState);
    EXPECT_TRUE(slots[1].arguments.empty());
    EXPECT_EQ(slots[2].arguments, std::vector<int>{0});  // not a number: 0, no limit
    EXPECT_TRUE(IsTextKind(slots[0].kind));
    EXPECT_TRUE(IsListKind(slots[1].kind));
}

TEST(ParameterSlots, MalformedLinesGiveFewerSlots) {
    EXPECT_TRUE(ParameterSlots("1;0;1;0").empty());
    EXPECT_TRUE(ParameterSlots("1;0;1;-2;0:0,5").empty());
    EXPECT_TRUE(ParameterSlots("1;0;1").empty());
    EXPECT_EQ(ParameterSlots("1;0;1;3;0:0,5").size(), 1u);  // two descriptors missing
    EXPECT_EQ(ParameterSlots("1;0;1;9;0:0;1:2;2:3;3:6;4:8").size(), 3u);  // three slots at most
    const auto noColon = ParameterSlots("1;0;1;1;7");
    ASSERT_EQ(noColon.size(), 1u);
    EXPECT_EQ(noColon[0].kind, -1);
    EXPECT_FALSE(IsTextKind(-1) || IsListKind(-1) || IsListKind(4) || IsListKind(9) || IsTextKind(1));
}

TEST_F(CatalogueTest, CategoryOfAFunctionIsThatOfItsFirstLine) {
    EXPECT_EQ(cat_.CategoryOf(1), -1);  // no file yet
    Functions("1;0;5;0\nx;1;6;0\n2;1; 3 ;0\n2;2;4;0\n");
    EXPECT_EQ(cat_.CategoryOf(1), 5);
    EXPECT_EQ(cat_.CategoryOf(2), 3);
    EXPECT_EQ(cat_.CategoryOf(0), -1);  // a line whose ID is no number belongs to no function
    EXPECT_EQ(cat_.CategoryOf(9), -1);
}
