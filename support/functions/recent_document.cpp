#include <windows.h>
#include <shlobj.h>

#include <string>

#include "functions/launch.h"
#include "functions/launch_functions.h"
#include "functions/path_parts.h"

namespace kl::support {

namespace {

class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() {
        if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

}  // namespace

// Opens the entry of the user's Recent folder written last; its entries are
// shortcuts, which the launch resolves to their targets.
void OpenNewestRecentDocument(SettingsBlock&, const Params&) {
    char recent[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, recent, CSIDL_RECENT, FALSE) || !recent[0]) return;
    const std::string folder = WithBackslash(recent);

    WIN32_FIND_DATAA data{};
    FindHandle find(FindFirstFileA((folder + "*.*").c_str(), &data));
    if (!find.valid()) return;
    std::string newest;
    FILETIME newestTime{};
    do {
        if (data.cFileName[0] == '.' || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (newest.empty() || CompareFileTime(&data.ftLastWriteTime, &newestTime) > 0) {
            newest = data.cFileName;
            newestTime = data.ftLastWriteTime;
        }
    } while (FindNextFileA(find.get(), &data));
    if (!newest.empty()) Launch(folder + newest, {}, SW_SHOWNORMAL);
}

}  // namespace kl::support
