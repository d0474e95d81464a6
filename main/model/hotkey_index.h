// The per-key index lists of the Hotkeys key: "12;15;" lists the IDs 12 and 15.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kl {

// The non-blank pieces of a list, in order, as they are written.
std::vector<std::string_view> IndexPieces(std::string_view list);

// True when a piece of the list is the number `id`.
bool IndexHolds(std::string_view list, int id);

// The list without the pieces that are the number `id`; other pieces are
// kept as written, each followed by ";".
std::string IndexWithout(std::string_view list, int id);

// The index value that lists hotkeys on a key code: codes above 255 share "255".
int IndexSlot(int keyCode);

}  // namespace kl
