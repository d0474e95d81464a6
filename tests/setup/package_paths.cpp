#include "package_paths.h"

#include <algorithm>
#include <cctype>

#include "testing/support_library.h"
#include "version.h"
#include "win_handles.h"

namespace kl::testing {

std::string PackageName() { return "Keyloom-" KL_VERSION_TEXT "-" KL_TEST_ARCH; }

std::string PackageDir() {
    std::string bin = BinDir();  // ...\build\<arch>\bin\ -> ...\build\<arch>\package\.
    bin.erase(bin.find_last_of('\\', bin.size() - 2) + 1);
    return bin + "package\\";
}

namespace {

void AddContents(const std::string& folder, const std::string& relative, std::vector<std::string>& out) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + relative + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.push_back(relative + name + "\\");
            AddContents(folder, relative + name + "\\", out);
        } else {
            out.push_back(relative + name + " " + std::to_string(found.nFileSizeLow));
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

std::vector<std::string> FolderContents(const std::string& folder) {
    std::vector<std::string> out;
    AddContents(folder, "", out);
    std::sort(out.begin(), out.end());
    return out;
}

long RunCommand(const std::string& commandLine, DWORD ms) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    UniqueHandle thread(pi.hThread), process(pi.hProcess);
    if (WaitForSingleObject(process.get(), ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return static_cast<long>(code);
}

std::string ProcessImage(HANDLE process) {
    char image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!QueryFullProcessImageNameA(process, 0, image, &size)) return {};
    return image;
}

namespace {

struct BoxSearch {
    DWORD pid;
    bool found;
};

BOOL CALLBACK CheckForBox(HWND w, LPARAM p) {
    auto& search = *reinterpret_cast<BoxSearch*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (owner == search.pid && IsWindowVisible(w) && std::string(cls) == "#32770") search.found = true;
    return !search.found;
}

}  // namespace

bool ShowsABox(DWORD pid) {
    BoxSearch search{pid, false};
    EnumWindows(CheckForBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace kl::testing
