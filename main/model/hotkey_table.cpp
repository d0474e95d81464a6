#include "model/hotkey_table.h"

#include "hotkey_index.h"

namespace kl {

namespace {

// The use count of a key code, or null for codes that have none (0 and below).
std::uint8_t* UseCount(SettingsBlock& block, int keyCode) {
    if (keyCode < 0) return nullptr;
    return &block.HotkeyCountPerKey[IndexSlot(keyCode)];
}

}  // namespace

RowPut PutHotkeyRow(SettingsBlock& block, int id, int keyCode, int modifier) {
    if (id == 0) return RowPut::TableFull;  // 0 marks free rows and cannot be stored
    for (HotkeyEntry& row : block.Hotkeys) {
        if (row.ID != 0 && row.ID != id) continue;
        const bool free = row.ID == 0;
        std::uint8_t* count = UseCount(block, keyCode);
        if (free && count && *count == 255) return RowPut::KeyFull;
        // The ID goes last: a hook scanning meanwhile sees a complete row or a free one.
        if (!free && IndexSlot(row.Key) != IndexSlot(keyCode)) {
            // The row moves to another key code: its use moves with it.
            if (std::uint8_t* old = UseCount(block, row.Key); old && *old > 0) --*old;
            if (count && *count < 255) ++*count;
        }
        row.Key = keyCode;
        row.Modifier = modifier;
        row.Flag = 0;
        row.ID = id;
        if (free && count) ++*count;
        // The get-message hook looks at mouse buttons only while this is set.
        if (keyCode == 1 || keyCode == 2 || keyCode == 4) block.MouseHotkeys = -1;
        return free ? RowPut::Added : RowPut::Updated;
    }
    return RowPut::TableFull;
}

int RemoveHotkeyRows(SettingsBlock& block, int id) {
    if (id == 0) return 0;
    int removed = 0;
    int next = 0;  // where the next kept row goes
    for (int i = 0; i < kHotkeyRows; ++i) {
        HotkeyEntry row = block.Hotkeys[i];
        if (row.ID == id) {
            if (std::uint8_t* count = UseCount(block, row.Key); count && *count > 0) --*count;
            ++removed;
            continue;
        }
        if (next != i) block.Hotkeys[next] = row;
        ++next;
    }
    for (int i = next; i < kHotkeyRows; ++i) block.Hotkeys[i] = HotkeyEntry{};
    return removed;
}

}  // namespace kl
