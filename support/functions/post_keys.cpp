#include "functions/post_keys.h"

namespace kl::support {

namespace {

struct PostedKey {
    UINT key;
    UINT scan;
};

PostedKey Resolve(BYTE key, char character) {
    const UINT vk = key ? key : LOBYTE(VkKeyScanA(character));
    UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    if (!scan) scan = OemKeyScan(static_cast<BYTE>(character ? character : static_cast<char>(vk))) & 0xFFFF;
    return {vk, scan & 0xFF};
}

LPARAM DownBits(const PostedKey& k) { return static_cast<LPARAM>(1 + (k.scan << 16)); }

// A key-up carries the previous-state and transition bits, as a real one does.
LPARAM UpBits(const PostedKey& k) { return static_cast<LPARAM>(DownBits(k) | 0xC0000000u); }

void PostDown(HWND window, const PostedKey& k) {
    PostMessageA(window, WM_KEYDOWN, k.key, DownBits(k));
    PostMessageA(window, WM_CHAR, MapVirtualKeyA(k.key, MAPVK_VK_TO_CHAR), DownBits(k));
}

void PostUp(HWND window, const PostedKey& k) { PostMessageA(window, WM_KEYUP, k.key, UpBits(k)); }

}  // namespace

void PostKeystroke(HWND window, const Keystroke& keystroke) {
    if (!window || !IsWindow(window)) return;
    const PostedKey key = Resolve(keystroke.key, keystroke.character);
    const bool modified =
        keystroke.modifier == VK_SHIFT || keystroke.modifier == VK_CONTROL || keystroke.modifier == VK_MENU;
    const PostedKey modifier = modified ? Resolve(keystroke.modifier, 0) : PostedKey{};
    if (modified) PostDown(window, modifier);
    PostDown(window, key);
    PostUp(window, key);
    if (modified) PostUp(window, modifier);
}

}  // namespace kl::support
