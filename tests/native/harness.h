// A fuzz harness: one function of the input bytes that must neither crash nor
// break the parser's promises (KL_FUZZ_CHECK). Each is registered by name, so
// that the native unit tests run every harness over its corpus, and a libFuzzer
// program is built for each (fuzz_main.cpp).
#pragma once

#include <cstdlib>
#include <string_view>

namespace kl::fuzz {

using Harness = void (*)(std::string_view input);

struct HarnessEntry {
    const char* name;
    Harness run;
    HarnessEntry* next;
};

inline HarnessEntry*& Harnesses() {
    static HarnessEntry* head = nullptr;
    return head;
}

struct Registration {
    explicit Registration(HarnessEntry& entry) {
        entry.next = Harnesses();
        Harnesses() = &entry;
    }
};

}  // namespace kl::fuzz

#define KL_FUZZ_HARNESS(name)                                                                    \
    static void KlFuzz_##name(std::string_view input);                                           \
    static ::kl::fuzz::HarnessEntry kl_fuzz_entry_##name{#name, KlFuzz_##name, nullptr};         \
    static const ::kl::fuzz::Registration kl_fuzz_registration_##name{kl_fuzz_entry_##name};     \
    static void KlFuzz_##name(std::string_view input)

// A broken promise is a finding like a crash.
#define KL_FUZZ_CHECK(condition) \
    do {                         \
        if (!(condition)) std::abort(); \
    } while (0)
