#include "attach.h"

#include "committed_view.h"

namespace kl::hook {
namespace {

bool ValidHandle(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

// The file name of the process's executable, folded; unknown (length 0) when
// the path does not fit the buffer.
void ReadProgramName(ProgramContext& c) {
    char path[1024];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    c.nameLength = n > 0 && n < sizeof path ? FoldedProgramFileName(path, n, c.name) : 0;
}

// The filter is only read here: a read-only view. A mapping of that name made by
// another program may be too small; it is then not used.
void OpenProgramFilter(ProcessState& s) {
    s.filterMapping = OpenFileMappingA(FILE_MAP_READ, FALSE, kProgramFilterMapName);
    if (!ValidHandle(s.filterMapping)) return;
    void* view = MapViewOfFile(s.filterMapping, FILE_MAP_READ, 0, 0, 0);
    if (view && !ViewCommittedFor(view, sizeof(ProgramFilterMap), ViewAccess::Read)) {
        UnmapViewOfFile(view);
        view = nullptr;
    }
    if (!view) return;
    s.programs.filter = static_cast<const ProgramFilterMap*>(view);
    s.programs.filterSize = sizeof(ProgramFilterMap);
}

}  // namespace

ProcessState g_process;

// Both run under the loader lock: nothing here may wait on another process, so
// nothing is traced (see trace.h).
void AttachToBlock(ProcessState& s) {
    s.mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, TRUE, kSettingsMapName);
    if (!ValidHandle(s.mapping)) return;
    void* view = MapViewOfFile(s.mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    // A mapping of that name made by some other program may be smaller than the
    // block or only reserved; touching it would crash the host process.
    if (view && !ViewCommittedFor(view, sizeof(SettingsBlock))) {
        UnmapViewOfFile(view);
        view = nullptr;
    }
    if (!view) return;
    s.block = static_cast<SettingsBlock*>(view);
    ReadProgramName(s.programs);
    OpenProgramFilter(s);
    if (s.block->BlockSize == 0) {  // klsupport has never seen this block
        s.block->LastStatus = kStatusBlockUninitialised;
        s.block->KeyloomEnabled = 0;
    }
}

void DetachFromBlock(ProcessState& s) {
    if (s.programs.filter && UnmapViewOfFile(s.programs.filter)) s.programs.filter = nullptr;
    if (ValidHandle(s.filterMapping) && CloseHandle(s.filterMapping)) s.filterMapping = nullptr;
    if (s.block && UnmapViewOfFile(s.block)) s.block = nullptr;
    if (ValidHandle(s.mapping) && CloseHandle(s.mapping)) s.mapping = nullptr;
}

}  // namespace kl::hook
