// The programs each hotkey row is limited to, shared by keyloom.exe (the only
// writer) and every copy of klhook.dll through the file mapping
// "KeyloomProgramFilter", beside the block. Like the block it is a binary format
// between 32- and 64-bit processes: every offset is fixed and checked below.
//
// Freestanding: no runtime, no allocation, no system call. klhook.dll includes it.
//
// Layout: a header (magic, layout version, total size, the active slot) and two
// slots. A slot holds the row count, the OffInPrograms set, one row per row of the
// block's hotkey table (same index, with the row's hotkey ID so that a row that
// no longer belongs to the table is recognised) and a pool of names. A program
// set is a range of the pool: names back to back, each a length byte (1 to 255)
// and that many characters, lower-case, without path.
//
// Replacing it whole: the writer fills the slot that is not active, raising its
// Sequence to odd before and to even after, and then makes it the active one.
// A reader takes the active slot's Sequence (even), reads, and checks that
// Sequence again; a change means a write met the read, which is then repeated.
// With two slots a reader meets a write only when two replacements fall into one
// read. A damaged or missing mapping means: every row everywhere, no program off.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kl {

inline constexpr char kProgramFilterMapName[] = "KeyloomProgramFilter";
inline constexpr std::uint32_t kProgramFilterMagic = 0x46504C4Bu;  // "KLPF"
inline constexpr std::uint32_t kProgramFilterVersion = 1;
inline constexpr int kProgramFilterRows = 256;                    // as the block's hotkey table
inline constexpr std::uint32_t kProgramNameMax = 255;
inline constexpr std::uint32_t kProgramPoolBytes = 66560;         // 256 sets of 255 characters and more

// "ProgramsMode": where a hotkey acts.
inline constexpr std::uint32_t kProgramsEverywhere = 0;
inline constexpr std::uint32_t kProgramsOnly = 1;    // only in the programs of its set
inline constexpr std::uint32_t kProgramsExcept = 2;  // everywhere except in them

struct ProgramSetRef {
    std::uint32_t Offset;  // into the slot's Pool
    std::uint32_t Bytes;   // 0: no programs
};

struct ProgramFilterRow {
    std::int32_t HotkeyID;  // the ID of the block's row of the same index
    std::uint32_t Mode;     // kProgramsEverywhere, kProgramsOnly, kProgramsExcept
    ProgramSetRef Programs;
};

struct ProgramFilterSlot {
    std::uint32_t Sequence;  // even: whole; odd: being written
    std::uint32_t RowCount;  // rows filled, 0 to 256
    ProgramSetRef OffInPrograms;
    ProgramFilterRow Rows[kProgramFilterRows];
    std::uint8_t Pool[kProgramPoolBytes];
};

struct ProgramFilterMap {
    std::uint32_t Magic;
    std::uint32_t Version;
    std::uint32_t TotalSize;  // sizeof(ProgramFilterMap)
    std::uint32_t Active;     // 0 or 1: the slot readers take; written last
    ProgramFilterSlot Slots[2];
};

