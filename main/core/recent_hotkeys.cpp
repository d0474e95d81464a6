#include "core/recent_hotkeys.h"

#include <string>

namespace kl {
namespace {

constexpr std::size_t kCaptionMax = 255;

}  // namespace

std::int32_t RecentHotkeys::TagAt(int position) const {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoA(menu_, static_cast<UINT>(position), TRUE, &info)) return 0;
    return static_cast<std::int32_t>(info.dwItemData);
}

// Identifiers go round the range: an item leaves the list within five
// additions, long before its identifier comes round again.
UINT RecentHotkeys::NextCommand() {
    const UINT command = firstCommand_ + next_;
    next_ = (next_ + 1) % kCommandRange;
    return command;
}

void RecentHotkeys::Add(std::int32_t hotkeyId, std::string_view description) {
    if (!menu_) return;
    const int count = GetMenuItemCount(menu_);
    for (int i = 0; i < count; ++i) {
        if (TagAt(i) == hotkeyId) {
            DeleteMenu(menu_, static_cast<UINT>(i), MF_BYPOSITION);
            break;
        }
    }
    while (GetMenuItemCount(menu_) >= kMaxItems) {
        if (!DeleteMenu(menu_, 0, MF_BYPOSITION)) return;
    }

    std::string caption(description.substr(0, kCaptionMax));
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_DATA | MIIM_STRING | MIIM_FTYPE;
    info.fType = MFT_STRING;
    info.wID = NextCommand();
    info.dwItemData = static_cast<ULONG_PTR>(static_cast<std::uint32_t>(hotkeyId));
    info.dwTypeData = caption.data();
    info.cch = static_cast<UINT>(caption.size());
    InsertMenuItemA(menu_, static_cast<UINT>(GetMenuItemCount(menu_)), TRUE, &info);
}

std::optional<std::int32_t> RecentHotkeys::HotkeyFor(UINT command) const {
    if (!menu_ || !Owns(command)) return std::nullopt;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoA(menu_, command, FALSE, &info)) return std::nullopt;
    return static_cast<std::int32_t>(info.dwItemData);
}

std::vector<std::int32_t> RecentHotkeys::Ids() const {
    std::vector<std::int32_t> ids;
    const int count = menu_ ? GetMenuItemCount(menu_) : 0;
    for (int i = 0; i < count; ++i) ids.push_back(TagAt(i));
    return ids;
}

}  // namespace kl
