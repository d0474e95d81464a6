// The shipped functions.txt and keynames.txt agree with the program: every
// key code has its line, every catalogued function is one the support library
// dispatches, and every parameter descriptor is one the editor can show.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/catalogue.h"
#include "core/text_fields.h"
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
        int texts = 0, lists = 0;
        for (int s = 0; s < slots; ++s) {
            const std::string_view descriptor = fields[4 + s];
            const auto colon = descriptor.find(':');
            ASSERT_NE(colon, std::string_view::npos);
            const int label = ToNumber(descriptor.substr(0, colon), -1);
            EXPECT_TRUE(label >= 0 && kParameterTextFirst + label <= 483);
            const auto args = SplitFields(descriptor.substr(colon + 1), ',');
            const int kind = ToNumber(args[0], -1);
            if (kind == 0 || kind == 4 || kind == 9) {
                ++texts;
                ASSERT_EQ(args.size(), 2u);
                EXPECT_GE(ToNumber(args[1], -1), 0);
            } else if (kind == 1) {
                ++lists;
                ASSERT_EQ(args.size(), 3u);
                const int first = ToNumber(args[1], -1), last = ToNumber(args[2], -1);
                EXPECT_TRUE(first >= 0 && first <= last && kParameterTextFirst + last <= 483);
            } else {
                ++lists;
                EXPECT_TRUE(kind >= 2 && kind <= 8) << "kind " << kind;
                EXPECT_EQ(args.size(), 1u);
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
