// The per-key index lists of the Hotkeys key: the value named after a key code
// ("0" to "255", codes above 255 sharing "255") lists the IDs of the hotkeys on
// that key, each followed by ";" ("12;15;" lists 12 and 15). One rule for every
// reader: a piece names an ID when, without the blanks around it, it is a
// decimal number of digits only from 1 to 2147483647; other pieces (empty,
// blank, "abc", "0", "+5") name no hotkey and are passed over.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kl {

// The ID a piece of a list names, or 0.
std::int32_t IndexId(std::string_view piece);

// Calls `id` with every ID of a list, in order, until it returns false.
template <class Id>
void ForEachIndexId(std::string_view list, Id&& id) {
    while (!list.empty()) {
        const auto semi = list.find(';');
        const std::string_view piece = list.substr(0, semi);
        list = semi == std::string_view::npos ? std::string_view{} : list.substr(semi + 1);
        if (const std::int32_t n = IndexId(piece); n != 0 && !id(n)) return;
    }
}

// The non-blank pieces of a list, in order, as they are written.
std::vector<std::string_view> IndexPieces(std::string_view list);

// True when a piece of the list names `id`.
bool IndexHolds(std::string_view list, int id);

// The list without the pieces that name `id`; other non-blank pieces are kept
// as written, each followed by ";".
std::string IndexWithout(std::string_view list, int id);

// The index value that lists hotkeys on a key code: codes above 255 share "255".
int IndexSlot(int keyCode);

}  // namespace kl
