// Storing one recorded keyboard event into the block's macro, shared by the
// record journal of klhook and klsupport's own keyboard recorder. Plain integer
// work only: klhook runs it without a runtime.
#pragma once

#include <cstdint>

#include "settings_block.h"

namespace kl {

inline constexpr std::uint32_t kFirstKeyboardMessage = 0x100;
inline constexpr std::uint32_t kLastKeyboardMessage = 0x108;

// Takes a keyboard message whose key is not 255 into the next free event; the
// first event of a recording is always a key-down (`message` is changed too,
// as the journal changes the system's record). Events beyond the block's 1025
// are dropped. Returns true when the event was stored.
inline bool StoreRecordedKey(SettingsBlock& block, std::uint32_t& message, std::uint32_t paramL,
                             std::uint32_t paramH, std::uint32_t window) {
    if (message < kFirstKeyboardMessage || message > kLastKeyboardMessage) return false;
    if ((paramL & 0xFF) == 0xFF) return false;
    const std::int32_t n = block.MacroLength;
    if (n < 0 || n >= kMacroEventCapacity) return false;
    if (n == 0) message = kFirstKeyboardMessage;
    MacroEvent& e = block.MacroEvents[n];
    e.Message = message;
    e.ParamL = paramL;
    e.ParamH = paramH;
    e.Delay = 0;
    e.Window = window;
    block.MacroLength = n + 1;
    return true;
}

// Resolves one mouse coordinate word against the pointer's current position:
// bit 15 clear is absolute, otherwise bits 0-13 a distance and bit 14 its sign.
inline std::int32_t ResolveCoordinate(std::uint32_t word, std::int32_t current) {
    word &= 0xFFFF;
    if (!(word & 0x8000)) return static_cast<std::int32_t>(word);
    const std::int32_t distance = static_cast<std::int32_t>(word & 0x3FFF);
    return (word & 0x4000) ? current - distance : current + distance;
}

// Bits of an event's delay word that only mark how far a playback has got:
// 15, the delay handed out (or waited by the main window's timer), and 31, the
// timer period taken. Bit 30, the timer period marker, belongs to the macro.
inline constexpr std::uint32_t kPlaybackProgressBits = 0x80008000u;

// A playback that stops, however it stops, leaves the macro as it was stored.
inline void ClearPlaybackMarks(SettingsBlock& block) {
    std::int32_t n = block.MacroLength;
    if (n < 0) n = 0;
    if (n > kMacroEventCapacity) n = kMacroEventCapacity;
    for (std::int32_t i = 0; i < n; ++i) block.MacroEvents[i].Delay &= ~kPlaybackProgressBits;
}

// Keys that exist only on the extended part of the keyboard: a typed event
// names them by their virtual key alone and must be played as extended, or
// with NumLock on the arrows, Insert, Delete, Home, End and the page keys come
// out as keypad keys, right Ctrl and Alt as the left ones.
inline bool IsExtendedVirtualKey(std::uint32_t vk) {
    switch (vk) {
        case 0x21: case 0x22: case 0x23: case 0x24:  // Page Up, Page Down, End, Home
        case 0x25: case 0x26: case 0x27: case 0x28:  // the arrows
        case 0x2D: case 0x2E:                        // Insert, Delete
        case 0x5B: case 0x5C: case 0x5D:             // both Windows keys, Applications
        case 0x6F: case 0x90:                        // keypad divide, NumLock
        case 0xA3: case 0xA5:                        // right Ctrl, right Alt
            return true;
        default:
            return vk >= 0xA6 && vk <= 0xB7;  // browser, volume and media keys
    }
}

// Whether a macro key event is played as an extended key. A recorded event
// carries the scan code in bits 8-15 of ParamL and the system's extended flag
// in bit 15 of ParamH; a typed one holds the bare virtual key in ParamL.
inline bool IsExtendedKeyEvent(const MacroEvent& e) {
    if (e.ParamH & 0x8000) return true;
    if (e.ParamL & 0xFF00) return false;  // recorded, and not extended
    return IsExtendedVirtualKey(e.ParamL & 0xFF);
}

// The scan code of a key event: typed events hold it in bits 16-23 of ParamH,
// recorded ones in bits 8-15 of ParamL.
inline std::uint32_t KeyEventScan(const MacroEvent& e) {
    const std::uint32_t typed = (e.ParamH >> 16) & 0xFF;
    return typed ? typed : (e.ParamL >> 8) & 0xFF;
}

}  // namespace kl
