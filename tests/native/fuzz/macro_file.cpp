// A macro file: taken whole within the event area, or refused with a reason; what
// is taken is written and read back unchanged.
#include "model/macro_file.h"
#include "harness.h"

using namespace kl;

KL_FUZZ_HARNESS(macro_file) {
    const MacroFileRead read = ReadMacroFile(input);
    KL_FUZZ_CHECK(read.ok != !read.problem.empty());
    if (!read.ok) return;
    KL_FUZZ_CHECK(read.macro.events.size() <= static_cast<std::size_t>(kMacroEventCapacity));
    KL_FUZZ_CHECK(read.macro.name.size() <= 255);
    IniText again;
    WriteMacroFile(again, read.macro);
    const MacroFileRead back = ReadMacroFile(again.Text());
    KL_FUZZ_CHECK(back.ok && back.macro.events.size() == read.macro.events.size());
    for (std::size_t i = 0; i < back.macro.events.size(); ++i) {
        const MacroEvent &a = read.macro.events[i], &b = back.macro.events[i];
        KL_FUZZ_CHECK(a.Message == b.Message && a.ParamL == b.ParamL && a.ParamH == b.ParamH &&
                      a.Delay == b.Delay && a.Window == b.Window);
    }
    const std::string text = MacroText(read.macro.events, [](unsigned vk, unsigned, char out[2]) {
        out[0] = static_cast<char>(vk);
        out[1] = static_cast<char>(vk + 1);
        return static_cast<int>(vk % 3);
    });
    KL_FUZZ_CHECK(text.size() <= 255);
}