#define KL_FILTER_OFFSET(type, field, expected) \
    static_assert(offsetof(type, field) == (expected), #type "::" #field " moved")
static_assert(sizeof(ProgramSetRef) == 8);
static_assert(sizeof(ProgramFilterRow) == 16);
KL_FILTER_OFFSET(ProgramFilterRow, HotkeyID, 0);
KL_FILTER_OFFSET(ProgramFilterRow, Mode, 4);
KL_FILTER_OFFSET(ProgramFilterRow, Programs, 8);
KL_FILTER_OFFSET(ProgramFilterSlot, Sequence, 0);
KL_FILTER_OFFSET(ProgramFilterSlot, RowCount, 4);
KL_FILTER_OFFSET(ProgramFilterSlot, OffInPrograms, 8);
KL_FILTER_OFFSET(ProgramFilterSlot, Rows, 16);
KL_FILTER_OFFSET(ProgramFilterSlot, Pool, 4112);
static_assert(sizeof(ProgramFilterSlot) == 70672);
KL_FILTER_OFFSET(ProgramFilterMap, Magic, 0);
KL_FILTER_OFFSET(ProgramFilterMap, Version, 4);
KL_FILTER_OFFSET(ProgramFilterMap, TotalSize, 8);
KL_FILTER_OFFSET(ProgramFilterMap, Active, 12);
KL_FILTER_OFFSET(ProgramFilterMap, Slots, 16);
static_assert(sizeof(ProgramFilterMap) == 141360);
#undef KL_FILTER_OFFSET

// The small helpers below are always inlined: klhook.dll is built for size, and
// a call for every character or word read would cost more than the work.
#define KL_FILTER_INLINE __attribute__((always_inline))

// ---- Names

// Case folding of executable names, the same in every binary: ASCII letters and
// the capitals of the upper half shared by the Latin-1, Central European and
// Cyrillic code pages (0xC0 to 0xDE without 0xD7) become lower-case.
KL_FILTER_INLINE constexpr unsigned char FoldProgramChar(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    return c;
}

KL_FILTER_INLINE constexpr bool ProgramNamesEqual(const char* a, std::uint32_t aLength, const char* b,
                                                  std::uint32_t bLength) {
    if (aLength != bLength) return false;
    for (std::uint32_t i = 0; i < aLength; ++i)
        if (FoldProgramChar(static_cast<unsigned char>(a[i])) != FoldProgramChar(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The file part of a path (after the last "\", "/" or ":"), folded into `out`
// (kProgramNameMax bytes). Returns its length; 0 when it is empty or longer
// than a name can be.
constexpr std::uint32_t FoldedProgramFileName(const char* path, std::uint32_t length, char* out) {
    std::uint32_t start = 0;
    for (std::uint32_t i = 0; i < length; ++i)
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':') start = i + 1;
    const std::uint32_t n = length - start;
    if (n == 0 || n > kProgramNameMax) return 0;
    for (std::uint32_t i = 0; i < n; ++i)
        out[i] = static_cast<char>(FoldProgramChar(static_cast<unsigned char>(path[start + i])));
    return n;
}

// ---- Program sets: length-prefixed names back to back

struct ProgramSetBytes {
    const std::uint8_t* bytes = nullptr;
    std::uint32_t size = 0;
};

namespace program_filter_detail {

// Shared memory that the writer may change under the reader: every count, length
// and offset is loaded once into a local and checked there.
KL_FILTER_INLINE inline std::uint32_t Load(const std::uint32_t& word) { return __atomic_load_n(&word, __ATOMIC_RELAXED); }
KL_FILTER_INLINE inline std::int32_t Load(const std::int32_t& word) { return __atomic_load_n(&word, __ATOMIC_RELAXED); }
KL_FILTER_INLINE inline std::uint8_t Load(const std::uint8_t& byte) { return __atomic_load_n(&byte, __ATOMIC_RELAXED); }

// Calls onName(chars, length) for each name; onName returns true to stop.
// Returns false when the set is damaged (a length of 0, a name past the end)
// before onName stopped it.
template <class OnName>
bool ForEachName(ProgramSetBytes set, OnName onName) {
    std::uint32_t at = 0;
    while (at < set.size) {
        const std::uint32_t length = Load(set.bytes[at]);
        if (length == 0 || length > set.size - at - 1) return false;
        if (onName(reinterpret_cast<const char*>(set.bytes + at + 1), length)) return true;
        at += 1 + length;
    }
    return true;
}

}  // namespace program_filter_detail

inline bool ProgramSetWellFormed(ProgramSetBytes set) {
    return program_filter_detail::ForEachName(set, [](const char*, std::uint32_t) { return false; });
}

// Whether the set names the program (a damaged set names nothing past its damage).
inline bool ProgramSetHolds(ProgramSetBytes set, const char* program, std::uint32_t length) {
    if (length == 0) return false;
    bool found = false;
    program_filter_detail::ForEachName(set, [&](const char* name, std::uint32_t n) {
        found = ProgramNamesEqual(name, n, program, length);
        return found;
    });
    return found;
}

inline bool ProgramSetsShare(ProgramSetBytes a, ProgramSetBytes b) {
    bool shared = false;
    program_filter_detail::ForEachName(a, [&](const char* name, std::uint32_t n) {
        shared = ProgramSetHolds(b, name, n);
        return shared;
    });
    return shared;
}

// ---- The rule, the same in every binary

// How a row claims the program in front: a row in mode "only in these" whose set
// holds it outranks a row in mode "everywhere except these" whose set does not,
// which outranks a row for everywhere. A row whose mode excludes the program is
// no candidate. An unknown mode counts as everywhere.
inline constexpr int kRankNone = -1;
inline constexpr int kRankEverywhere = 0;
inline constexpr int kRankExcept = 1;
inline constexpr int kRankOnly = 2;

constexpr int ProgramRowRank(std::uint32_t mode, bool setHoldsProgram) {
    if (mode == kProgramsOnly) return setHoldsProgram ? kRankOnly : kRankNone;
    if (mode == kProgramsExcept) return setHoldsProgram ? kRankNone : kRankExcept;
    return kRankEverywhere;
}

// Among `count` rows on one combination, the index of the first row of the
// highest rank (rankAt(i) gives row i's), or -1 when none is a candidate or the
// program is one in which Keyloom is off.
template <class RankAt>
int ChooseProgramRow(int count, bool programOff, RankAt rankAt) {
    if (programOff) return -1;
    int chosen = -1;
    int best = kRankNone;
    for (int i = 0; i < count; ++i) {
        const int rank = rankAt(i);
        if (rank > best) {
            best = rank;
            chosen = i;
        }
    }
    return chosen;
}

// Whether two hotkeys on one combination conflict (the editor refuses the second):
// only rows of the same class can, "everywhere" with "everywhere" and "except"
// with "except" always, "only in" with "only in" when their sets share a program.
constexpr bool ProgramRowsConflict(std::uint32_t modeA, std::uint32_t modeB, bool setsShareProgram) {
    const auto known = [](std::uint32_t m) { return m == kProgramsOnly || m == kProgramsExcept ? m : kProgramsEverywhere; };
    modeA = known(modeA);
    modeB = known(modeB);
    if (modeA != modeB) return false;
    return modeA != kProgramsOnly || setsShareProgram;
}

// ---- Reading the mapped view

// The part of the pool a reference names; empty when it leaves the pool.
inline ProgramSetBytes SlotSet(const ProgramFilterSlot& slot, const ProgramSetRef& ref) {
    const std::uint32_t offset = program_filter_detail::Load(ref.Offset);
    const std::uint32_t bytes = program_filter_detail::Load(ref.Bytes);
    if (offset > kProgramPoolBytes || bytes > kProgramPoolBytes - offset) return {};
    return {slot.Pool + offset, bytes};
}

// Every count, mode, offset and length of a slot in range, every set well formed.
inline bool ProgramSlotValid(const ProgramFilterSlot& slot) {
    using program_filter_detail::Load;
    const auto refValid = [&](const ProgramSetRef& ref) {
        const std::uint32_t offset = Load(ref.Offset);
        const std::uint32_t bytes = Load(ref.Bytes);
        if (offset > kProgramPoolBytes || bytes > kProgramPoolBytes - offset) return false;
        return ProgramSetWellFormed({slot.Pool + offset, bytes});
    };
    const std::uint32_t rows = Load(slot.RowCount);
    if (rows > static_cast<std::uint32_t>(kProgramFilterRows)) return false;
    if (!refValid(slot.OffInPrograms)) return false;
    for (std::uint32_t i = 0; i < rows; ++i) {
        if (Load(slot.Rows[i].Mode) > kProgramsExcept) return false;
        if (!refValid(slot.Rows[i].Programs)) return false;
    }
    return true;
}

// A read of the active slot: taken with BeginProgramFilterRead, good when
// ProgramFilterReadHeld confirms that no write met it.
struct ProgramFilterRead {
    const ProgramFilterSlot* slot = nullptr;
    std::uint32_t active = 0;
    std::uint32_t sequence = 0;
};

enum class FilterReadStart {
    Taken,    // `read` names the active slot, whole when the read began
    Busy,     // a write is under way in it: try again
    Damaged,  // no usable header: every row everywhere, no program off
};

// `viewSize` is what the view was found to hold (committed pages).
inline FilterReadStart BeginProgramFilterRead(const ProgramFilterMap* map, std::size_t viewSize,
                                              ProgramFilterRead& read) {
    using program_filter_detail::Load;
    if (!map || viewSize < sizeof(ProgramFilterMap)) return FilterReadStart::Damaged;
    if (Load(map->Magic) != kProgramFilterMagic || Load(map->Version) != kProgramFilterVersion ||
        Load(map->TotalSize) != sizeof(ProgramFilterMap))
        return FilterReadStart::Damaged;
    const std::uint32_t active = __atomic_load_n(&map->Active, __ATOMIC_ACQUIRE);
    if (active > 1) return FilterReadStart::Damaged;
    const ProgramFilterSlot& slot = map->Slots[active];
    const std::uint32_t sequence = __atomic_load_n(&slot.Sequence, __ATOMIC_ACQUIRE);
    if (sequence & 1) return FilterReadStart::Busy;
    read = {&slot, active, sequence};
    return FilterReadStart::Taken;
}

inline bool ProgramFilterReadHeld(const ProgramFilterRead& read) {
    __atomic_thread_fence(__ATOMIC_ACQUIRE);
    return read.slot && __atomic_load_n(&read.slot->Sequence, __ATOMIC_RELAXED) == read.sequence;
}

// The filter row of the block's row `index` with this hotkey ID: at its own
// index, or, when the table's rows have moved since the filter was written, the
// row that carries the ID. Null when the filter has none (the row is everywhere).
inline const ProgramFilterRow* FindProgramRow(const ProgramFilterSlot& slot, int index, std::int32_t hotkeyId) {
    using program_filter_detail::Load;
    if (hotkeyId == 0) return nullptr;
    std::uint32_t rows = Load(slot.RowCount);
    if (rows > static_cast<std::uint32_t>(kProgramFilterRows)) return nullptr;
    if (index >= 0 && static_cast<std::uint32_t>(index) < rows && Load(slot.Rows[index].HotkeyID) == hotkeyId)
        return &slot.Rows[index];
    for (std::uint32_t i = 0; i < rows; ++i)
        if (Load(slot.Rows[i].HotkeyID) == hotkeyId) return &slot.Rows[i];
    return nullptr;
}

// The rank of a filter row (null: everywhere) for the program.
inline int FilterRowRank(const ProgramFilterSlot& slot, const ProgramFilterRow* row, const char* program,
                         std::uint32_t length) {
    if (!row) return kRankEverywhere;
    const std::uint32_t mode = program_filter_detail::Load(row->Mode);
    if (mode != kProgramsOnly && mode != kProgramsExcept) return kRankEverywhere;
    return ProgramRowRank(mode, ProgramSetHolds(SlotSet(slot, row->Programs), program, length));
}

inline bool ProgramIsOff(const ProgramFilterSlot& slot, const char* program, std::uint32_t length) {
    return ProgramSetHolds(SlotSet(slot, slot.OffInPrograms), program, length);
}

#undef KL_FILTER_INLINE

}  // namespace kl
