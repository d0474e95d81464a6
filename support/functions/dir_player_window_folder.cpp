#include "functions/dir_player_window_folder.h"

#include "functions/path_parts.h"
#include "params.h"

namespace kl::support::dirplay {

std::string FolderInTitle(std::string_view text) {
    const std::string_view title = TrimBlanks(text);
    const auto colon = title.find(":\\");
    if (colon == std::string_view::npos || colon < 1) return {};
    const std::string candidate(title.substr(colon - 1));
    std::string folder = FolderExists(candidate) ? candidate : FolderPart(candidate);
    return FolderExists(folder) ? folder : std::string();
}

std::string FolderOfWindowTitle(HWND window) {
    if (!window || GetParent(window)) return {};
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    return FolderInTitle(title);
}

}  // namespace kl::support::dirplay
