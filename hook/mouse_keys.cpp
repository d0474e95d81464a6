#include "mouse_keys.h"

#include <cstdint>

namespace kl::hook {
namespace {

constexpr int kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40, kVkMultiply = 106, kVkAdd = 107,
              kVkSubtract = 109;

std::int32_t Clamp(std::int64_t v, std::int64_t low, std::int64_t high) {
    return static_cast<std::int32_t>(v < low ? low : v > high ? high : v);
}

// Keypad multiply, add and subtract, acting on release. Returns whether one acted.
bool SpeedKeys(SettingsBlock& b, const Platform& p, int vk, bool released, const RECT& work) {
    if (!released) return false;
    if (vk == kVkMultiply) {
        p.PlaceCursor((work.right - work.left) / 2, (work.bottom - work.top) / 2);
        return true;
    }
    const std::int64_t speed = b.MKSpeed;
    const std::int64_t step = b.MKSpeedMod;
    if (vk == kVkAdd) {
        b.MKSpeed = Clamp(speed + step, INT32_MIN, kMaxMouseKeysSpeed);
        return true;
    }
    if (vk == kVkSubtract) {
        // The speed never drops below 1: a negative one would turn the arrows round.
        if (speed > 1) b.MKSpeed = speed == step ? 1 : Clamp(speed - step, 1, INT32_MAX);
        return true;
    }
    return false;
}

}  // namespace

bool MouseKeys(SettingsBlock& b, const Platform& p, int vk, bool released) {
    RECT work{};
    if (!p.WorkArea(&work)) work = RECT{};
    const int s = Clamp(b.MKSpeed, -INT32_MAX, INT32_MAX);  // negating INT32_MIN would overflow

    if (b.MKInc && SpeedKeys(b, p, vk, released, work)) return true;
    if (!b.MKCursorKeys) return false;
    if (vk < kVkLeft || vk > kVkDown) return false;
    if (released) return false;

    const bool border = b.MKBorderKeys && (p.AsyncKeyState(VK_CONTROL) & 0x8000) != 0;
    if (border) {
        POINT at{};
        if (!p.CursorPos(&at)) return true;
        switch (vk) {
        case kVkLeft: p.PlaceCursor(0, at.y); break;
        case kVkUp: p.PlaceCursor(at.x, 0); break;
        case kVkRight: p.PlaceCursor(work.right - 1, at.y); break;
        default: p.PlaceCursor(at.x, work.bottom - 1); break;
        }
        return true;
    }
    switch (vk) {
    case kVkLeft: p.MoveMouseBy(-s, 0); break;
    case kVkUp: p.MoveMouseBy(0, -s); break;
    case kVkRight: p.MoveMouseBy(s, 0); break;
    default: p.MoveMouseBy(0, s); break;
    }
    return true;
}

}  // namespace kl::hook
