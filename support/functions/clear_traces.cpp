#include "functions/clear_traces.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "functions/confirm.h"
#include "functions/registry_tree.h"
#include "functions/shell_folders.h"

namespace kl::support {

namespace {

constexpr char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";

// Deletes the files the mask matches in its folder; subfolders stay, files in
// use are left.
void DeleteFiles(const std::string& folder, const std::string& mask) {
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA(mask.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string_view name(data.cFileName);
        if (name == "." || name == ".." || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        DeleteFileA((folder + data.cFileName).c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

}  // namespace

void ClearTraces(SettingsBlock& block, const Params& params) {
    const bool ask = ShouldAsk(params);
    bool proceed = !ask;

    if (ask) proceed = Confirm(block, "Delete Recent Documents ?");
    if (proceed) SHAddToRecentDocs(SHARD_PIDL, nullptr);

    for (const char* name : {"Cache", "History"}) {
        const std::string found = UserShellFolder(name);
        if (found.empty()) continue;
        const std::string folder = found.back() == '\\' ? found : found + '\\';
        const std::string mask = folder + "*.*";
        if (ask) proceed = Confirm(block, "Delete " + mask + " ?");
        if (proceed) DeleteFiles(folder, mask);
    }

    if (ask) proceed = Confirm(block, "Delete Typed URLs ?");
    if (proceed) DeleteKeyTree(HKEY_CURRENT_USER, kTypedUrls);
}

}  // namespace kl::support
