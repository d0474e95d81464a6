#include "system/shell_links.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "com_apartment.h"

namespace kl {
namespace {

constexpr std::size_t kTextMax = 255;
constexpr int kLinkBuffer = 4096;

template <class T>
class ComPtr {
public:
    ~ComPtr() {
        if (p_) p_->Release();
    }
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

std::string Cut(const char* s) {
    std::string t(s);
    if (t.size() > kTextMax) t.resize(kTextMax);
    return t;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsLinkFile(const std::string& path) {
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find_first_of("\\/", dot) != std::string::npos) return false;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::toupper(c); });
    return ext == "LNK";
}

// Opens a shortcut through the shell's link object; false when it cannot be loaded.
bool LoadLink(const std::string& path, ComPtr<IShellLinkA>& link) {
    EnsureComApartment();
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.Out()))))
        return false;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out())))) return false;
    std::vector<wchar_t> wide(kLinkBuffer + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), kLinkBuffer);
    return SUCCEEDED(file->Load(wide.data(), STGM_READ));
}

}  // namespace

int ShellOpen(const std::string& target, const std::string& parameters, int showCommand) {
    if (target.empty()) return -1;
    std::string file = target, params = parameters, dir = FolderOf(target);
    int show = showCommand;
    if (IsLinkFile(target)) {
        ComPtr<IShellLinkA> link;
        if (LoadLink(target, link)) {
            std::vector<char> buf(kLinkBuffer, '\0');
            if (SUCCEEDED(link->GetPath(buf.data(), kLinkBuffer - 1, nullptr, SLGP_UNCPRIORITY))) file = buf.data();
            buf.assign(kLinkBuffer, '\0');
            if (SUCCEEDED(link->GetArguments(buf.data(), kLinkBuffer - 1))) params = buf.data();
            buf.assign(kLinkBuffer, '\0');
            if (SUCCEEDED(link->GetWorkingDirectory(buf.data(), kLinkBuffer - 1))) dir = buf.data();
            int linkShow = 0;
            if (SUCCEEDED(link->GetShowCmd(&linkShow))) show = linkShow;
        }
    }
    // The started program gets its folder as working folder; ours stays where it is, so
    // that no drive or folder is kept busy by keyloom.exe.
    EnsureComApartment();
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = file.c_str();
    info.lpParameters = params.empty() ? nullptr : params.c_str();
    info.lpDirectory = dir.empty() ? nullptr : dir.c_str();
    info.nShow = show;
    if (!ShellExecuteExA(&info)) {
        const DWORD error = GetLastError();
        return error ? static_cast<int>(error) : static_cast<int>(ERROR_GEN_FAILURE);
    }
    if (info.hProcess) CloseHandle(info.hProcess);
    return 0;
}

bool ReadShortcut(const std::string& path, ShortcutInfo& out) {
    out = ShortcutInfo{};
    const DWORD attrs = GetFileAttributesA(path.c_str());
    if (path.empty() || attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) return false;
    ComPtr<IShellLinkA> link;
    if (!LoadLink(path, link)) return false;
    std::vector<char> buf(kLinkBuffer, '\0');
    if (SUCCEEDED(link->GetPath(buf.data(), kLinkBuffer - 1, nullptr, SLGP_UNCPRIORITY))) out.target = Cut(buf.data());
    buf.assign(kLinkBuffer, '\0');
    if (SUCCEEDED(link->GetWorkingDirectory(buf.data(), kLinkBuffer - 1))) out.workingDirectory = Cut(buf.data());
    buf.assign(kLinkBuffer, '\0');
    if (SUCCEEDED(link->GetArguments(buf.data(), kLinkBuffer - 1))) out.arguments = Cut(buf.data());
    buf.assign(kLinkBuffer, '\0');
    if (SUCCEEDED(link->GetDescription(buf.data(), kLinkBuffer - 1))) out.description = Cut(buf.data());
    int show = 0;
    if (SUCCEEDED(link->GetShowCmd(&show))) out.showCommand = show;
    WORD hotkey = 0;
    link->GetHotkey(&hotkey);
    int icon = 0;
    buf.assign(kLinkBuffer, '\0');
    if (SUCCEEDED(link->GetIconLocation(buf.data(), kLinkBuffer - 1, &icon))) out.iconIndex = icon;
    return true;
}

}  // namespace kl
