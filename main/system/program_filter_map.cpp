#include "system/program_filter_map.h"

#include <cstring>

#include "committed_view.h"
#include "model/program_sets.h"

namespace kl {
namespace {

void Store(std::uint32_t& word, std::uint32_t value) { __atomic_store_n(&word, value, __ATOMIC_RELEASE); }

// Appends a packed set to the pool; false when it does not fit.
bool Append(ProgramFilterSlot& slot, std::uint32_t& used, const std::string& set, ProgramSetRef& ref) {
    if (set.size() > kProgramPoolBytes - used) return false;
    if (!set.empty()) std::memcpy(slot.Pool + used, set.data(), set.size());
    ref = {used, static_cast<std::uint32_t>(set.size())};
    used += static_cast<std::uint32_t>(set.size());
    return true;
}

// The names of OffInPrograms that fit into the pool, whole names only.
std::string OffSet(std::string_view offInPrograms, bool& cut) {
    std::vector<std::string> names = ProgramNames(offInPrograms);
    std::string set = PackProgramSet(names);
    cut = false;
    while (set.size() > kProgramPoolBytes) {
        names.pop_back();
        set = PackProgramSet(names);
        cut = true;
    }
    return set;
}

}  // namespace

ProgramFilterWrite FillProgramFilter(ProgramFilterMap& map, const std::vector<ProgramFilterEntry>& entries,
                                     std::string_view offInPrograms) {
    ProgramFilterWrite result;
    result.written = true;
    const bool headerWhole = map.Magic == kProgramFilterMagic && map.Version == kProgramFilterVersion &&
                             map.TotalSize == sizeof(ProgramFilterMap) && map.Active <= 1;
    const std::uint32_t next = headerWhole ? 1 - map.Active : 1;
    ProgramFilterSlot& slot = map.Slots[next];

    // Odd while the slot is written; a reader that began before sees the change.
    const std::uint32_t writing = slot.Sequence | 1;
    __atomic_store_n(&slot.Sequence, writing, __ATOMIC_RELAXED);
    __atomic_thread_fence(__ATOMIC_RELEASE);

    slot.RowCount = 0;
    slot.OffInPrograms = {};
    std::memset(slot.Rows, 0, sizeof slot.Rows);
    std::uint32_t used = 0;
    Append(slot, used, OffSet(offInPrograms, result.offInProgramsCut), slot.OffInPrograms);

    bool taken[kProgramFilterRows] = {};
    std::uint32_t rowCount = 0;
    for (const ProgramFilterEntry& e : entries) {
        if (e.row < 0 || e.row >= kProgramFilterRows || taken[e.row] || e.hotkeyId == 0) {
            result.rowsRefused.push_back(e.row);
            continue;
        }
        taken[e.row] = true;
        ProgramFilterRow& row = slot.Rows[e.row];
        row.HotkeyID = e.hotkeyId;
        row.Mode = e.mode == kProgramsOnly || e.mode == kProgramsExcept ? e.mode : kProgramsEverywhere;
        if (row.Mode != kProgramsEverywhere &&
            !Append(slot, used, PackProgramSet(ProgramNames(e.programs)), row.Programs)) {
            row.Mode = kProgramsOnly;  // an empty set: nowhere
            row.Programs = {};
            result.rowsWithoutRoom.push_back(e.row);
        }
        if (static_cast<std::uint32_t>(e.row) + 1 > rowCount) rowCount = static_cast<std::uint32_t>(e.row) + 1;
    }
    slot.RowCount = rowCount;

    // Even again: the slot is whole. Only then does it become the active one.
    Store(slot.Sequence, writing + 1);
    if (!headerWhole) {
        Store(map.Version, kProgramFilterVersion);
        Store(map.TotalSize, sizeof(ProgramFilterMap));
    }
    Store(map.Active, next);
    if (!headerWhole) Store(map.Magic, kProgramFilterMagic);
    return result;
}

bool ProgramFilterMapping::Create() {
    if (view_) return true;
    UniqueHandle mapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                            sizeof(ProgramFilterMap), kProgramFilterMapName));
    if (!mapping) return false;
    MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (!view || !ViewCommittedFor(view.get(), sizeof(ProgramFilterMap))) return false;
    mapping_ = std::move(mapping);
    view_ = std::move(view);
    Write({}, {});
    return true;
}

ProgramFilterWrite ProgramFilterMapping::Write(const std::vector<ProgramFilterEntry>& entries,
                                               std::string_view offInPrograms) {
    if (!view_) return {};
    return FillProgramFilter(*view_.as<ProgramFilterMap>(), entries, offInPrograms);
}

}  // namespace kl
