#include "model/parameter_slots.h"

#include "model/text_fields.h"

namespace kl {

bool IsTextKind(int kind) { return kind == kKindText || kind == kKindPath || kind == kKindRequiredText; }

bool IsListKind(int kind) { return kind >= kKindTextList && kind <= kKindProfile && kind != kKindPath; }

std::vector<ParameterSlot> ParameterSlots(std::string_view catalogueLine) {
    std::vector<ParameterSlot> slots;
    const auto fields = SplitFields(catalogueLine);
    int count = fields.size() >= 4 ? ToNumber(fields[3]) : 0;
    if (count > 3) count = 3;
    for (int s = 1; s <= count; ++s) {
        const std::size_t at = 3 + static_cast<std::size_t>(s);
        if (at >= fields.size()) break;
        const std::string_view descriptor = fields[at];
        ParameterSlot slot;
        const std::size_t colon = descriptor.find(':');
        slot.label = ToNumber(descriptor.substr(0, colon));
        if (colon != std::string_view::npos) {
            const auto numbers = SplitFields(descriptor.substr(colon + 1), ',');
            slot.kind = ToNumber(numbers.front());
            for (std::size_t i = 1; i < numbers.size(); ++i) slot.arguments.push_back(ToNumber(numbers[i]));
        }
        slots.push_back(std::move(slot));
    }
    return slots;
}

}  // namespace kl
