// The directory player through ExecuteFunctionEx: defining sets, the play
// modes, stepping with wrap-around, the set "Active", list files, and a
// missing folder. Files are opened with the program associated with them.
#include <cstdint>
#include <fstream>

#include "dir_player_fixture.h"
#include "testing/thread_window.h"

using namespace kl;
using namespace kl::testing;

namespace {

void SetWriteTime(const std::string& file, WORD year) {
    SYSTEMTIME st{};
    st.wYear = year;
    st.wMonth = 6;
    st.wDay = 15;
    st.wHour = 12;
    FILETIME local{}, utc{};
    SystemTimeToFileTime(&st, &local);
    LocalFileTimeToFileTime(&local, &utc);
    HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFileTime(h, nullptr, nullptr, &utc);
    CloseHandle(h);
}

}  // namespace

TEST_F(DirPlayerTest, ByNameStepsAndWrapsAtBothEnds) {
    const std::string set = std::string(kDirPlaySets) + "seq";
    EXPECT_EQ(Run(208, Fields({" seq ", "1", Folder()})), 1);
    EXPECT_TRUE(Played(File("a.kldptest")));
    EXPECT_EQ(GetText(set, "Dir"), Folder() + "\\") << "a backslash is appended";
    EXPECT_EQ(GetText(set, "PlayMode"), "1");
    EXPECT_EQ(Pos(set), "1");
    EXPECT_EQ(GetText255(b().DirPlayDir), Folder() + "\\");
    EXPECT_EQ(b().DirPlayPos, 1);
    EXPECT_EQ(b().DirPlayMode, 1);

    EXPECT_EQ(Run(214, "seq"), 1);
    EXPECT_TRUE(Played(File("b.kldptest")));
    EXPECT_EQ(Pos(set), "2");

    SetString(set, "Pos", "3");
    EXPECT_EQ(Run(214, "seq"), 1);  // next from the last wraps to the first
    EXPECT_TRUE(Played(File("a.kldptest")));
    EXPECT_EQ(Pos(set), "1");
    EXPECT_EQ(Run(213, "seq"), 1);  // previous from the first wraps to the last
    EXPECT_TRUE(Played(File("C.kldptest")));
    EXPECT_EQ(Pos(set), "3");

    EXPECT_EQ(Run(212, "seq"), 1);
    EXPECT_TRUE(Played(File("a.kldptest")));
    EXPECT_EQ(Run(215, "seq"), 1);
    EXPECT_TRUE(Played(File("C.kldptest")));
    EXPECT_EQ(Pos(set), "3");
    EXPECT_EQ(Run(211, "seq"), 1);
    EXPECT_TRUE(Played(File("C.kldptest")));
    EXPECT_TRUE(Playing().empty()) << "each step opens one file";
}

TEST_F(DirPlayerTest, NewestFirstOrdersByTheLastWriteTime) {
    SetWriteTime(File("a.kldptest"), 2020);
    SetWriteTime(File("b.kldptest"), 2005);  // the oldest has the shortest packed time
    SetWriteTime(File("C.kldptest"), 2015);
    EXPECT_EQ(Run(208, Fields({"new", "2", Folder() + "\\"})), 1);
    EXPECT_TRUE(Played(File("a.kldptest")));
    EXPECT_EQ(Run(214, "new"), 1);
    EXPECT_TRUE(Played(File("C.kldptest")));
    EXPECT_EQ(Run(214, "new"), 1);
    EXPECT_TRUE(Played(File("b.kldptest")));
}

TEST_F(DirPlayerTest, RandomModeStepsToAPositionInTheList) {
    const std::string set = std::string(kDirPlaySets) + "rnd";
    EXPECT_EQ(Run(208, Fields({"rnd", "4", Folder()})), 1);
    ASSERT_TRUE(PollFor([] { return Playing().size() == 1; }, 10000));
    CloseAll();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Run(i == 0 ? 214 : 213, "rnd"), 1);
        const int pos = std::stoi(Pos(set));
        EXPECT_GE(pos, 1);
        EXPECT_LE(pos, 3);
        ASSERT_TRUE(PollFor([] { return Playing().size() == 1; }, 10000));
        CloseAll();
    }
}

