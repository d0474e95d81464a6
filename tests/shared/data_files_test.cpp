// The one reader of the data files: read once, kept, and a clear error while missing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data_files.h"
#include "testing/temp_dir.h"

using namespace kl;
using namespace kl::testing;

TEST(DataFiles, LinesAreReadOnceAndAMissingFileIsAnErrorUntilItExists) {
    TempDir dir;
    std::string folder = dir.path();
    folder.pop_back();  // the reader adds the backslash
    DataFileLines file(folder, kKeyNamesFile);
    std::string error;
    EXPECT_EQ(file.Lines(error), nullptr);
    EXPECT_EQ(error, "Cannot open file \"" + dir.path() + "keynames.txt\".");

    dir.Write(kKeyNamesFile, "0;ILLEGAL\r\n1;One\n2;Two\r3;Three");
    const std::vector<std::string>* lines = file.Lines(error);
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(*lines, (std::vector<std::string>{"0;ILLEGAL", "1;One", "2;Two", "3;Three"}));
    dir.Write(kKeyNamesFile, "0;Changed\n");
    EXPECT_EQ(file.Lines(error)->front(), "0;ILLEGAL");
}
