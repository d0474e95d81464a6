// Closing the program that plays the current file, and playing the folder
// named in the foreground window's title.
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
