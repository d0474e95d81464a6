#include "functions/confirm.h"

#include <windows.h>

#include "fault_guard.h"
#include "handle_words.h"

namespace kl::support {

bool Confirm(const SettingsBlock& block, const std::string& question) {
    HWND owner = WindowFromWord(block.MainWindow);
    // A stale handle in the block would make the box fail and read as No.
    if (owner && !IsWindow(owner)) owner = nullptr;
    const NestedDispatch box;  // its loop runs the thread's windows and timers
    return MessageBoxA(owner, question.c_str(), "Warning", MB_YESNO | MB_ICONWARNING) == IDYES;
}

bool ShouldAsk(const Params& params) {
    const std::string_view flag = params.Field(1);
    return flag.empty() || flag == "0";
}

}  // namespace kl::support
