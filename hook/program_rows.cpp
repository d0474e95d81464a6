#include "program_rows.h"

#include "hotkey_table.h"

namespace kl::hook {
namespace {

// Writes rarely meet a read (two slots); a read met this often is given up and
// the filter taken as missing for this one message.
constexpr int kReadAttempts = 3;

constexpr std::uint32_t kVerdictValid = 2, kVerdictOff = 1;

struct FilterState {
    ProgramFilterRead read;  // read.slot null: no usable filter
    bool off = false;
};

// A read of the active slot, checked whole once per slot version (the verdict).
FilterState ReadFilter(ProgramContext& c) {
    if (!c.filter) return {};
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        ProgramFilterRead read;
        const FilterReadStart start = BeginProgramFilterRead(c.filter, c.filterSize, read);
        if (start == FilterReadStart::Damaged) return {};
        if (start == FilterReadStart::Busy) continue;
        const std::uint32_t version = (read.sequence | read.active) << 2;
        std::uint32_t verdict = __atomic_load_n(&c.verdict, __ATOMIC_RELAXED);
        if ((verdict & ~3u) != version) {
            const bool valid = ProgramSlotValid(*read.slot);
            const bool off = valid && ProgramIsOff(*read.slot, c.name, c.nameLength);
            if (!ProgramFilterReadHeld(read)) continue;
            verdict = version | (valid ? kVerdictValid : 0) | (off ? kVerdictOff : 0);
            __atomic_store_n(&c.verdict, verdict, __ATOMIC_RELAXED);
        }
        if (!(verdict & kVerdictValid)) return {};
        return {read, (verdict & kVerdictOff) != 0};
    }
    return {};
}

// Out of line, so that the walk over the rows of other combinations stays tight.
__attribute__((noinline)) int RankOf(const FilterState& f, const ProgramContext& c, int index, std::int32_t id) {
    if (!f.read.slot) return kRankEverywhere;
    return FilterRowRank(*f.read.slot, FindProgramRow(*f.read.slot, index, id), c.name, c.nameLength);
}

void Collect(const SettingsBlock& b, const FilterState& f, const ProgramContext& c, std::int32_t key,
             std::uint8_t countIndex, std::int32_t modifiers, bool firstOnly, RowChoice& choice,
             std::int32_t* ids) {
    choice = {};
    // Without a filter every row is of the one rank there is.
    const int highest = f.read.slot ? kRankOnly : kRankEverywhere;
    WalkHotkeyRows(b, key, countIndex, modifiers, [&](const HotkeyEntry& row) {
        const std::int32_t id = row.ID;
        const int rank = RankOf(f, c, static_cast<int>(&row - b.Hotkeys), id);
        if (rank == kRankNone || rank < choice.rank) return false;
        if (rank > choice.rank) choice = {rank, 0, id};
        if (ids) ids[choice.count] = id;
        ++choice.count;
        return firstOnly && rank == highest;
    });
}

}  // namespace

bool ProgramIsOff(const Platform& p) { return ReadFilter(p.Programs()).off; }

void ChooseHotkeyRows(const SettingsBlock& b, const Platform& p, std::int32_t key, std::uint8_t countIndex,
                      std::int32_t modifiers, bool firstOnly, RowChoice& choice, std::int32_t* ids) {
    choice = {};
    if (b.HotkeyCountPerKey[countIndex] == 0) return;
    ProgramContext& c = p.Programs();
    for (int attempt = 0; c.filter && attempt < kReadAttempts; ++attempt) {
        const FilterState f = ReadFilter(c);
        if (f.off) return;
        Collect(b, f, c, key, countIndex, modifiers, firstOnly, choice, ids);
        if (!f.read.slot || ProgramFilterReadHeld(f.read)) return;
    }
    Collect(b, FilterState{}, c, key, countIndex, modifiers, firstOnly, choice, ids);
}

}  // namespace kl::hook
