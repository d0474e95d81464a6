#include "macro/keyboard_layout.h"

#include <windows.h>

namespace kl::support {

std::int16_t KeyScanOfChar(char c) { return VkKeyScanA(c); }

std::uint32_t ScanCodeOf(std::uint32_t vk) { return MapVirtualKeyA(vk, 0); }

std::uint32_t OemScan(std::uint8_t vk) {
    const DWORD r = OemKeyScan(vk);
    return r == 0xFFFFFFFF ? 0 : (r & 0xFFFF);
}

std::int32_t ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
std::int32_t ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

}  // namespace kl::support
