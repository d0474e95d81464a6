// The path parts of the function library: folder, file name and extension.
#include <gtest/gtest.h>

#include "functions/path_parts.h"
#include "testing/temp_folder.h"

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
