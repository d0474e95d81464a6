#include "window/startup.h"

#include "core/program_directory.h"
#include "core/reg_text.h"
#include "registry_names.h"

namespace kl {
namespace {

UINT g_notifyMessage = 0;
constexpr UINT kFallbackNotifyMessage = 0xC800;
constexpr LPARAM kShowMainWindow = -9;

bool IsDirectory(const std::string& path) {
    const DWORD attrs = GetFileAttributesA(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

UINT NotifyMessage() { return g_notifyMessage; }

bool RegisterNotifyMessage() {
    if (g_notifyMessage) return false;
    for (int n = 1; n <= 11; ++n) {
        const std::string name = "KLSysTray" + std::to_string(n);
        if (const UINT msg = RegisterWindowMessageA(name.c_str())) {
            g_notifyMessage = msg;
            return true;
        }
    }
    g_notifyMessage = kFallbackNotifyMessage;
    return false;
}

std::string InitializeDataDirectory() {
    std::string dir = WithTrailingBackslash(ReadRegText(reg::kBaseKey, reg::kDataDir).value_or(""));
    if (dir.empty() || !IsDirectory(dir)) {
        dir = ProgramDirectory();
        WriteRegText(reg::kBaseKey, reg::kDataDir, dir);
    }
    return dir;
}

bool ActivateRunningInstance() {
    if (!FindWindowA(nullptr, kApplicationTitle)) return false;
    RegisterNotifyMessage();
    // A hung window must not hold the new process forever.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, NotifyMessage(), 0, kShowMainWindow, SMTO_ABORTIFHUNG, 5000, &ignored);
    return true;
}

}  // namespace kl
