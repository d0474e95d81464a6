#include "attach.h"

#include "committed_view.h"

namespace kl::hook {
namespace {

bool ValidHandle(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

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
    if (s.block->BlockSize == 0) {  // klsupport has never seen this block
        s.block->LastStatus = kStatusBlockUninitialised;
        s.block->KeyloomEnabled = 0;
    }
}

void DetachFromBlock(ProcessState& s) {
    if (s.block && UnmapViewOfFile(s.block)) s.block = nullptr;
    if (ValidHandle(s.mapping) && CloseHandle(s.mapping)) s.mapping = nullptr;
}

}  // namespace kl::hook
