#include "functions/function_table.h"

#include <array>

namespace kl::support {

FunctionHandler FindFunction(std::uint32_t id) {
    using Group = std::span<const FunctionEntry> (*)();
    static constexpr std::array<Group, 8> kGroups = {
        ProgramControlFunctions, WindowsKeyFunctions, LaunchFunctions,      WindowFunctions,
        SessionFunctions,        SoundPlayerFunctions, DirPlayerFunctions, TypingFunctions,
    };
    if (id < 1 || id > 279) return nullptr;
    for (const Group group : kGroups)
        for (const FunctionEntry& entry : group())
            if (entry.id == id && entry.run) return entry.run;
    return nullptr;
}

}  // namespace kl::support
