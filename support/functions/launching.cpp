#include <windows.h>

#include <string>

#include "functions/activate.h"
#include "functions/find_program_window.h"
#include "functions/function_table.h"
#include "functions/launch.h"
#include "functions/launch_functions.h"
#include "functions/path_parts.h"
#include "text255.h"

namespace kl::support {

namespace {

// The run functions' show mode numbers: 0 normal, 1 minimised, 2 maximised,
// 3 hidden, 4 maximised; any other number is a show command of its own.
int MapShowMode(std::int32_t mode) {
    switch (mode) {
        case 0: return SW_SHOWNORMAL;
        case 1: return SW_SHOWMINIMIZED;
        case 2: return SW_SHOWMAXIMIZED;
        case 3: return SW_HIDE;
        case 4: return SW_SHOWMAXIMIZED;
        default: return mode;
    }
}

std::string_view StripQuotes(std::string_view path) {
    auto isQuote = [](char c) { return c == '"' || c == '\''; };
    while (!path.empty() && isQuote(path.front())) path.remove_prefix(1);
    while (!path.empty() && isQuote(path.back())) path.remove_suffix(1);
    return path;
}

void RunProgram(SettingsBlock&, const Params& p) { Launch(p.Field(1), p.Field(3), MapShowMode(p.Number(2))); }

void RunOrActivateProgram(SettingsBlock& block, const Params& p) {
    if (HWND window = FindProgramWindow(StripQuotes(p.Field(1)))) {
        Activate(window);
        return;
    }
    RunProgram(block, p);
}

void OpenDocument(SettingsBlock&, const Params& p) { Launch(p.Field(1), {}, SW_SHOWNORMAL); }

void OpenLastFolder(SettingsBlock& block, const Params&) {
    const std::string folder = GetText255(block.LastGotoDir);
    if (!folder.empty()) Launch(folder, {}, SW_SHOWNORMAL);
}

void ControlPanel(SettingsBlock&, const Params&) {
    char folder[MAX_PATH] = {};
    std::string program;
    UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    if (n && n < MAX_PATH) program = WithBackslash(folder) + "control.exe";
    if (program.empty() || !FileExists(program)) {
        n = GetWindowsDirectoryA(folder, MAX_PATH);
        program = n && n < MAX_PATH ? WithBackslash(folder) + "control.exe" : std::string();
    }
    if (program.empty() || !FileExists(program)) program = "control.exe";
    Launch(program, {}, SW_SHOWNORMAL);
}

void NewMail(SettingsBlock&, const Params&) { Launch("mailto:", {}, SW_SHOWNORMAL); }

void MailTo(SettingsBlock&, const Params& p) {
    std::string target = "mailto:";
    target += p.Field(1);
    if (!p.Field(2).empty()) {
        target += "?subject=";
        target += p.Field(2);
    }
    Launch(target, {}, SW_SHOWNORMAL);
}

constexpr FunctionEntry kLaunchFunctions[] = {
    {16, RunProgram},
    {17, RunOrActivateProgram},
    {19, OpenDocument},
    {20, RunAutorun},
    {21, OpenLastFolder},
    {22, OpenNewestRecentDocument},
    {23, ControlPanel},
    {113, NewMail},
    {114, MailTo},
    {115, DialUp},
    {116, HangUp},
};

}  // namespace

std::span<const FunctionEntry> LaunchFunctions() { return kLaunchFunctions; }

}  // namespace kl::support
