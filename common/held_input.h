// The keys and mouse buttons a macro player has pressed and not yet released,
// so that a playback that ends, is aborted or is cut short by the program's
// end lets go of them: no key may stay down after a macro.
#pragma once

#include <cstdint>

#include "settings_block.h"

namespace kl {

class HeldInput {
public:
    // Takes note of an event as it is played.
    void Note(const MacroEvent& e) {
        const std::uint32_t vk = VirtualKeyOf(e);
        if (vk == 0) return;
        if (IsPress(e.Message)) bits_[vk / 32] |= 1u << (vk % 32);
        else bits_[vk / 32] &= ~(1u << (vk % 32));
    }

    bool Holds(std::uint32_t vk) const { return vk < 256 && (bits_[vk / 32] >> (vk % 32)) & 1u; }
    bool Empty() const {
        for (std::uint32_t w : bits_)
            if (w) return false;
        return true;
    }
    void Clear() {
        for (std::uint32_t& w : bits_) w = 0;
    }

    // Calls release(vk) for every held key and button (1 left, 2 right, 4
    // middle), the modifiers last, and forgets them.
    template <class Release>
    void ReleaseAll(Release&& release) {
        for (std::uint32_t vk = 1; vk < 256; ++vk)
            if (Holds(vk) && !IsModifier(vk)) release(vk);
        for (std::uint32_t vk = 1; vk < 256; ++vk)
            if (Holds(vk) && IsModifier(vk)) release(vk);
        Clear();
    }

    static bool IsModifier(std::uint32_t vk) {
        return (vk >= 0x10 && vk <= 0x12) || (vk >= 0xA0 && vk <= 0xA5) || vk == 0x5B || vk == 0x5C;
    }

private:
    static bool IsPress(std::uint32_t message) {
        return message == 0x100 || message == 0x104 || message == 0x201 || message == 0x204 || message == 0x207;
    }
    // The key of a keyboard event, the button of a mouse button event, else 0.
    static std::uint32_t VirtualKeyOf(const MacroEvent& e) {
        switch (e.Message) {
            case 0x100: case 0x101: case 0x104: case 0x105: return e.ParamL & 0xFF;
            case 0x201: case 0x202: return 1;
            case 0x204: case 0x205: return 2;
            case 0x207: case 0x208: return 4;
            default: return 0;
        }
    }

    std::uint32_t bits_[8] = {};
};

}  // namespace kl