TEST_F(DirPlayerTest, AListFilePlaysItsLinesInOrderOrSorted) {
    const std::string list = Folder() + ".lst";
    std::ofstream(list, std::ios::binary) << File("C.kldptest") << "\xFF" << "a comment\r\n"
                        << File("b.kldptest") << "\n"
                        << File("a.kldptest");  // the last line needs no end
    EXPECT_EQ(Run(208, Fields({"list", "0", list})), 1);
    EXPECT_TRUE(Played(File("C.kldptest"))) << "only the first field is played";
    EXPECT_EQ(Run(214, "list"), 1);
    EXPECT_TRUE(Played(File("b.kldptest")));

    // Mode 3 sorts by the number each line starts with; none does here.
    EXPECT_EQ(Run(208, Fields({"list", "3", list})), 1);
    EXPECT_TRUE(Played(File("a.kldptest")));
    DeleteFileA(list.c_str());
}

TEST_F(DirPlayerTest, ActiveUsesTheBlockAndSharesTheKeyOfTheEmptyName) {
    EXPECT_EQ(Run(208, Fields({"", "1", Folder()})), 1);
    EXPECT_TRUE(Played(File("a.kldptest")));
    EXPECT_EQ(GetText(kDirPlayActive, "Dir"), Folder() + "\\");
    EXPECT_EQ(Pos(kDirPlayActive), "1");

    // "Active" does not read the registry: a changed "Dir" there does not matter.
    SetString(kDirPlayActive, "Dir", "C:\\kl_no_such_folder\\");
    EXPECT_EQ(Run(214, "Active"), 1);
    EXPECT_TRUE(Played(File("b.kldptest")));
    EXPECT_EQ(Pos(kDirPlayActive), "2") << "but it writes to the key of the empty name";

    // The empty name reads the registry.
    EXPECT_EQ(Run(214, ""), 1);
    EXPECT_EQ(Status(), "DirPlay: Nonexisting file \"\"");
    EXPECT_TRUE(Playing().empty());
}

TEST_F(DirPlayerTest, DefiningActivePlaysTheNewFolderNotTheOneTheBlockHeld) {
    SetText255(b().DirPlayDir, "C:\\kl_no_such_folder\\");
    b().DirPlayPos = 2;
    EXPECT_EQ(Run(208, Fields({"Active", "1", Folder()})), 1);
    EXPECT_TRUE(Played(File("a.kldptest")));
    EXPECT_EQ(GetText255(b().DirPlayDir), Folder() + "\\");
    EXPECT_EQ(Pos(kDirPlayActive), "1");
}

TEST_F(DirPlayerTest, AMissingFolderOrPositionFindsNoFile) {
    const std::string set = std::string(kDirPlaySets) + "gone";
    EXPECT_EQ(Run(208, Fields({"gone", "1", "C:\\kl_no_such_folder"})), 1);
    EXPECT_EQ(Status(), "DirPlay: Nonexisting file \"\"");
    EXPECT_EQ(Pos(set), "1");
    EXPECT_EQ(Run(210, "gone"), 1);
    EXPECT_EQ(Status(), "Unable to obtain DirPlay file list from \"C:\\kl_no_such_folder\\\"");

    EXPECT_EQ(Run(208, Fields({"far", "1", Folder()})), 1);
    EXPECT_TRUE(Played(File("a.kldptest")));
    SetString(std::string(kDirPlaySets) + "far", "Pos", "9");
    EXPECT_EQ(Run(211, "far"), 1);
    EXPECT_EQ(Status(), "DirPlay: Nonexisting file \"\"");

    // An empty parameter defines nothing; an unknown set has no folder.
    EXPECT_EQ(Run(208, ""), 1);
    EXPECT_EQ(Run(214, "never defined"), 1);
    EXPECT_FALSE(GetValue(std::string(kDirPlaySets) + "never defined", "Pos").has_value());
    EXPECT_TRUE(Playing().empty());
}

TEST_F(DirPlayerTest, ExtremePositionsInTheBlockWrapWithoutOverflow) {
    SetText255(b().DirPlayDir, Folder());
    b().DirPlayMode = 1;
    b().DirPlayPos = INT32_MAX;
    EXPECT_EQ(Run(214, "Active"), 1);
    EXPECT_TRUE(Played(File("a.kldptest")));
    EXPECT_EQ(b().DirPlayPos, 1);
    b().DirPlayPos = INT32_MIN;
    EXPECT_EQ(Run(213, "Active"), 1);
    EXPECT_TRUE(Played(File("C.kldptest")));
    EXPECT_EQ(b().DirPlayPos, 3);
    b().DirPlayPos = -7;
    EXPECT_EQ(Run(211, "Active"), 1);
    EXPECT_EQ(Status(), "DirPlay: Nonexisting file \"\"");
}
