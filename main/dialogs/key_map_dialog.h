// TfrmKeyMap: picks the key pressed, the key it produces and the modifiers to force.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kl {

namespace key_map_dialog {
inline constexpr int lblKey = 100;
inline constexpr int cbKey = 101;
inline constexpr int ebKey = 102;
inline constexpr int lblKeyB = 103;
inline constexpr int cbKeyB = 104;
inline constexpr int ebKeyB = 105;
inline constexpr int lblModifier = 106;
inline constexpr int cbModifier = 107;
}  // namespace key_map_dialog

struct KeyPair {
    int fromVk = 0;     // 0: nothing chosen
    int toVk = 0;
    int modifiers = 0;  // 1 Alt, 2 Ctrl, 4 Shift
};

// `keys` holds "name;code" lines (the key pick list). The lists start with `pair`'s
// choices; after OK the new ones, nothing after Cancel.
std::optional<KeyPair> ShowKeyMapDialog(HWND owner, const std::vector<std::string>& keys, const KeyPair& pair);

}  // namespace kl
