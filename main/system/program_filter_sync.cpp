#include "system/program_filter_sync.h"

#include <windows.h>

#include <vector>

#include "model/hotkey_programs.h"
#include "system/active_profile_keys.h"
#include "system/library_binding.h"
#include "win_handles.h"

namespace kl {
namespace {

ProgramFilterMapping& Mapping() {
    static ProgramFilterMapping mapping;
    return mapping;
}

bool g_limitsAnything = false;  // of the filter last written

// The active slot when it is whole and valid; null otherwise (everywhere).
const ProgramFilterSlot* ReadableSlot(const ProgramFilterMap* filter, ProgramFilterRead& read) {
    if (BeginProgramFilterRead(filter, filter ? sizeof(ProgramFilterMap) : 0, read) != FilterReadStart::Taken)
        return nullptr;
    if (!ProgramSlotValid(*read.slot)) return nullptr;
    return read.slot;
}

}  // namespace

bool CreateProgramFilter() { return Mapping().Create(); }

const ProgramFilterMap* ProgramFilterView() { return Mapping().view(); }

ProgramFilterWrite RefreshProgramFilter() {
    const SettingsBlock* b = Block();
    if (!b || !Mapping().IsOpen()) return {};
    const ProfileKeys keys = ActiveProfileKeys();
    std::vector<ProgramFilterEntry> entries;
    for (int row = 0; row < kHotkeyRows && row < kProgramFilterRows; ++row) {
        const std::int32_t id = b->Hotkeys[row].ID;
        if (id == 0) break;
        if (id < 0) continue;
        const HotkeyPrograms programs = ReadHotkeyPrograms(keys.hotkeys, id);
        if (programs.mode == ProgramsMode::Everywhere) continue;  // not listed: everywhere
        entries.push_back({row, id, static_cast<std::uint32_t>(programs.mode), programs.programs});
    }
    const std::string offIn = ReadOffInPrograms(keys.main);
    g_limitsAnything = !entries.empty() || !offIn.empty();
    return Mapping().Write(entries, offIn);
}

bool ProgramFilterLimitsAnything() { return g_limitsAnything; }

bool StoreOffInPrograms(std::string_view programs) {
    const bool written = WriteOffInPrograms(ActiveProfileKeys().main, programs);
    RefreshProgramFilter();
    return written;
}

SimpleModeChoice ChooseForProgram(const SettingsBlock& block, const ProgramFilterMap* filter, int keyCode,
                                  int modifier, const std::string& program) {
    SimpleModeChoice choice;
    // Keyloom's own process writes the filter on this thread: a read always holds.
    ProgramFilterRead read;
    const ProgramFilterSlot* slot = ReadableSlot(filter, read);
    if (!slot) return choice;
    const auto length = static_cast<std::uint32_t>(program.size());
    if (ProgramIsOff(*slot, program.data(), length)) {
        choice.kind = SimpleModeChoice::Kind::PassThrough;
        return choice;
    }
    int rows[kHotkeyRows];
    int count = 0;
    for (int i = 0; i < kHotkeyRows; ++i) {
        const HotkeyEntry& row = block.Hotkeys[i];
        if (row.ID == 0) break;
        if (row.Key == keyCode && row.Modifier == modifier) rows[count++] = i;
    }
    if (count == 0) return choice;  // not the table's: the registry's lookup decides
    int bestRank = kRankNone;
    const int chosen = ChooseProgramRow(count, false, [&](int n) {
        const int index = rows[n];
        const int rank = FilterRowRank(*slot, FindProgramRow(*slot, index, block.Hotkeys[index].ID), program.data(), length);
        if (rank > bestRank) bestRank = rank;
        return rank;
    });
    if (!ProgramFilterReadHeld(read)) return {};
    if (chosen < 0) {
        choice.kind = SimpleModeChoice::Kind::PassThrough;
    } else if (bestRank > kRankEverywhere) {
        choice.kind = SimpleModeChoice::Kind::Run;
        choice.id = block.Hotkeys[rows[chosen]].ID;
    }
    return choice;
}

std::string ForegroundProgramName() {
    const HWND window = GetForegroundWindow();
    DWORD pid = 0;
    if (!window || !GetWindowThreadProcessId(window, &pid) || !pid) return {};
    UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return {};
    wchar_t path[MAX_PATH * 4];
    DWORD size = static_cast<DWORD>(std::size(path));
    if (!QueryFullProcessImageNameW(process.get(), 0, path, &size) || size == 0) return {};
    // The names are compared in the ANSI code page, as the hook reads its own name.
    char narrow[MAX_PATH * 4 * 2];
    const int n = WideCharToMultiByte(CP_ACP, 0, path, static_cast<int>(size), narrow, sizeof narrow, nullptr, nullptr);
    if (n <= 0) return {};
    char folded[kProgramNameMax];
    const std::uint32_t length = FoldedProgramFileName(narrow, static_cast<std::uint32_t>(n), folded);
    return std::string(folded, length);
}

}  // namespace kl
