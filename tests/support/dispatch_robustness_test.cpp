// Thousands of random parameters through ExecuteFunctionEx: no crash, the
// right result, a bounded status text and the busy flag always released.
#include <random>

#include "dispatch_fixture.h"

using namespace kl;
using namespace kl::testing;

namespace {

std::string RandomParameter(std::mt19937& rng) {
    static const char kPieces[] = "\xFF\xFF\xFF$-0123456789abcXYZ \t\"%;\\";
    const int shape = static_cast<int>(rng() % 4);
    const std::size_t length = shape == 0 ? 0 : shape == 1 ? 255 + rng() % 1800 : rng() % 300;
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        char c = (rng() % 3 == 0) ? static_cast<char>(1 + rng() % 255) : kPieces[rng() % (sizeof kPieces - 1)];
        text += c;
    }
    return text;
}

}  // namespace

TEST_F(DispatchTest, RandomParametersNeverLeaveTheBusyFlagSet) {
    NotifyWindow main;  // hidden: function 3 notifies instead of activating
    main.AttachTo(b());
    const std::uint32_t known[] = {1, 2, 3, 4, 18, 98, 144, 162, 163, 176, 177, 178, 193, 194, 229};
    const std::uint32_t unknown[] = {0, 5, 79, 280, 0x8000, 0xFFFFFFFF};
    std::mt19937 rng(20261207);
    for (int i = 0; i < 3000; ++i) {
        const bool isKnown = rng() % 4 != 0;
        const std::uint32_t id = isKnown ? known[rng() % std::size(known)] : unknown[rng() % std::size(unknown)];
        const bool busy = rng() % 10 == 0;
        b().HotkeysSuspended = busy ? kTrue : kFalse;
        const std::string param = RandomParameter(rng);
        const bool null = rng() % 20 == 0;

        const std::int32_t result = executeEx_(id, null ? nullptr : param.c_str());

        ASSERT_EQ(result, (busy || isKnown) ? 1 : 0) << i;
        ASSERT_EQ(b().HotkeysSuspended, busy ? kTrue : kFalse) << i;
        ASSERT_LE(b().StatusText.length, 255);
        const std::string status = Status();
        if (busy)
            ASSERT_EQ(status.rfind("Skipping execution of function ", 0), 0u) << i;
        else if (!isKnown)
            ASSERT_EQ(status, "Function not found") << i;
        else if (null)
            ASSERT_EQ(status, "No parameters") << i;
        else
            ASSERT_EQ(status.rfind("Executing function ", 0), 0u) << i;
        if (i % 100 == 0) {
            main.Pump();
            main.received.clear();
        }
    }
}
