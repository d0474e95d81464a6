#include "functions/roll_up.h"

#include "functions/window_target.h"

namespace kl::support {
namespace {

// The slot holding w, or the first free one when the window has none yet
// (searched together from slot 0, as the hook does); -1 when the table is full.
int SlotForRollUp(const SettingsBlock& block, Handle32 w) {
    for (int i = 0; i < kCollapsedSlots; ++i) {
        const Handle32 h = block.CollapsedWindows[i];
        if (h == w || h == 0) return i;
    }
    return -1;
}

int SlotOf(const SettingsBlock& block, Handle32 w) {
    for (int i = 0; i < kCollapsedSlots; ++i)
        if (block.CollapsedWindows[i] == w) return i;
    return -1;
}

}  // namespace

void ShowHideClientArea(SettingsBlock& block, HWND w) {
    if (!w || !IsWindow(w) || GetParent(w) || !block.CaptureMenuDblClicks) return;
    RECT r{};
    if (!GetWindowRect(w, &r)) return;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const int caption = GetSystemMetrics(SM_CYSIZE);
    const Handle32 handle = AsHandle32(w);
    const auto rollTo = [&](int h) { MoveWindow(w, r.left, r.top, width, h, TRUE); };
    const auto currentHeight = [&] {
        RECT now{};
        return GetWindowRect(w, &now) ? now.bottom - now.top : height;
    };

    if (height > caption + 10) {
        const int slot = SlotForRollUp(block, handle);
        if (slot < 0) return;
        const int stored = block.CollapsedHeights[slot];
        rollTo(caption + 8);
        // A window may refuse to become that low (a sizable window keeps its
        // minimum tracking height). If it is one of ours, lower than its
        // stored height and could not be lowered further, it was rolled up
        // already: roll it down rather than forget its full height.
        if (block.CollapsedWindows[slot] == handle && stored > height && currentHeight() == height) {
            rollTo(stored);
            return;
        }
        block.CollapsedWindows[slot] = handle;
        block.CollapsedHeights[slot] = height;
        return;
    }
    const int slot = SlotOf(block, handle);
    if (slot < 0) return;
    // The height comes from a table other processes write: only a real height is used.
    const int stored = block.CollapsedHeights[slot];
    if (stored > 0) rollTo(stored);
}

void RollForegroundWindow(SettingsBlock& block, const Params&) {
    ShowHideClientArea(block, GetForegroundWindow());
}

}  // namespace kl::support
