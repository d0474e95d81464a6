// The system's Windows-key combinations, synthesised: 179-183.
#include <windows.h>

#include "functions/function_table.h"
#include "functions/hotkeys_held_back.h"

namespace kl::support {
namespace {

constexpr BYTE kLeftWindowsKey = VK_LWIN;
constexpr BYTE kScanCode = 69;

// Left Windows key down, key down, key up, left Windows key up. Keyloom's own
// hotkeys are held back meanwhile so the keys reach the system unchanged.
void WindowsKeyCombination(SettingsBlock& b, BYTE key) {
    const HotkeysHeldBack heldBack(b);
    keybd_event(kLeftWindowsKey, kScanCode, KEYEVENTF_EXTENDEDKEY, 0);
    keybd_event(key, kScanCode, 0, 0);
    keybd_event(key, kScanCode, KEYEVENTF_KEYUP, 0);
    keybd_event(kLeftWindowsKey, kScanCode, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
}

template <BYTE Key>
void Combination(SettingsBlock& b, const Params&) {
    WindowsKeyCombination(b, Key);
}

constexpr FunctionEntry kEntries[] = {
    {179, Combination<'D'>}, {180, Combination<'E'>}, {181, Combination<'F'>},
    {182, Combination<'M'>}, {183, Combination<'R'>},
};

}  // namespace

std::span<const FunctionEntry> WindowsKeyFunctions() { return kEntries; }

}  // namespace kl::support
