// The portable zip of this build: small, and running as unpacked, from a folder with a
// blank in its name (tools/package unpacks it into "package/unpacked copy/").
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "package_paths.h"
#include "testing/keyloom_process.h"
#include "testing/registry.h"

using namespace kl::testing;

namespace {

TEST(PortableZip, StaysWithinOneAndAHalfMegabytes) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const std::string zip = PackageDir() + PackageName() + ".zip";
    ASSERT_TRUE(GetFileAttributesExA(zip.c_str(), GetFileExInfoStandard, &data)) << zip;
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_LE(data.nFileSizeLow, 1536u * 1024u) << zip;
}

TEST(PortableZip, StartsFromAFolderWithABlankInItsName) {
    CleanRegistry clean;
    const std::string folder = PackageDir() + "unpacked copy\\" + PackageName() + "\\";
    for (const char* name : {"keyloom.exe", "klsupport.dll", "klhook.dll", "english.lan", "readme.txt"})
        EXPECT_NE(GetFileAttributesA((folder + name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
    SetString(kKeyloomKey, "SimpleMode", "1");
    KeyloomProcess app(folder);
    ASSERT_NE(app.WaitForWindow(), nullptr);
    EXPECT_EQ(ProcessImage(app.handle()), folder + "keyloom.exe");
    // Both libraries and the language were found: no error box.
    EXPECT_FALSE(ShowsABox(GetProcessId(app.handle())));
    ASSERT_TRUE(app.Close());
    EXPECT_EQ(app.ExitCode(), 0u);
}

}  // namespace
