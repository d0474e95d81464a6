// Every help context the program gives its windows and controls has its page in the
// manual shipped in the data folder, and the addresses help opens.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "model/catalogue.h"
#include "ui/help_pages.h"
#include "testing/support_library.h"
#include "window/option_pages.h"

using namespace kl;

namespace {

bool PageExists(const std::string& page) {
    const std::string path = HelpAddress(page, false, kl::testing::BinDir());
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL CALLBACK AddContext(HWND w, LPARAM p) {
    if (const DWORD c = GetWindowContextHelpId(w)) reinterpret_cast<std::set<DWORD>*>(p)->insert(c);
    return TRUE;
}

// The help contexts the option pages give their controls, read from the controls.
std::set<DWORD> OptionContexts() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KlHelpWalkPage";
    RegisterClassA(&wc);
    HWND owner = CreateWindowA("KlHelpWalkPage", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr, wc.hInstance, nullptr);
    HWND pages[3];
    for (HWND& page : pages)
        page = CreateWindowA("KlHelpWalkPage", "", WS_CHILD, 0, 0, 600, 400, owner, nullptr, wc.hInstance, nullptr);
    OptionPages options;
    options.Create(wc.hInstance, pages[0], pages[1], pages[2], nullptr);
    std::set<DWORD> contexts;
    EnumChildWindows(owner, AddContext, reinterpret_cast<LPARAM>(&contexts));
    DestroyWindow(owner);
    return contexts;
}

}  // namespace

TEST(HelpPages, EveryHelpContextOfTheProgramHasItsPage) {
    std::set<std::string> pages;
    for (int tag = 1; tag <= 5; ++tag) pages.insert(HelpPage(help::kMainWindow, tag));
    for (const DWORD dialog : {help::kAbout, help::kAliases, help::kHotkeyEditor, help::kImport, help::kKbdMap,
                               help::kSelect, help::kProfiles, help::kStyle, help::kKeyMap, help::kFunctionIndex,
                               help::kCategoryIndex, help::kSettingIndex, help::kPrograms, DWORD{0}})
        pages.insert(HelpPage(dialog, 1));
    const std::set<DWORD> options = OptionContexts();
    EXPECT_GE(options.size(), 25u);
    for (const DWORD context : options) {
        EXPECT_GT(context, help::kSettingIndex);
        pages.insert(HelpPage(context, 1));
    }
    // The hotkey editor gives its lists the category's and the function's context.
    Catalogue catalogue(kl::testing::BinDir(), [](int) { return std::string("x"); });
    const auto functions = catalogue.FunctionCatalogue(0);
    ASSERT_TRUE(functions.ok()) << functions.error;
    for (const std::string& line : functions.value)
        pages.insert(HelpPage(help::kFunctionIndex + static_cast<DWORD>(std::stoi(line)), 1));
    for (const std::string& entry : catalogue.CategoryList())
        pages.insert(HelpPage(help::kCategoryIndex + static_cast<DWORD>(std::stoi(entry.substr(entry.rfind(';') + 1))), 1));
    EXPECT_GT(pages.size(), 150u);
    for (const std::string& page : pages) EXPECT_TRUE(PageExists(page)) << page;
}

TEST(HelpPages, ContextsMapToPagesLocallyAndOnTheWeb) {
    EXPECT_EQ(HelpPage(help::kMainWindow, 5), "manual/screenshots_main_5.html");
    EXPECT_EQ(HelpPage(help::kMainWindow, 9), "manual/screenshots_main_1.html");
    EXPECT_EQ(HelpPage(1160, 1), "features/function_160.html");
    EXPECT_EQ(HelpPage(2013, 1), "features/category_13.html");
    EXPECT_EQ(HelpPage(3031, 1), "features/setting_31.html");
    EXPECT_EQ(HelpPage(4000, 1), "manual/index.html");
    EXPECT_EQ(HelpPage(12345, 1), "manual/index.html");
    EXPECT_EQ(HelpAddress("manual/index.html", false, "C:\\Keyloom"), "C:\\Keyloom\\manual\\index.html");
    EXPECT_EQ(HelpAddress("features/setting_4.html", true, "C:\\Keyloom\\"),
              std::string(kHelpWebBase) + "features/setting_4.html");
}

// Each page of a window shows a picture of it: an image shipped beside the page, a
// small PNG, with a text for those who cannot see it.
TEST(HelpPages, EveryWindowPageShowsItsPicture) {
    const std::string manual = kl::testing::BinDir() + "manual\\";
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((manual + "screenshots_*.html").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        const std::string page = found.cFileName;
        std::ifstream in(manual + page, std::ios::binary);
        const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string picture = page.substr(0, page.size() - 5) + ".png";
        const auto img = html.find("<img src=\"" + picture + "\" alt=\"");
        ASSERT_NE(img, std::string::npos) << page << " shows no " << picture;
        EXPECT_NE(html[html.find("alt=\"", img) + 5], '"') << page << ": the picture has no text";
        std::ifstream png(manual + picture, std::ios::binary | std::ios::ate);
        ASSERT_TRUE(png) << picture << " is missing";
        const auto size = static_cast<long long>(png.tellg());
        EXPECT_LT(size, 64 * 1024) << picture;
        png.seekg(0);
        char signature[8] = {};
        png.read(signature, sizeof signature);
        EXPECT_EQ(std::string(signature, 8), "\x89PNG\r\n\x1a\n") << picture;
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
