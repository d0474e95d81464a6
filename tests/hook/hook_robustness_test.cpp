// Damaged or random blocks, program filters and messages never make the hook
// procedures read or write outside the block or the filter, nor crash the host.
#include <cstring>
#include <random>

#include "system/program_filter_map.h"
#include "fake_platform.h"
#include "getmsg_decision.h"
#include "kbd_decision.h"
#include "testing/guarded_block.h"

using namespace kl;
using namespace kl::testing;

namespace {

// Random bytes, with the counts, lengths and positions pushed to their extremes often.
void Scramble(SettingsBlock& b, std::mt19937& rng) {
    auto* bytes = reinterpret_cast<unsigned char*>(&b);
    for (std::size_t i = 0; i < sizeof b; ++i) bytes[i] = static_cast<unsigned char>(rng());
    const std::int32_t extremes[] = {0, 1, -1, 100, 101, 102, 255, 256, 1024, 1025, 1026, INT32_MAX, INT32_MIN};
    const auto pick = [&] { return extremes[rng() % std::size(extremes)]; };
    if (rng() % 2) b.KeyRemap.Count = pick();
    if (rng() % 2) b.MacroPosition = pick();
    if (rng() % 2) b.MKSpeed = pick();
    if (rng() % 2) b.MKSpeedMod = pick();
    if (rng() % 2) std::memset(b.HotkeyCountPerKey, 255, sizeof b.HotkeyCountPerKey);
    if (rng() % 2)
        for (auto& row : b.Hotkeys) row.ID = row.ID ? row.ID : 1;  // no end marker anywhere
    if (rng() % 2)
        for (auto& e : b.KeyRemap.Entries) e.FromVk = static_cast<std::uint8_t>(rng() % 255 + 1);
    if (rng() % 4) b.KeyloomEnabled = kTrue;
}

// A filter written whole and then scrambled: its header often intact, so that
// the slot's counts, offsets and lengths are what the hook meets.
void Scramble(ProgramFilterMap& f, const SettingsBlock& b, std::mt19937& rng) {
    std::vector<ProgramFilterEntry> rows;
    for (int i = 0; i < kHotkeyRows; ++i)
        rows.push_back({i, b.Hotkeys[i].ID ? b.Hotkeys[i].ID : 1, static_cast<std::uint32_t>(rng() % 3), "a.exe;b"});
    std::memset(&f, 0, sizeof f);
    FillProgramFilter(f, rows, rng() % 2 ? "a.exe" : "");
    ProgramFilterSlot& slot = f.Slots[f.Active];
    const std::uint32_t extremes[] = {0, 1, 2, 3, 255, 256, 257, kProgramPoolBytes - 1, kProgramPoolBytes,
                                      kProgramPoolBytes + 1, 0x7FFFFFFFu, 0xFFFFFFFFu};
    const auto pick = [&] { return rng() % 2 ? extremes[rng() % std::size(extremes)] : static_cast<std::uint32_t>(rng()); };
    auto* bytes = reinterpret_cast<std::uint32_t*>(&slot);
    for (int n = static_cast<int>(rng() % 64); n > 0; --n) bytes[rng() % (sizeof slot / 4)] = pick();
    for (int n = static_cast<int>(rng() % 64); n > 0; --n) slot.Pool[rng() % kProgramPoolBytes] = static_cast<std::uint8_t>(rng());
    if (rng() % 4 == 0) slot.RowCount = pick();
    if (rng() % 8 == 0) f.Active = pick();
    slot.Sequence &= ~1u;
}

MSG RandomMessage(std::mt19937& rng) {
    static const UINT kMessages[] = {WM_KEYDOWN,      WM_KEYUP,        WM_CHAR,         WM_SYSCOMMAND,
                                     WM_HOTKEY,       WM_LBUTTONDOWN,  WM_LBUTTONUP,    WM_RBUTTONUP,
                                     WM_MBUTTONDOWN,  WM_NCMBUTTONUP,  WM_NCLBUTTONDBLCLK, WM_MOUSEMOVE};
    MSG m{};
    m.hwnd = FakeHandle(0x700 + rng() % 4);
    m.message = kMessages[rng() % std::size(kMessages)];
    m.wParam = rng() % 3 ? rng() % 256 : rng();
    m.lParam = static_cast<LPARAM>(rng());
    if (m.message == WM_SYSCOMMAND && rng() % 2) m.wParam = SC_TASKLIST;
    return m;
}

class HookRobustness : public ::testing::TestWithParam<GuardedBlock::Side> {};

TEST_P(HookRobustness, RandomBlocksAndMessagesStayInsideTheBlock) {
    GuardedBlock guarded(GetParam());
    Guarded<ProgramFilterMap> filter(GetParam());
    SettingsBlock& b = guarded.record();
    std::mt19937 rng(GetParam() == GuardedBlock::Side::After ? 1234 : 5678);
    for (int round = 0; round < 3000; ++round) {
        World() = FakeWorld{};
        for (UINT_PTR i = 0; i < 4; ++i) World().windows[FakeHandle(0x700 + i)] = {RECT{0, 0, 300, int(rng() % 600)}};
        World().keyboardReadable = rng() % 8 != 0;
        World().async[VK_LWIN] = rng() % 2 ? static_cast<SHORT>(0x8000) : 0;
        World().async[VK_RWIN] = rng() % 2 ? static_cast<SHORT>(0x8000) : 0;
        Scramble(b, rng);
        if (rng() % 4) {
            Scramble(filter.record(), b, rng);
            World().programs.filter = &filter.record();
            World().programs.filterSize = sizeof(ProgramFilterMap);
            World().programs.nameLength = rng() % 2 ? 5 : 0;
            std::memcpy(World().programs.name, "a.exe", 5);
        }
        for (int i = 0; i < 10; ++i) {
            const WPARAM vk = rng() % 4 ? rng() % 256 : rng();
            hook::DecideKeyboard(b, FakePlatform(), vk, static_cast<LPARAM>(rng()));
            MSG m = RandomMessage(rng);
            hook::DecideGetMessage(b, FakePlatform(), m);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(GuardPages, HookRobustness,
                         ::testing::Values(GuardedBlock::Side::After, GuardedBlock::Side::Before));

}  // namespace
