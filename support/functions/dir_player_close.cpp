#include "functions/dir_player_close.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "functions/find_program_window.h"
#include "functions/path_parts.h"
#include "functions/shell_link.h"
#include "win_handles.h"

namespace kl::support::dirplay {
namespace {

// An empty page in the temporary folder that makes the shell name the program
// associated with web pages.
std::string PlaceholderPage() {
    char temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(sizeof temp, temp);
    if (n == 0 || n > MAX_PATH) return {};
    const std::string page = WithBackslash(temp) + "keyloom_default.htm";
    if (!FileExists(page)) {
        UniqueHandle created(CreateFileA(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    return page;
}

}  // namespace

void ClosePlayerOf(std::string_view currentFile) {
    std::string file = UpperAnsi(currentFile);
    const std::string extension = ExtensionPart(file);
    if (extension == "URL") {
        file = PlaceholderPage();
    } else if (extension == "LNK") {
        if (auto link = ReadShortcut(file); link && !link->file.empty()) file = link->file;
    }
    if (file.empty()) return;
    char program[MAX_PATH + 1] = {};
    if (reinterpret_cast<INT_PTR>(FindExecutableA(file.c_str(), nullptr, program)) <= 32) return;
    if (HWND player = FindProgramWindow(program)) PostMessageA(player, WM_CLOSE, 0, 0);
}

}  // namespace kl::support::dirplay
