// The shipped functions.txt and keynames.txt agree with the program: every
// key code has its line, every catalogued function is one the support library
// dispatches, and every parameter descriptor is one the editor can show.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "model/catalogue.h"
#include "model/language.h"
#include "model/parameter_slots.h"
#include "model/text_fields.h"
#include "testing/registry.h"
#include "testing/support_library.h"

using namespace kl;
using namespace kl::testing;

namespace {

// The function IDs of the dispatcher's table.
std::set<int> DispatchedIds() {
    std::set<int> ids = {1, 2, 3, 4, 80, 81, 144};
    for (int i = 16; i <= 23; ++i) ids.insert(i);
    for (int i = 32; i <= 38; ++i) ids.insert(i);
    for (int i = 48; i <= 52; ++i) ids.insert(i);
    for (int i = 64; i <= 78; ++i) ids.insert(i);
    for (int i = 96; i <= 101; ++i) ids.insert(i);
    for (int i = 113; i <= 116; ++i) ids.insert(i);
    for (int i = 160; i <= 164; ++i) ids.insert(i);
    for (int i = 176; i <= 185; ++i) ids.insert(i);
    for (int i = 192; i <= 200; ++i) ids.insert(i);
    for (int i = 208; i <= 216; ++i) ids.insert(i);
    for (int i = 224; i <= 229; ++i) ids.insert(i);
    for (int i = 256; i <= 279; ++i) ids.insert(i);
    return ids;
}

// Functions whose list parameter is stored as the position of the chosen entry.
const std::set<int> kPositionListIds = {4, 16, 17, 49, 50, 52, 100, 101, 160, 164, 199, 208, 216};

class ShippedFiles : public ::testing::Test {
protected:
    CleanRegistry clean_;
    Catalogue cat_{BinDir(), [](int n) { return std::to_string(n); }};
};

}  // namespace

TEST_F(ShippedFiles, KeyNamesHaveALinePerCodeAndUsableNames) {
    auto lines = cat_.KeyNameList();
    ASSERT_TRUE(lines.ok()) << lines.error;
    ASSERT_EQ(lines.value.size(), 256u);
    std::set<std::string> seen;
    for (int k = 0; k < 256; ++k) {
        const std::string& line = lines.value[k];
        EXPECT_EQ(Field(line, 1), std::to_string(k)) << line;
        const std::string name(Trim(Field(line, 2)));
        EXPECT_FALSE(name.empty()) << line;
        EXPECT_EQ(name.find('+'), std::string::npos) << "combinations split at +: " << line;
        if (name == kIllegalKeyName) continue;
        std::string upper = name;
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
        EXPECT_TRUE(seen.insert(upper).second) << "duplicate name " << line;
    }
    EXPECT_EQ(Field(lines.value[0], 2), kIllegalKeyName);
    for (const char* name : {"CTRL", "ALT", "DEL", "SHIFT", "ENTER", "TAB", "A", "F1", "LEFT WINDOWS"})
        EXPECT_TRUE(seen.count(name)) << name;
    auto pick = cat_.KeyPickList();
    ASSERT_TRUE(pick.ok());
    EXPECT_EQ(pick.value.size(), seen.size());
}

