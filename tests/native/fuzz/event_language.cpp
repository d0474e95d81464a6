// The event language compiled into the block's 1025 events.
#include <vector>

#include "harness.h"
#include "held_input.h"
#include "macro/event_language.h"
#include "translator_names.h"

using namespace kl;
using namespace kl::support;

KL_FUZZ_HARNESS(event_language) {
    std::vector<MacroEvent> events(kMacroEventCapacity);
    MacroWriter out(events, 0x1234);
    CompileEvents(UpperTrim(input), out, kl::fuzz::TestKeyNames());
    KL_FUZZ_CHECK(out.count() >= 0 && out.count() <= kMacroEventCapacity);
    CoordinateWord(input);
    if (out.cut()) {  // a text cut at the end lets go of everything it pressed
        HeldInput held;
        for (int i = 0; i < out.count(); ++i) held.Note(events[static_cast<std::size_t>(i)]);
        KL_FUZZ_CHECK(held.Empty());
    }
}
