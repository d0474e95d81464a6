#include "hook_block.h"

namespace kl::hook {
namespace {

HANDLE g_mapping = nullptr;
SettingsBlock* g_block = nullptr;

}  // namespace

SettingsBlock* Block() { return g_block; }

void AttachBlock() {
    g_mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, TRUE, kSettingsMapName);
    if (!g_mapping || g_mapping == INVALID_HANDLE_VALUE) {
        g_mapping = nullptr;
        Trace("Unable to obtain filemap");
        Trace("attached to process");
        return;
    }
    void* view = MapViewOfFile(g_mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    MEMORY_BASIC_INFORMATION info;
    // A mapping of the right name but too small would let field accesses run off the view.
    if (view && (VirtualQuery(view, &info, sizeof info) == 0 || info.RegionSize < kSettingsBlockSize)) {
        UnmapViewOfFile(view);
        view = nullptr;
    }
    if (!view) {
        Trace("File could not be mapped");
        Trace("attached to process");
        return;
    }
    g_block = static_cast<SettingsBlock*>(view);
    Trace("file mapped");
    if (g_block->BlockSize == 0) {
        g_block->LastStatus = kStatusBlockUninitialised;
        g_block->KeyloomEnabled = 0;
    }
    Trace(g_block->KbdHook ? "Enabled" : "Disabled");
    Trace("attached to process");
}

void DetachBlock() {
    if (g_block && UnmapViewOfFile(g_block)) g_block = nullptr;
    if (g_mapping && CloseHandle(g_mapping)) g_mapping = nullptr;
    Trace("detached from process");
}

void NotifyKeyloom(WPARAM wParam, LPARAM lParam) {
    SettingsBlock* b = g_block;
    if (!b || !b->NotifyMessage) return;
    const HWND main = reinterpret_cast<HWND>(static_cast<UINT_PTR>(b->MainWindow));
    PostMessageA(main, b->NotifyMessage, wParam, lParam);
    PostMessageA(HWND_BROADCAST, b->NotifyMessage, wParam, lParam);
    Trace("Nofifying Keyloom");
}

}  // namespace kl::hook
