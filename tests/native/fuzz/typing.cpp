// The typing engine: tokens expanded, then the text typed into the block's events.
#include <string>
#include <vector>

#include "harness.h"
#include "held_input.h"
#include "macro/typing_engine.h"
#include "translator_names.h"

using namespace kl;
using namespace kl::support;

KL_FUZZ_HARNESS(typing) {
    std::vector<MacroEvent> events(kMacroEventCapacity);
    MacroWriter out(events, 0x1234);
    std::int32_t counter = 0;
    TypingServices services{kl::fuzz::TestKeyNames(), [](std::int32_t) {}, [&counter] { return counter++; }};
    const std::string expanded = ExpandTypingTokens(std::string(input), services.nextNumber);
    KL_FUZZ_CHECK(expanded.size() <= 255);
    TranslateTyping(expanded, out, services);
    KL_FUZZ_CHECK(out.count() >= 0 && out.count() <= kMacroEventCapacity);
    HeldInput held;  // typing presses and releases every key it types
    for (int i = 0; i < out.count(); ++i) held.Note(events[static_cast<std::size_t>(i)]);
    KL_FUZZ_CHECK(held.Empty());
}
