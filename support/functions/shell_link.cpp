#include "functions/shell_link.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace kl::support {

namespace {

// Initialises COM for the current thread when it is not yet, for the lifetime
// of one call.
class ComScope {
public:
    ComScope() : hr_(CoInitialize(nullptr)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT hr_;
};

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    void** out() { return reinterpret_cast<void**>(&p_); }

private:
    T* p_ = nullptr;
};

}  // namespace

std::optional<ShortcutTarget> ReadShortcut(std::string_view linkPath) {
    if (linkPath.empty() || linkPath.size() >= MAX_PATH) return std::nullopt;
    ComScope com;
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.out())))
        return std::nullopt;
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.out()))) return std::nullopt;

    wchar_t wide[MAX_PATH] = {};
    const std::string narrow(linkPath);
    if (!MultiByteToWideChar(CP_ACP, 0, narrow.c_str(), -1, wide, MAX_PATH)) return std::nullopt;
    if (FAILED(file->Load(wide, STGM_READ))) return std::nullopt;

    ShortcutTarget target;
    char text[1024] = {};
    WIN32_FIND_DATAA data{};
    if (SUCCEEDED(link->GetPath(text, sizeof text, &data, SLGP_UNCPRIORITY))) target.file = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetArguments(text, sizeof text))) target.arguments = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof text))) target.directory = text;
    int show = SW_SHOWNORMAL;
    if (SUCCEEDED(link->GetShowCmd(&show))) target.show = show;
    return target;
}

}  // namespace kl::support
