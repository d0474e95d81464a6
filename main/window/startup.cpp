#include "window/startup.h"

#include "system/library_check.h"
#include "model/reg_text.h"
#include "notify_codes.h"
#include "registry_names.h"
#include "ui/app_identity.h"

namespace kl {
namespace {

UINT g_notifyMessage = 0;
constexpr UINT kFallbackNotifyMessage = 0xC800;
constexpr int kInstanceWaitSteps = 50;
constexpr DWORD kInstanceWaitStepMs = 100;

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
    const DataFolderChoice choice = ChooseDataFolder(ReadRegText(reg::kBaseKey, reg::kDataDir).value_or(""));
    if (choice.storeBack) WriteRegText(reg::kBaseKey, reg::kDataDir, choice.folder);
    return choice.folder;
}

bool ActivateRunningInstance(HANDLE& instanceMutex) {
    // The mutex decides, not a window title: two starts close together cannot both run,
    // and a window of another program that happens to carry our title stops nothing.
    SetLastError(ERROR_SUCCESS);
    instanceMutex = CreateMutexA(nullptr, FALSE, kInstanceMutexName);
    if (!instanceMutex || GetLastError() != ERROR_ALREADY_EXISTS) return false;
    // The running instance may still be creating its window: give it a moment.
    for (int wait = 0; wait < kInstanceWaitSteps && !FindWindowA(kMainWindowClass, kApplicationTitle); ++wait)
        Sleep(kInstanceWaitStepMs);
    RegisterNotifyMessage();
    // A hung window must not hold the new process forever.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(HWND_BROADCAST, NotifyMessage(), 0, kNotifyShowMainWindow, SMTO_ABORTIFHUNG, 5000, &ignored);
    return true;
}

}  // namespace kl
