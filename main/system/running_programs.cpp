#include "system/running_programs.h"

#include <windows.h>

#include "model/program_lists.h"
#include "win_handles.h"

namespace kl {
namespace {

std::string ProcessImage(DWORD pid) {
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return {};
    char path[MAX_PATH * 2] = {};
    DWORD size = sizeof path;
    if (!QueryFullProcessImageNameA(process.get(), 0, path, &size)) return {};
    return std::string(path, size);
}

struct Search {
    DWORD self = 0;
    std::vector<DWORD> pids;
};

BOOL CALLBACK CollectWindow(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    if (!IsWindowVisible(w)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == 0 || pid == s->self) return TRUE;
    for (const DWORD seen : s->pids)
        if (seen == pid) return TRUE;
    s->pids.push_back(pid);
    return TRUE;
}

}  // namespace

std::vector<std::string> VisibleWindowPrograms() {
    Search search;
    search.self = GetCurrentProcessId();
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    std::vector<std::string> paths;
    for (const DWORD pid : search.pids)
        if (std::string path = ProcessImage(pid); !path.empty()) paths.push_back(std::move(path));
    return paths;
}

std::vector<std::string> RunningProgramNames() { return DistinctProgramNames(VisibleWindowPrograms()); }

}  // namespace kl
