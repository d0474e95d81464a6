// The block's hotkey table kept in step with the stored definitions: rows in
// use packed at the front (an ID of 0 ends them) and a use count per key code.
#pragma once

#include "settings_block.h"

namespace kl {

enum class RowPut {
    Added,     // a free row was taken and the key's use count raised
    Updated,   // the row of this ID was rewritten
    TableFull, // no row left: the table is unchanged
    KeyFull,   // the key code already has 255 uses: the table is unchanged
};

// Writes {id, key, modifier, 0} into the first row that holds this ID or is
// free; a mouse button key (1, 2, 4) also sets MouseHotkeys.
RowPut PutHotkeyRow(SettingsBlock& block, int id, int keyCode, int modifier);

// Removes every row of this ID, lowering the use count of its key code, and
// closes the gap so the rows in use stay packed. Returns the rows removed.
int RemoveHotkeyRows(SettingsBlock& block, int id);

}  // namespace kl
