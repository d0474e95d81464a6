// The pieces of the function library that need no program around them: path
// parts, the volume step and the guarded registry tree delete.
#include <gtest/gtest.h>

#include "functions/path_parts.h"
#include "functions/registry_tree.h"
#include "functions/volume_step.h"
#include "testing/registry.h"
#include "testing/temp_folder.h"
#include "win_handles.h"

using namespace kl;
using namespace kl::support;

TEST(PathParts, FolderFileNameAndExtension) {
    kl::testing::TempFolder temp;
    const std::string folder = temp.path().substr(0, temp.path().size() - 1);
    EXPECT_EQ(FolderPart(temp.path()), folder);  // an existing folder is its own folder
    EXPECT_EQ(FolderPart(folder), folder);
    EXPECT_EQ(FileNamePart(folder), "");
    EXPECT_EQ(FolderPart("C:\\"), "C:\\");
    EXPECT_EQ(FolderPart("Q:\\no\\such\\file.txt"), "Q:\\no\\such");
    EXPECT_EQ(FolderPart("Q:\\file.txt"), "Q:\\");
    EXPECT_EQ(FolderPart("mailto:someone"), "mailto:someone");
    EXPECT_EQ(FileNamePart("Q:\\no\\App.Name.LNK"), "App.Name.LNK");
    EXPECT_EQ(ExtensionPart("Q:\\no\\App.Name.LNK"), "LNK");
    EXPECT_EQ(ExtensionPart("Q:\\dotted.dir\\plain"), "");
    EXPECT_EQ(WithBackslash("E:"), "E:");
    EXPECT_EQ(WithBackslash("x/"), "x/");
    EXPECT_EQ(WithBackslash(""), "");
    EXPECT_EQ(WithBackslash("Q:\\a"), "Q:\\a\\");
}

TEST(VolumeStep, TenthOfTheRangeKeptWithinBounds) {
    EXPECT_EQ(NextVolume(30000, 0, 65535, true), 36553u);
    EXPECT_EQ(NextVolume(30000, 0, 65535, false), 23447u);
    EXPECT_EQ(NextVolume(5000, 0, 65535, false), 0u);  // below one step stops at the minimum
    EXPECT_EQ(NextVolume(65000, 0, 65535, true), 65535u);
    EXPECT_EQ(NextVolume(0xFFFFFFF0u, 0, 0xFFFFFFFFu, true), 0xFFFFFFFFu);
    EXPECT_EQ(NextVolume(15, 10, 20, false), 14u);
    EXPECT_EQ(NextVolume(7, 10, 5, true), 7u);  // nonsense bounds change nothing
}

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
