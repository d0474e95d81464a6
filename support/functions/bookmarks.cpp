#include "functions/bookmarks.h"

#include <windows.h>

#include <string>

#include "functions/window_target.h"
#include "registry_names.h"
#include "registry_values.h"
#include "win_handles.h"

namespace kl::support {
namespace {

std::string ValueName(const Params& params) {
    return "Bookmark_" + std::string(params.Trimmed(1));
}

}  // namespace

void SetBookmark(SettingsBlock&, const Params& params) {
    RegKey key = RegKey::Create(HKEY_CURRENT_USER, reg::kTempKey, KEY_SET_VALUE);
    if (!key) return;
    const std::string handle = std::to_string(AsHandle32(GetForegroundWindow()));
    // Stored with its terminating zero.
    RegSetValueExA(key.get(), ValueName(params).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(handle.c_str()), static_cast<DWORD>(handle.size() + 1));
}

void GoToBookmark(SettingsBlock&, const Params& params) {
    RegKey key = RegKey::Open(HKEY_CURRENT_USER, reg::kTempKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (!key) return;
    const std::string name = ValueName(params);
    const std::string text(TrimBlanks(ReadString(key.get(), name.c_str()).value_or("")));
    if (text.empty()) return;
    const HWND w = AsWindow(static_cast<Handle32>(ParseParamNumber(text)));
    if (w && IsWindow(w)) {
        BringWindowToTop(w);
        SetForegroundWindow(w);
    } else {
        RegDeleteValueA(key.get(), name.c_str());  // the window has gone
    }
}

}  // namespace kl::support
