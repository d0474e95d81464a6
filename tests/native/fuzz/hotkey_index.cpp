// The per-key index lists of the Hotkeys key, as the hotkey store edits them:
// the first byte is an ID, the rest the list.
#include <string>

#include "hotkey_index.h"
#include "harness.h"
#include "stored_text.h"

using namespace kl;

KL_FUZZ_HARNESS(hotkey_index) {
    if (input.empty()) return;
    const int id = static_cast<unsigned char>(input[0]);
    const std::string_view list = input.substr(1);
    for (const std::string_view piece : IndexPieces(list)) KL_FUZZ_CHECK(piece.find(';') == std::string_view::npos);
    IndexHolds(list, id);
    const std::string without = IndexWithout(list, id);
    KL_FUZZ_CHECK(!IndexHolds(without, id));
    KL_FUZZ_CHECK(IndexWithout(without, id) == without);
    KL_FUZZ_CHECK(IndexSlot(id * 3) <= 255);
    ForEachIndexPiece(list, [](std::string_view) { return true; });
}