TEST_F(ShippedFiles, EveryCatalogueLineDescribesADispatchedFunction) {
    auto all = cat_.FunctionCatalogue(0);
    ASSERT_TRUE(all.ok()) << all.error;
    const std::set<int> dispatched = DispatchedIds();
    std::set<int> ids, names;
    std::set<int> categories;
    for (const auto& entry : cat_.CategoryList()) categories.insert(NumberField(entry, 2));

    for (const std::string& line : all.value) {
        SCOPED_TRACE(line);
        const auto fields = SplitFields(line);
        ASSERT_GE(fields.size(), 4u);
        const int id = ToNumber(fields[0], -1);
        EXPECT_TRUE(dispatched.count(id));
        EXPECT_TRUE(ids.insert(id).second) << "listed twice";
        const int name = ToNumber(fields[1], -1);
        EXPECT_TRUE(name >= 0 && name <= kFunctionTextLast - kFunctionTextFirst);
        EXPECT_TRUE(names.insert(name).second) << "name number used twice";
        const int category = ToNumber(fields[2], -1);
        EXPECT_TRUE(category > 0 && categories.count(category));

        const int slots = ToNumber(fields[3], -1);
        ASSERT_TRUE(slots >= 0 && slots <= 3);
        ASSERT_EQ(fields.size(), 4u + slots);
        const auto parsed = ParameterSlots(line);
        ASSERT_EQ(parsed.size(), static_cast<std::size_t>(slots));
        int texts = 0, lists = 0;
        for (const ParameterSlot& slot : parsed) {
            EXPECT_TRUE(slot.label >= 0 && kParameterTextFirst + slot.label <= 483);
            if (IsTextKind(slot.kind)) {
                ++texts;
                ASSERT_EQ(slot.arguments.size(), 1u);
                EXPECT_GE(slot.arguments[0], 0);
            } else if (slot.kind == kKindTextList) {
                ++lists;
                ASSERT_EQ(slot.arguments.size(), 2u);
                const int first = slot.arguments[0], last = slot.arguments[1];
                EXPECT_TRUE(first >= 0 && first <= last && kParameterTextFirst + last <= 483);
            } else {
                ++lists;
                EXPECT_TRUE(IsListKind(slot.kind)) << "kind " << slot.kind;
                EXPECT_TRUE(slot.arguments.empty());
            }
        }
        EXPECT_LE(texts, 2) << "two text fields at most";
        EXPECT_LE(lists, 1) << "one list control";
        if (kPositionListIds.count(id)) {
            EXPECT_EQ(lists, 1) << "position-coded list parameter";
        }
    }
    EXPECT_EQ(ids, dispatched) << "every dispatched function can be chosen";
}

// The shipped English texts name every catalogued function, category and
// parameter label, and offer every list entry a descriptor refers to.
TEST(ShippedLanguage, NamesEverythingTheCatalogueRefersTo) {
    CleanRegistry clean;
    Language language;
    language.SetDataDirectory(BinDir());
    language.SetLanguageFile("english");
    ASSERT_EQ(language.Load(), LanguageStatus::Loaded);
    const auto named = [&](int number) {
        const std::string text = language.Text(number);
        return !text.empty() && text.front() != '<' && text != "(reserved)";
    };
    Catalogue cat(BinDir(), [&](int n) { return language.Text(n); });
    auto all = cat.FunctionCatalogue(0);
    ASSERT_TRUE(all.ok()) << all.error;
    std::set<std::string> names;
    for (const std::string& line : all.value) {
        SCOPED_TRACE(line);
        const int id = NumberField(line, 1);
        const std::string name = cat.FunctionName(id).value;
        if (id == 162 || id == 163) {
            EXPECT_EQ(name, "(reserved)");  // the dispatcher's two reserved IDs do nothing
        } else {
            EXPECT_TRUE(named(kFunctionTextFirst + NumberField(line, 2))) << name;
            EXPECT_TRUE(names.insert(name).second) << "two functions named " << name;
        }
        for (const ParameterSlot& slot : ParameterSlots(line)) {
            EXPECT_TRUE(named(kParameterTextFirst + slot.label));
            if (slot.kind != kKindTextList || slot.arguments.size() != 2) continue;
            for (int p = slot.arguments[0]; p <= slot.arguments[1]; ++p) {
                EXPECT_TRUE(named(kParameterTextFirst + p));
            }
        }
    }
    for (const std::string& category : cat.CategoryList()) {
        EXPECT_TRUE(named(kCategoryTextFirst + NumberField(category, 2))) << category;
    }
    for (int m = 0; m < kModifierCount; ++m) EXPECT_TRUE(named(kModifierTextFirst + m));
}
