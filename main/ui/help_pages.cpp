#include "ui/help_pages.h"

#include <vector>

#include "system/shell_links.h"

namespace kl {

std::string HelpPage(DWORD context, int pageTag) {
    struct Fixed {
        DWORD context;
        const char* page;
    };
    static constexpr Fixed kFixed[] = {
        {help::kAbout, "manual/screenshots_about.html"},     {help::kAliases, "manual/screenshots_alias.html"},
        {help::kHotkeyEditor, "manual/screenshots_hotkey.html"}, {help::kImport, "manual/screenshots_import.html"},
        {help::kKbdMap, "manual/screenshots_kbdmap.html"},   {help::kSelect, "manual/screenshots_select.html"},
        {help::kProfiles, "manual/screenshots_profile.html"}, {help::kStyle, "manual/screenshots_style.html"},
        {help::kKeyMap, "manual/screenshots_keymap.html"},   {help::kFunctionIndex, "features/function_index.html"},
        {help::kCategoryIndex, "features/category_index.html"}, {help::kSettingIndex, "features/setting_index.html"},
        {help::kPrograms, "manual/programs.html"},
    };
    if (context == help::kMainWindow) {
        const int tag = pageTag >= 1 && pageTag <= 5 ? pageTag : 1;
        return "manual/screenshots_main_" + std::to_string(tag) + ".html";
    }
    for (const Fixed& f : kFixed)
        if (f.context == context) return f.page;
    auto numbered = [context](DWORD base, const char* prefix) {
        return std::string(prefix) + std::to_string(context - base) + ".html";
    };
    if (context > help::kFunctionIndex && context < help::kCategoryIndex)
        return numbered(help::kFunctionIndex, "features/function_");
    if (context > help::kCategoryIndex && context < help::kSettingIndex)
        return numbered(help::kCategoryIndex, "features/category_");
    if (context > help::kSettingIndex && context < help::kSettingIndex + 1000)
        return numbered(help::kSettingIndex, "features/setting_");
    return "manual/index.html";
}

std::string HelpAddress(const std::string& page, bool online, const std::string& dataDir) {
    if (online) return kHelpWebBase + page;
    std::string path = dataDir;
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    for (const char c : page) path += c == '/' ? '\\' : c;
    return path;
}

bool OpenHelpAddress(const std::string& address) {
    char viewer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA(kHelpViewerVariable, viewer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return ShellOpen(address, "", SW_SHOWNORMAL) == 0;
    std::string command = std::string("\"") + viewer + "\" \"" + address + "\"";
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

DWORD HelpContextOf(HWND window) {
    for (HWND w = window; w; w = (GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
        if (const DWORD context = GetWindowContextHelpId(w)) return context;
    return 0;
}

}  // namespace kl
