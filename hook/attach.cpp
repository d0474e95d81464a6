#include "attach.h"

#include "committed_view.h"

namespace kl::hook {
namespace {

bool ValidHandle(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

}  // namespace

ProcessState g_process;

void AttachToBlock(ProcessState& s, const Platform& p) {
    s.mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, TRUE, kSettingsMapName);
    if (!ValidHandle(s.mapping)) {
        p.Trace("Unable to obtain filemap");
        p.Trace("attached to process");
        return;
    }
    void* view = MapViewOfFile(s.mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    // A mapping of that name made by some other program may be smaller than the
    // block or only reserved; touching it would crash the host process.
    if (view && !ViewCommittedFor(view, sizeof(SettingsBlock))) {
        UnmapViewOfFile(view);
        view = nullptr;
    }
    if (!view) {
        p.Trace("File could not be mapped");
        p.Trace("attached to process");
        return;
    }
    s.block = static_cast<SettingsBlock*>(view);
    p.Trace("file mapped");
    if (s.block->BlockSize == 0) {  // klsupport has never seen this block
        s.block->LastStatus = kStatusBlockUninitialised;
        s.block->KeyloomEnabled = 0;
    }
    p.Trace(s.block->KbdHook != 0 ? "Enabled" : "Disabled");
    p.Trace("attached to process");
}

void DetachFromBlock(ProcessState& s, const Platform& p) {
    if (s.block && UnmapViewOfFile(s.block)) s.block = nullptr;
    if (ValidHandle(s.mapping) && CloseHandle(s.mapping)) s.mapping = nullptr;
    p.Trace("detached from process");
}

}  // namespace kl::hook
