#include "macro/macro_writer.h"

#include <windows.h>

namespace kl::support {

std::uint32_t DelayWord(std::int32_t ms, bool marker) {
    if (ms <= 0) return 0;
    // Larger values would run into the word's flag bits.
    const std::uint32_t d = ms > static_cast<std::int32_t>(kDelayMsMask) ? kDelayMsMask : static_cast<std::uint32_t>(ms);
    return marker ? d | kDelayTimerMarker : d;
}

std::uint32_t OemScan(std::uint8_t vk) {
    const DWORD r = OemKeyScan(vk);
    return r == 0xFFFFFFFF ? 0 : (r & 0xFFFF);
}

bool MacroWriter::Key(std::uint32_t message, std::int32_t vk, std::uint32_t scan, std::uint32_t delay) {
    if (full()) return false;
    MacroEvent& e = events_[count_++];
    e.Message = message;
    e.ParamL = static_cast<std::uint32_t>(vk);
    e.ParamH = scan * 65536u + 1u;
    e.Delay = delay;
    e.Window = window_;
    return true;
}

bool MacroWriter::Mouse(std::uint32_t message, std::uint32_t position, std::uint32_t state, std::uint32_t delay) {
    if (full()) return false;
    MacroEvent& e = events_[count_++];
    e.Message = message;
    e.ParamL = position;
    e.ParamH = state;
    e.Delay = delay;
    e.Window = window_;
    return true;
}

bool MacroWriter::TypeKeyCode(std::uint16_t code, std::uint32_t delay) {
    const std::uint8_t shift = static_cast<std::uint8_t>(code >> 8);
    const std::uint8_t vk = static_cast<std::uint8_t>(code & 0xFF);
    std::int32_t modifier = 0;
    if (shift == 1) modifier = VK_SHIFT;
    else if (shift == 2) modifier = VK_CONTROL;
    else if (shift == 4) modifier = VK_MENU;
    if (room() < (modifier ? 4 : 2)) return false;
    const std::uint32_t modScan = modifier ? MapVirtualKeyA(modifier, 0) : 0;
    if (modifier) Key(WM_KEYDOWN, modifier, modScan, 0);
    const std::uint32_t scan = OemScan(vk);
    Key(WM_KEYDOWN, vk, scan, delay);
    Key(WM_KEYUP, vk, scan, 0);
    if (modifier) Key(WM_KEYUP, modifier, modScan, 0);
    return true;
}

}  // namespace kl::support
