#include "window/notification_router.h"

#include <string>

#include "handle_words.h"
#include "system/library_binding.h"
#include "system/support_calls.h"
#include "ui/user_actions.h"

namespace kl {
namespace {

constexpr LPARAM kExecuteHotkey = -11;
constexpr LPARAM kExecuteFunction = -10;
constexpr LPARAM kShowMainWindow = -9;
constexpr LPARAM kToggleTimerPlayback = -8;
constexpr LPARAM kControlTimer = -7;
constexpr LPARAM kLoadProfile = -6;
constexpr LPARAM kRunPrompt = -5;
constexpr LPARAM kRepeatMacro = -4;
constexpr LPARAM kStopwatch = -3;
constexpr LPARAM kChangeIcon = -2;
constexpr std::size_t kFunctionParameterBuffer = 1024;

bool IsProgramIcon(const SettingsBlock& b, Handle32 icon) {
    return icon != 0 && (icon == b.IconDefault || icon == b.IconPlaying || icon == b.IconRecording);
}

// Codes that only change state here. Every other code may open a box, a menu or an
// input prompt, or call into klsupport again.
bool RunsInPlace(LPARAM code) {
    return code == kChangeIcon || code == kControlTimer || code == kToggleTimerPlayback || code == -1;
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
    case kExecuteHotkey:
        if (wp != 0) target_.RunHotkey(static_cast<std::uint32_t>(wp));
        break;
    case kExecuteFunction: {
        std::string parameter(kFunctionParameterBuffer, '\0');
        CallExecuteFunctionEx(static_cast<std::uint32_t>(wp), parameter.data());
        break;
    }
    case kShowMainWindow:
    case WM_LBUTTONDBLCLK:
        target_.ShowMainWindow();
        break;
    case kToggleTimerPlayback:
        target_.ToggleTimerPlayback();
        break;
    case kControlTimer:
        target_.ControlTimer(static_cast<std::int32_t>(wp));
        break;
    case kLoadProfile:
        // The number counts in the profile list; 0 and numbers beyond it name the default.
        target_.LoadProfileNumber(static_cast<int>(static_cast<std::int32_t>(wp)));
        break;
    case kRunPrompt:
        target_.RunPrompt();
        break;
    case kRepeatMacro:
        RepeatMacro();
        break;
    case kStopwatch:
        ShowTimerStatus();
        break;
    case kChangeIcon:
        // Only the program's own three icons go into the tray; anyone may post this code.
        if (IsProgramIcon(*b, static_cast<Handle32>(wp)))
            target_.ShowIcon(HandleFromWord<HICON>(static_cast<Handle32>(wp)));
        break;
    case WM_RBUTTONDOWN:
        target_.PopupTrayMenu();
        break;
    default:
        break;
    }
}

}  // namespace kl
