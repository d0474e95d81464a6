// The guarded registry tree delete: short paths are refused, long ones deleted whole.
#include <gtest/gtest.h>

#include "functions/registry_tree.h"
#include "testing/registry.h"
#include "win_handles.h"

using namespace kl;
using namespace kl::support;

TEST(RegistryTree, ShortPathsAreRefusedLongOnesDeletedWhole) {
    kl::testing::CleanRegistry clean;
    const std::string base = "Software\\Corvane\\Keyloom";  // 24 characters
    const std::string deep = base + "\\Tree\\A\\B";
    kl::testing::SetString(deep, "v", "1");
    kl::testing::SetString(base + "\\Tree", "w", "2");
    kl::testing::SetString(base + "\\Tree\\C", "x", "3");

    EXPECT_FALSE(DeleteKeyTree(HKEY_CURRENT_USER, base));
    EXPECT_FALSE(DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Microsoft"));
    EXPECT_TRUE(RegKey::Open(HKEY_CURRENT_USER, deep.c_str(), KEY_READ));

    EXPECT_TRUE(DeleteKeyTree(HKEY_CURRENT_USER, base + "\\Tree"));
    EXPECT_FALSE(RegKey::Open(HKEY_CURRENT_USER, (base + "\\Tree").c_str(), KEY_READ));
    EXPECT_TRUE(RegKey::Open(HKEY_CURRENT_USER, base.c_str(), KEY_READ));
    EXPECT_FALSE(DeleteKeyTree(HKEY_CURRENT_USER, base + "\\Missing"));
}
