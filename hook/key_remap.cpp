#include "key_remap.h"

#include "keyboard_state.h"

namespace kl::hook {
namespace {

constexpr UINT kVkToChar = 2;  // MAPVK_VK_TO_CHAR
constexpr DWORD kScanMask = 0x00FF0000u, kExtended = 1u << 24, kContext = 1u << 29, kReleased = 0x80000000u;

bool IsExtendedKey(int vk) {
    switch (vk) {
    case 13: case 33: case 34: case 35: case 36: case 45: case 46: case 111: case 163: case 165: return true;
    default: return false;
    }
}
bool IsAltKey(int vk) { return vk == 18 || vk == 164 || vk == 165; }
bool IsModifierKey(int vk) { return vk == 16 || vk == 17 || vk == 18 || (vk >= 160 && vk <= 165); }

// The modifier bits of a remap entry and the keys they force down.
constexpr struct {
    std::uint8_t bit;
    std::uint8_t vk;
} kForcedModifiers[] = {{1, 18}, {2, 17}, {4, 16}};

// The thread's key-state entry for a modifier as the keyboard really holds it;
// the toggle bit is kept.
BYTE RealModifierState(const Platform& p, int vk, BYTE entry) {
    const bool held = (static_cast<std::uint16_t>(p.AsyncKeyState(vk)) & 0x8000u) != 0;
    return static_cast<BYTE>((entry & 0x01) | (held ? 0x80 : 0));
}

void Apply(SettingsBlock& b, const Platform& p, MSG& m, int source, const KeyRemapEntry e) {
    const int target = e.ToVk;
    DWORD lp = static_cast<DWORD>(m.lParam);

    m.wParam = m.message == WM_CHAR ? p.MapVk(static_cast<UINT>(target), kVkToChar) : static_cast<WPARAM>(target);
    lp = (lp & ~kScanMask) | (static_cast<DWORD>(e.ToScan) << 16);
    if (IsExtendedKey(target)) lp |= kExtended;

    if (source == 16 || source == 17 || source == 18)
        ChangeKeyboardState(p, [&](BYTE* s) { s[source] = 0; });
    else if (source == 144 || source == 145)
        ChangeKeyboardState(p, [&](BYTE* s) { s[source] = 1; });

    if (const std::uint8_t force = e.ForceModifiers) {
        // Forced down while the key is down; on its release each forced modifier
        // goes back to what the keyboard really holds, or it would stay down in
        // this thread and turn the next plain key into a combination.
        const bool released = (lp & kReleased) != 0;
        ChangeKeyboardState(p, [&](BYTE* s) {
            for (const auto& m : kForcedModifiers)
                if (force & m.bit) s[m.vk] = released ? RealModifierState(p, m.vk, s[m.vk]) : 0x80;
        });
    }

    if (IsAltKey(target)) {
        if (m.message == WM_KEYDOWN || m.message == WM_KEYUP) {
            lp = (lp & ~(kScanMask | kExtended)) | (0x38u << 16);
            if (m.message == WM_KEYDOWN) lp |= kContext;
        }
        m.message += 4;  // WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR
        m.wParam = 18;
        b.AltDown = m.message == WM_SYSKEYDOWN ? 1 : 0;
    }
    if (IsModifierKey(target)) {
        const BYTE value = (lp & kReleased) ? 0 : 0x80;
        ChangeKeyboardState(p, [&](BYTE* s) { s[target] = value; });
    }
    if (b.AltDown) {
        lp |= kContext;
        if (m.message == WM_KEYDOWN) m.message = WM_SYSKEYDOWN;
    }
    m.lParam = static_cast<LPARAM>(lp);
}

}  // namespace

void RemapKey(SettingsBlock& b, const Platform& p, MSG& m) {
    const int source = m.message == WM_CHAR ? (p.VkFromChar(static_cast<CHAR>(m.wParam & 0xFF)) & 0xFF)
                                            : static_cast<int>(m.wParam & 0xFF);
    std::int32_t count = b.KeyRemap.Count;
    if (count > kKeyRemapEntries) count = kKeyRemapEntries;
    for (std::int32_t i = 0; i < count; ++i) {
        const KeyRemapEntry e = b.KeyRemap.Entries[i];
        if (e.FromVk == 0) break;
        if (e.FromVk == source) {
            Apply(b, p, m, source, e);
            return;
        }
    }
}

}  // namespace kl::hook
