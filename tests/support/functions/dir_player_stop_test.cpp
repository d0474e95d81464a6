// Closing the program that plays the current file, and playing the folder
// named in the foreground window's title.
#include <fstream>

#include "dir_player_fixture.h"
#include "testing/thread_window.h"

using namespace kl;
using namespace kl::testing;

TEST_F(DirPlayerTest, ClosingThePlayerClosesTheAssociatedProgramsWindow) {
    EXPECT_EQ(Run(208, Fields({"stop", "1", Folder()})), 1);
    ASSERT_TRUE(Opened(File("a.kldptest")));
    EXPECT_EQ(Run(210, "stop"), 1);
    EXPECT_TRUE(PollFor([] { return Playing().empty(); }, 10000));
}

TEST_F(DirPlayerTest, StopAndRewindClosesThePlayerAndReturnsToTheFirstFile) {
    const std::string set = std::string(kDirPlaySets) + "stop";
    EXPECT_EQ(Run(208, Fields({"stop", "1", Folder()})), 1);
    EXPECT_TRUE(Played(File("a.kldptest")));
    EXPECT_EQ(Run(214, "stop"), 1);
    ASSERT_TRUE(Opened(File("b.kldptest")));
    EXPECT_EQ(Run(209, "stop"), 1);
    EXPECT_TRUE(PollFor([] { return Playing().empty(); }, 10000));
    EXPECT_EQ(Pos(set), "1");
    EXPECT_EQ(b().DirPlayPos, 1);
}

TEST_F(DirPlayerTest, PlaysTheFolderOfTheDocumentInTheForegroundWindowsTitle) {
    ThreadWindow viewer(ThreadWindow::Options().Title("Viewer - " + File("b.kldptest")));
    ASSERT_TRUE(viewer.BringToFront());
    EXPECT_EQ(Run(216, " "), 1);
    EXPECT_TRUE(Played(File("a.kldptest")));
    EXPECT_EQ(GetText(kDirPlayActive, "Dir"), Folder());
    EXPECT_EQ(GetText(kDirPlayActive, "PlayMode"), "1");
    EXPECT_EQ(Pos(kDirPlayActive), "1");

    // The set "Active" now steps through that folder.
    EXPECT_EQ(Run(214, "Active"), 1);
    EXPECT_TRUE(Played(File("b.kldptest")));
}

TEST_F(DirPlayerTest, ATitleWithoutAnExistingFolderPlaysNothing) {
    for (const std::string title : {"No path here", "Viewer - Q:\\kl_no_such_folder\\x.txt", ":\\at the start"}) {
        ThreadWindow viewer(ThreadWindow::Options().Title(title));
        ASSERT_TRUE(viewer.BringToFront());
        EXPECT_EQ(Run(216, "2"), 1);
    }
    EXPECT_FALSE(GetValue(kDirPlayActive, "Dir").has_value());
    EXPECT_TRUE(Playing().empty());
}

TEST_F(DirPlayerTest, StoppingAnInternetShortcutClosesTheProgramOfWebPages) {
    if (!AssociateWithHelper(".htm")) GTEST_SKIP() << "web pages have a program of their own here";
    struct Undo {
        ~Undo() { RemoveAssociation(".htm"); }
    } undo;
    const std::string shortcut = Folder() + "_page.url";
    const std::string list = Folder() + "_pages.lst";
    std::ofstream(shortcut, std::ios::binary) << "[InternetShortcut]\r\nURL=http://example.invalid/\r\n";
    std::ofstream(list, std::ios::binary) << shortcut << "\r\n";

    // The helper stands in for the browser showing the page.
    EXPECT_EQ(Run(208, Fields({"browser", "1", Folder()})), 1);
    ASSERT_TRUE(Opened(File("a.kldptest")));
    const std::string set = std::string(kDirPlaySets) + "pages";
    SetString(set, "Dir", list);
    SetString(set, "PlayMode", "0");
    SetString(set, "Pos", "1");
    EXPECT_EQ(Run(210, "pages"), 1);
    EXPECT_TRUE(PollFor([] { return Playing().empty(); }, 10000));

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string placeholder = std::string(temp) + "keyloom_default.htm";
    EXPECT_NE(GetFileAttributesA(placeholder.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(placeholder.c_str());
    DeleteFileA(shortcut.c_str());
    DeleteFileA(list.c_str());
}
