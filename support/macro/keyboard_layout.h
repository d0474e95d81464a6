// What the text translators ask of the keyboard layout and the screen. The
// translators themselves are plain C++; these calls are the system's
// (keyboard_layout.cpp), and a native build of the translators links its own.
#pragma once

#include <cstdint>

namespace kl::support {

// Window messages and virtual keys the translators write.
inline constexpr std::uint32_t kMsgKeyDown = 0x100, kMsgKeyUp = 0x101, kMsgMouseMove = 0x200;
inline constexpr std::uint32_t kMsgLeftDown = 0x201, kMsgLeftUp = 0x202, kMsgRightDown = 0x204,
                               kMsgRightUp = 0x205, kMsgMiddleDown = 0x207, kMsgMiddleUp = 0x208;
inline constexpr std::int32_t kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12;

// VkKeyScanA: the key and shift state of a character; -1 when it has none.
std::int16_t KeyScanOfChar(char c);

// MapVirtualKeyA(vk, 0): the scan code of a virtual key.
std::uint32_t ScanCodeOf(std::uint32_t vk);

// OemKeyScan of the byte, without its shift state; 0 when the character has no key.
std::uint32_t OemScan(std::uint8_t vk);

// The primary screen's width and height in pixels.
std::int32_t ScreenWidth();
std::int32_t ScreenHeight();

}  // namespace kl::support
