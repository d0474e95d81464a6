#include "model/program_conflicts.h"

#include "model/hotkey_list.h"
#include "model/hotkey_store.h"
#include "model/program_sets.h"
#include "model/registry_helpers.h"
#include "model/text_fields.h"
#include "program_filter.h"
#include "registry_names.h"

namespace kl {
namespace {

ProgramSetBytes Bytes(const std::string& packed) {
    return {reinterpret_cast<const std::uint8_t*>(packed.data()), static_cast<std::uint32_t>(packed.size())};
}

// A stored number counts only as the exact decimal text the store writes; anything
// else matches no combination.
constexpr int kNoNumber = 1 << 20;
int StoredNumber(const std::string& subkey, const char* name) {
    const std::string text = registry::ReadText(subkey, name, "");
    const int n = ToNumber(text, kNoNumber);
    return std::to_string(n) == text ? n : kNoNumber;
}

}  // namespace

bool HotkeyProgramsConflict(const HotkeyPrograms& a, const HotkeyPrograms& b) {
    const std::string setA = PackProgramSet(ProgramNames(a.programs));
    const std::string setB = PackProgramSet(ProgramNames(b.programs));
    return ProgramRowsConflict(static_cast<std::uint32_t>(a.mode), static_cast<std::uint32_t>(b.mode),
                               ProgramSetsShare(Bytes(setA), Bytes(setB)));
}

int ConflictingHotkeyID(const std::string& hotkeyKey, int keyCode, int modifier, int ownId,
                        const HotkeyPrograms& own) {
    if (hotkeyKey.empty()) return -1;
    // The index lists every stored ID once per key code; the definitions are read
    // from the registry as FindHotkeyID reads them.
    const HotkeyStore store(hotkeyKey, nullptr, [&](int id) {
        const std::string subkey = hotkeyKey + reg::kHotkeySubkeyPrefix + std::to_string(id);
        HotkeyDetails d;
        d.modifier = StoredNumber(subkey, "Modifier");
        d.key = StoredNumber(subkey, "Key");
        return d;
    });
    for (const std::string& text : store.ListHotkeys()) {
        const HotkeyLine line = SplitHotkeyLine(text);
        if (line.id < 1 || line.id == ownId || line.key != keyCode || line.modifier != modifier) continue;
        if (HotkeyProgramsConflict(own, ReadHotkeyPrograms(hotkeyKey, line.id))) return line.id;
    }
    return -1;
}

}  // namespace kl
