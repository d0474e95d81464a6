// The general registry helpers of the main program.
#include <gtest/gtest.h>

#include "model/registry_helpers.h"
#include "testing/registry.h"

using namespace kl;
using namespace kl::testing;

namespace {
constexpr char kKey[] = "Software\\Corvane\\Keyloom\\HelperTest\\";
}

TEST(RegistryHelpers, ReadsTextsWithTheirDefaults) {
    CleanRegistry clean;
    EXPECT_EQ(registry::ReadText(kKey, "missing", "dflt"), "dflt");  // no key
    SetString(kKey, "text", "hello");
    SetValue(kKey, "number", REG_DWORD, "\1\0\0\0", 4);
    SetValue(kKey, "unterminated", REG_SZ, "abc", 3);
    SetValue(kKey, "inner zero", REG_SZ, "ab\0cd", 6);
    SetString(kKey, "long", std::string(400, 'x'));
    EXPECT_EQ(registry::ReadText(kKey, "text", "d"), "hello");
    EXPECT_EQ(registry::ReadText(kKey, "missing", "d"), "d");
    EXPECT_EQ(registry::ReadText(kKey, "number", "d"), "d");
    EXPECT_EQ(registry::ReadText(kKey, "unterminated", "d"), "abc");
    EXPECT_EQ(registry::ReadText(kKey, "inner zero", "d"), "ab");
    EXPECT_EQ(registry::ReadText(kKey, "long", "d"), std::string(255, 'x'));
    EXPECT_EQ(registry::ReadText(kKey, "long", "d", registry::kWholeText), std::string(400, 'x'));
}

TEST(RegistryHelpers, WritesDeletesAndLists) {
    CleanRegistry clean;
    const std::string sub = std::string(kKey) + "Sub";
    EXPECT_TRUE(registry::WriteText(kKey, "a", "1"));  // creates the key
    EXPECT_TRUE(registry::WriteText(kKey, "b", std::string(300, 'y')));
    EXPECT_TRUE(registry::WriteText(kKey, "c", std::string(300, 'z'), registry::kWholeText));
    EXPECT_TRUE(registry::WriteText(sub, "v", ""));
    const auto stored = GetValue(kKey, "a");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored->data, std::string("1", 2));  // with its terminating zero
    EXPECT_EQ(GetText(kKey, "b")->size(), 255u);
    EXPECT_EQ(GetText(kKey, "c")->size(), 300u);

    EXPECT_EQ(registry::ListNames(kKey, registry::Names::Values), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(registry::ListNames(kKey, registry::Names::Subkeys), (std::vector<std::string>{"Sub"}));
    EXPECT_EQ(registry::ListNames(kKey, registry::Names::Both).size(), 4u);
    EXPECT_TRUE(registry::ListNames(std::string(kKey) + "None", registry::Names::Both).empty());

    EXPECT_TRUE(registry::DeleteValue(kKey, "a"));
    EXPECT_FALSE(registry::DeleteValue(kKey, "a"));
    EXPECT_FALSE(registry::DeleteKey(kKey));  // it still has a subkey
    EXPECT_TRUE(registry::DeleteKey(sub + "\\"));
    EXPECT_FALSE(registry::DeleteKey(sub));
    EXPECT_TRUE(registry::DeleteKey(kKey));
}
