#include "model/hotkey_index.h"

#include "model/text_fields.h"

namespace kl {

std::vector<std::string_view> IndexPieces(std::string_view list) {
    std::vector<std::string_view> pieces;
    for (const std::string_view piece : SplitFields(list))
        if (!Trim(piece).empty()) pieces.push_back(piece);
    return pieces;
}

bool IndexHolds(std::string_view list, int id) {
    for (const std::string_view piece : IndexPieces(list))
        if (IsDigits(Trim(piece)) && ToNumber(piece, -1) == id) return true;
    return false;
}

std::string IndexWithout(std::string_view list, int id) {
    std::string kept;
    for (const std::string_view piece : IndexPieces(list)) {
        if (IsDigits(Trim(piece)) && ToNumber(piece, -1) == id) continue;
        kept.append(piece);
        kept += ';';
    }
    return kept;
}

int IndexSlot(int keyCode) { return keyCode > 255 ? 255 : keyCode; }

}  // namespace kl
