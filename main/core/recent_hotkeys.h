// The tray menu's list of recently used hotkeys: at most five items of a
// Win32 pop-up menu, oldest first, one per hotkey. Each item's caption is the
// hotkey's description and its item data ("tag") is the hotkey ID.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kl {

class RecentHotkeys {
public:
    static constexpr int kMaxItems = 5;
    // Items take command identifiers from [first, first + kCommandRange).
    static constexpr UINT kCommandRange = 64;

    // `menu` is the pop-up menu that shows the list (owned by the caller).
    RecentHotkeys(HMENU menu, UINT firstCommand) : menu_(menu), firstCommand_(firstCommand) {}

    // Moves the hotkey to the end of the list, dropping the oldest item when
    // the list is full. The description is cut to 255 characters.
    void Add(std::int32_t hotkeyId, std::string_view description);

    // The hotkey ID of the item with this command identifier; nothing when no
    // item of the list has it.
    std::optional<std::int32_t> HotkeyFor(UINT command) const;
    bool Owns(UINT command) const { return command >= firstCommand_ && command < firstCommand_ + kCommandRange; }

    // The hotkey IDs in menu order.
    std::vector<std::int32_t> Ids() const;

private:
    std::int32_t TagAt(int position) const;
    UINT NextCommand();

    HMENU menu_;
    UINT firstCommand_;
    UINT next_ = 0;
};

}  // namespace kl
