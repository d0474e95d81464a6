// Appends input events to a macro buffer (the block's MacroEvents) without
// ever writing past its end.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "macro/keyboard_layout.h"
#include "settings_block.h"

namespace kl::support {

inline constexpr std::uint32_t kDelayMsMask = 0x7FFF;       // bits 0-14
inline constexpr std::uint32_t kDelayHandedOut = 0x8000;    // bit 15
inline constexpr std::uint32_t kDelayTimerMarker = 0x40000000;  // bit 30
inline constexpr std::uint32_t kDelayTimerTaken = 0x80000000;   // bit 31
inline constexpr std::uint32_t kCurrentPointer = 0x80008000;    // relative 0, 0

// The delay word of an event: milliseconds kept to the 15 bits the word has
// room for, with the timer marker when it is on and the delay is not zero.
std::uint32_t DelayWord(std::int32_t ms, bool marker);

// Every key or button the writer has pressed and not yet released keeps room
// for its release, so a macro cut at the buffer's end can still let go of
// everything it holds (ReleaseHeld).
class MacroWriter {
public:
    MacroWriter(std::span<MacroEvent> events, std::uint32_t window) : events_(events), window_(window) {}

    int count() const { return count_; }
    // Events that still fit besides the releases kept in reserve.
    int room() const { return static_cast<int>(events_.size()) - count_ - static_cast<int>(held_.size()); }
    bool full() const { return room() <= 0; }
    // True once an event or a group of events did not fit: the translation was cut.
    bool cut() const { return cut_; }
    // True when `events` more ordinary events fit; otherwise the translation is cut.
    bool Fits(int events);

    // One key event (WM_KEYDOWN or WM_KEYUP). False when it does not fit.
    bool Key(std::uint32_t message, std::int32_t vk, std::uint32_t scan, std::uint32_t delay);
    // One mouse event. False when it does not fit.
    bool Mouse(std::uint32_t message, std::uint32_t position, std::uint32_t state, std::uint32_t delay);

    // Types a 16-bit key code (low byte the virtual key, high byte the shift
    // state: exactly 1 Shift, 2 Ctrl, 4 Alt): modifier down, key down carrying
    // the delay word, key up, modifier up. Written whole or not at all, so a
    // full buffer never leaves a modifier held; false when it did not fit.
    bool TypeKeyCode(std::uint16_t code, std::uint32_t delay);

    // Writes the release of every key and button still held, the last pressed
    // first, into the room kept for them.
    void ReleaseHeld();

private:
    struct Held {
        std::uint32_t release;  // WM_KEYUP or the button's up message
        std::uint32_t paramL, paramH;
    };
    bool Put(std::uint32_t message, std::uint32_t paramL, std::uint32_t paramH, std::uint32_t delay);
    void Write(std::uint32_t message, std::uint32_t paramL, std::uint32_t paramH, std::uint32_t delay);

    std::span<MacroEvent> events_;
    std::uint32_t window_;
    int count_ = 0;
    bool cut_ = false;
    std::vector<Held> held_;
};

}  // namespace kl::support
