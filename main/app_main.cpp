// Program start: data directory, single instance, the main window, the message loop.
#include <windows.h>

#include "system/hook_install.h"
#include "system/journal_cancel.h"
#include "system/library_binding.h"
#include "system/system_hotkeys.h"
#include "system/step_trace.h"
#include "window/main_window.h"
#include "win_handles.h"
#include "window/startup.h"

namespace {

// A fault that nothing handles still leaves the system without our hooks and hotkeys.
LONG WINAPI ReleaseOnFault(EXCEPTION_POINTERS*) {
    if (kl::Block()) {
        kl::RemoveHooks();
        kl::UnregisterSystemHotkeys(kl::MainForm().handle());
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    kl::TraceStep("program loaded");
    const std::string dataDir = kl::InitializeDataDirectory();
    HANDLE mutex = nullptr;
    const bool another = kl::ActivateRunningInstance(mutex);
    const kl::UniqueHandle instanceMutex(mutex);
    if (another) return 0;
    kl::TraceStep("single instance");

    SetUnhandledExceptionFilter(ReleaseOnFault);

    kl::TfrmMain& form = kl::MainForm();
    if (!form.Create(instance, dataDir)) {
        // A start that failed saves nothing; the window system may not have destroyed
        // the window it never finished creating.
        kl::FinalizeLibraries(false);
        return 1;
    }
    kl::TraceStep("message loop");
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (kl::HandleJournalCancel(msg)) continue;
        if (form.PreTranslateMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    kl::TraceStep("exit: message loop ended");
    kl::WriteStepTrace();
    return static_cast<int>(msg.wParam);
}
