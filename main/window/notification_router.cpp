#include "window/notification_router.h"

#include <string>

#include "handle_words.h"
#include "notify_codes.h"
#include "system/library_binding.h"
#include "system/support_calls.h"
#include "ui/user_actions.h"

namespace kl {
namespace {

constexpr std::size_t kFunctionParameterBuffer = 1024;

bool IsProgramIcon(const SettingsBlock& b, Handle32 icon) {
    return icon != 0 && (icon == b.IconDefault || icon == b.IconPlaying || icon == b.IconRecording);
}

// Codes that only change state here. Every other code may open a box, a menu or an
// input prompt, or call into klsupport again.
bool RunsInPlace(LPARAM code) {
    return code == kNotifyIcon || code == kNotifyTimer || code == kNotifyToggleTimerPlayback || code == kNotifyNoAction;
}

}  // namespace

void NotificationRouter::Route(WPARAM wp, LPARAM lp) {
    // A modal loop inside a library call would run with the library's frames below it,
    // and Exit chosen meanwhile would unload it.
    if (target_.Creating() || (LibraryCallDepth() > 0 && !RunsInPlace(lp))) {
        waiting_.emplace_back(wp, lp);
        return;
    }
    Handle(wp, lp);
}

void NotificationRouter::RunWaiting() {
    const auto waiting = std::move(waiting_);
    waiting_.clear();
    for (const auto& [wp, lp] : waiting) {
        if (target_.Closed() || !block_()) return;
        Route(wp, lp);
    }
}

void NotificationRouter::Handle(WPARAM wp, LPARAM lp) {
    if (!RunsInPlace(lp)) target_.CompleteStartup();
    SettingsBlock* b = block_();
    if (!b) return;
    switch (lp) {
    case kNotifyExecuteHotkey:
        if (wp != 0) target_.RunHotkey(static_cast<std::uint32_t>(wp));
        break;
    case kNotifyExecuteFunction: {
        std::string parameter(kFunctionParameterBuffer, '\0');
        CallExecuteFunctionEx(static_cast<std::uint32_t>(wp), parameter.data());
        break;
    }
    case kNotifyShowMainWindow:
    case kNotifyTrayDoubleClick:
        target_.ShowMainWindow();
        break;
    case kNotifyToggleTimerPlayback:
        target_.ToggleTimerPlayback();
        break;
    case kNotifyTimer:
        target_.ControlTimer(static_cast<std::int32_t>(wp));
        break;
    case kNotifyLoadProfile:
        // The number counts in the profile list; 0 and numbers beyond it name the default.
        target_.LoadProfileNumber(static_cast<int>(static_cast<std::int32_t>(wp)));
        break;
    case kNotifyRunPrompt:
        target_.RunPrompt();
        break;
    case kNotifyRepeatMacro:
        RepeatMacro();
        break;
    case kNotifyStopwatch:
        ShowTimerStatus();
        break;
    case kNotifyIcon:
        // Only the program's own three icons go into the tray; anyone may post this code.
        if (IsProgramIcon(*b, static_cast<Handle32>(wp)))
            target_.ShowIcon(HandleFromWord<HICON>(static_cast<Handle32>(wp)));
        break;
    case kNotifyTrayMenu:
        target_.PopupTrayMenu();
        break;
    default:
        break;
    }
}

}  // namespace kl
