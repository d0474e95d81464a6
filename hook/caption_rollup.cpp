#include "caption_rollup.h"

#include "trace.h"

namespace kl::hook {
namespace {

int FindSlot(const SettingsBlock& b, Handle32 window) {
    for (int i = 0; i < kCollapsedSlots; ++i)
        if (b.CollapsedWindows[i] == window) return i;
    return -1;
}

}  // namespace

void CaptionDoubleClick(SettingsBlock& b, const Platform& p, HWND window) {
    DebugTrace(b, p, "Capture menu dbl click handler");
    if (!window || !p.IsWindowHandle(window) || p.Parent(window)) return;
    RECT r;
    if (!p.WindowRect(window, &r)) return;
    const int caption = p.SystemMetric(SM_CYSIZE);
    const int height = r.bottom - r.top;
    const Handle32 handle = ToHandle32(window);

    if (height < caption + 10) {
        DebugTrace(b, p, "Restoring window");
        const int slot = FindSlot(b, handle);
        if (slot < 0) return;
        const std::int32_t stored = b.CollapsedHeights[slot];
        if (stored == 0) return;
        p.Move(window, r.left, r.top, r.right - r.left, stored, TRUE);  // the slot stays taken
        return;
    }
    DebugTrace(b, p, "Storing window height");
    int slot = FindSlot(b, handle);  // a window rolled up before keeps its slot
    if (slot < 0) slot = FindSlot(b, 0);
    if (slot < 0) return;            // all 26 slots hold other windows
    b.CollapsedWindows[slot] = handle;
    b.CollapsedHeights[slot] = height;
    if (height == 0) return;
    p.Move(window, r.left, r.top, r.right - r.left, caption + 8, TRUE);
}

}  // namespace kl::hook
