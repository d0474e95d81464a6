#include "functions/find_program_window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "functions/path_parts.h"
#include "params.h"
#include "win_handles.h"

namespace kl::support {

namespace {

// EnumWindows passes this tag to the callback; calls with another are ignored.
constexpr LPARAM kSearchTag = 1025;
constexpr DWORD kMaxModules = 2049;
constexpr DWORD kMaxModuleName = 1025;

using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, LPDWORD);
using GetModuleFileNameExFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
using GetModuleBaseNameFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
using GetWindowModuleFileNameFn = UINT(WINAPI*)(HWND, LPSTR, UINT);

class LoadedLibrary {
public:
    explicit LoadedLibrary(const char* name) : module_(LoadLibraryA(name)) {}
    ~LoadedLibrary() {
        if (module_) FreeLibrary(module_);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    template <class Fn>
    Fn Get(const char* name) const {
        return module_ ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
    }

private:
    HMODULE module_;
};

struct Search {
    std::string key;
    EnumProcessModulesFn enumModules = nullptr;
    GetModuleFileNameExFn moduleFileName = nullptr;
    GetWindowModuleFileNameFn windowModuleFileName = nullptr;
    std::vector<HMODULE> modules;
    HWND found = nullptr;
};

// The search under way on this thread; the enumeration's own parameter
// carries the tag.
thread_local Search* t_search = nullptr;

bool Contains(const Search& s, const char* name, DWORD length) {
    const std::string upper = UpperAnsi(TrimBlanks(std::string_view(name, length)));
    return upper.find(s.key) != std::string::npos;
}

bool ProcessHasModule(Search& s, HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (!pid) return false;
    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) return false;
    s.modules.assign(kMaxModules, nullptr);
    DWORD needed = 0;
    if (!s.enumModules(process.get(), s.modules.data(), kMaxModules * sizeof(HMODULE), &needed)) return false;
    const DWORD count = std::min<DWORD>(needed / sizeof(HMODULE), kMaxModules);
    char name[kMaxModuleName];
    for (DWORD i = 0; i < count; ++i) {
        const DWORD n = s.moduleFileName(process.get(), s.modules[i], name, sizeof name);
        if (n && Contains(s, name, std::min<DWORD>(n, sizeof name - 1))) return true;
    }
    return false;
}

bool WindowModuleMatches(Search& s, HWND window) {
    char name[kMaxModuleName];
    const UINT n = s.windowModuleFileName(window, name, sizeof name);
    return n && Contains(s, name, std::min<UINT>(n, sizeof name - 1));
}

BOOL CALLBACK OnWindow(HWND window, LPARAM param) {
    if (param != kSearchTag || !t_search) return TRUE;
    Search& s = *t_search;
    const bool matches = s.enumModules ? ProcessHasModule(s, window) : WindowModuleMatches(s, window);
    if (matches && IsWindowVisible(window)) {
        s.found = window;
        return FALSE;
    }
    return TRUE;
}

bool IsNtPlatform() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version)) return true;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void Enumerate(Search& search) {
    Search* previous = t_search;
    t_search = &search;
    EnumWindows(OnWindow, kSearchTag);
    t_search = previous;
}

}  // namespace

HWND FindProgramWindow(std::string_view path) {
    Search search;
    search.key = UpperAnsi(TrimBlanks(FileNamePart(path)));
    // An empty name would be found in every module name.
    if (search.key.empty()) return nullptr;

    if (IsNtPlatform()) {
        LoadedLibrary psapi("PSAPI.DLL");
        auto baseName = psapi.Get<GetModuleBaseNameFn>("GetModuleBaseNameA");
        search.moduleFileName = psapi.Get<GetModuleFileNameExFn>("GetModuleFileNameExA");
        search.enumModules = psapi.Get<EnumProcessModulesFn>("EnumProcessModules");
        if (!baseName || !search.moduleFileName || !search.enumModules) return nullptr;
        Enumerate(search);
    } else {
        LoadedLibrary user32("USER32.DLL");
        search.windowModuleFileName = user32.Get<GetWindowModuleFileNameFn>("GetWindowModuleFileNameA");
        if (!search.windowModuleFileName) return nullptr;
        Enumerate(search);
    }
    return search.found;
}

}  // namespace kl::support
