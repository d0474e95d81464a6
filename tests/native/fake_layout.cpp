// The keyboard layout of the native builds: a US layout's answers for the
// printable characters, fixed scan codes and a 1024 x 768 screen.
#include "macro/keyboard_layout.h"

namespace kl::support {

std::int16_t KeyScanOfChar(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<std::int16_t>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<std::int16_t>(0x100 | c);
    if (c >= '0' && c <= '9') return c;
    switch (c) {
        case ' ': return 0x20;
        case '\r': return 0x0D;
        case '\t': return 0x09;
        case '!': return 0x131;
        case '.': return 0xBE;
        case ',': return 0xBC;
        case ';': return 0xBA;
        case '<': return 0x1BC;
        case '>': return 0x1BE;
        default: return -1;
    }
}

std::uint32_t ScanCodeOf(std::uint32_t vk) { return vk < 0x80 ? (vk * 7) & 0x7F : 0; }

std::uint32_t OemScan(std::uint8_t vk) { return (vk * 7u) & 0x7Fu; }

std::int32_t ScreenWidth() { return 1024; }
std::int32_t ScreenHeight() { return 768; }

}  // namespace kl::support
