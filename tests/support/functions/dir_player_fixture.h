// A folder of three test files whose extension is associated with the helper
// program dirplay_target.exe, and the means to see which file it was asked to
// play: its window is titled "dirplay_target <file>".
#pragma once

#include <string>
#include <vector>

#include "function_fixture.h"

namespace kl::testing {

inline constexpr char kDirPlaySets[] = "Software\\Corvane\\Keyloom\\DirPlay\\";
inline constexpr char kDirPlayActive[] = "Software\\Corvane\\Keyloom\\DirPlay\\Active\\";

class DirPlayerTest : public FunctionTest {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The test folder without a trailing backslash, and its files.
    static std::string Folder();
    static std::string File(const char* name) { return Folder() + "\\" + name; }

    // Waits for the helper's window for `file`, closes it and reports whether it came.
    ::testing::AssertionResult Played(const std::string& file);
    // Makes the helper the program of another extension (".htm"), unless that
    // extension has one already; false then. Undone by RemoveAssociation.
    static bool AssociateWithHelper(const char* extension);
    static void RemoveAssociation(const char* extension);

    // Waits until a helper window plays `file` (and leaves it open).
    static bool Opened(const std::string& file);
    // The helper windows now open, by the file each plays.
    static std::vector<std::string> Playing();
    // Closes every helper window and waits until they are gone.
    static void CloseAll();

    std::string Pos(const std::string& setKey) { return GetText(setKey, "Pos").value_or("(none)"); }
};

}  // namespace kl::testing
