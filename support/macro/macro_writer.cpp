#include "macro/macro_writer.h"

#include "macro/keyboard_layout.h"

namespace kl::support {

std::uint32_t DelayWord(std::int32_t ms, bool marker) {
    if (ms <= 0) return 0;
    // Larger values would run into the word's flag bits.
    const std::uint32_t d = ms > static_cast<std::int32_t>(kDelayMsMask) ? kDelayMsMask : static_cast<std::uint32_t>(ms);
    return marker ? d | kDelayTimerMarker : d;
}

namespace {

// The release of a press, 0 for any other event.
std::uint32_t ReleaseOf(std::uint32_t message) {
    switch (message) {
        case kMsgKeyDown: return kMsgKeyUp;
        case kMsgLeftDown: case kMsgRightDown: case kMsgMiddleDown: return message + 1;
        default: return 0;
    }
}

// The button's bit in a mouse event's state word.
std::uint32_t ButtonBit(std::uint32_t down) {
    switch (down) {
        case kMsgLeftDown: return 1;
        case kMsgRightDown: return 2;
        case kMsgMiddleDown: return 16;
        default: return 0;
    }
}

}  // namespace

bool MacroWriter::Fits(int events) {
    if (room() >= events) return true;
    cut_ = true;
    return false;
}

void MacroWriter::Write(std::uint32_t message, std::uint32_t paramL, std::uint32_t paramH, std::uint32_t delay) {
    MacroEvent& e = events_[count_++];
    e.Message = message;
    e.ParamL = paramL;
    e.ParamH = paramH;
    e.Delay = delay;
    e.Window = window_;
}

bool MacroWriter::Put(std::uint32_t message, std::uint32_t paramL, std::uint32_t paramH, std::uint32_t delay) {
    const std::uint32_t release = ReleaseOf(message);
    const bool key = message == kMsgKeyDown || message == kMsgKeyUp;
    const std::uint32_t releasedBy = release ? release : message;
    auto held = held_.begin();
    while (held != held_.end() && !(held->release == releasedBy && (!key || held->paramL == paramL))) ++held;
    const bool holding = held != held_.end();
    // A new press needs room for its release as well; the release of a held
    // key or button takes the room kept for it.
    const int needed = release ? (holding ? 1 : 2) : (holding ? 0 : 1);
    if (!Fits(needed) || count_ >= static_cast<int>(events_.size())) {
        cut_ = true;
        return false;
    }
    Write(message, paramL, paramH, delay);
    if (release && !holding) {
        held_.push_back({release, key ? paramL : kCurrentPointer, key ? paramH : paramH & ~ButtonBit(message)});
    } else if (!release && holding) {
        held_.erase(held);
    }
    return true;
}

bool MacroWriter::Key(std::uint32_t message, std::int32_t vk, std::uint32_t scan, std::uint32_t delay) {
    return Put(message, static_cast<std::uint32_t>(vk), scan * 65536u + 1u, delay);
}

bool MacroWriter::Mouse(std::uint32_t message, std::uint32_t position, std::uint32_t state, std::uint32_t delay) {
    return Put(message, position, state, delay);
}

void MacroWriter::ReleaseHeld() {
    while (!held_.empty()) {
        const Held h = held_.back();
        held_.pop_back();
        if (count_ < static_cast<int>(events_.size())) Write(h.release, h.paramL, h.paramH, 0);
    }
}

bool MacroWriter::TypeKeyCode(std::uint16_t code, std::uint32_t delay) {
    const std::uint8_t shift = static_cast<std::uint8_t>(code >> 8);
    const std::uint8_t vk = static_cast<std::uint8_t>(code & 0xFF);
    std::int32_t modifier = 0;
    if (shift == 1) modifier = kVkShift;
    else if (shift == 2) modifier = kVkControl;
    else if (shift == 4) modifier = kVkMenu;
    if (!Fits(modifier ? 4 : 2)) return false;
    const std::uint32_t modScan = modifier ? ScanCodeOf(static_cast<std::uint32_t>(modifier)) : 0;
    if (modifier) Key(kMsgKeyDown, modifier, modScan, 0);
    const std::uint32_t scan = OemScan(vk);
    Key(kMsgKeyDown, vk, scan, delay);
    Key(kMsgKeyUp, vk, scan, 0);
    if (modifier) Key(kMsgKeyUp, modifier, modScan, 0);
    return true;
}

}  // namespace kl::support
