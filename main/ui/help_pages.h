// The manual: help contexts and the pages they open. The pages are plain HTML files in
// the data folder ("manual/...", "features/..."); with the option "Use the online help"
// the same page is opened under the web address of the manual instead.
#pragma once

#include <windows.h>

#include <string>

namespace kl {

namespace help {
// Windows and dialogs.
inline constexpr DWORD kMainWindow = 10100;  // the page depends on the active page
inline constexpr DWORD kAbout = 10200;
inline constexpr DWORD kAliases = 10300;
inline constexpr DWORD kHotkeyEditor = 10400;
inline constexpr DWORD kImport = 10500;
inline constexpr DWORD kKbdMap = 10600;
inline constexpr DWORD kSelect = 10700;
inline constexpr DWORD kProfiles = 10800;
inline constexpr DWORD kStyle = 10900;
inline constexpr DWORD kKeyMap = 11000;
// Hotkeys for chosen programs: the editor's programs row, the picker, the Options field.
inline constexpr DWORD kPrograms = 11100;
// Indexes; function n is kFunctionIndex + n, category c kCategoryIndex + c and option
// setting s kSettingIndex + s.
inline constexpr DWORD kFunctionIndex = 1000;
inline constexpr DWORD kCategoryIndex = 2000;
inline constexpr DWORD kSettingIndex = 3000;
}  // namespace help

// Where the manual is on the web; every page is this followed by its page name.
inline constexpr char kHelpWebBase[] = "https://www.corvane.com/keyloom/";
inline constexpr char kHomePage[] = "https://www.corvane.com/";
inline constexpr char kMailAddress[] = "mailto:keyloom@corvane.com";
// A program named by this environment variable is started with the address of a help
// page instead of the shell opening it (tests see the address, no browser starts).
inline constexpr char kHelpViewerVariable[] = "KEYLOOM_HELP_VIEWER";

// The page of a help context, relative to the manual's root ("manual/index.html" for
// contexts without a page of their own); `pageTag` (1 to 5) is the main window's
// active page.
std::string HelpPage(DWORD context, int pageTag);

// The local file (`dataDir` plus the page, with backslashes) or the web address.
std::string HelpAddress(const std::string& page, bool online, const std::string& dataDir);

// Opens an address or file the way the shell opens it; false when that failed.
bool OpenHelpAddress(const std::string& address);

// The help context of a window: its own, else the first of its parents that has one.
DWORD HelpContextOf(HWND window);

}  // namespace kl
