#include "ui/file_dialogs.h"

#include <commdlg.h>

#include "com_apartment.h"

namespace kl {
namespace {

constexpr char kFilter[] = "Configuration settings\0*.ini\0All files (*.*)\0*.*\0";

std::optional<std::string> Ask(HWND owner, bool save) {
    char file[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = "ini";
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                (save ? 0 : OFN_FILEMUSTEXIST);
    EnsureComApartment();
    const BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok || !file[0]) return std::nullopt;
    return std::string(file);
}

}  // namespace

std::optional<std::string> AskOpenFile(HWND owner) { return Ask(owner, false); }
std::optional<std::string> AskSaveFile(HWND owner) { return Ask(owner, true); }

}  // namespace kl
